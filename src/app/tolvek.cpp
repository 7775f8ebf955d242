#include "app/tolvek.h"

#include "app/automation_run.h"
#include "app/dialog_services.h"
#include "app/gamma.h"
#include "app/scene_builders.h"
#include "app/shared_device_objects.h"
#include "app/shell.h"
#include "audio/ambient_sounds.h"
#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/frame_timer.h"
#include "core/loading_progress.h"
#include "core/random.h"
#include "core/settings.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "flow/environment.h"
#include "flow/environment_factory.h"
#include "flow/event_pump.h"
#include "flow/loading_screen.h"
#include "flow/portal_link.h"
#include "flow/progress_table.h"
#include "flow/shutter.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "scene/camera.h"
#include "scene/cursor.h"
#include "scene/game_font.h"
#include "scene/game_object.h"
#include "scene/input.h"
#include "ui/click_to_continue.h"
#include "ui/dialog_background.h"

namespace {
constexpr int kVkEscape = 0x1B;
constexpr float kMusicCheckInterval = 5.0f;

// Waits inside the loading screen hand their window events to the application, so the window
// keeps answering and a close request is queued.
void ForwardWaitEvent(const os::Event& event) {
  if (CD3DApplication* app = CD3DApplication::Instance()) app->MsgProc(event);
}

// The first frame's scene; until the menu's builder exists nothing is built and the screen stays
// empty under the cursor.
void CreateMainMenu() {
  BuildEnvironment(TypeId::kMainEnvironment, nullptr);
}
}  // namespace

CTolvek::CTolvek() {
  useDepthBuffer_ = true;
  SeedRandom(uint32_t(os::CalendarTime()));
  SetWindowEventHandler(&ForwardWaitEvent);
  SetFirstStart(true);
  RegisterSceneBuilders();
  InstallDialogServices(true);
}

CTolvek::~CTolvek() {
  InstallDialogServices(false);
  SetWindowEventHandler(nullptr);
}

void CTolvek::SetAutomation(std::unique_ptr<AutomationRun> run) {
  automation_ = std::move(run);
  if (automation_) automation_->InstallClock();
  SetUnattended(automation_ != nullptr);
}

gfx::HRESULT CTolvek::RestoreDeviceObjects() {
  gfx::Device* d = device_;
  SetDevice(d);

  d->SetRenderState(gfx::RS_CULLMODE, gfx::CULL_CCW);
  d->SetRenderState(gfx::RS_ZENABLE, 1);
  d->SetRenderState(gfx::RS_SHADEMODE, gfx::SHADE_GOURAUD);
  d->SetRenderState(gfx::RS_SRCBLEND, gfx::BLEND_SRCALPHA);
  d->SetRenderState(gfx::RS_DESTBLEND, gfx::BLEND_INVSRCALPHA);
  d->SetRenderState(gfx::RS_ALPHAREF, 8);
  d->SetRenderState(gfx::RS_ALPHAFUNC, gfx::CMP_GREATEREQUAL);
  d->SetTextureStageState(0, gfx::TSS_COLOROP, gfx::TOP_MODULATE);
  d->SetTextureStageState(0, gfx::TSS_COLORARG1, gfx::TA_TEXTURE);
  d->SetTextureStageState(0, gfx::TSS_COLORARG2, gfx::TA_DIFFUSE);
  d->SetTextureStageState(0, gfx::TSS_ALPHAOP, gfx::TOP_MODULATE);
  d->SetTextureStageState(0, gfx::TSS_ALPHAARG1, gfx::TA_TEXTURE);
  d->SetTextureStageState(0, gfx::TSS_ALPHAARG2, gfx::TA_DIFFUSE);
  for (int stage = 0; stage < 2; ++stage) {
    d->SetTextureStageState(stage, gfx::TSS_MINFILTER, gfx::TEXF_LINEAR);
    d->SetTextureStageState(stage, gfx::TSS_MAGFILTER, gfx::TEXF_LINEAR);
    d->SetTextureStageState(stage, gfx::TSS_MIPFILTER, gfx::TEXF_LINEAR);
    d->SetTextureStageState(stage, gfx::TSS_ADDRESSU, gfx::TADDRESS_WRAP);
    d->SetTextureStageState(stage, gfx::TSS_ADDRESSV, gfx::TADDRESS_WRAP);
  }

  if (!ApplicationClock()) new FrameTimer();

  if (!audioStarted_) {
    audioStarted_ = true;
    if (InitSound()) {
      StartMusic();
      SetMusicMode(1);
    }
  }
  LoadAmbientSounds();  // reads the volume every time; the table itself only once
  if (!portalRead_) {
    portalRead_ = true;
    LoadPortalDescription();
  }
  if (showLoadingScreenOnRestore_) {
    CreateLoadingScreen();
    showLoadingScreenOnRestore_ = false;
  }
  if (!gameMapOpened_) {
    gameMapOpened_ = true;
    CreatePlayersFolder();
    if (!OpenGameMap()) os::ShowMessageBox("Game Map", "Error opening game map.", os::MsgIcon::Error);
    CreateSceneCamera();
    LoadStringTable("Localization\\US.xml");
    CreateCursor();
    CreateClickToContinueMarker();
    LoadingProgressStep();
  }

  LoadTransitionTable();
  RestoreSharedDeviceObjects(d);
  RestoreAllTextures(d);
  SetClientSize(backBufferWidth_, backBufferHeight_);
  RestoreAllObjects(d);

  d->SetRenderState(gfx::RS_AMBIENT, 0xFFFFFFFF);
  return gfx::S_OK;
}

