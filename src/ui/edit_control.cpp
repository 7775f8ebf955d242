#include "ui/edit_control.h"

#include <algorithm>
#include <cmath>

#include "ui/label_mesh.h"

CEditControl::CEditControl(const char* initialText, const char* fontName, int maxLength)
    : CTextSprite(initialText ? initialText : "", fontName), initialText_(initialText ? initialText : "") {
  line_ = {initialText_, int(initialText_.size()), maxLength};
  background_ = AcquireTexture("GUI\\Edit control background.jpg", 0);
  SetAspectRatio(GetNaturalAspect());
  SetFocusedEditControl(this);
}

CEditControl::~CEditControl() {
  ReleaseEditFocus(this);
  ReleaseTexture(background_);
}

void CEditControl::OnKey(int code) {
  ApplyEditKey(line_, code);
  if (line_.text != GetText()) SetText(line_.text.c_str(), nullptr);
}

ScreenRect CEditControl::TextRect() {
  const ScreenRect r = GetScreenRect();
  float height = 0.5f * r.Height();
  float width = CTextSprite::GetNaturalAspect() * height;
  const float room = 0.8f * r.Width();
  if (width > room && width > 0.0f) {
    height *= room / width;
    width = room;
  }
  return ScreenRect::FromCenter(width, height, r.CenterX(), r.CenterY());
}

float CEditControl::CaretX() {
  const ScreenRect t = TextRect();
  const auto& v = GetVertices();
  if (line_.caret <= 0 || GetVertexCount() <= 0) return t.left;
  const size_t index = 4 * size_t(line_.caret) - 2;  // vertex 2 of the character before the caret
  if (index >= v.size()) return t.right;
  return t.left + (v[index].x + 1.0f) * 0.5f * t.Width();
}

void CEditControl::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  if (opacity == 0.0f) return;
  const ScreenRect rect = GetScreenRect();
  BeginSpriteStates(device, false);
  if (gfx::Texture* texture = GetDeviceTexture(background_)) {
    DrawQuad(device, rect, kQuadNormal, texture, TintMaterial(0xFFFFFFFF, opacity));
  }
  const ScreenRect text = TextRect();
  const gfx::Material material = RenderMaterial();
  if (GetTextFont() && GetVertexBuffer() && GetVertexCount() > 2) {
    device->SetTransform(gfx::TS_WORLD, WorldFromRect(text));
    device->SetStreamSource(0, GetVertexBuffer(), sizeof(gfx::VertexPosUv));
    device->SetMaterial(material);
    device->SetTexture(0, GetDeviceTexture(GetTextFont()->GetTexture()));
    device->SetVertexShader(gfx::FVF_POS_UV);
    device->DrawPrimitive(gfx::PT_TRIANGLESTRIP, 0, uint32_t(GetVertexCount() - 2));
  }
  if (std::fmod(GetTime(), 1.0f) < 0.5f) {
    const float x = CaretX();
    // No texture: the bar takes the text's colour.
    DrawQuad(device, ScreenRect(x, text.top, x + 3.0f, text.bottom), kQuadNormal, nullptr, material);
  }
  EndSpriteStates(device);
}
