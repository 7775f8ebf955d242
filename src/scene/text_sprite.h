// One line of text drawn with a bitmap font: the string becomes one triangle strip that fills the
// sprite's rectangle exactly, so owners size it by height and its natural aspect.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "scene/game_font.h"
#include "scene/sprite.h"

class CTextSprite : public CSprite {
 public:
  CTextSprite();  // no text, no font
  CTextSprite(const char* text, const char* fontName);
  CTextSprite(int number, const char* fontName);  // the number as "%d"
  ~CTextSprite() override;

  int DeleteDeviceObjects() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;
  // Builds the vertex buffer from the kept vertices when there is none, then as any sprite.
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kTextSprite; }
  float GetNaturalAspect() override { return textAspect_; }  // the laid-out width / height

  // Replaces the text; a null font name keeps the current font. Lays the text out again and
  // rebuilds the vertex buffer when a device exists.
  virtual void SetText(const char* text, const char* fontName);
  void SetNumber(int number, const char* fontName);
  // Copies the text when it fits with its terminator, else writes an empty string.
  void GetText(char* buffer, size_t size) const;
  const std::string& GetText() const { return text_; }

  CGameFont* GetTextFont() const { return font_; }
  int GetVertexCount() const { return vertexCount_; }
  const std::vector<gfx::VertexPosUv>& GetVertices() const { return vertices_; }
  gfx::VertexBuffer* GetVertexBuffer() const { return vertexBuffer_; }

 private:
  void ReleaseBuffer();

  CGameFont* font_ = nullptr;  // shared, owned by the font list
  gfx::VertexBuffer* vertexBuffer_ = nullptr;
  std::vector<gfx::VertexPosUv> vertices_;
  int vertexCount_ = 0;
  std::string text_;
  float textAspect_ = 0.0f;
};

// A text sprite whose text is the string table's entry for a key (the key itself when missing).
class CTextSpriteLocalize : public CTextSprite {
 public:
  CTextSpriteLocalize(const char* key, const char* fontName);
};
