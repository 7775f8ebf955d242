// The item board's choice of list, shuffle, caption layout and texts, and the strike-out.
#include "search/item_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/random.h"

namespace {

using namespace itemlist;

// Candidates with the given group sizes, named A, B, C ... in order; required groups by index.
std::vector<Candidate> Groups(const std::vector<int>& sizes, const std::set<int>& required = {}) {
  std::vector<Candidate> list;
  int object = 0;
  for (int g = 0; g < int(sizes.size()); ++g) {
    const std::string name(1, char('A' + g));
    for (int i = 0; i < sizes[size_t(g)]; ++i)
      InsertCandidate(list, {name, name + "s", required.count(g) > 0, object++});
  }
  return list;
}

TEST(ItemList, CandidatesSortWithoutCase) {
  std::vector<Candidate> list;
  for (const char* name : {"pipe", "Badge", "cup", "Cup", "apple"})
    InsertCandidate(list, {name, "", false, 0});
  std::vector<std::string> order;
  for (const Candidate& c : list) order.push_back(c.name);
  EXPECT_EQ(order, (std::vector<std::string>{"apple", "Badge", "Cup", "cup", "pipe"}));
  // Equal names, whatever the case, form one slot.
  const ListChoice choice = ChooseList(list, 5, 12);
  EXPECT_EQ(choice.slots.size(), 4u);
}

TEST(ItemList, SelectionInvariantsOverManySeeds) {
  struct Case {
    std::vector<int> sizes;
    std::set<int> required;
    int items, slots;
    bool exact;  // the total can always be reached
  } cases[] = {
      {{1, 1, 1, 1}, {}, 4, 4, true},
      {{3, 2, 2, 1, 1, 1}, {5}, 6, 4, false},
      {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {0, 19}, 12, 12, true},
      {{4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {0}, 10, 12, false},
      {{2, 2, 2}, {}, 6, 1, false},
      {{5}, {0}, 1, 1, false},
  };
  for (const Case& c : cases) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      SeedRandom(seed);
      const ListChoice choice = ChooseList(Groups(c.sizes, c.required), c.items, c.slots);
      ASSERT_FALSE(choice.tooManyRequired);
      EXPECT_LE(int(choice.slots.size()), c.slots);
      std::set<int> slots, groups;
      int total = 0;
      for (const SlotChoice& s : choice.slots) {
        EXPECT_TRUE(slots.insert(s.slot).second) << "slot used twice";
        EXPECT_GE(s.slot, 0);
        EXPECT_LT(s.slot, int(choice.slots.size()));
        groups.insert(s.name[0] - 'A');
        total += int(s.objects.size());
      }
      EXPECT_EQ(total, choice.total);
      for (int r : c.required)
        EXPECT_TRUE(groups.count(r)) << "required group " << r << " dropped, seed " << seed;
      if (c.exact) {
        EXPECT_EQ(total, c.items);
      }
    }
  }
  // More required groups than slots: nothing is listed.
  EXPECT_TRUE(ChooseList(Groups({1, 1, 1}, {0, 1, 2}), 3, 2).tooManyRequired);
  EXPECT_TRUE(ChooseList({}, 3, 2).slots.empty());
}

TEST(ItemList, SwapsStopAfterTheirAttempts) {
  // Only single objects and no way to reach 30 with 12 slots: the list keeps 12 and ends.
  SeedRandom(3);
  const ListChoice choice = ChooseList(Groups(std::vector<int>(20, 1)), 30, 12);
  EXPECT_EQ(choice.slots.size(), 12u);
  EXPECT_EQ(choice.total, 12);
  // Groups of 3 and 1 can trade to reach the count exactly.
  SeedRandom(9);
  const ListChoice traded = ChooseList(Groups({3, 3, 1, 1, 1}), 5, 3);
  EXPECT_EQ(traded.total, 5);
}

