#include "data/string_table.h"

#include <gtest/gtest.h>

#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/xml_document.h"
#include "data_fixtures.h"

namespace {

const char kTable[] =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\n"
    "<Strings>\n"
    "  <Back Value=\"Zur\xFC"
    "ck\"/>\n"
    "  <NoValue/>\n"
    "  <Lines Value=\"ignored\">\n"
    "    <Line Value=\"one\"/>\n"
    "    <!-- comments are not lines -->\n"
    "    <Line/>\n"
    "    <Line Value=\"three\"/>\n"
    "  </Lines>\n"
    "</Strings>\n";

class StringTableTest : public testing::Test {
 protected:
  void SetUp() override {
    FreeStringTable();
    ResetPaksForTest();
    oldRoot_ = os::DataRoot();
    dir_ = testenv::MakeTempDir("strings");
    os::SetDataRoot(dir_);
  }
  void TearDown() override {
    FreeStringTable();
    ResetPaksForTest();
    os::SetDataRoot(oldRoot_);
  }
  void WriteDatabase(const std::string& member, const std::string& text) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(pak::BuildArchive({{member, datatest::Bytes(text)}}, 2024, bytes));
    datatest::WriteBytes(dir_ + "/Database.pak", bytes);
  }
  std::string dir_, oldRoot_;
};

}  // namespace

TEST_F(StringTableTest, WithoutATableEveryKeyShowsItself) {
  EXPECT_EQ(Localize("Back"), "Back");
  EXPECT_EQ(LocalizeText("Back"), "Back");
  std::vector<std::optional<std::string>> texts;
  EXPECT_EQ(LocalizeList("Back", texts), 0);
  EXPECT_EQ(LocalizeCount("Back"), 0);
}

TEST_F(StringTableTest, LookupsByKey) {
  WriteDatabase("Localization\\US.xml", kTable);
  datatest::BoxRecorder boxes;
  LoadStringTable("Localization\\US.xml");
  ASSERT_TRUE(StringTableLoaded());
  EXPECT_TRUE(boxes.boxes.empty());

  EXPECT_EQ(Localize("back"),
            "Zur\xFC"
            "ck");
  EXPECT_EQ(Localize("Missing"), "Missing");
  EXPECT_EQ(Localize("NoValue"), std::nullopt);
  EXPECT_EQ(LocalizeText("NoValue"), "NoValue");

  std::vector<std::optional<std::string>> texts;
  ASSERT_EQ(LocalizeList("LINES", texts), 3);
  EXPECT_EQ(texts[0], "one");
  EXPECT_EQ(texts[1], std::nullopt);
  EXPECT_EQ(texts[2], "three");
  EXPECT_EQ(LocalizeCount("Lines"), 3);
  EXPECT_EQ(LocalizeCount("Back"), 1);
  EXPECT_EQ(LocalizeList("Back", texts), 0);
  EXPECT_TRUE(texts.empty());
}

TEST_F(StringTableTest, SecondLoadKeepsTheFirstTable) {
  WriteDatabase("A.xml", "<S><Key Value=\"first\"/></S>");
  LoadStringTable("A.xml");
  ResetPaksForTest();
  WriteDatabase("A.xml", "<S><Key Value=\"second\"/></S>");
  LoadStringTable("A.xml");
  EXPECT_EQ(Localize("Key"), "first");
  FreeStringTable();
  EXPECT_FALSE(StringTableLoaded());
  EXPECT_EQ(Localize("Key"), "Key");
}

TEST_F(StringTableTest, MissingOrBrokenTableIsReportedOnce) {
  WriteDatabase("Localization\\US.xml", "<Strings><Back Value=\"x\"></Strings>");
  for (const char* member : {"Localization\\US.xml", "Localization\\FR.xml"}) {
    datatest::BoxRecorder boxes;
    LoadStringTable(member);
    EXPECT_FALSE(StringTableLoaded());
    ASSERT_EQ(boxes.boxes.size(), 1u) << member;
    EXPECT_EQ(boxes.boxes[0].caption, "Error");
    EXPECT_EQ(boxes.boxes[0].text, "Failed to open localization file.");
    EXPECT_EQ(boxes.boxes[0].icon, os::MsgIcon::Error);
    EXPECT_EQ(Localize("Back"), "Back");
  }
}

TEST(StringTableContent, ShippedTableNamesTheProgram) {
  XmlDocument doc;
  ASSERT_EQ(doc.LoadFile(testenv::SourceDir() + "/content/database/Localization/US.xml"), 0);
  XmlNode root = doc.Root();
  XmlNode title = doc.FindChildNode(root, "ProgramTitle");
  EXPECT_EQ(doc.CopyAttribute(title, "Value"), "Vardell");
}
