#include <gtest/gtest.h>

#include "player/flag_set.h"
#include "player/player_name.h"

TEST(FlagSet, BitsMapToSignedWordsAndOutOfRangeNumbersAddressNothing) {
  FlagSet f;
  EXPECT_FALSE(f.Set(58));  // first time
  EXPECT_TRUE(f.Set(58));   // already set
  EXPECT_TRUE(f.Test(58));
  EXPECT_EQ(f.ToText(), "0,67108864,0,0");

  FlagSet g;
  g.Set(31);
  EXPECT_EQ(g.ToText(), "-2147483648,0,0,0");
  g.Set(127);
  g.Set(64);
  EXPECT_EQ(g.ToText(), "-2147483648,0,1,-2147483648");
  g.Clear(31);
  EXPECT_FALSE(g.Test(31));
  EXPECT_TRUE(g.Test(127));

  FlagSet before = g;
  for (int bad : {128, -1, -128, 1 << 30, INT32_MIN}) {
    EXPECT_FALSE(g.Test(bad)) << bad;
    EXPECT_FALSE(g.Set(bad)) << bad;
    g.Clear(bad);
  }
  EXPECT_EQ(g, before);
}

TEST(PlayerName, OnlyShortNamesOfTheTypedSetAreAccepted) {
  for (const char* ok : {"Bob", "a", "Jane Doe", "x_y-z 09", "123456789012345", " Bob "})
    EXPECT_TRUE(IsValidPlayerName(ok)) << ok;
  for (const char* bad : {"", "   ", "1234567890123456", "../x", "a/b", "a\\b", "..", ".", "B\xe9la", "tab\t",
                          "x.xml", "*", "nul\n"})
    EXPECT_FALSE(IsValidPlayerName(bad)) << bad;
  EXPECT_FALSE(IsValidPlayerName(std::string("a\0b", 3)));
}

TEST(PlayerName, ProfileLookupIgnoresCaseAndPrefersTheExactSpelling) {
  std::vector<std::string> listing = {"ALICE.XML", "Bob.xml.bad", "alice.xml",
                                      "bob.xml",   "carol.txt",   "dave.Xml"};
  EXPECT_EQ(FindProfileFile(listing, "Bob"), "bob.xml");
  EXPECT_EQ(FindProfileFile(listing, "BOB"), "bob.xml");
  EXPECT_EQ(FindProfileFile(listing, "alice"), "alice.xml");
  EXPECT_EQ(FindProfileFile(listing, "Alice"), "ALICE.XML");  // first in listing order
  EXPECT_EQ(FindProfileFile(listing, "DAVE"), "dave.Xml");
  EXPECT_EQ(FindProfileFile(listing, "carol"), "");
  EXPECT_EQ(FindProfileFile({"..xml", ".xml"}, "."), "");

  EXPECT_EQ(PlayerNamesInListing(listing), (std::vector<std::string>{"ALICE", "bob", "dave"}));
  EXPECT_EQ(PlayerNamesInListing({".xml", "a b.xml", "bad!.xml", ".hidden.xml.tmp1", "1234567890123456.xml"}),
            (std::vector<std::string>{"a b"}));
}
