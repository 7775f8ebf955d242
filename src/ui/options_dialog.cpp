#include "ui/options_dialog.h"

#include <algorithm>
#include <vector>

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/frame_timer.h"
#include "player/game_state.h"
#include "scene/text_sprite.h"
#include "ui/checkbox.h"
#include "ui/dialog_host.h"
#include "ui/dialog_layouts.h"
#include "ui/pushbutton.h"
#include "ui/slider.h"

namespace {

constexpr uint32_t kGold = 0xFFFFEA80, kWhite = 0xFFFFFFFF;
constexpr const char* kLabelFont = "VictorianLET";
constexpr const char* kOrnament = "GUI\\Decorative ornaments 0838.png";
constexpr float kRow = 0.07f;              // labels, sliders and the back button
constexpr float kCheckRow = 0.75f * kRow;  // check boxes
constexpr float kOrnamentAspect = 2.0f;
constexpr float kBackAspect = 2.94f;

COptionsDialog* g_options = nullptr;

}  // namespace

float BrightnessForGamma(float gamma) {
  return std::clamp(1.5f - gamma, 0.0f, 1.0f);
}

float GammaForBrightness(float brightness) {
  return 1.0f - std::clamp(brightness, 0.0f, 1.0f) + 0.5f;
}

COptionsDialog::COptionsDialog(CGameObject* owner, CGameObject* parent) {
  g_options = this;
  SetOwner(owner);
  if (parent) Attach(parent, 0);

  // Top to bottom; labels fill half their row's height.
  struct Row {
    CSprite* sprite;
    float height;
    float drawn;  // the sprite's height as a share of the row
  };
  std::vector<Row> rows;
  auto label = [&](const char* key) {
    auto* text = new CTextSpriteLocalize(key, kLabelFont);
    text->Attach(this, 0);
    text->SetColor(kGold);
    rows.push_back({text, kRow, 0.5f});
    return text;
  };
  auto slider = [&](int id) { rows.push_back({new CSlider(id, this), kRow, 1.0f}); };
  label("SFXVolume");
  slider(kCmdEffectsVolume);
  label("MusicVolume");
  slider(kCmdMusicVolume);
  brightnessLabel_ = label("Brightness");
  brightnessLabel_->SetId(kBrightnessLabelId);
  slider(kCmdBrightness);
  CCheckbox* boxes[2] = {new CCheckbox("FullScreenMode", kCmdFullScreen, this),
                         new CCheckbox("ShowTips", kCmdShowTips, this)};
  for (CCheckbox* box : boxes) {
    box->SetLabelColors(kGold, kWhite);
    rows.push_back({box, kCheckRow, 1.0f});
  }
  back_ = new CPushbutton("Back", kCmdBack, 1, this, this);
  rows.push_back({back_, kRow, 1.0f});

  // The two check boxes share one width, so their boxes line up.
  const float boxAspect = std::max(boxes[0]->GetNaturalAspect(), boxes[1]->GetNaturalAspect());
  std::vector<OptionsRow> shape;
  for (const Row& r : rows) {
    float aspect = r.sprite->GetNaturalAspect() * r.drawn;
    if (r.sprite == boxes[0] || r.sprite == boxes[1]) aspect = boxAspect;
    if (r.sprite == back_) aspect = kBackAspect;
    shape.push_back({r.height, aspect});
  }
  const float W = float(GetClientWidth()), H = float(GetClientHeight());
  const OptionsLayout layout = LayoutOptions(shape, W, H);
  SetScreenRect(layout.dialog);
  for (size_t i = 0; i < rows.size(); ++i) {
    const ScreenRect& r = layout.rows[i];
    // The row is as wide as its sprite: the aspect was scaled down with the drawn height.
    const float h = r.Height() * rows[i].drawn;
    rows[i].sprite->SetScreenRect(ScreenRect::FromCenter(r.Width(), h, r.CenterX(), r.CenterY()));
  }
  // Gilt scrolls on either side of "Back", the right one mirrored.
  const ScreenRect back = layout.rows.back();
  const float oh = back.Height(), ow = kOrnamentAspect * oh, gap = 0.02f * H;
  for (int side = 0; side < 2; ++side) {
    const float cx = side == 0 ? back.left - gap - ow / 2 : back.right + gap + ow / 2;
    auto* ornament = new CSprite(ScreenRect::FromCenter(ow, oh, cx, back.CenterY()), 0, kOrnament, this);
    if (side == 1) ornament->AddFlags(kSpriteMirror);
  }
  ReadSettings();
  Layout();
  SetDepthRecursive(GetTopDepth() + 1.0f);
  ShowAnimated();
}

