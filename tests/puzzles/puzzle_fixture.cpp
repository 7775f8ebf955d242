#include "puzzles/puzzle_fixture.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <tuple>

#include "core/frame_timer.h"
#include "core/random.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "data/xml_document.h"
#include "flow/environment_factory.h"
#include "flow/progress_table.h"
#include "fonts/font_fixture.h"
#include "platform/os/host.h"
#include "player/game_map.h"
#include "player/game_state.h"
#include "scene/game_font.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "scene/sprite.h"
#include "search/inventory_item.h"
#include "search/inventory_saved.h"
#include "support/test_env.h"
#include "ui/button_resources.h"
#include "ui/dialog_host.h"

namespace puzzletest {

namespace {

int64_t g_ticks = 0;
int64_t Ticks() {
  return g_ticks;
}
std::string g_root;

// A 32-bit top-left TGA whose alpha is 255 where opaque(x, y) holds.
std::vector<uint8_t> MaskTga(int w, int h, bool (*opaque)(int x, int y)) {
  std::vector<uint8_t> t(18, 0);
  t[2] = 2;
  t[12] = uint8_t(w), t[13] = uint8_t(w >> 8), t[14] = uint8_t(h), t[15] = uint8_t(h >> 8);
  t[16] = 32;
  t[17] = 0x28;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) t.insert(t.end(), {90, 110, 130, uint8_t(opaque(x, y) ? 255 : 0)});
  return t;
}

// A piece picture of 16 x 16: its core (the middle 4/7) opaque, the tab margins clear.
bool PieceCore(int x, int y) {
  return x >= 4 && x < 12 && y >= 4 && y < 12;
}

bool MakeArchives() {
  if (!g_root.empty()) return true;
  std::vector<pak::MemberSource> database, textures;
  if (!fonttest::AddBakedFonts(database, textures)) return false;
  const std::filesystem::path content = testenv::SourceDir() + "/content/database";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(content)) {
    if (!entry.is_regular_file()) continue;
    std::string name = std::filesystem::relative(entry.path(), content).string();
    std::replace(name.begin(), name.end(), '/', '\\');
    database.push_back(fonttest::FileMember(name, entry.path().string()));
  }
  database.push_back(fonttest::Member("Puzzles\\Bare\\Bare.xml", "<Jigsaw/>"));
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 4; ++c)
      textures.push_back({"Puzzles\\WarehouseJigsaw\\Piece" + std::to_string(r) + std::to_string(c) + ".tga",
                          MaskTga(16, 16, &PieceCore)});
  // A solution picture twice as wide as high: a new item takes this aspect.
  textures.push_back(
      {"Search\\HiddenObjects\\MendedPhoto.tga", MaskTga(16, 8, [](int, int) { return true; })});
  textures.push_back({"Puzzles\\PuzzleButtonBoard.tga", MaskTga(16, 4, [](int, int y) { return y > 0; })});
  // A stone opaque inside a diamond, clear in its corners.
  textures.push_back({"Puzzles\\JewelPuzzle\\Jewel.tga", MaskTga(16, 16, [](int x, int y) {
                        return std::abs(2 * x - 15) + std::abs(2 * y - 15) <= 16;
                      })});
  const std::string dir = testenv::MakeTempDir("puzzles");
  for (auto [name, members] : {std::pair{"Database.pak", &database}, std::pair{"Textures.pak", &textures}}) {
    std::vector<uint8_t> bytes;
    if (!pak::BuildArchive(*members, 7, bytes)) return false;
    if (!os::WriteFileAtomic(os::JoinPath(dir, name), bytes.data(), bytes.size())) return false;
  }
  g_root = dir;
  return true;
}

}  // namespace

std::vector<std::string> ShippedJigsawFiles() {
  std::vector<std::string> out;
  const std::filesystem::path content = testenv::SourceDir() + "/content/database";
  for (const auto& entry : std::filesystem::recursive_directory_iterator(content / "Puzzles")) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file() || name.find("Jigsaw") == std::string::npos) continue;
    std::string member = std::filesystem::relative(entry.path(), content).string();
    std::replace(member.begin(), member.end(), '/', '\\');
    out.push_back(member);
  }
  std::sort(out.begin(), out.end());
  return out;
}

