// Display modes and the rules that pick one. Full screen is the desktop with our back buffer scaled
// into it, so the platform's list normally holds the three 4:3 sizes; the rules still take any
// list, which keeps them testable and keeps the saved "Resolution" choices meaning what they mean.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gfx/device.h"

struct DisplayMode {
  int width = 0;
  int height = 0;
};

// One rendering device with the full-screen modes it accepts.
struct DeviceRecord {
  std::vector<DisplayMode> modes;  // sorted by width, then height; no duplicates
  int mode800 = -1;                // index of 800 x 600, choice 0
  int mode1024 = -1;               // index of 1024 x 768, choice 1
  int mode1280 = -1;               // index of 1280 x 960, choice 2
  int currentMode = -1;
  bool canDoWindowed = false;
  bool windowed = false;
};

// Resolution choices as the settings store keeps them.
enum : int { kChoice800 = 0, kChoice1024 = 1, kChoice1280 = 2, kChoiceWindowed = 3 };

// The framework's own result codes.
namespace AppError {
constexpr gfx::HRESULT kNoDirect3D = int32_t(0x82000001u);
constexpr gfx::HRESULT kNoCompatibleDevices = int32_t(0x82000003u);
constexpr gfx::HRESULT kNoWindowableDevices = int32_t(0x82000004u);
constexpr gfx::HRESULT kNoHardwareDevice = int32_t(0x82000005u);
constexpr gfx::HRESULT kHalNotCompatible = int32_t(0x82000006u);
constexpr gfx::HRESULT kNoWindowedHal = int32_t(0x82000007u);
constexpr gfx::HRESULT kNoDesktopHal = int32_t(0x82000008u);
constexpr gfx::HRESULT kNoHalThisMode = int32_t(0x82000009u);
constexpr gfx::HRESULT kNonZeroRefCount = int32_t(0x8200000au);
constexpr gfx::HRESULT kMediaNotFound = int32_t(0x8200000bu);
constexpr gfx::HRESULT kResetFailed = int32_t(0x8200000cu);
}  // namespace AppError

// Builds a device record from the modes a display reports: modes narrower than 640 or lower than
// 400 are dropped, duplicates merged, the rest sorted; 1024 x 768 becomes the current mode.
DeviceRecord BuildDeviceRecord(const std::vector<DisplayMode>& reported, bool canDoWindowed);

struct ModeSelection {
  gfx::HRESULT result = gfx::S_OK;
  int device = -1;
  bool windowed = false;
  int mode = -1;  // index into the device's modes (full screen)
};

// The start-up choice: 3 takes the first device that can render in a window (none: 0x82000004);
// 0, 1, 2 take device 0 full screen with that size, an absent size falling back to 800 x 600, and
// when that is absent too, the first mode the device has. No usable device: 0x82000003.
ModeSelection ChooseStartupMode(const std::vector<DeviceRecord>& devices, int resolutionChoice);

// A change of choice on the running device: E_FAIL for an unknown choice, windowed without
// canDoWindowed, or a size the device does not have; otherwise S_OK and the record is updated.
gfx::HRESULT ApplyResolutionChoice(DeviceRecord& device, int choice);

// The choice the running game reports (and saves): 3 windowed; else by back-buffer width.
int ResolutionChoiceFor(bool windowed, int backBufferWidth);

// The creation rule: the client area is cut down to 4:3 (integer arithmetic).
void ForceClientAspect(int& width, int& height);
