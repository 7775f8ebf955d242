#include "scene/game_font.h"

#include <algorithm>

#include "data/pak_names.h"
#include "data/xml_document.h"

namespace {
std::vector<CGameFont*> g_fonts;
}

CGameFont::CGameFont(const std::string& name, XmlDocument& doc) : name_(name) {
  ReadFontGlyphs(doc, glyphs_);
  // Text is scaled freely on screen; a single level keeps the glyph cells from bleeding together
  // in smaller mip levels.
  texture_ = AcquireTexture("Fonts\\" + name + ".png", kTexSingleLevel);
  g_fonts.push_back(this);
}

CGameFont::~CGameFont() {
  g_fonts.erase(std::remove(g_fonts.begin(), g_fonts.end(), this), g_fonts.end());
  ReleaseTexture(texture_);
}

int CGameFont::LayoutText(std::string_view text, std::vector<gfx::VertexPosUv>& vertices, float& textAspect,
                          int style) const {
  return ::LayoutText(glyphs_, text, style, vertices, textAspect);
}

CGameFont* GetFont(const char* name) {
  if (!name) return nullptr;
  for (CGameFont* font : g_fonts) {
    if (pak::EqualsFolded(font->GetName(), name)) return font;
  }
  XmlDocument doc;
  std::string member = std::string("Fonts\\") + name + ".xml";
  if (doc.LoadMember(member.c_str()) != 0) return nullptr;
  XmlNode root = doc.Root();
  if (root == kNoNode) return nullptr;
  doc.ReleaseNode(root);
  return new CGameFont(name, doc);
}

void LoadStandardFonts() {
  for (const char* name : {"ComicStrip", "GoldFlat", "GoldFlat2", "Tooltip", "VictorianLet"}) GetFont(name);
}

const std::vector<CGameFont*>& LoadedFonts() {
  return g_fonts;
}

void DestroyAllFonts() {
  while (!g_fonts.empty()) delete g_fonts.back();
}
