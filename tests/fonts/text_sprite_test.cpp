// Fonts shared by name, text sprites with their own vertex buffers, localized text and containers,
// drawn through the recording device.
#include "scene/text_sprite.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/tree_dump.h"
#include "data/string_table.h"
#include "fonts/font_fixture.h"
#include "platform/gfx/null_device.h"
#include "platform/os/host.h"
#include "scene/game_font.h"
#include "scene/text_container.h"

namespace {

using fonttest::FontXml;
using fonttest::Member;

// "Plain": glyphs for A (0.1 wide), B (0.2 wide), all 0.2 high, aspect 1.
std::vector<pak::MemberSource> PlainFont() {
  return {
      Member("Fonts\\Plain.xml", FontXml(1.0f, {{'A', {0, 0, 0.1f, 0.2f}}, {'B', {0.1f, 0, 0.3f, 0.2f}}})),
      Member("Localization\\US.xml",
             "<Strings><Back Value=\"Go back\"/><Empty/><Three><L Value=\"A\"/><L Value=\"BBB\"/>"
             "<L Value=\"AB\"/></Three></Strings>")};
}

class TextSpriteTest : public fonttest::SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    fonttest::UseArchives(PlainFont(), {});
    ASSERT_TRUE(gfx::Succeeded(gfx::CreateNullDevice(1024, 768, &dev)));
    rec = gfx::NullDevice::From(dev);
  }
  void TearDown() override {
    SceneTest::TearDown();
    if (dev) {
      EXPECT_EQ(dev->LiveResourceCount(), 0) << "text buffers leaked";
      dev->Release();
    }
  }
  void UseDevice() {
    SetDevice(dev);
    SetClientSize(1024, 768);
  }

  gfx::Device* dev = nullptr;
  gfx::NullDevice* rec = nullptr;
};

TEST_F(TextSpriteTest, FontsAreSharedByNameWithoutRegardToCase) {
  CGameFont* a = GetFont("Plain");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(GetFont("pLAIN"), a);
  EXPECT_EQ(LoadedFonts().size(), 1u);
  EXPECT_EQ(a->GetTypeId(), 15);
  EXPECT_FLOAT_EQ(a->GetLineHeight(), 0.2f);
  EXPECT_EQ(GetFont("Missing"), nullptr);
  EXPECT_EQ(GetFont(nullptr), nullptr);
  delete a;  // leaves the list
  EXPECT_TRUE(LoadedFonts().empty());
}

TEST_F(TextSpriteTest, TextNumberAndCopyOut) {
  auto* t = new CTextSprite("AB", "plain");
  EXPECT_EQ(t->GetTypeId(), 58);
  EXPECT_FLOAT_EQ(t->GetDepth(), 20.0f);
  EXPECT_EQ(t->GetVertexCount(), 8);
  EXPECT_NEAR(t->GetNaturalAspect(), 0.3f / 0.2f, 1e-5);

  char buf[3];
  t->GetText(buf, sizeof buf);
  EXPECT_STREQ(buf, "AB");
  char small[2] = {'x', 'x'};
  t->GetText(small, sizeof small);  // does not fit with its terminator
  EXPECT_STREQ(small, "");

  // A null font name keeps the font; the layout follows the new text.
  t->SetText("A", nullptr);
  EXPECT_EQ(t->GetTextFont(), GetFont("Plain"));
  EXPECT_NEAR(t->GetNaturalAspect(), 0.5f, 1e-5);
  t->SetNumber(-42, nullptr);
  EXPECT_EQ(t->GetText(), "-42");
  EXPECT_EQ(t->GetVertexCount(), 12);

  auto* n = new CTextSprite(7, "Plain");
  EXPECT_EQ(n->GetText(), "7");

  // Without a font nothing is laid out: natural aspect 0, nothing to draw.
  auto* none = new CTextSprite("AB", "Missing");
  EXPECT_EQ(none->GetTextFont(), nullptr);
  EXPECT_EQ(none->GetNaturalAspect(), 0.0f);
}

TEST_F(TextSpriteTest, DrawsOneStripWithItsOwnBufferRebuiltAfterReset) {
  UseDevice();
  auto* t = new CTextSprite("ABA", "Plain");
  ASSERT_NE(t->GetVertexBuffer(), nullptr);
  t->SetScreenRect(ScreenRect(100, 100, 400, 200));
  t->SetColor(0xFF336699);

  rec->ClearRecords();
  t->Render(dev);
  ASSERT_EQ(rec->Draws().size(), 1u);
  const gfx::NullDraw& d = rec->Draws()[0];
  EXPECT_EQ(d.type, gfx::PT_TRIANGLESTRIP);
  EXPECT_EQ(d.primitiveCount, 10u);  // 4n - 2
  EXPECT_EQ(d.fvf, gfx::FVF_POS_UV);
  EXPECT_EQ(d.Rs(gfx::RS_ALPHABLENDENABLE), 1u);
  EXPECT_EQ(d.Rs(gfx::RS_SRCBLEND), gfx::BLEND_SRCALPHA);
  EXPECT_EQ(d.Rs(gfx::RS_ZENABLE), 0u);
  EXPECT_NEAR(d.material.emissive.b, 0x99 / 255.0f, 1e-5);  // the tint
  EXPECT_NEAR(d.Vertex<gfx::VertexPosUv>(11).x, 1.0f, 1e-6);

  // A device reset drops the buffer; the kept vertices rebuild it on restore.
  InvalidateAllObjects();
  EXPECT_EQ(t->GetVertexBuffer(), nullptr);
  rec->ClearRecords();
  t->Render(dev);
  EXPECT_TRUE(rec->Draws().empty());
  RestoreAllObjects(dev);
  ASSERT_NE(t->GetVertexBuffer(), nullptr);
  t->Render(dev);
  ASSERT_EQ(rec->Draws().size(), 1u);
  EXPECT_EQ(rec->Draws()[0].primitiveCount, 10u);

  // Nothing for an empty string, a hidden sprite or a missing font.
  t->SetText("", nullptr);
  auto* hidden = new CTextSprite("AB", "Plain");
  hidden->SetVisible(false);
  auto* fontless = new CTextSprite("AB", "Missing");
  rec->ClearRecords();
  t->Render(dev);
  hidden->Render(dev);
  fontless->Render(dev);
  EXPECT_TRUE(rec->Draws().empty());
}

