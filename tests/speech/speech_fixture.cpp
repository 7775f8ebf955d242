#include "speech/speech_fixture.h"

#include <map>

#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/string_table.h"
#include "data/texture_cache.h"
#include "platform/os/host.h"
#include "scene/input.h"
#include "scene/scene_context.h"
#include "support/test_env.h"
#include "ui/speech_balloon.h"

namespace speechtest {
namespace {

std::map<std::string, std::string>& Conversations() {
  static std::map<std::string, std::string> members;
  return members;
}

const char* kStrings = R"(<?xml version="1.0" encoding="Windows-1252"?>
<Strings>
  <One Value="One line"><Line Value="One line"/></One>
  <Two Value="Two lines here"><Line Value="Two lines"/><Line Value="here"/></Two>
  <Three Value="Three"><Line Value="Three"/></Three>
  <Four Value="Four"><Line Value="Four"/></Four>
</Strings>
)";

pak::MemberSource Text(const std::string& name, const std::string& text) {
  return {name, std::vector<uint8_t>(text.begin(), text.end())};
}

}  // namespace

void RegisterConversation(const std::string& name, const std::string& xml) {
  Conversations()[name] = xml;
}

void SpeechTest::SetUp() {
  std::vector<pak::MemberSource> members{Text("Localization\\US.xml", kStrings)};
  for (const auto& [name, xml] : Conversations())
    members.push_back(Text("GUI\\Characters\\" + name + ".xml", xml));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(pak::BuildArchive(members, 11, bytes));
  const std::string root = testenv::MakeTempDir("speech");
  ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(root, "Database.pak"), bytes.data(), bytes.size()));
  // A small balloon picture, so balloons draw on the null device.
  std::vector<uint8_t> tga(18, 0);
  tga[2] = 2, tga[12] = 8, tga[14] = 8, tga[16] = 32, tga[17] = 0x28;
  tga.resize(18 + 8 * 8 * 4, 0xFF);
  ASSERT_TRUE(pak::BuildArchive({{"GUI\\Characters\\SpeechBalloon.tga", tga}}, 12, bytes));
  ASSERT_TRUE(os::WriteFileAtomic(os::JoinPath(root, "Textures.pak"), bytes.data(), bytes.size()));
  ResetPaksForTest();
  os::SetDataRoot(root);
  LoadStringTable("Localization\\US.xml");
  ASSERT_TRUE(StringTableLoaded());

  gfx::CreateNullDevice(kClientW, kClientH, &device_);
  SetClientSize(kClientW, kClientH);
  SetDevice(device_);
  ASSERT_EQ(CSprite::RestoreStaticDeviceObjects(device_), 0);
  RestoreSpeechBalloonResources(device_);
  ResetInput();
  UpdateAllObjects(0.0f, 0.0f);
  last_ = 0;
  env_ = new CSprite(ScreenRect(0, 0, kClientW, kClientH), 0.0f, nullptr, nullptr);
  SetCurrentEnvironment(env_);
}

void SpeechTest::TearDown() {
  SetCurrentEnvironment(nullptr);
  DestroyAllObjects();
  EXPECT_EQ(CountObjects(), 0);
  EXPECT_TRUE(AllSpeechBalloons().empty());
  InvalidateSpeechBalloonResources();
  CSprite::InvalidateStaticDeviceObjects();
  DestroyAllTextures();
  FreeStringTable();
  ResetInput();
  SetDevice(nullptr);
  EXPECT_EQ(device_->LiveResourceCount(), 0);
  device_->Release();
}

void SpeechTest::Frame(float t, bool down, int x, int y) {
  os::InputSnapshot s;
  s.left = down;
  s.x = x;
  s.y = y;
  s.insideClient = true;
  PollInputFrom(s);
  FindHoveredObject();
  UpdateAllObjects(t, t - last_);
  RenderAllObjects(device_);
  last_ = t;
}

void SpeechTest::Click(float t, int x, int y) {
  Frame(t, true, x, y);
  Frame(t + 0.02f, false, x, y);
}

void SpeechTest::RunUntil(float t) {
  while (last_ + 0.02f <= t + 1e-4f) Frame(last_ + 0.02f);
}

int CountOfType(int typeId) {
  int n = 0;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) n += o->GetTypeId() == typeId;
  return n;
}

CGameObject* FindOfType(int typeId) {
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) {
    if (o->GetTypeId() == typeId) return o;
  }
  return nullptr;
}

}  // namespace speechtest
