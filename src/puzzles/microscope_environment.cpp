#include "puzzles/microscope_environment.h"

#include <algorithm>
#include <cstdio>

#include "audio/sound_effects.h"
#include "core/random.h"
#include "core/tree_dump_fields.h"
#include "effects/particle_trail.h"
#include "effects/starburst.h"
#include "player/game_state.h"
#include "puzzles/focus_ring.h"
#include "puzzles/microscope_image.h"
#include "puzzles/puzzle_checkbox.h"
#include "puzzles/puzzle_drag.h"
#include "puzzles/puzzle_rules.h"
#include "scene/sound_pan.h"
#include "ui/dialog_layouts.h"
#include "ui/jorvane_corner.h"
#include "ui/message_box.h"

using namespace puzzle;

namespace {

constexpr uint32_t kMicroscopeOptions = 109;
constexpr const char* kBackground = "Puzzles\\Microscope\\Background.jpg";
constexpr float kImageDepth = 0.1f, kRingDepth = 0.2f, kFlightDepth = 0.3f;
constexpr float kHelpWidth = 0.6f, kHelpAspect = 1.66f;  // of the client width
constexpr float kDialogLineHeight = 0.05f;

void PlayAt(const char* sound, CSprite* where) {
  SoundParams params;
  if (where) SetPanFromObject(params, where);
  PlaySound(GetSoundEffect(sound), params);
}

ScreenRect Between(const ScreenRect& a, const ScreenRect& b, float t) {
  auto mix = [t](float x, float y) { return x + t * (y - x); };
  return ScreenRect(mix(a.left, b.left), mix(a.top, b.top), mix(a.right, b.right), mix(a.bottom, b.bottom));
}

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* m = dynamic_cast<CMicroscopeEnvironment*>(object);
  if (!m) return;
  const microscope::Game& g = m->Game();
  char text[160];
  std::snprintf(text, sizeof text, "%s | solved %d | matches %d | changing %d | view %s | walked %d",
                g.GetVariant() == microscope::Variant::Print ? "print" : "fibre", m->IsSolved() ? 1 : 0,
                g.Matches(), g.Changing(GetTime()) ? 1 : 0, g.ViewPicture().c_str(),
                microscope::SharedSampleOrder().Position());
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

}  // namespace

CEnvironment* BuildMicroscope(const char* argument) {
  return new CMicroscopeEnvironment(microscope::VariantFromArgument(argument));
}

CMicroscopeEnvironment::CMicroscopeEnvironment(microscope::Variant variant)
    : CPuzzleEnvironment(kMicroscopeOptions, kBackground),
      game_(variant, microscope::SharedSampleOrder(), GameRandom()),
      layout_(microscope::ComputeLayout(GetScreenRect())) {
  const float depth = GetDepth();
  CreateWeakRef(new CMicroscopeImage(this, layout_.view, depth + kImageDepth, game_.ViewPicture(),
                                     CMicroscopeImage::kSwimming),
                &view_);
  CreateWeakRef(new CFocusRing(this, layout_.ring, depth + kRingDepth), &ring_);
  for (int k = 0; k < microscope::kSamples; ++k) {
    auto* candidate = new CMicroscopeImage(this, layout_.candidates[size_t(k)], depth + kImageDepth,
                                           microscope::SampleName(variant, k),
                                           CMicroscopeImage::kClickable | CMicroscopeImage::kFramed);
    CreateWeakRef(candidate, &candidates_[size_t(k)]);
  }
  for (int i = 0; i < microscope::kMatchesToSolve; ++i)
    CreateWeakRef(new CPuzzleCheckbox(layout_.boxes[size_t(i)], depth + kImageDepth, this),
                  &boxes_[size_t(i)]);
  if (CMicroscopeImage* view = GetView()) view->SetAngle(microscope::ViewAngle(0.0f, game_.Offset()));
}

CMicroscopeEnvironment::~CMicroscopeEnvironment() {
  delete view_;
  delete ring_;
  for (CXRef*& ref : candidates_) delete ref;
  for (CXRef*& ref : boxes_) delete ref;
  for (Flight& f : flights_) delete f.copy;
}

CMicroscopeImage* CMicroscopeEnvironment::GetView() const {
  return static_cast<CMicroscopeImage*>(WeakTarget(view_));
}

CFocusRing* CMicroscopeEnvironment::GetRing() const {
  return static_cast<CFocusRing*>(WeakTarget(ring_));
}

CMicroscopeImage* CMicroscopeEnvironment::GetCandidate(int k) const {
  if (k < 0 || k >= microscope::kSamples) return nullptr;
  return static_cast<CMicroscopeImage*>(WeakTarget(candidates_[size_t(k)]));
}

CPuzzleCheckbox* CMicroscopeEnvironment::GetBox(int i) const {
  if (i < 0 || i >= microscope::kMatchesToSolve) return nullptr;
  return static_cast<CPuzzleCheckbox*>(WeakTarget(boxes_[size_t(i)]));
}

