#include "data/xml_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data_fixtures.h"

namespace fs = std::filesystem;

namespace {

const char kDecl[] = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>";

// Loads text and returns its root (the test owns the handle).
XmlNode LoadRoot(XmlDocument& doc, const std::string& text) {
  EXPECT_EQ(doc.LoadBytes(text.data(), text.size()), 0) << text;
  return doc.Root();
}

std::string Name(XmlDocument& doc, XmlNode n) {
  return doc.CopyNodeName(n).value_or("<none>");
}

}  // namespace

TEST(XmlDocument, FindChildNodeIgnoresCaseAndSiblingsIncludeEveryKind) {
  XmlDocument doc;
  XmlNode root = LoadRoot(doc, "<Root><!-- note --><AmbientSounds/>text<Other/></Root>");
  XmlNode amb = doc.FindChildNode(root, "ambientsounds");
  EXPECT_EQ(Name(doc, amb), "AmbientSounds");
  EXPECT_EQ(doc.FindChildNode(root, "missing"), kNoNode);

  XmlNode first = doc.FindChildNode(root);
  EXPECT_EQ(Name(doc, first), "#comment");
  EXPECT_EQ(doc.ChildCount(root), 4);
  EXPECT_EQ(doc.ChildElementCount(root), 2);
  XmlNode text = doc.NextSiblingNode(amb);
  EXPECT_EQ(Name(doc, text), "#text");
  XmlNode other = doc.NextSiblingElement(amb);
  EXPECT_EQ(Name(doc, other), "Other");
  EXPECT_EQ(doc.NextSiblingNode(other), kNoNode);

  char small[4];
  EXPECT_EQ(doc.GetNodeName(amb, small, sizeof small), 13u);
  EXPECT_STREQ(small, "Amb");
  for (XmlNode n : {root, amb, first, text, other}) doc.ReleaseNode(n);
  EXPECT_EQ(doc.LiveHandleCount(), 0u);
}

TEST(XmlDocument, LongNamesCompareInTheirFirst99Characters) {
  XmlDocument doc;
  std::string longName(99, 'a');
  XmlNode root = LoadRoot(doc, "<R><" + longName + "XYZ/></R>");
  XmlNode n = doc.FindChildNode(root, longName.c_str());
  EXPECT_NE(n, kNoNode);
  EXPECT_EQ(doc.FindChildNode(root, (longName + "XYZ").c_str()), kNoNode);
}

