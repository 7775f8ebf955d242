#include "puzzles/player_piano_environment.h"

#include <algorithm>
#include <cstdio>

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/random.h"
#include "core/tree_dump_fields.h"
#include "effects/starburst.h"
#include "flow/shutter.h"
#include "platform/os/host.h"
#include "player/game_state.h"
#include "puzzles/lyric_line.h"
#include "puzzles/piano_progress.h"
#include "puzzles/puzzle_rules.h"
#include "scene/input.h"
#include "scene/text_sprite.h"
#include "search/search_patch.h"
#include "ui/dialog_background.h"
#include "ui/jorvane_corner.h"
#include "ui/slider.h"
#include "ui/speech_balloon.h"

using namespace puzzle;

namespace {

constexpr uint32_t kPianoOptions = 125;
constexpr int kSolvedFlag = 19;
constexpr int kCmdVolume = 1218;
constexpr int kCmdSongOver = 1333;
constexpr int kCmdStartSong = 1362;
constexpr float kMusicFade = 0.5f;
constexpr const char* kSongFile = "Puzzles\\PlayerPiano\\Cellar Key1.xml";
constexpr const char* kBackground = "Puzzles\\PlayerPiano\\Background.jpg";
constexpr const char* kKeysPicture = "Puzzles\\PlayerPiano\\BackgroundPatch.jpg";
constexpr const char* kHelpPicture = "Puzzles\\PlayerPiano\\Help.jpg";
constexpr const char* kExitVenue = "Hotel_PlayerPianoSearch.xml";
constexpr float kHelpHeight = 0.7f, kHelpAspect = 1.6f;
constexpr float kKeyPeriod = 0.5f, kKeyVariance = 0.8f;

const ScreenRect kLyricBoard(0, 422, 1023, 452);
const ScreenRect kRollWindow(427, 232, 584, 314);
const ScreenRect kKeys[] = {{79, 476, 169, 540},  {178, 491, 278, 562}, {278, 505, 371, 581},
                            {383, 522, 464, 598}, {470, 535, 537, 614}, {562, 546, 618, 630},
                            {636, 561, 688, 645}, {740, 570, 776, 664}, {805, 573, 841, 679}};

void FillDumpFields(CGameObject* object, TreeDumpFields& f) {
  auto* p = dynamic_cast<CPlayerPianoEnvironment*>(object);
  if (!p) return;
  char text[160];
  std::snprintf(text, sizeof text,
                "solved %d | won %d | playing %d | score %.3f / %.3f | line %d | start %.3f",
                p->IsSolved() ? 1 : 0, p->IsWon() ? 1 : 0, p->IsPlaying() ? 1 : 0, p->GetScore(),
                p->GetTarget(), p->GetCurrentLine(), GetPianoStartTime());
  f.hasText = true;
  f.text = text;
}
TreeDumpRegistration g_dump(&FillDumpFields);

std::vector<piano::LyricClock::Span> Spans(const piano::Song& song) {
  std::vector<piano::LyricClock::Span> spans;
  for (const piano::SongLine& l : song.lines) spans.push_back({l.start, l.end});
  return spans;
}

}  // namespace

CEnvironment* BuildPlayerPiano(const char*) {
  std::string why;
  const std::optional<piano::Song> song = piano::LoadSong(kSongFile, &why);
  if (!song) {
    os::ShowMessageBox("Failed to open player piano song", (std::string(kSongFile) + ": " + why).c_str(),
                       os::MsgIcon::Error);
    return nullptr;
  }
  return new CPlayerPianoEnvironment(*song);
}

CPlayerPianoEnvironment::CPlayerPianoEnvironment(const piano::Song& song)
    : CPuzzleEnvironment(kPianoOptions, kBackground), song_(song), clock_(Spans(song)) {
  const ScreenRect area = GetScreenRect();
  BuildLines(FromReference(kLyricBoard, area));
  CreateWeakRef(new CPianoRoll(this, FromReference(kRollWindow, area), GetDepth() + 0.01f), &roll_);
  BuildControls();
}

CPlayerPianoEnvironment::~CPlayerPianoEnvironment() {
  for (CXRef*& ref : lines_) delete ref;
  for (CXRef*& ref : keys_) delete ref;
  delete progress_;
  delete roll_;
  delete slider_;
  delete label_;
}

