// Several lines of text stacked from the top and centred, each a CTextSprite child placed
// relative to the container, so the block follows the container when it moves or scales.
#pragma once

#include <string>
#include <vector>

#include "scene/sprite.h"

class CTextSprite;

class CTextContainer : public CSprite {
 public:
  CTextContainer(const std::vector<std::string>& lines, const char* fontName);
  CTextContainer(const char* const* lines, int count, const char* fontName);
  // The lines of the string table's list entry for key; an entry without a list (or no entry)
  // gives one line with the key's text, as a single text sprite would show it.
  CTextContainer(const char* key, const char* fontName);

  int GetTypeId() override { return TypeId::kTextContainer; }
  // The colour goes to every line; the container has nothing of its own to tint.
  void SetColor(uint32_t argb) override;
  // Every child takes the depth; the container's own depth stays.
  void SetDepth(float z) override;
  // The longest line's aspect divided by the line count: the block's width / height.
  float GetNaturalAspect() override { return containerAspect_; }

  int GetLineCount() const { return lineCount_; }
  CTextSprite* GetLine(int index);

 private:
  void Layout(const std::vector<std::string>& lines, const char* fontName);

  float containerAspect_ = 0.0f;
  int lineCount_ = 0;
};

// The number of lines the container for key would have (at least 1).
int GetLineCount(const char* key);
