#include "scene/text_sprite.h"

#include <cstring>
#include <string_view>

#include "core/tree_dump_fields.h"
#include "data/string_table.h"
#include "platform/os/host.h"

namespace {

constexpr float kTextDepth = 20.0f;

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  if (object->GetTypeId() != TypeId::kTextSprite) return;
  if (auto* text = dynamic_cast<CTextSprite*>(object)) {
    f.hasText = true;
    f.text = text->GetText();
  }
}
TreeDumpRegistration g_dumpRegistration(&FillDumpFields);

}  // namespace

CTextSprite::CTextSprite() = default;

CTextSprite::CTextSprite(const char* text, const char* fontName) {
  SetText(text, fontName);
  SetDepth(kTextDepth);
}

CTextSprite::CTextSprite(int number, const char* fontName) {
  SetNumber(number, fontName);
  SetDepth(kTextDepth);
}

CTextSprite::~CTextSprite() {
  ReleaseBuffer();
}

void CTextSprite::ReleaseBuffer() {
  if (vertexBuffer_) vertexBuffer_->Release();
  vertexBuffer_ = nullptr;
}

int CTextSprite::DeleteDeviceObjects() {
  ReleaseBuffer();
  return CSprite::DeleteDeviceObjects();
}

int CTextSprite::InvalidateDeviceObjects() {
  ReleaseBuffer();
  return CSprite::InvalidateDeviceObjects();
}

int CTextSprite::RestoreDeviceObjects(gfx::Device* device) {
  if (device && !vertexBuffer_ && vertexCount_ > 0) {
    const uint32_t bytes = uint32_t(vertexCount_) * uint32_t(sizeof(gfx::VertexPosUv));
    gfx::VertexBuffer* vb = nullptr;
    gfx::HRESULT hr = device->CreateVertexBuffer(bytes, gfx::FVF_POS_UV, &vb);
    if (gfx::Failed(hr) || !vb) {
      os::ShowMessageBox("CTextSprite::RestoreDeviceObjects()", "Failed to create text vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    void* data = nullptr;
    hr = vb->Lock(0, 0, &data, 0);
    if (gfx::Failed(hr) || !data) {
      vb->Release();
      os::ShowMessageBox("CTextSprite::RestoreDeviceObjects()", "Failed to lock vertex buffer");
      return gfx::Failed(hr) ? hr : gfx::E_FAIL;
    }
    std::memcpy(data, vertices_.data(), bytes);
    vb->Unlock();
    vertexBuffer_ = vb;
  }
  return CSprite::RestoreDeviceObjects(device);
}

void CTextSprite::SetText(const char* text, const char* fontName) {
  ReleaseBuffer();
  text_ = text ? text : "";
  if (fontName) font_ = GetFont(fontName);
  if (font_) {
    vertexCount_ = font_->LayoutText(text_, vertices_, textAspect_, 0);
  } else {
    // Without a font nothing is drawn and the natural aspect is 0.
    vertices_.clear();
    vertexCount_ = 0;
    textAspect_ = 0.0f;
  }
  if (gfx::Device* device = GetDevice()) RestoreDeviceObjects(device);
}

void CTextSprite::SetNumber(int number, const char* fontName) {
  SetText(std::to_string(number).c_str(), fontName);
}

void CTextSprite::GetText(char* buffer, size_t size) const {
  if (!buffer || size == 0) return;
  if (text_.size() < size) {
    std::memcpy(buffer, text_.c_str(), text_.size() + 1);
  } else {
    buffer[0] = '\0';
  }
}

void CTextSprite::Render(gfx::Device* device) {
  if (!device || !font_ || !vertexBuffer_ || vertexCount_ <= 2) return;
  ScreenRect rect = GetScreenRect();
  if (GetEffectiveOpacity() == 0) return;
  BeginSpriteStates(device, (flags_ & kSpriteAdditive) != 0);
  if (flags_ & kSpriteNoRotation) {
    rect_.angle = 0;  // the cache keeps the 0 until it is next recomputed
    rect.angle = 0;
  }
  device->SetTransform(gfx::TS_WORLD, WorldFromRect(rect));
  device->SetStreamSource(0, vertexBuffer_, sizeof(gfx::VertexPosUv));
  device->SetMaterial(RenderMaterial());
  device->SetTexture(0, GetDeviceTexture(font_->GetTexture()));
  device->SetVertexShader(gfx::FVF_POS_UV);
  device->DrawPrimitive(gfx::PT_TRIANGLESTRIP, 0, uint32_t(vertexCount_ - 2));
  EndSpriteStates(device);
}

CTextSpriteLocalize::CTextSpriteLocalize(const char* key, const char* fontName) {
  std::string text = LocalizeText(key ? key : "");
  SetText(text.c_str(), fontName);
  SetDepth(kTextDepth);
}