void CPlayerPianoEnvironment::BuildLines(const ScreenRect& board) {
  // Slots first: weak references write into them, so they must never move.
  lines_.assign(song_.lines.size(), nullptr);
  for (size_t i = 0; i < song_.lines.size(); ++i)
    CreateWeakRef(new CLyricLine(this, song_.lines[i], board, GetDepth() + 0.02f), &lines_[i]);
}

void CPlayerPianoEnvironment::ChooseStretches() {
  // Drawn when the song first starts, not when the scene is built: nobody sees a stretch before
  // its line is sung, and a test that seeds the generator just before starting the song gets
  // the same stretches every run. They stay for every attempt of this visit.
  if (stretchesChosen_) return;
  stretchesChosen_ = true;
  float sum = 0;
  for (size_t i = 0; i < lines_.size(); ++i) {
    CLyricLine* line = GetLine(int(i));
    if (!line) continue;
    line->ChooseStretch(piano::CanHaveHotStretch(line->Line()) ? RandomValue() : 0);
    sum += line->Stretch().duration;
  }
  target_ = sum * piano::kTargetShare;
}

void CPlayerPianoEnvironment::BuildControls() {
  const ScreenRect area = GetScreenRect();
  const float h = area.Height();
  auto* slider = new CSlider(kCmdVolume, this);
  const float sh = 0.05f * h;
  slider->SetScreenRect(
      ScreenRect::FromCenter(sh * slider->GetNaturalAspect(), sh, area.CenterX(), area.top + 0.15f * h));
  slider->SetValue(GetMusicVolume());
  CreateWeakRef(slider, &slider_);

  auto* label = new CTextSpriteLocalize("MusicVolume", "VictorianLET");
  label->Attach(this, 0);
  const float lh = 0.0375f * h;
  label->SetScreenRect(
      ScreenRect::FromCenter(lh * label->GetNaturalAspect(), lh, area.CenterX(), area.top + 0.1f * h));
  label->SetColor(0xFFFFEA80);
  label->SetDepth(GetDepth() + 0.05f);
  CreateWeakRef(label, &label_);

  // The tube hangs below the lead character's portrait in the top-right corner.
  const float barH = 0.7f * h, barW = 0.274f * h;
  float cornerBottom = area.top, cornerDepth = GetDepth();
  if (CJorvaneCorner* corner = GetCorner()) {
    cornerBottom = corner->GetScreenRect().bottom;
    cornerDepth = corner->GetDepth();
  }
  const ScreenRect bar =
      ScreenRect::FromCenter(barW, barH, area.right - 0.33f * barW, cornerBottom + 0.45f * barH);
  CreateWeakRef(new CPlayerPianoProgress(this, bar, cornerDepth + 0.1f), &progress_);
}

CLyricLine* CPlayerPianoEnvironment::GetLine(int index) const {
  if (index < 0 || size_t(index) >= lines_.size()) return nullptr;
  return static_cast<CLyricLine*>(WeakTarget(lines_[size_t(index)]));
}

CPlayerPianoProgress* CPlayerPianoEnvironment::GetProgress() const {
  return static_cast<CPlayerPianoProgress*>(WeakTarget(progress_));
}

CPianoRoll* CPlayerPianoEnvironment::GetRoll() const {
  return static_cast<CPianoRoll*>(WeakTarget(roll_));
}

CSlider* CPlayerPianoEnvironment::GetSlider() const {
  return static_cast<CSlider*>(WeakTarget(slider_));
}

void CPlayerPianoEnvironment::SetKeysFlicker(bool on) {
  // The keys join with the song: each draws its next change at random, and drawing nothing before
  // the song starts keeps the stretches a test seeds for the same on every run.
  if (on && keys_.empty()) {
    keys_.assign(std::size(kKeys), nullptr);
    for (size_t i = 0; i < keys_.size(); ++i)
      CreateWeakRef(new CSearchPatch(this, kKeys[i], kKeysPicture, kKeyPeriod, kKeyVariance), &keys_[i]);
  }
  keysOn_ = on;
  for (CXRef* ref : keys_)
    if (auto* key = static_cast<CSearchPatch*>(WeakTarget(ref))) key->SetVisible(on);
}

