#include "app/error_messages.h"

#include "app/display_modes.h"

std::string ErrorMessageFor(gfx::HRESULT code) {
  switch (code) {
    case AppError::kNoDirect3D:
      return "Could not initialize Direct3D. You may\nwant to check that the latest version of\nDirectX is "
             "correctly installed on your\nsystem.  Also make sure that this program\nwas compiled with "
             "header files that match\nthe installed DirectX DLLs.";
    case AppError::kNoCompatibleDevices:
      return "Could not find any compatible Direct3D\ndevices.";
    case AppError::kNoWindowableDevices:
      return "This game cannot run in a desktop\nwindow with the current display settings.\nPlease change "
             "your desktop settings to a\n16- or 32-bit display mode and re-run this\nsample.";
    case AppError::kNoHardwareDevice:
      return "No hardware-accelerated Direct3D devices\nwere found.";
    case AppError::kHalNotCompatible:
      return "This game requires functionality that is\nnot available on your Direct3D "
             "hardware\naccelerator.";
    case AppError::kNoWindowedHal:
      return "Your Direct3D hardware accelerator cannot\nrender into a window.\nPress F2 while the app is "
             "running to see a\nlist of available devices and modes.";
    case AppError::kNoDesktopHal:
      return "Your Direct3D hardware accelerator cannot\nrender into a window with the current\ndesktop "
             "display "
             "settings.\nPress F2 while the app is running to see a\nlist of available devices and modes.";
    case AppError::kNoHalThisMode:
      return "This game requires functionality that is\nnot available on your Direct3D hardware\naccelerator "
             "with the current desktop display\nsettings.\nPress F2 while the app is running to see a\nlist "
             "of available devices and modes.";
    case AppError::kNonZeroRefCount:
      return "A D3D object has a non-zero reference\ncount (meaning things were not properly\ncleaned up).";
    case AppError::kMediaNotFound:
      return "Could not load required media.";
    case AppError::kResetFailed:
      return "Could not reset the Direct3D device.";
    case gfx::E_OUTOFMEMORY:
      return "Not enough memory.";
    case gfx::D3DERR_OUTOFVIDEOMEMORY:
      return "Not enough video memory.";
    default:
      return "Generic application error. Enable\ndebug output for detailed information.";
  }
}

std::string ErrorBoxText(gfx::HRESULT code, int kind) {
  std::string text = ErrorMessageFor(code);
  if (kind == kErrorMustExit) {
    text += "\n\nFenwhistle will now exit.";
  } else if (kind == kErrorSwitchedToRef) {
    text +=
        "\n\nSwitching to the reference rasterizer,\na software device that implements the entire\n"
        "Direct3D feature set, but runs very slowly.";
    text += ".";
  }
  return text;
}