TEST_F(TextSpriteTest, BufferFailureIsReportedWithItsCaption) {
  UseDevice();
  std::vector<std::string> boxes;
  os::SetMessageBoxHook([&](const std::string& caption, const std::string& text, os::MsgIcon) {
    boxes.push_back(caption + ": " + text);
    return os::kMsgOk;
  });
  rec->FailNextCreations(gfx::NullDevice::ResourceKind::kVertexBuffer, 1);
  auto* t = new CTextSprite("AB", "Plain");
  os::SetMessageBoxHook(nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "CTextSprite::RestoreDeviceObjects(): Failed to create text vertex buffer");
  EXPECT_EQ(t->GetVertexBuffer(), nullptr);
  // The sprite goes on and gets its buffer on the next restore.
  RestoreAllObjects(dev);
  EXPECT_NE(t->GetVertexBuffer(), nullptr);
}

TEST_F(TextSpriteTest, LocalizedTextAndTheTreeDump) {
  LoadStringTable("Localization\\US.xml");
  auto* t = new CTextSpriteLocalize("back", "Plain");
  EXPECT_EQ(t->GetText(), "Go back");
  EXPECT_FLOAT_EQ(t->GetDepth(), 20.0f);
  auto* missing = new CTextSpriteLocalize("NoSuchKey", "Plain");
  EXPECT_EQ(missing->GetText(), "NoSuchKey");
  auto* noValue = new CTextSpriteLocalize("Empty", "Plain");
  EXPECT_EQ(noValue->GetText(), "Empty");  // an entry without a text shows its key

  const std::string dump = DumpTreeJson();
  EXPECT_NE(dump.find("\"Go back\""), std::string::npos) << dump;
}

// Lines: "A" (aspect 0.5), "BBB" (3.0), "AB" (1.5).
void ExpectThreeLineBlock(CTextContainer* c) {
  ASSERT_EQ(c->GetLineCount(), 3);
  EXPECT_NEAR(c->GetNaturalAspect(), 3.0f / 3.0f, 1e-5);
  c->SetScreenRect(ScreenRect(200, 100, 500, 400));  // 300 x 300: the block's own aspect
  for (int i = 0; i < 3; ++i) {
    CTextSprite* line = c->GetLine(i);
    ASSERT_NE(line, nullptr);
    ScreenRect r = line->GetScreenRect();
    EXPECT_NEAR(r.CenterX(), 350.0f, 1e-3) << "line " << i;
    EXPECT_NEAR(r.CenterY(), 100.0f + 300.0f * (float(i) + 0.5f) / 3.0f, 1e-3) << "line " << i;
    EXPECT_NEAR(r.Height(), 100.0f, 1e-3);
    EXPECT_NEAR(r.Width(), line->GetNaturalAspect() * 100.0f, 1e-3);
  }
  EXPECT_NEAR(c->GetLine(1)->GetScreenRect().Width(), 300.0f, 1e-3);  // the longest fills the width
  // Lines follow the container when it moves and grows.
  c->SetScreenRect(ScreenRect(0, 0, 600, 600));
  EXPECT_NEAR(c->GetLine(2)->GetScreenRect().CenterY(), 500.0f, 1e-3);
}

TEST_F(TextSpriteTest, ContainerStacksCentredLines) {
  const char* lines[] = {"A", "BBB", "AB"};
  auto* c = new CTextContainer(lines, 3, "Plain");
  EXPECT_EQ(c->GetTypeId(), 57);
  ExpectThreeLineBlock(c);

  LoadStringTable("Localization\\US.xml");
  auto* k = new CTextContainer("three", "Plain");
  ExpectThreeLineBlock(k);
  EXPECT_EQ(GetLineCount("Three"), 3);
  // A key without a list shows its one text, as a text sprite would.
  auto* single = new CTextContainer("Back", "Plain");
  ASSERT_EQ(single->GetLineCount(), 1);
  EXPECT_EQ(single->GetLine(0)->GetText(), "Go back");
  EXPECT_EQ(GetLineCount("Back"), 1);
  EXPECT_EQ(GetLineCount("NoSuchKey"), 1);
}

TEST_F(TextSpriteTest, ContainerForwardsColourAndDepthToItsLines) {
  const char* lines[] = {"A", "B"};
  auto* c = new CTextContainer(lines, 2, "Plain");
  c->SetDepth(3.0f);
  c->SetColor(0x80FF0000);
  EXPECT_FLOAT_EQ(c->GetDepth(), 0.0f);  // its own depth stays
  for (int i = 0; i < 2; ++i) {
    EXPECT_FLOAT_EQ(c->GetLine(i)->GetDepth(), 3.0f);
    EXPECT_EQ(c->GetLine(i)->GetColor(), 0x80FF0000u);
  }
  EXPECT_EQ(c->GetColor(), 0xFFFFFFFFu);

  // Deleting the container takes its lines with it; no lines means no aspect, not a division by 0.
  delete c;
  EXPECT_EQ(CountObjects(), 1);  // the font
  auto* empty = new CTextContainer(lines, 0, "Plain");
  EXPECT_EQ(empty->GetNaturalAspect(), 0.0f);
}

}  // namespace
