#include "search/wrong_clicks.h"

#include "audio/sound_effects.h"
#include "effects/particle_trail.h"
#include "player/game_state.h"
#include "scene/cursor.h"
#include "scene/input.h"
#include "scene/sound_pan.h"
#include "ui/message_box.h"

namespace penalty {

bool WrongClickWindow::Count(float now) {
  if (now - start_ > kWindowSeconds) {
    start_ = now;
    clicks_ = 1;
    return false;
  }
  clicks_ += 1;
  if (clicks_ < float(kClicksForPenalty)) return false;
  Reset();
  return true;
}

void WrongClickWindow::Reset() {
  start_ = 0;
  clicks_ = 0;
}

WrongClickWindow& SharedWrongClicks() {
  static WrongClickWindow window;
  return window;
}

}  // namespace penalty

namespace {

constexpr int kVenueClassId = 43;

void ShowPuffAtPointer() {
  CCursor* cursor = GetCursor();
  if (!cursor) return;
  int x = 0, y = 0;
  GetPointerPosition(x, y);
  ScreenRect square;
  if (!CursorSquare(kCursorArrow, x, y, GetClientWidth(), square)) return;
  TrailParams params;
  params.count = 30;
  params.lifetime = 0.5f;
  params.spread = 0.1f;
  params.color = 0xFF804040u;
  params.size = 0.03f;
  auto* puff = new CParticleTrail(cursor, params);
  puff->SetScreenRect(ScreenRect::FromCenter(square.Width(), square.Height(), float(x), float(y)));
  puff->SetDepth(GetTopDepth() + 1.0f);
  puff->Stop(GetTime() + 0.25f);
  if (CSoundEffect* sound = cursor->GetBadClickSound()) {
    SoundParams sp;
    sp.volume = 0.6f;
    SetPanFromPointer(sp);
    PlaySound(sound, sp);
  }
}

}  // namespace

void CountWrongClick(int classId) {
  if (classId == kVenueClassId && penalty::SharedWrongClicks().Count(GetTime())) {
    AddTimePenalty(penalty::kPenaltySeconds);
    new CMessageBox("RandomClickPenalty", "GoldFlat2", 0.05f, nullptr, kBoxOk);
  }
  ShowPuffAtPointer();
}

void ResetWrongClicks() {
  penalty::SharedWrongClicks().Reset();
}
