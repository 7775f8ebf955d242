#include "scene/text_container.h"

#include <algorithm>

#include "data/string_table.h"
#include "scene/text_sprite.h"

namespace {

std::vector<std::string> LinesForKey(const char* key) {
  std::vector<std::optional<std::string>> texts;
  std::vector<std::string> lines;
  if (key && LocalizeList(key, texts) > 0) {
    for (auto& t : texts) lines.push_back(t ? *t : std::string());
  } else {
    lines.push_back(LocalizeText(key ? key : ""));
  }
  return lines;
}

}  // namespace

CTextContainer::CTextContainer(const std::vector<std::string>& lines, const char* fontName) {
  Layout(lines, fontName);
}

CTextContainer::CTextContainer(const char* const* lines, int count, const char* fontName) {
  std::vector<std::string> copy;
  for (int i = 0; lines && i < count; ++i) copy.emplace_back(lines[i] ? lines[i] : "");
  Layout(copy, fontName);
}

CTextContainer::CTextContainer(const char* key, const char* fontName) {
  Layout(LinesForKey(key), fontName);
}

void CTextContainer::Layout(const std::vector<std::string>& lines, const char* fontName) {
  lineCount_ = int(lines.size());
  float widest = 0.0f;
  for (int i = 0; i < lineCount_; ++i) {
    auto* line = new CTextSprite(lines[size_t(i)].c_str(), fontName);
    line->Attach(this, 0);
    widest = std::max(widest, line->GetNaturalAspect());
    // Line i: a band of 1 / count of the container's height, its centre (i + 0.5) / count from the
    // top, as wide as its own aspect, centred horizontally. Placed relatively, so it follows the
    // container whatever rectangle the owner gives it later.
    const float band = 1.0f / float(lineCount_);
    line->SetScale(band);
    line->SetAspectRatio(line->GetNaturalAspect());
    line->SetOffset(0.0f, (float(i) + 0.5f) * band - 0.5f);
    line->SetAngle(0.0f);
  }
  containerAspect_ = lineCount_ > 0 ? widest / float(lineCount_) : 0.0f;
  naturalAspect_ = containerAspect_;
}

void CTextContainer::SetColor(uint32_t argb) {
  for (CGameObject* c = FindChild(TypeId::kTextSprite); c; c = c->NextSibling(TypeId::kTextSprite)) {
    c->SetColor(argb);
  }
}

void CTextContainer::SetDepth(float z) {
  for (CGameObject* c = FirstChild(); c; c = c->NextSiblingRaw()) c->SetDepth(z);
}

CTextSprite* CTextContainer::GetLine(int index) {
  int i = 0;
  for (CGameObject* c = FindChild(TypeId::kTextSprite); c; c = c->NextSibling(TypeId::kTextSprite), ++i) {
    if (i == index) return static_cast<CTextSprite*>(c);
  }
  return nullptr;
}

int GetLineCount(const char* key) {
  return std::max(1, key ? LocalizeCount(key) : 0);
}