gfx::HRESULT CTolvek::InvalidateDeviceObjects() {
  InvalidateSharedDeviceObjects();
  InvalidateAllTextures();
  InvalidateAllObjects();
  return gfx::S_OK;
}

gfx::HRESULT CTolvek::DeleteDeviceObjects() {
  InvalidateSharedDeviceObjects();
  InvalidateAllTextures();
  DeleteAllDeviceObjects();
  return gfx::S_OK;
}

gfx::HRESULT CTolvek::FrameMove() {
  float time = appTime_;
  // The music thread times its fades by this copy; it never reads the clock itself.
  PublishMusicTime(time);
  if (!firstFrameDone_) {
    firstFrameDone_ = true;
    float gamma = GetSettingFloat("Window", "Gamma", 1.0f);
    // A hand-edited exponent of 0 or below would paint the screen white; far above, black.
    if (!(gamma > 0.0f && gamma <= 10.0f)) gamma = 1.0f;
    SetGamma(gamma);
    LoadStandardFonts();
    CreateMainMenu();
  }
  if (automation_) automation_->OnFrame(frameIndex_, time);
  ++frameIndex_;

  PollInput();
  CGameObject* hovered = FindHoveredObject();
  SetCursorKind(hovered ? hovered->GetCursorKind() : 1);

  if (nextMusicCheckTime_ <= time) {
    MusicScheduleCheck(time);
    nextMusicCheckTime_ = time + kMusicCheckInterval;
  }

  UpdateAllObjects(time, elapsedTime_);

  if (CurrentPlayerName() && CurrentEnvironmentCountsPlayTime() != 0 && !IsDialogOpen() && !IsClockPaused() &&
      !ShutterTransitionExists())
    AddPlayTime(elapsedTime_);
  return gfx::S_OK;
}

gfx::HRESULT CTolvek::Render() {
  gfx::Device* d = device_;
  if (gfx::Failed(d->BeginScene())) return gfx::S_OK;
  // A texture loaded while the scene is open only counts its progress step; it never draws a frame.
  FrameDrawingScope drawing;
  d->Clear(gfx::Device::CLEAR_ZBUFFER, 0, 1.0f, 0);
  RenderAllObjects(d);
  DrawCursor(d);
  DrawShutter(d);
  UpdateLoadingScreenFade();
  d->EndScene();
  return gfx::S_OK;
}

gfx::HRESULT CTolvek::FinalCleanup() {
  DestroyAllObjects();
  StopMusic();
  ShutdownSound();
  DestroyAllTimers();
  FreeStringTable();
  CloseAllPaks();
  CloseGameMap();
  ShutdownAmbientSounds();
  DestroyAllTextures();
  FreePortalDescription();
  SetSettingFloat("Window", "Gamma", GetGamma());
  FreeTransitionTable();
  if (const char* name = CurrentPlayerName()) SetSettingString("Players", "Recent Player", name);
  ClosePlayer();
  return gfx::S_OK;
}

