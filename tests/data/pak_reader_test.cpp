#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "data/pak_format.h"
#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data_fixtures.h"

using datatest::BoxRecorder;
using datatest::Bytes;

namespace {

class PakTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetPaksForTest();
    dir_ = testenv::MakeTempDir("pak");
  }
  void TearDown() override { ResetPaksForTest(); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = dir_ + "/" + name;
    datatest::WriteBytes(path, bytes);
    return path;
  }
  std::string WriteArchive(const std::string& name, const std::vector<pak::MemberSource>& members,
                           uint32_t seed) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(pak::BuildArchive(members, seed, bytes));
    return Write(name, bytes);
  }

  std::string dir_;
};

std::vector<uint8_t> AllByteValues() {
  std::vector<uint8_t> v;
  for (int r = 0; r < 3; ++r)
    for (int i = 0; i < 256; ++i) v.push_back(uint8_t(i));
  return v;
}

}  // namespace

TEST(PakFormat, SubstitutionFollowsTheRuntimeGenerator) {
  for (uint32_t seed : {0u, 1u, 12345u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    pak::Table p = pak::BuildSubstitution(seed);
    std::vector<uint8_t> expected = datatest::Permutation(seed);
    EXPECT_TRUE(std::equal(p.begin(), p.end(), expected.begin())) << "seed " << seed;
    pak::Table sorted = p;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 256; ++i) ASSERT_EQ(sorted[i], i) << "not a permutation, seed " << seed;
    pak::Table q = pak::InvertTable(p);
    for (int x = 0; x < 256; ++x) ASSERT_EQ(q[p[x]], x);
  }
  // Seed 0 still scrambles.
  pak::Table p0 = pak::BuildSubstitution(0);
  int fixed = 0;
  for (int i = 0; i < 256; ++i) fixed += p0[i] == i;
  EXPECT_LT(fixed, 32);
}

TEST(PakFormat, WriterLayoutIsByteExact) {
  std::vector<pak::MemberSource> members = {{"GUI\\CursorHand.png", Bytes("abc")}, {"Empty.txt", {}}};
  const uint32_t seed = 0x9E3779B9u;
  std::vector<uint8_t> a;
  ASSERT_TRUE(pak::BuildArchive(members, seed, a));
  ASSERT_EQ(a.size(), 16u + (4 + 3) + 4 + 2 * 260 + 8);
  EXPECT_EQ(std::string(a.begin(), a.begin() + 8), "Tolvek  ");
  EXPECT_EQ(datatest::Le32(a, 8), seed);
  EXPECT_EQ(datatest::Le32(a, 12), 0u);

  // Walk it as an outside reader would.
  std::vector<uint8_t> p = datatest::Permutation(seed);
  uint32_t entry = datatest::Le32(a, a.size() - 8);
  ASSERT_EQ(datatest::Le32(a, a.size() - 4), 2u);
  for (size_t i = 0; i < members.size(); ++i) {
    uint32_t member = datatest::Le32(a, entry);
    std::string name(reinterpret_cast<const char*>(&a[entry + 8]));
    EXPECT_EQ(name, members[i].name);
    for (size_t z = entry + 8 + name.size(); z < entry + 260; ++z) ASSERT_EQ(a[z], 0);
    uint32_t n = datatest::Le32(a, member);
    ASSERT_EQ(n, members[i].bytes.size());
    for (uint32_t k = 0; k < n; ++k) EXPECT_EQ(a[member + 4 + k], p[members[i].bytes[k]]);
    entry = datatest::Le32(a, entry + 4);
  }

  std::vector<uint8_t> again;
  ASSERT_TRUE(pak::BuildArchive(members, seed, again));
  EXPECT_EQ(a, again);
}

TEST(PakFormat, WriterRefusesNamesTheReaderCouldNotServe) {
  std::vector<uint8_t> out;
  EXPECT_FALSE(pak::BuildArchive({{"a.png", {}}, {"A.PNG", {}}}, 0, out));
  EXPECT_FALSE(pak::BuildArchive({{std::string(252, 'x'), {}}}, 0, out));
  EXPECT_TRUE(pak::BuildArchive({{std::string(251, 'x'), {}}}, 0, out));
  EXPECT_FALSE(pak::BuildArchive({{"", {}}}, 0, out));
}

