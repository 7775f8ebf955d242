// The options window: effects and music volume, brightness, full screen and tips. Every control
// acts at once (there is no OK or Cancel); "Back" or Esc closes it and tells the owner 1230.
#pragma once

#include "ui/dialog_scaled_frame.h"

class CCheckbox;
class CSlider;
class CPushbutton;
class CTextSprite;

// Commands of the options' controls.
inline constexpr int kCmdEffectsVolume = 102, kCmdMusicVolume = 1218, kCmdBrightness = 1131,
                     kCmdFullScreen = 1018, kCmdShowTips = 1252, kCmdBack = 108;
inline constexpr int kBrightnessLabelId = 1314;

// The brightness slider's value for a gamma exponent and back: 0 darkest (1.5), 1 brightest (0.5).
float BrightnessForGamma(float gamma);
float GammaForBrightness(float brightness);

class COptionsDialog : public CDialogScaledFrame {
 public:
  // The options under parent (null: none), reporting their close to owner.
  COptionsDialog(CGameObject* owner, CGameObject* parent);
  ~COptionsDialog() override;

  int RestoreDeviceObjects(gfx::Device* device) override;  // the display mode may have changed
  int GetTypeId() override { return TypeId::kOptionsDialog; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;  // closes with 1230 to the owner

  CSlider* GetSlider(int id);
  CCheckbox* GetCheckbox(int id);
  CPushbutton* GetBackButton() const { return back_; }
  CTextSprite* GetBrightnessLabel() const { return brightnessLabel_; }
  // Reads the current settings into the controls.
  void ReadSettings();

 private:
  CPushbutton* back_ = nullptr;
  CTextSprite* brightnessLabel_ = nullptr;
};

// The open options dialog (one that is not closing), else a new one; the clock stands still while
// it is built.
COptionsDialog* OpenOptionsDialog(CGameObject* owner, CGameObject* parent);
COptionsDialog* GetOptionsDialog();