TEST(ItemList, ShuffleIsAPermutation) {
  SeedRandom(11);
  for (int m : {0, 1, 2, 7, 12}) {
    std::vector<int> perm = ShuffledSlots(m);
    std::sort(perm.begin(), perm.end());
    for (int i = 0; i < m; ++i) EXPECT_EQ(perm[size_t(i)], i);
  }
  SeedRandom(11);
  const std::vector<int> a = ShuffledSlots(12);
  EXPECT_NE(a, ShuffledSlots(12));  // the generator moved on
}

TEST(ItemList, LayoutForEverySlotCount) {
  const std::pair<int, Grid> grids[] = {{1, {1, 1}}, {2, {1, 2}}, {3, {1, 3}}, {4, {2, 2}},  {5, {3, 2}},
                                        {6, {3, 2}}, {7, {3, 3}}, {9, {3, 3}}, {10, {4, 3}}, {12, {4, 3}}};
  for (auto [s, g] : grids) {
    EXPECT_EQ(SlotGrid(s).columns, g.columns) << s;
    EXPECT_EQ(SlotGrid(s).rows, g.rows) << s;
  }
  const ScreenRect board(0, 0, 593, 100);
  const ScreenRect area = SlotArea(board);
  EXPECT_NEAR(area.left, 29.65f, 1e-3f);
  EXPECT_NEAR(area.top, 31.4f, 1e-3f);
  EXPECT_NEAR(area.right, 563.35f, 1e-3f);
  EXPECT_NEAR(area.bottom, 90.0f, 1e-3f);
  for (int s = 1; s <= 12; ++s) {
    std::vector<ScreenRect> rects;
    for (int i = 0; i < s; ++i) {
      const ScreenRect r = CaptionRect(area, s, i, 20.0f);  // a very wide caption
      const float rh = 0.85f * area.Height() / 3;
      EXPECT_NEAR(r.Height(), s == 1 ? 1.5f * rh : rh, 1e-3f);
      if (s != 1) {
        EXPECT_LE(r.Width(), 0.9f * area.Width() / 4 + 1e-3f);  // kept to its column
        EXPECT_GE(r.left, area.left - 1e-3f);
        EXPECT_LE(r.right, area.right + 1e-3f);
      }
      for (const ScreenRect& o : rects) EXPECT_FALSE(o == r) << s << " " << i;
      rects.push_back(r);
    }
  }
  // Columns fill top to bottom: slot 1 of 6 is below slot 0, slot 2 starts the next column.
  const ScreenRect s0 = CaptionRect(area, 6, 0, 1), s1 = CaptionRect(area, 6, 1, 1),
                   s2 = CaptionRect(area, 6, 2, 1);
  EXPECT_GT(s1.top, s0.top);
  EXPECT_EQ(s1.left, s0.left);
  EXPECT_GT(s2.left, s0.left);
  EXPECT_EQ(s2.top, s0.top);
}

TEST(ItemList, CaptionsStrikeAndRefit) {
  struct Case {
    int count;
    bool differences;
    const char* text;
  } cases[] = {
      {2, false, "2 Cups"},
      {1, false, "Cup"},
      {0, false, "Cup"},
      {7, true, "Find 7 differences"},
      {2, true, "Find 2 differences"},
      {1, true, "Find 1 difference"},
      {0, true, "Find 1 difference"},
  };
  for (const Case& c : cases) EXPECT_EQ(CaptionText(c.count, c.differences, "Cup", "Cups"), c.text);

  EXPECT_EQ(StrikeProgress(0), 0.0f);
  EXPECT_EQ(StrikeProgress(0.25f), 0.5f);
  EXPECT_EQ(StrikeProgress(3), 1.0f);
  EXPECT_EQ(StrikeColor(0), 0xFFFFFFFFu);
  EXPECT_EQ(StrikeColor(1), kCaptionStruck);
  const ScreenRect caption(10, 20, 110, 40);
  EXPECT_EQ(StrikeBar(caption, 0.5f), ScreenRect(10, 27, 60, 33));

  const ScreenRect narrower = RefitCaption(caption, 2.0f);
  EXPECT_EQ(narrower, ScreenRect(40, 20, 80, 40));
  EXPECT_EQ(RefitCaption(caption, 9.0f), caption);  // never wider
}

}  // namespace