TEST_F(PakTest, RoundTripAcrossSeedsAndSizes) {
  for (uint32_t seed : {0u, 1u, 2147483648u, 4294967295u}) {
    std::vector<pak::MemberSource> members = {
        {"Localization\\US.xml", Bytes("<Strings/>")}, {"zero.bin", {}}, {"All\\Bytes.bin", AllByteValues()}};
    CPakfile pak(WriteArchive("r" + std::to_string(seed) + ".pak", members, seed), false);
    ASSERT_EQ(pak.GetState(), CPakfile::State::kOk);
    EXPECT_TRUE(pak.Problems().empty());
    EXPECT_EQ(pak.Seed(), seed);
    for (const auto& m : members) {
      auto got = pak.ReadMember(m.name);
      ASSERT_TRUE(got.has_value()) << m.name;
      EXPECT_EQ(*got, m.bytes) << m.name << " seed " << seed;
    }
    EXPECT_FALSE(pak.ReadMember("Localization\\US.xm").has_value());
    EXPECT_FALSE(pak.ReadMember("Localization/US.xml").has_value());
  }
}

TEST_F(PakTest, ReaderFollowsTheChainWhereverItLies) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> members = {
      {"GUI\\CursorHand.png", Bytes("hand")}, {"Second", AllByteValues()}, {"Zero", {}}};
  CPakfile pak(Write("hand.pak", datatest::HandMadeArchive(members, 77)), false);
  ASSERT_EQ(pak.GetState(), CPakfile::State::kOk);
  ASSERT_EQ(pak.Records().size(), 3u);
  EXPECT_EQ(pak.Records()[0].name, "GUI\\CursorHand.png");
  EXPECT_EQ(pak.Records()[2].name, "Zero");
  EXPECT_EQ(*pak.ReadMember("gui\\cursorhand.png"), Bytes("hand"));
  EXPECT_EQ(*pak.ReadMember("SECOND"), AllByteValues());
  auto zero = pak.ReadMember("zero");
  ASSERT_TRUE(zero.has_value());
  EXPECT_TRUE(zero->empty());
}

TEST_F(PakTest, DuplicateNamesFirstInChainWins) {
  auto bytes = datatest::HandMadeArchive({{"Dup.txt", Bytes("first")}, {"DUP.TXT", Bytes("second")}}, 5);
  CPakfile pak(Write("dup.pak", bytes), false);
  EXPECT_EQ(pak.Records().size(), 2u);
  EXPECT_EQ(*pak.ReadMember("dup.txt"), Bytes("first"));
  EXPECT_EQ(*pak.ReadMemberAt(1), Bytes("second"));
}

TEST_F(PakTest, OpenPakSharesOneArchivePerPathAndReportsOnce) {
  WriteArchive("Textures.pak", {{"GUI\\CursorHand.png", Bytes("x")}}, 3);
  BoxRecorder boxes;
  CPakfile* a = OpenPak(dir_ + "/Textures.pak");
  CPakfile* b = OpenPak(dir_ + "/textures.PAK");
  EXPECT_EQ(a, b);
  EXPECT_EQ(OpenPakCount(), 1u);
  EXPECT_TRUE(a->HasMember("gui\\CURSORHAND.PNG"));

  CPakfile* missing = OpenPak(dir_ + "/Sounds.pak");
  ASSERT_NE(missing, nullptr);
  EXPECT_FALSE(missing->ReadMember("anything").has_value());
  OpenPak(dir_ + "/SOUNDS.pak");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "CPakfile: Error opening .pak archive");
  EXPECT_EQ(boxes.boxes[0].text, dir_ + "/Sounds.pak");
  EXPECT_EQ(boxes.boxes[0].icon, os::MsgIcon::Error);

  CloseAllPaks();
  EXPECT_EQ(OpenPakCount(), 0u);
}

TEST_F(PakTest, DataPakIsFoundInTheDataRoot) {
  WriteArchive("Database.pak", {{"GameMap.xml", Bytes("<Map/>")}}, 9);
  std::string old = os::DataRoot();
  os::SetDataRoot(dir_);
  auto bytes = OpenDataPak("Database.pak")->ReadMember("gamemap.xml");
  os::SetDataRoot(old);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, Bytes("<Map/>"));
}