bool CMicroscopeEnvironment::IsFlying(int box) const {
  return box >= 0 && box < microscope::kMatchesToSolve && flights_[size_t(box)].start >= 0;
}

void CMicroscopeEnvironment::Update() {
  CPuzzleEnvironment::Update();
  const float now = GetTime();
  CMicroscopeImage* view = GetView();
  if (game_.Step(now) && view) view->SetPicture(game_.ViewPicture());
  if (view) {
    CFocusRing* ring = GetRing();
    view->SetAngle(microscope::ViewAngle(ring ? ring->GetAngle() : 0.0f, game_.Offset()));
    view->SetBrightness(game_.Brightness(now));
  }
  for (int i = 0; i < microscope::kMatchesToSolve; ++i) FlightStep(i);
}

void CMicroscopeEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdArrived:
      ArriveWithHelp(microscope::Info(game_.GetVariant()).enteredFlag);
      break;
    case CMicroscopeImage::kCmdPicked:
      Pick(dynamic_cast<CMicroscopeImage*>(sender));
      break;
    case kCmdSolvedDialogClosed:
      if (IsSolved()) ReturnToVenue(0.0f);
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CMicroscopeEnvironment::ShowHelp() {
  // The picture is given by its width; the balloon takes its height as a share of the client's.
  const ScreenRect r = GetScreenRect();
  const float height = r.Height() > 0 ? kHelpWidth * r.Width() / (kHelpAspect * r.Height()) : kHelpWidth;
  SpeakPictureAsJorvane(microscope::Info(game_.GetVariant()).helpPicture, height, kHelpAspect);
}

void CMicroscopeEnvironment::Pick(CMicroscopeImage* candidate) {
  if (!candidate || !candidate->IsClickable() || !AcceptsInput()) return;
  const microscope::ClickResult result = game_.Click(candidate->Picture(), GetTime());
  switch (result.kind) {
    case microscope::ClickKind::Ignored:
      return;
    case microscope::ClickKind::NotAMatch:
      Say("NotAMatch");
      return;
    case microscope::ClickKind::Match:
      StartFlight(candidate, result.box);
      if (result.solved) Solved();
      return;
  }
}

void CMicroscopeEnvironment::StartFlight(CMicroscopeImage* candidate, int box) {
  if (box < 0 || box >= microscope::kMatchesToSolve) return;
  Flight& f = flights_[size_t(box)];
  delete f.copy;
  f.copy = nullptr;
  auto* copy = new CMicroscopeImage(this, candidate->GetScreenRect(), GetDepth() + kFlightDepth,
                                    candidate->Picture(), CMicroscopeImage::kFramed);
  CreateWeakRef(copy, &f.copy);
  f.start = GetTime();
  f.from = candidate->GetScreenRect();
  TrailParams trail;
  trail.count = 30;
  trail.lifetime = 0.75f;
  trail.spread = 0.3f;
  trail.color = 0xFFE0E0FFu;
  trail.size = 0.06f;
  new CParticleTrail(copy, trail);
  PlayAt("PuzzleMatch.wav", candidate);
}

void CMicroscopeEnvironment::FlightStep(int box) {
  Flight& f = flights_[size_t(box)];
  if (f.start < 0) return;
  const float t = std::clamp((GetTime() - f.start) / microscope::kFlightTime, 0.0f, 1.0f);
  if (auto* copy = static_cast<CMicroscopeImage*>(WeakTarget(f.copy)))
    copy->SetScreenRect(Between(f.from, layout_.boxes[size_t(box)], t));
  if (t >= 1) Land(box);
}

void CMicroscopeEnvironment::Land(int box) {
  Flight& f = flights_[size_t(box)];
  f.start = -1;
  CPuzzleCheckbox* checkbox = GetBox(box);
  if (checkbox) {
    checkbox->Tick();
    new CStarburst(checkbox, this);
  }
  PlayAt("Thump.wav", checkbox);
  delete static_cast<CMicroscopeImage*>(WeakTarget(f.copy));
}

void CMicroscopeEnvironment::SolveNow() {
  if (IsSolved()) return;
  puzzle::EndDrag();
  game_.SolveNow();
  for (int i = 0; i < microscope::kMatchesToSolve; ++i) {
    if (CPuzzleCheckbox* box = GetBox(i); box && !IsFlying(i)) box->Tick();
  }
  Solved();
}

void CMicroscopeEnvironment::Solved() {
  if (!MarkSolved()) return;
  const microscope::VariantInfo& info = microscope::Info(game_.GetVariant());
  SetFlag(info.solvedFlag);
  RemoveSavedInventoryItem(info.itemClass);
  for (CXRef* ref : candidates_) {
    if (auto* c = static_cast<CMicroscopeImage*>(WeakTarget(ref))) c->SetClickable(false);
  }
  auto* box = new CMessageBox(info.solvedDialog, "GoldFlat2", kDialogLineHeight, this, kBoxClickAnywhere);
  box->SetId(kCmdSolvedDialogClosed);
}
