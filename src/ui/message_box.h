// The message box: lines of pale-gold text in a framed night-sky window with up to two buttons.
// A box without buttons (kind 0) lets the pointer through and closes on the first click after
// it has popped in. The owner hears the button's code, then 1236 (or the box's id, when given
// one with SetId) as the box closes.
#pragma once

#include "ui/dialog_layouts.h"
#include "ui/dialog_scaled_frame.h"

class CTextContainer;

class CMessageBox : public CDialogScaledFrame {
 public:
  // The lines of a string-table key (the key itself when it has no entry).
  CMessageBox(const char* key, const char* fontName, float lineHeight, CGameObject* owner, int kind);
  CMessageBox(const char* const* lines, int count, const char* fontName, float lineHeight, CGameObject* owner,
              int kind);

  void Update() override;  // kind 0: a click closes it
  int GetTypeId() override { return TypeId::kMessageBox; }
  int HitTest() override { return kind_ == kBoxClickAnywhere ? kHitNone : kHitBlocking; }
  void OnNotify(CGameObject* sender, int code) override;
  void OnEscape() override;

  int GetKind() const { return kind_; }
  CTextContainer* GetText() const { return text_; }

 private:
  void Build(CTextContainer* text, float lineHeight, CGameObject* owner);

  int kind_;
  CTextContainer* text_ = nullptr;
};