void CTolvek::UpdateWindowHold() {
  // Only the edges count: a second deactivation must not stack a pause that one activation
  // cannot undo (frames with a stopped clock are skipped, so the game would freeze). A minimised
  // window holds the clock too, so the time spent there never arrives as one long frame.
  bool held = (!focused_ || minimized_) && !unattended_;
  if (held == clockHeldByWindow_) return;
  clockHeldByWindow_ = held;
  if (held)
    PauseClock();
  else
    ResumeClock();
}

intptr_t CTolvek::MsgProc(const os::Event& event) {
  switch (event.type) {
    case os::Event::kClose:
      PostAppMessage(kMsgSaveAndQuit, 0);
      return 0;
    case os::Event::kActivate:
    case os::Event::kDeactivate:
      focused_ = event.type == os::Event::kActivate;
      UpdateWindowHold();
      return 0;
    case os::Event::kMinimize:
    case os::Event::kRestore:
      minimized_ = event.type == os::Event::kMinimize;
      UpdateWindowHold();
      break;
    case os::Event::kKeyDown:
      if (event.key == kVkEscape) {
        if (!event.repeat) OnCommand(kCmdEscape);
        return 0;
      }
      ForwardKeyboardEvent(event);
      return 0;
    case os::Event::kChar:
      ForwardKeyboardEvent(event);
      return 0;
    case os::Event::kAppMessage:
      return OnAppMessage(event.message, event.wparam);
    case os::Event::kResized:
      // The loading screen covers the rebuild at the new size.
      if (active_ && windowed_) showLoadingScreenOnRestore_ = true;
      break;
    default:
      break;
  }
  return CD3DApplication::MsgProc(event);
}

void CTolvek::OnCommand(int id) {
  switch (id) {
    case kCmdEscape:
      if (ShutterTransitionExists()) break;
      if (IsDialogOpen())
        CancelCurrentDialog();
      else
        EscapeCurrentEnvironment();
      break;
    case kCmdToggleFrameMoving:
      frameMoving_ = !frameMoving_;
      if (frameMoving_)
        ResumeClock();
      else
        PauseClock();
      break;
    case kCmdExit:
      PostAppMessage(kMsgSaveAndQuit, 0);
      break;
    default:
      break;  // the remaining accelerators are developer keys without effect
  }
}

intptr_t CTolvek::OnAppMessage(uint32_t message, intptr_t wparam) {
  switch (message) {
    case kMsgSaveAndQuit:
      SaveAndQuit();
      return 0;
    case kMsgQueryResolution:
      return ResolutionChoiceFor(windowed_, backBufferWidth_);
    case kMsgChangeResolution: {
      ClockPauseGuard pause;
      bool before = showLoadingScreenOnRestore_;
      showLoadingScreenOnRestore_ = true;
      gfx::HRESULT hr = ChangeResolution(int(wparam));
      // A refused choice rebuilt nothing, so no loading screen is owed.
      if (hr == gfx::E_FAIL && device_) showLoadingScreenOnRestore_ = before;
      return hr;
    }
    default:
      return 0;
  }
}

void CTolvek::SaveAndQuit() {
  if (quit_) return;
  SetSettingInt("Window", "Resolution", ResolutionChoiceFor(windowed_, backBufferWidth_));
  os::Rect r = CurrentWindowBounds();
  SetSettingInt("Window", "Left", r.left);
  SetSettingInt("Window", "Top", r.top);
  SetSettingInt("Window", "Right", r.right);
  SetSettingInt("Window", "Bottom", r.bottom);
  bool artefactsOk = automation_ ? automation_->AtExit() : true;
  Cleanup3DEnvironment();
  os::host().DestroyWindow();
  window_ = nullptr;
  bool failed = mustExitShown_ || !artefactsOk || (automation_ && automation_->Failed());
  Quit(failed ? 1 : 0);
}

void CTolvek::BeforeFrame() {
  if (automation_) automation_->BeforeFrame();
}

void CTolvek::AfterFrame() {
  if (automation_) automation_->AfterFrame(!lastFrameSkipped_);
}