TEST_F(PakTest, EmptyArchiveOpensSilentlyAndWrongMagicIsReported) {
  BoxRecorder boxes;
  CPakfile* empty = OpenPak(WriteArchive("empty.pak", {}, 0));
  EXPECT_EQ(empty->GetState(), CPakfile::State::kOk);
  EXPECT_TRUE(empty->Records().empty());
  EXPECT_FALSE(empty->ReadMember("").has_value());
  EXPECT_TRUE(boxes.boxes.empty());

  std::string bad = Write("bad.pak", Bytes("Tolvak  0123456789abcdef"));
  OpenPak(bad);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "CPakfile: Invalid .pak archive");
  EXPECT_EQ(boxes.boxes[0].text, bad);
}

TEST_F(PakTest, DamagedDirectoriesAreRejectedNotTrusted) {
  std::vector<uint8_t> good;
  ASSERT_TRUE(pak::BuildArchive({{"A", Bytes("aaaa")}, {"B", Bytes("bb")}}, 11, good));
  const size_t trailer = good.size() - 8;
  const uint32_t firstEntry = datatest::Le32(good, trailer);

  struct Case {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> damage;
    CPakfile::State state;
    size_t records;
  };
  std::vector<Case> cases = {
      {"count beyond the file", [&](auto& b) { datatest::PutLe32(b, trailer + 4, 0x7FFFFFFF); },
       CPakfile::State::kBrokenDirectory, 0},
      {"first entry beyond the file", [&](auto& b) { datatest::PutLe32(b, trailer, 0xFFFFFF00); },
       CPakfile::State::kBrokenDirectory, 0},
      {"first entry inside the trailer",
       [&](auto& b) { datatest::PutLe32(b, trailer, uint32_t(trailer - 4)); },
       CPakfile::State::kBrokenDirectory, 0},
      {"next entry inside the header", [&](auto& b) { datatest::PutLe32(b, firstEntry + 4, 3); },
       CPakfile::State::kBrokenDirectory, 0},
      {"member offset beyond the file", [&](auto& b) { datatest::PutLe32(b, firstEntry, 0xFFFFFFF0); },
       CPakfile::State::kOk, 1},
      {"member length beyond the file", [&](auto& b) { datatest::PutLe32(b, 16, 0xFFFFFFFF); },
       CPakfile::State::kOk, 1},
      {"member running into the trailer",
       [&](auto& b) { datatest::PutLe32(b, 16, uint32_t(trailer - 20 + 1)); }, CPakfile::State::kOk, 1},
      {"name without its zero",
       [&](auto& b) { std::fill(b.begin() + firstEntry + 8, b.begin() + firstEntry + 260, 'n'); },
       CPakfile::State::kOk, 1},
      {"chain pointing at itself", [&](auto& b) { datatest::PutLe32(b, firstEntry + 4, firstEntry); },
       CPakfile::State::kOk, 2},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    c.damage(bytes);
    auto pak = CPakfile::FromImage(c.what, bytes);
    EXPECT_EQ(pak->GetState(), c.state) << c.what;
    EXPECT_EQ(pak->Records().size(), c.records) << c.what;
    if (c.records != 2) {
      EXPECT_FALSE(pak->Problems().empty()) << c.what;
    }
    for (size_t i = 0; i < pak->Records().size(); ++i)
      EXPECT_TRUE(pak->ReadMemberAt(i).has_value()) << c.what;
  }
}

TEST_F(PakTest, EveryTruncationIsSafe) {
  std::vector<uint8_t> good;
  ASSERT_TRUE(pak::BuildArchive({{"A", Bytes("aaaa")}, {"B", AllByteValues()}}, 4, good));
  for (size_t len = 0; len < good.size(); ++len) {
    auto pak = CPakfile::FromImage("cut", std::vector<uint8_t>(good.begin(), good.begin() + len));
    // A cut may happen to end in bytes that read as an empty directory; it never yields wrong bytes.
    for (size_t i = 0; i < pak->Records().size(); ++i) {
      auto got = pak->ReadMemberAt(i);
      if (got && pak->Records()[i].name == "A") {
        EXPECT_EQ(*got, Bytes("aaaa")) << len;
      }
    }
  }
}
