// Bitmap fonts: a glyph atlas ("Fonts\<Name>.png" in Textures.pak) and its glyph table
// ("Fonts\<Name>.xml" in Database.pak). Fonts are loaded on first use, shared by name and live
// until the final clean-up.
#pragma once

#include <string>
#include <vector>

#include "data/texture_cache.h"
#include "scene/game_object.h"
#include "scene/text_layout.h"

class XmlDocument;

class CGameFont : public CGameObject {
 public:
  // Reads the glyph table from the loaded document and acquires the atlas texture; the font joins
  // the end of the font list.
  CGameFont(const std::string& name, XmlDocument& doc);
  ~CGameFont() override;  // leaves the font list, releases the texture

  int GetTypeId() override { return TypeId::kGameFont; }

  // Style bit kTextStyleSlant slants the glyphs. Returns the vertex count (4 per byte).
  int LayoutText(std::string_view text, std::vector<gfx::VertexPosUv>& vertices, float& textAspect,
                 int style = 0) const;

  const std::string& GetName() const { return name_; }
  const FontGlyphs& GetGlyphs() const { return glyphs_; }
  float GetAspect() const { return glyphs_.aspect; }
  float GetLineHeight() const { return glyphs_.lineHeight; }
  TextureEntry* GetTexture() const { return texture_; }

 private:
  std::string name_;
  FontGlyphs glyphs_;
  TextureEntry* texture_ = nullptr;
};

// The loaded font whose name equals name without regard to case; otherwise loads
// "Fonts\<name>.xml" and appends the new font to the list. Null when the file cannot be read.
CGameFont* GetFont(const char* name);
// The five fonts the game uses, loaded on the first frame.
void LoadStandardFonts();
// Fonts in load order.
const std::vector<CGameFont*>& LoadedFonts();
// Deletes every font (tests; the final clean-up deletes them with every other object).
void DestroyAllFonts();