void CPlayerPianoEnvironment::StartSong() {
  if (won_) return;
  SetPianoStartTime(0.0f);
  SetMusicMode(kMoodPiano, kMusicFade);
  // Without a track to play nobody else stamps the start: the lyrics run on the game clock.
  if (!MusicMoodHasTracks(kMoodPiano)) SetPianoStartTime(std::max(GetTime(), 1e-6f));
  ChooseStretches();
  clock_.Restart();
  current_ = -1;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (CLyricLine* line = GetLine(int(i))) line->Silence();
  lyricMode_ = 2;
  score_ = 0;
  playing_ = true;
  if (CPlayerPianoProgress* bar = GetProgress()) bar->SetRatio(0);
  SetKeysFlicker(true);
  if (CPianoRoll* roll = GetRoll()) roll->SetTurning(true);
}

void CPlayerPianoEnvironment::Update() {
  CPuzzleEnvironment::Update();
  if (lyricMode_ != 2) return;
  const float start = GetPianoStartTime();
  if (start <= 0) return;
  const float t = GetTime() - start;
  const piano::LyricClock::Step step = clock_.Advance(t);
  if (step.current != current_) {
    if (CLyricLine* old = GetLine(current_)) old->Silence();
    current_ = step.current;
  }
  CLyricLine* line = GetLine(current_);
  if (line) line->Sing(t, song_.beat);
  // Scoring only while a line is sung; the end of the song stops it.
  if (playing_ && line && !clock_.Over()) Score(line);
  if (step.songOver) {
    lyricMode_ = 0;
    OnNotify(this, kCmdSongOver);
  }
}

void CPlayerPianoEnvironment::Score(CLyricLine* line) {
  const bool onTarget = line->BallOnTarget();
  const bool pointerOn = line->PointerOnStretch();
  score_ = piano::ScoreStep(score_, target_, GetElapsed(), onTarget, pointerOn, IsLeftButtonDown());
  if (CPlayerPianoProgress* bar = GetProgress()) bar->SetRatio(piano::FillRatio(score_, target_));
  if (score_ < target_ || won_) return;
  won_ = true;
  playing_ = false;  // the song plays on to its end
  if (CPlayerPianoProgress* bar = GetProgress()) new CStarburst(bar, this);
  PlaySound(GetSoundEffect("PuzzleMatch.wav"), SoundParams());
}

void CPlayerPianoEnvironment::SongOver() {
  playing_ = false;
  SetKeysFlicker(false);
  if (CPianoRoll* roll = GetRoll()) roll->SetTurning(false);
  if (won_)
    Solve();
  else
    Say("PlayerPianoTryAgain", kCmdStartSong);
}

void CPlayerPianoEnvironment::OnNotify(CGameObject* sender, int code) {
  switch (code) {
    case kCmdVolume:
      if (CSlider* slider = GetSlider()) SetMusicVolume(slider->GetValue());
      break;
    case kCodeMenuDismissed:
      if (CSlider* slider = GetSlider()) slider->SetValue(GetMusicVolume());
      break;
    case kCmdArrived:
      if (CSpeechBalloon* help = SpeakPictureAsJorvane(kHelpPicture, kHelpHeight, kHelpAspect))
        help->SetNotifyTarget(this, kCmdStartSong);
      else
        StartSong();  // nobody to show the picture: the song starts at once
      break;
    case kCmdReset:
      if (AcceptsInput()) StartSong();
      break;
    case kCmdStartSong:
      // A balloon closing while the song already runs (Reset came first) does not start it again.
      if (AcceptsInput() && lyricMode_ != 2) StartSong();
      break;
    case kCmdSongOver:
      SongOver();
      break;
    default:
      CPuzzleEnvironment::OnNotify(sender, code);
      break;
  }
}

void CPlayerPianoEnvironment::ShowHelp() {
  SpeakPictureAsJorvane(kHelpPicture, kHelpHeight, kHelpAspect);
}

void CPlayerPianoEnvironment::SolveNow() {
  Solve();
}

void CPlayerPianoEnvironment::Solve() {
  if (!MarkSolved()) return;
  playing_ = false;
  lyricMode_ = 0;
  SetFlag(kSolvedFlag);
  StartTransition(TypeId::kSearchEnvironment, kExitVenue);
}
