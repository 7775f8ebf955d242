#include "app/display_modes.h"

#include <algorithm>

DeviceRecord BuildDeviceRecord(const std::vector<DisplayMode>& reported, bool canDoWindowed) {
  DeviceRecord rec;
  for (const DisplayMode& m : reported) {
    if (m.width < 640 || m.height < 400) continue;
    bool seen = std::any_of(rec.modes.begin(), rec.modes.end(),
                            [&](const DisplayMode& k) { return k.width == m.width && k.height == m.height; });
    if (!seen) rec.modes.push_back(m);
  }
  std::sort(rec.modes.begin(), rec.modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
    return a.width != b.width ? a.width < b.width : a.height < b.height;
  });
  for (int i = 0; i < int(rec.modes.size()); ++i) {
    const DisplayMode& m = rec.modes[size_t(i)];
    if (m.width == 800 && m.height == 600) rec.mode800 = i;
    if (m.width == 1024 && m.height == 768) rec.mode1024 = i;
    if (m.width == 1280 && m.height == 960) rec.mode1280 = i;
  }
  rec.currentMode = rec.mode1024;
  rec.canDoWindowed = canDoWindowed;
  rec.windowed = canDoWindowed;
  return rec;
}

ModeSelection ChooseStartupMode(const std::vector<DeviceRecord>& devices, int resolutionChoice) {
  ModeSelection sel;
  // A device without a full-screen mode that cannot draw into a window is no device at all.
  bool any = std::any_of(devices.begin(), devices.end(),
                         [](const DeviceRecord& d) { return !d.modes.empty() || d.canDoWindowed; });
  if (!any) {
    sel.result = AppError::kNoCompatibleDevices;
    return sel;
  }
  if (resolutionChoice == kChoiceWindowed) {
    for (size_t i = 0; i < devices.size(); ++i) {
      if (devices[i].canDoWindowed) {
        sel.device = int(i);
        sel.windowed = true;
        return sel;
      }
    }
    sel.result = AppError::kNoWindowableDevices;
    return sel;
  }
  const DeviceRecord& d = devices[0];
  int mode = resolutionChoice == kChoice800    ? d.mode800
             : resolutionChoice == kChoice1280 ? d.mode1280
                                               : d.mode1024;
  if (mode < 0) mode = d.mode800;
  if (mode < 0 && !d.modes.empty()) mode = 0;
  if (mode < 0) {
    sel.result = AppError::kNoCompatibleDevices;
    return sel;
  }
  sel.device = 0;
  sel.mode = mode;
  sel.windowed = false;
  return sel;
}

gfx::HRESULT ApplyResolutionChoice(DeviceRecord& device, int choice) {
  switch (choice) {
    case kChoiceWindowed:
      if (!device.canDoWindowed) return gfx::E_FAIL;
      device.windowed = true;
      return gfx::S_OK;
    case kChoice800:
    case kChoice1024:
    case kChoice1280: {
      int mode = choice == kChoice800    ? device.mode800
                 : choice == kChoice1024 ? device.mode1024
                                         : device.mode1280;
      if (mode < 0) return gfx::E_FAIL;
      device.currentMode = mode;
      device.windowed = false;
      return gfx::S_OK;
    }
    default:
      return gfx::E_FAIL;
  }
}

int ResolutionChoiceFor(bool windowed, int backBufferWidth) {
  if (windowed) return kChoiceWindowed;
  if (backBufferWidth < 1024) return kChoice800;
  if (backBufferWidth == 1024) return kChoice1024;
  return kChoice1280;
}

void ForceClientAspect(int& width, int& height) {
  if (height * 4 / 3 < width)
    width = height * 4 / 3;
  else if (width * 3 / 4 < height)
    height = width * 3 / 4;
}