TEST(XmlDocument, NoNodeAndNullHandleAreHarmlessEverywhere) {
  XmlDocument doc;
  LoadRoot(doc, "<R a=\"1\"/>");
  char buf[8] = "junk";
  for (XmlNode n : {kNoNode, XmlNode(0), XmlNode(0x7FFFFFFF), XmlNode(12345)}) {
    EXPECT_EQ(doc.FindChildNode(n, "x"), kNoNode);
    EXPECT_EQ(doc.FindChildNode(n), kNoNode);
    EXPECT_EQ(doc.NextSiblingNode(n), kNoNode);
    EXPECT_EQ(doc.ChildCount(n), 0);
    EXPECT_EQ(doc.GetNodeName(n, buf, sizeof buf), 0u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(doc.GetIntAttribute(n, "a", 7), 7);
    EXPECT_EQ(doc.CopyAttribute(n, "a"), std::nullopt);
    EXPECT_FALSE(doc.SetAttribute(n, "a", "b"));
    doc.ReleaseNode(n);
    doc.RemoveNode(n);
  }
}

TEST(XmlDocument, NumbersListsRectsAndPoints) {
  XmlDocument doc;
  XmlNode e = LoadRoot(doc,
                       "<E i=\"12abc\" bad=\"abc\" neg=\" -7\" big=\"99999999999\" f=\"2.5e1x\" "
                       "nan=\"nan\" empty=\"\" one=\"5\" list=\"1,-2,3\" hole=\"1,,3\" "
                       "r3=\"1,2,3\" r4=\"1,2,3,4\" p=\"8,9\" v=\"0.5,-1.25\" v3=\"1,2,3\"/>");
  EXPECT_EQ(doc.GetIntAttribute(e, "i", -1), 12);
  EXPECT_EQ(doc.GetIntAttribute(e, "bad", -1), -1);
  EXPECT_EQ(doc.GetIntAttribute(e, "missing", -1), -1);
  EXPECT_EQ(doc.GetIntAttribute(e, "neg", 0), -7);
  EXPECT_EQ(doc.GetIntAttribute(e, "big", 3), 3);
  EXPECT_FLOAT_EQ(doc.GetFloatAttribute(e, "f", 0), 25.0f);
  EXPECT_FLOAT_EQ(doc.GetFloatAttribute(e, "nan", 1.5f), 1.5f);
  EXPECT_FLOAT_EQ(doc.GetFloatAttribute(e, "i", 0), 12.0f);

  EXPECT_TRUE(doc.GetIntListAttribute(e, "empty").empty());
  EXPECT_EQ(doc.GetIntListAttribute(e, "one"), std::vector<int>({5}));
  EXPECT_EQ(doc.GetIntListAttribute(e, "list"), std::vector<int>({1, -2, 3}));
  EXPECT_TRUE(doc.GetIntListAttribute(e, "hole").empty());
  EXPECT_EQ(doc.GetFloatListAttribute(e, "v"), std::vector<float>({0.5f, -1.25f}));

  const int def[4] = {9, 8, 7, 6};
  EXPECT_EQ(doc.GetRectAttribute(e, "r3", def), (std::array<int, 4>{9, 8, 7, 6}));
  EXPECT_EQ(doc.GetRectAttribute(e, "r3"), (std::array<int, 4>{0, 0, 0, 0}));
  EXPECT_EQ(doc.GetRectAttribute(e, "r4"), (std::array<int, 4>{1, 2, 3, 4}));
  EXPECT_EQ(doc.GetPointAttribute(e, "p"), (std::array<int, 2>{8, 9}));
  EXPECT_EQ(doc.GetPointAttribute(e, "r3", def), (std::array<int, 2>{9, 8}));
  EXPECT_EQ(doc.GetVec2Attribute(e, "v"), (std::array<float, 2>{0.5f, -1.25f}));
  EXPECT_EQ(doc.GetVec2Attribute(e, "v3"), (std::array<float, 2>{0.0f, 0.0f}));

  char buf[3];
  EXPECT_EQ(doc.GetAttribute(e, "list", buf, sizeof buf), 6u);
  EXPECT_STREQ(buf, "1,");
  EXPECT_EQ(doc.CopyAttribute(e, "missing", "dflt"), "dflt");
  EXPECT_EQ(doc.CopyAttribute(e, "I"), std::nullopt);  // attribute names are exact
}

TEST(XmlDocument, SettersWriteTheDescribedText) {
  XmlDocument doc;
  XmlNode e = doc.CreateElement(doc.AsNode(), "E");
  ASSERT_NE(e, kNoNode);
  doc.SetFloatAttribute(e, "a", 0.1f);
  doc.SetFloatAttribute(e, "b", 2.5f);
  doc.SetFloatAttribute(e, "c", 1e20f);
  doc.SetIntAttribute(e, "d", -42);
  const int ints[] = {0, 0, 800, 600};
  doc.SetIntListAttribute(e, "r", ints);
  const float floats[] = {0.25f, 3.0f};
  doc.SetFloatListAttribute(e, "f", floats);
  doc.SetAttribute(e, "t", nullptr);
  EXPECT_EQ(doc.CopyAttribute(e, "a"), "0.1");
  EXPECT_EQ(doc.CopyAttribute(e, "b"), "2.5");
  EXPECT_EQ(doc.CopyAttribute(e, "c"), "1e+20");
  EXPECT_EQ(doc.CopyAttribute(e, "d"), "-42");
  EXPECT_EQ(doc.CopyAttribute(e, "r"), "0,0,800,600");
  EXPECT_EQ(doc.CopyAttribute(e, "f"), "0.25,3");
  EXPECT_EQ(doc.CopyAttribute(e, "t"), "No Text");
  doc.SetIntAttribute(e, "d", 5);
  EXPECT_EQ(doc.GetIntAttribute(e, "d", 0), 5);
  // Names that would make the file unreadable are refused.
  EXPECT_FALSE(doc.SetAttribute(e, nullptr, "x"));
  EXPECT_FALSE(doc.SetAttribute(e, "two words", "x"));
}

TEST(XmlDocument, SavedLayout) {
  XmlDocument doc;
  XmlNode root = doc.CreateElement(0, "Root");
  doc.ReleaseNode(doc.CreateElement(root, "A"));
  doc.ReleaseNode(doc.CreateElement(root, "B"));
  EXPECT_EQ(doc.SaveToString(), std::string(kDecl) + "\r\n<Root>\r\n  <A/>\r\n  <B/>\r\n</Root>");

  XmlNode c = doc.CreateElement(root, "C", "some text");
  XmlNode d = doc.CreateElement(c, "D");
  doc.SetAttribute(d, "path", "a/b>c");
  EXPECT_EQ(doc.SaveToString(),
            std::string(kDecl) +
                "\r\n<Root>\r\n  <A/>\r\n  <B/>\r\n  <C>some text\r\n    <D path=\"a/b>c\"/>"
                "\r\n  </C>\r\n</Root>");

  XmlDocument loaded;
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<R>\n\t<!-- keep -->\n\t<T>hello</T>\n\t<E/>\n</R>\n";
  LoadRoot(loaded, text);
  EXPECT_EQ(loaded.SaveToString(),
            std::string(kDecl) + "\r\n<R>\r\n  <!-- keep -->\r\n  <T>hello</T>\r\n  <E/>\r\n</R>");
}

TEST(XmlDocument, BytesPassThroughAsWindows1252) {
  XmlDocument doc;
  std::string text = "<R n=\"Caf\xE9 \x80\" r=\"&#233;&#8364;&#x263A;&lt;&amp;&quot;\">\xFC&#252;</R>";
  XmlNode r = LoadRoot(doc, text);
  EXPECT_EQ(doc.CopyAttribute(r, "n"), "Caf\xE9 \x80");
  EXPECT_EQ(doc.CopyAttribute(r, "r"), "\xE9\x80 <&\"");
  EXPECT_EQ(doc.GetText(r), "\xFC\xFC");

  std::string saved = doc.SaveToString();
  XmlDocument again;
  XmlNode r2 = LoadRoot(again, saved);
  EXPECT_EQ(again.CopyAttribute(r2, "n"), "Caf\xE9 \x80");
  EXPECT_EQ(again.CopyAttribute(r2, "r"), "\xE9\x80 <&\"");
  EXPECT_EQ(again.GetText(r2), "\xFC\xFC");
}

TEST(XmlDocument, FailedParseLeavesAnEmptyDocument) {
  XmlDocument doc;
  for (std::string bad : {"<R><A><B></R>", "", "no markup", "<R a=\"1></R>", "<?xml version=\"1.0\"?>"}) {
    XmlNode root = LoadRoot(doc, "<Good/>");
    doc.ReleaseNode(root);
    EXPECT_NE(doc.LoadBytes(bad.data(), bad.size()), 0) << bad;
    EXPECT_EQ(doc.Root(), kNoNode) << bad;
    XmlNode asNode = doc.AsNode();
    EXPECT_EQ(doc.ChildCount(asNode), 0) << bad;
    doc.ReleaseNode(asNode);
  }
}

TEST(XmlDocument, CreateElementRefusesWhatCannotBeReadBack) {
  XmlDocument doc;
  XmlNode root = doc.CreateElement(doc.AsNode(), "Player");
  ASSERT_NE(root, kNoNode);
  for (const char* bad : {"", "1abc", "two words", "a<b", "-x", "x\"y", "\xD7x"})
    EXPECT_EQ(doc.CreateElement(root, bad), kNoNode) << bad;
  EXPECT_EQ(doc.CreateElement(root, nullptr), kNoNode);
  EXPECT_EQ(doc.CreateElement(0, "SecondRoot"), kNoNode);
  for (const char* good : {"_a", "a-b.c", "Caf\xE9", "ns:tag", "\x8Ax"})
    EXPECT_NE(doc.CreateElement(root, good), kNoNode) << good;
  XmlNode text = doc.FindChildNode(doc.CreateElement(root, "T", "x"));
  EXPECT_EQ(doc.CreateElement(text, "Inside"), kNoNode);

  XmlDocument back;
  std::string saved = doc.SaveToString();
  EXPECT_EQ(back.LoadBytes(saved.data(), saved.size()), 0) << saved;
}

TEST(XmlDocument, HandlesDieWithTheirNodes) {
  XmlDocument doc;
  XmlNode root = LoadRoot(doc, "<R><A><B/></A><C/></R>");
  XmlNode a = doc.FindChildNode(root, "A");
  XmlNode b = doc.FindChildNode(a, "B");
  XmlNode b2 = doc.FindChildNode(a, "b");
  doc.ReleaseNode(b2);
  EXPECT_EQ(doc.CopyNodeName(b2), std::nullopt);  // a released handle stops working
  XmlNode c = doc.FindChildNode(root, "C");       // may reuse b2's slot
  EXPECT_EQ(doc.CopyNodeName(b2), std::nullopt);
  EXPECT_EQ(Name(doc, c), "C");

  doc.RemoveNode(a);
  EXPECT_EQ(doc.CopyNodeName(b), std::nullopt);
  EXPECT_EQ(doc.ChildCount(root), 1);
  EXPECT_EQ(doc.LiveHandleCount(), 2u);  // root and c

  // Loading again ends every handle of the old content.
  LoadRoot(doc, "<New/>");
  EXPECT_EQ(doc.CopyNodeName(c), std::nullopt);

  doc.Close();
  EXPECT_EQ(doc.Root(), kNoNode);
  EXPECT_EQ(doc.AsNode(), kNoNode);
  EXPECT_EQ(doc.LiveHandleCount(), 0u);
}

TEST(XmlDocument, SaveReplacesTheFileWholeOrNotAtAll) {
  std::string dir = testenv::MakeTempDir("xml");
  XmlDocument doc;
  XmlNode root = doc.CreateElement(0, "Player");
  doc.SetAttribute(root, "Name", "Ann");
  ASSERT_EQ(doc.Save(dir + "/p.xml"), 0);
  XmlDocument back;
  ASSERT_EQ(back.LoadFile(dir + "/p.xml"), 0);
  XmlNode r = back.Root();
  EXPECT_EQ(back.CopyAttribute(r, "Name"), "Ann");

  // A folder in the way: the save fails and says so.
  fs::create_directories(dir + "/taken.xml");
  EXPECT_NE(doc.Save(dir + "/taken.xml"), 0);
  EXPECT_NE(doc.Save(dir + "/no/such/folder/p.xml"), 0);
  EXPECT_NE(back.LoadFile(dir + "/missing.xml"), 0);
  EXPECT_EQ(back.Root(), kNoNode);
}

TEST(XmlDocument, LoadMemberReadsDatabasePak) {
  ResetPaksForTest();
  std::string dir = testenv::MakeTempDir("db");
  std::vector<uint8_t> archive;
  ASSERT_TRUE(pak::BuildArchive({{"Search\\Venues\\Hall.xml", datatest::Bytes("<Venue Name=\"Hall\"/>")},
                                 {"Broken.xml", datatest::Bytes("<Venue>")}},
                                31337, archive));
  datatest::WriteBytes(dir + "/Database.pak", archive);
  std::string old = os::DataRoot();
  os::SetDataRoot(dir);
  XmlDocument doc;
  EXPECT_EQ(doc.LoadMember("search\\venues\\HALL.xml"), 0);
  XmlNode root = doc.Root();
  EXPECT_EQ(doc.CopyAttribute(root, "Name"), "Hall");
  EXPECT_NE(doc.LoadMember("Broken.xml"), 0);
  EXPECT_EQ(doc.Root(), kNoNode);
  EXPECT_NE(doc.LoadMember("Missing.xml"), 0);
  os::SetDataRoot(old);
  ResetPaksForTest();
}

TEST(XmlContent, EveryDatabaseSourceParses) {
  fs::path dir = fs::path(testenv::SourceDir()) / "content" / "database";
  int count = 0;
  for (auto& e : fs::recursive_directory_iterator(dir)) {
    if (e.path().extension() != ".xml") continue;
    XmlDocument doc;
    EXPECT_EQ(doc.LoadFile(e.path().string()), 0) << e.path();
    XmlNode root = doc.Root();
    EXPECT_NE(root, kNoNode) << e.path();
    ++count;
  }
  EXPECT_GT(count, 0);
}
