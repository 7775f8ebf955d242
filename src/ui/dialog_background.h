// The base of every modal window: it joins the process-wide stack of open dialogs, pops in and
// out, takes Esc when it is the top dialog, tells its owner how it was closed, and fills itself
// with the animated night sky. A dialog blocks the pointer for everything below it.
#pragma once

#include "effects/night_sky_fill.h"
#include "scene/sprite.h"

// Close codes and commands shared by the dialogs.
inline constexpr int kCodeMenuDismissed = 1229;  // the in-game menu closed by Esc or "ResumeGame"
inline constexpr int kCodeOptionsClosed = 1230;
inline constexpr int kCodeBoxDismissed = 1236;  // a message box without an id closed
inline constexpr float kDialogAnimationTime = 0.5f;

class CDialogBackground : public CSprite {
 public:
  CDialogBackground();  // on top of the dialog stack, 150 stars
  ~CDialogBackground() override;

  int DeleteDeviceObjects() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;  // the night sky over the interior
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kDialogBackground; }
  int GetCursorKind() override { return 1; }
  int HitTest() override { return kHitBlocking; }

  // Slots 20 to 23.
  virtual void OnEscape() {}
  virtual ScreenRect GetInteriorRect() { return GetScreenRect(); }
  // Tells a living owner the code (when not 0) once and forgets it, then pops out and deletes
  // itself. A dialog that is already closing ignores further calls.
  virtual void Close(int code);
  virtual void ShowAnimated();  // pops in

  // The stars for a sky of width x height pixels (750 for the whole client area).
  void SetStarArea(float width, float height);
  int StarCount() const { return sky_.StarCount(); }
  const effects::NightSkyFill& Sky() const { return sky_; }
  effects::NightSkyFill& MutableSky() { return sky_; }

  bool IsClosing() const { return closing_; }
  float CreationTime() const { return createdAt_; }
  CGameObject* GetOwner() const { return WeakTarget(owner_); }
  void SetOwner(CGameObject* owner);
  int GetClosingKind() const { return closingKind_; }
  void SetClosingKind(int kind) { closingKind_ = kind; }

  CDialogBackground* PrevDialog() const { return prev_; }
  CDialogBackground* NextDialog() const { return next_; }

 protected:
  // Notifies a living owner; false when the notification deleted this dialog.
  bool NotifyOwner(int code);
  void DrawSky(gfx::Device* device, const ScreenRect& rect, float opacity);

 private:
  CDialogBackground* prev_ = nullptr;
  CDialogBackground* next_ = nullptr;
  effects::NightSkyFill sky_;
  float createdAt_ = 0;
  CXRef* owner_ = nullptr;
  int closingKind_;
  bool closing_ = false;
};

// The top of the dialog stack, or null.
CDialogBackground* GetOpenDialog();
CDialogBackground* GetBottomDialog();
int CountDialogs();
// Esc with dialogs open goes to the topmost one that is not closing; 1 when a dialog is open (the
// key is spent even when every open dialog is already on its way out), else 0.
int EscapeOpenDialog();

// The shell's view: whether any dialog is open, and Esc while one is.
bool IsDialogOpen();
void CancelCurrentDialog();