void PuzzleTest::SetUp() {
  if (!MakeArchives()) GTEST_SKIP() << "the build has not baked the fonts";
  os::SetHost(os::CreateHeadlessHost(kW, kH));
  os::SetMessageBoxHook([this](const std::string& caption, const std::string& text, os::MsgIcon) {
    boxes.push_back(caption + ": " + text);
    return int(os::kMsgOk);
  });
  ResetPaksForTest();
  os::SetDataRoot(g_root);
  ResetInput();
  ASSERT_EQ(gfx::CreateNullDevice(kW, kH, &device_), gfx::S_OK);
  SetDevice(device_);
  SetClientSize(kW, kH);
  SetCurrentEnvironment(nullptr);
  CSprite::RestoreStaticDeviceObjects(device_);
  ASSERT_EQ(RestoreButtonResources(device_), 0);
  g_ticks = 0;
  FrameTimer::SetCounterForTests(&Ticks, 1000);
  new FrameTimer();
  ResetEnvironmentBuilders();
  FreeTransitionTable();
  LoadStringTable("Localization\\US.xml");
  ASSERT_TRUE(OpenGameMap());
  SeedRandom(5);
  now_ = 0.0f;
  UpdateAllObjects(0.0f, 0.0f);
  AtStage(1);
}

void PuzzleTest::TearDown() {
  if (!device_) return;
  DestroyAllObjects();
  EXPECT_EQ(CountObjects(), 0);
  DestroyAllTimers();
  FrameTimer::SetCounterForTests(nullptr, 0);
  InvalidateButtonResources();
  CSprite::InvalidateStaticDeviceObjects();
  DestroyAllTextures();
  DestroyAllFonts();
  FreeStringTable();
  CloseGameMap();
  ResetPlayerModuleForTests();
  ResetEnvironmentBuilders();
  ResetInventoryModuleForTests();
  FreeTransitionTable();
  SetDialogHost(nullptr);
  SetDevice(nullptr);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  device_->Release();
  os::SetMessageBoxHook({});
  ResetPaksForTest();
}

void PuzzleTest::Frame(float t, int x, int y, bool down) {
  x_ = x, y_ = y, down_ = down;
  os::InputSnapshot s;
  s.left = down;
  s.x = x, s.y = y;
  s.insideClient = true;
  PollInputFrom(s);
  FindHoveredObject();
  UpdateAllObjects(t, t - now_);
  now_ = t;
}

void PuzzleTest::RunUntil(float t) {
  while (now_ + 0.02f <= t + 1e-4f) Frame(now_ + 0.02f, x_, y_, down_);
}

void PuzzleTest::Click(int x, int y) {
  Frame(now_ + 0.02f, x, y, false);
  Frame(now_ + 0.02f, x, y, true);
  Frame(now_ + 0.02f, x, y, false);
}

void PuzzleTest::Drag(float x0, float y0, float x1, float y1) {
  Frame(now_ + 0.02f, int(std::lround(x0)), int(std::lround(y0)), false);
  Frame(now_ + 0.02f, int(std::lround(x0)), int(std::lround(y0)), true);
  for (int i = 1; i <= 4; ++i) {
    const float f = float(i) / 4;
    Frame(now_ + 0.02f, int(std::lround(x0 + (x1 - x0) * f)), int(std::lround(y0 + (y1 - y0) * f)), true);
  }
  Frame(now_ + 0.02f, int(std::lround(x1)), int(std::lround(y1)), false);
}

void PuzzleTest::ClickCentre(CSprite* sprite) {
  const ScreenRect r = sprite->GetScreenRect();
  Click(int(r.CenterX()), int(r.CenterY()));
}

void PuzzleTest::AtStage(int stage) {
  if (!CurrentGameState()) {
    CreatePlayersFolder();
    ASSERT_NE(SelectPlayer("PuzzleTester"), nullptr);
  }
  ResetPlayer();
  SetStage(stage);
}

void PuzzleTest::SaveStrip(const std::vector<std::tuple<int, std::string, int>>& items) {
  XmlNode root = kNoNode;
  XmlDocument* doc = ProfileDocument(&root);
  ASSERT_TRUE(doc);
  std::vector<inventory::SavedItem> saved;
  int slot = 0;
  for (const auto& [cls, picture, count] : items)
    saved.push_back({slot++, cls, picture, picture + "s", picture, count, 0});
  inventory::WriteSavedItems(*doc, root, saved);
  doc->ReleaseNode(root);
}

}  // namespace puzzletest
