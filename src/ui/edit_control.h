// A one-line edit field: a background picture with the text centred on it and a blinking caret.
// It takes the keyboard focus when made (the window then delivers typed text) and gives it back
// when it dies.
#pragma once

#include <string>

#include "scene/edit_focus.h"
#include "scene/text_sprite.h"
#include "ui/edit_line.h"

class CEditControl : public CTextSprite, public CEditKeyTarget {
 public:
  CEditControl(const char* initialText, const char* fontName, int maxLength);
  ~CEditControl() override;

  void Render(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kEditControl; }
  float GetNaturalAspect() override { return 4.85f; }
  void OnKey(int code) override;

  int GetCaret() const { return line_.caret; }
  int GetMaxLength() const { return line_.maxLength; }
  const std::string& GetInitialText() const { return initialText_; }
  // The text's rectangle: half the control's height, centred, at most 0.8 of its width (a longer
  // text shrinks whole rather than squeezes).
  ScreenRect TextRect();
  // The caret's screen x: the right edge of the character before it, the text's left edge at 0.
  float CaretX();

 private:
  EditLine line_;
  std::string initialText_;
  TextureEntry* background_ = nullptr;
};