COptionsDialog::~COptionsDialog() {
  if (g_options == this) g_options = nullptr;
}

CSlider* COptionsDialog::GetSlider(int id) {
  for (CGameObject* c = FindChild(TypeId::kSlider); c; c = c->NextSibling(TypeId::kSlider))
    if (c->GetId() == id) return static_cast<CSlider*>(c);
  return nullptr;
}

CCheckbox* COptionsDialog::GetCheckbox(int id) {
  for (CGameObject* c = FindChild(TypeId::kCheckbox); c; c = c->NextSibling(TypeId::kCheckbox))
    if (c->GetId() == id) return static_cast<CCheckbox*>(c);
  return nullptr;
}

void COptionsDialog::ReadSettings() {
  if (CSlider* s = GetSlider(kCmdEffectsVolume)) s->SetValue(GetEffectsVolume());
  if (CSlider* s = GetSlider(kCmdMusicVolume)) s->SetValue(GetMusicVolume());
  if (CSlider* s = GetSlider(kCmdBrightness)) s->SetValue(BrightnessForGamma(GetDialogHost().GetGamma()));
  if (CCheckbox* b = GetCheckbox(kCmdFullScreen)) b->SetChecked(!GetDialogHost().IsWindowed());
  if (CCheckbox* b = GetCheckbox(kCmdShowTips)) b->SetChecked(TestFlag(kShowTipsFlag));
}

int COptionsDialog::RestoreDeviceObjects(gfx::Device* device) {
  const int hr = CDialogScaledFrame::RestoreDeviceObjects(device);
  // A restore follows a switch between full screen and window: show the mode we ended up in.
  if (CCheckbox* b = GetCheckbox(kCmdFullScreen)) b->SetChecked(!GetDialogHost().IsWindowed());
  return hr;
}

void COptionsDialog::OnNotify(CGameObject* sender, int code) {
  if (IsClosing()) return;
  switch (code) {
    case kCmdEffectsVolume:
      if (auto* s = GetSlider(code)) SetEffectsVolume(s->GetValue());
      break;
    case kCmdMusicVolume:
      if (auto* s = GetSlider(code)) SetMusicVolume(std::clamp(s->GetValue(), 0.0f, 1.0f));
      break;
    case kCmdBrightness:
      if (auto* s = GetSlider(code)) GetDialogHost().SetGamma(GammaForBrightness(s->GetValue()));
      break;
    case kCmdFullScreen:
      if (auto* b = GetCheckbox(code)) GetDialogHost().RequestFullScreen(b->IsChecked());
      break;
    case kCmdShowTips:
      if (auto* b = GetCheckbox(code)) {
        if (b->IsChecked())
          SetFlag(kShowTipsFlag);
        else
          ClearFlag(kShowTipsFlag);
      }
      break;
    case kCmdBack:
      OnEscape();
      break;
    default:
      (void)sender;
      break;
  }
}

void COptionsDialog::OnEscape() {
  Close(kCodeOptionsClosed);
}

COptionsDialog* OpenOptionsDialog(CGameObject* owner, CGameObject* parent) {
  if (g_options && !g_options->IsClosing()) return g_options;
  ClockPauseGuard pause;
  return new COptionsDialog(owner, parent);
}

COptionsDialog* GetOptionsDialog() {
  return g_options;
}
