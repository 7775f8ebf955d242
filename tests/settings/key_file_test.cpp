#include "platform/settings/key_file.h"

#include <gtest/gtest.h>

using settings::KeyFile;
using settings::Value;

TEST(KeyFile, QuotingKeepsEveryByteString) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += char(b);
  std::string quoted = settings::QuoteString(all);
  for (unsigned char c : quoted) EXPECT_TRUE(c >= 0x20 && c < 0x7F);  // one printable ASCII line
  std::string back;
  ASSERT_TRUE(settings::UnquoteString(quoted, back));
  EXPECT_EQ(back, all);

  for (const char* bad :
       {"", "\"", "abc", "\"abc", "\"a\"b\"", "\"\\\"", "\"\\q\"", "\"\\x4\"", "\"\\xZZ\""}) {
    EXPECT_FALSE(settings::UnquoteString(bad, back)) << bad;
  }
  ASSERT_TRUE(settings::UnquoteString("\"\\x41\\t\\\\\"", back));
  EXPECT_EQ(back, "A\t\\");
}

TEST(KeyFile, DwordTextsInRangeOnly) {
  KeyFile f = KeyFile::Parse(
      "[S]\na=dword:-2147483648\nb=dword:4294967295\nc=dword:0x7fffffff\nd=dword:4294967296\n"
      "e=dword:-2147483649\nf=dword:1.5\ng=dword: 3\nh=dword:0x\ni=dword:0x100000000\nj=dword:+4\n");
  ASSERT_NE(f.Find("S", "a"), nullptr);
  EXPECT_EQ(int32_t(f.Find("S", "a")->dword), INT32_MIN);
  EXPECT_EQ(f.Find("S", "b")->dword, 0xFFFFFFFFu);
  EXPECT_EQ(f.Find("S", "c")->dword, 0x7FFFFFFFu);
  for (const char* rejected : {"d", "e", "f", "g", "h", "i", "j"})
    EXPECT_EQ(f.Find("S", rejected), nullptr) << rejected;
  // Written back signed, so -1 stays readable.
  EXPECT_EQ(f.Serialize(), "[S]\na=dword:-2147483648\nb=dword:-1\nc=dword:2147483647\n");
}

TEST(KeyFile, StructureRules) {
  KeyFile f = KeyFile::Parse(
      "; comment\n# comment\norphan=dword:1\n  [A]  \nx=\"1\"\n[a]\nX=\"2\"\ny = \"spaced\" "
      "\n[]\nz=dword:5\n");
  EXPECT_EQ(f.Find("A", "orphan"), nullptr);
  ASSERT_EQ(f.Sections().size(), 1u);  // [A] and [a] are one section; the later value wins
  EXPECT_EQ(f.Find("a", "x")->text, "2");
  EXPECT_EQ(f.Find("A", "y")->text, "spaced");
  EXPECT_EQ(f.Find("A", "z"), nullptr);  // under an invalid header

  EXPECT_TRUE(f.Set("B", "k", Value::Dword(1)));
  EXPECT_TRUE(f.Remove("b", "K"));
  EXPECT_FALSE(f.Remove("b", "K"));
  EXPECT_EQ(f.Serialize(), "[A]\nx=\"2\"\ny=\"spaced\"\n");  // empty sections are not written
  EXPECT_FALSE(f.Set(" A", "k", Value::Dword(1)));
  EXPECT_FALSE(f.Set("A", "#k", Value::Dword(1)));
  EXPECT_FALSE(f.Set("A", "k\t", Value::Dword(1)));
}
