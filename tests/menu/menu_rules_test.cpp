// The main menu's pure rules: the command table, the slide counter, the welcome line, the layouts,
// the name editor's trimming and the times list's entries, order, cut and columns.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "flow/best_times.h"
#include "flow/main_menu_rules.h"

namespace {

TEST(MenuRules, EveryCommandNumberHasItsAction) {
  using A = MenuAction;
  const std::pair<int, A> table[] = {
      {105, A::kOpenOptions},
      {107, A::kConfirmExit},
      {930, A::kOpenPlayerList},
      {1200, A::kAddPlayer},
      {1205, A::kQuit},
      {1221, A::kContinue},
      {1232, A::kPlay},
      {1249, A::kOpenTimes},
      {1254, A::kArrived},
      {1256, A::kOpenCredits},
      {1298, A::kCheat},
      {1330, A::kStartNewGame},
      {1343, A::kStartAtBeginning},
      {1238, A::kRebuildWelcomeAndShow},
      {1240, A::kRebuildWelcomeAndShow},
      {1230, A::kShow},
      {1237, A::kShow},
      {1248, A::kShow},
      {1253, A::kShow},
      {1255, A::kShow},
      {1311, A::kShow},
      {1366, A::kShow},
      {1201, A::kNone},
      {1239, A::kNone},
      {1206, A::kNone},
      {0, A::kNone},
      {-1, A::kNone},
  };
  for (auto [code, action] : table) EXPECT_EQ(MenuActionFor(code), action) << code;
}

TEST(MenuRules, OnlyTheFirstOpenAndTheLastCloseSlideAndTheCountNeverGoesBelowZero) {
  MenuSlideCounter c;
  EXPECT_FALSE(c.Show());  // a close with nothing open
  EXPECT_EQ(c.Open(), 0);
  const struct {
    bool hide;
    bool slides;
    int open;
  } steps[] = {{true, true, 1},   {true, false, 2}, {true, false, 3},  {false, false, 2},
               {false, false, 1}, {false, true, 0}, {false, false, 0}, {true, true, 1}};
  for (const auto& s : steps) {
    EXPECT_EQ(s.hide ? c.Hide() : c.Show(), s.slides);
    EXPECT_EQ(c.Open(), s.open);
    EXPECT_EQ(c.Hidden(), s.open > 0);
  }
}

TEST(MenuRules, TheWelcomeTemplateTakesTheNameLiterallyAndPrintsOtherPercentsAsText) {
  const struct {
    const char *pattern, *name, *shown;
  } table[] = {
      {"Welcome, Detective %s!", "Ann", "Welcome, Detective Ann!"},
      {"%s", "%s %d %n", "%s %d %n"},                 // the name is never a template
      {"%s and %s", "Ann", "Ann and %s"},             // only the first %s
      {"%d%% sure, %s %n", "Bo", "%d% sure, Bo %n"},  // %% is one %, other % stay as text
      {"No name here", "Ann", "No name here"},
      {"Trailing %", "Ann", "Trailing %"},
      {"", "Ann", ""},
  };
  for (const auto& t : table) EXPECT_EQ(FormatWelcome(t.pattern, t.name), t.shown) << t.pattern;
}

TEST(MenuRules, TheButtonBarIsOneCentredRowOfEqualSlots) {
  for (auto [w, h] : {std::pair{800.0f, 600.0f}, std::pair{1024.0f, 768.0f}, std::pair{1280.0f, 960.0f}}) {
    const auto slots = LayoutButtonBar(5, 2.94f, w, h);
    ASSERT_EQ(slots.size(), 5u);
    for (size_t i = 0; i < slots.size(); ++i) {
      EXPECT_NEAR(slots[i].Height(), 0.065f * h, 1e-3f);
      EXPECT_NEAR(slots[i].Width(), 2.94f * 0.065f * h, 1e-3f);
      EXPECT_NEAR(slots[i].CenterY(), 0.0425f * h, 1e-3f);
      if (i > 0) {
        EXPECT_NEAR(slots[i].left - slots[i - 1].right, 0.01f * h, 1e-3f);
      }
    }
    const ScreenRect bar = ButtonBarRect(slots);
    EXPECT_NEAR(bar.CenterX(), w / 2, 1e-3f);
    EXPECT_NEAR(bar.left, slots.front().left, 1e-3f);
    EXPECT_NEAR(bar.right, slots.back().right, 1e-3f);
  }
  EXPECT_TRUE(LayoutButtonBar(0, 2.94f, 800, 600).empty());
  const ScreenRect cheat = CheatButtonRect(2.0f, 800, 600);
  EXPECT_NEAR(cheat.CenterY(), 180.0f, 1e-3f);
  EXPECT_NEAR(cheat.left, 6.0f, 1e-3f);
}

TEST(MenuRules, TheWelcomeBlockHangsFromTheRightEdgeAndIsAsWideAsItsWiderPart) {
  for (auto [textAspect, buttonAspect] : {std::pair{10.0f, 3.63f}, std::pair{2.0f, 3.63f}}) {
    const WelcomeLayout l = LayoutWelcome(textAspect, buttonAspect, 800, 600);
    EXPECT_NEAR(l.block.right, 800 - 6, 1e-3f);
    EXPECT_NEAR(l.block.CenterY(), 0.28f * 600, 1e-3f);
    EXPECT_NEAR(l.block.Width(), std::max(l.text.Width(), l.button.Width()), 1e-3f);
    EXPECT_LE(l.text.bottom, l.button.top);
    EXPECT_NEAR(l.text.CenterX(), l.button.CenterX(), 1e-3f);
  }
}

TEST(MenuRules, PlayDialogAndPlayerListProportions) {
  const PlayDialogLayout p = LayoutPlayDialog(3.63f, 2.94f, 800, 600);
  const float u = 30;
  EXPECT_NEAR(p.frame.Width(), 180 + u * 3.63f, 1e-3f);
  EXPECT_NEAR(p.frame.Height(), 180 + 3.5f * u, 1e-3f);
  EXPECT_NEAR(p.buttons[1].CenterY() - p.buttons[0].CenterY(), 1.25f * u, 1e-3f);
  EXPECT_NEAR(p.buttons[2].Height(), 1.2f * u, 1e-3f);
  for (const ScreenRect& b : p.buttons) EXPECT_TRUE(b.top > p.frame.top && b.bottom < p.frame.bottom);

  const struct {
    int rows;
    float row, area;
  } table[] = {{0, 30, 180},  {1, 30, 180},           {6, 30, 180}, {7, 30, 210},
               {12, 30, 360}, {13, 360.0f / 13, 360}, {40, 9, 360}};
  for (const auto& t : table) {
    EXPECT_NEAR(PlayerRowHeight(t.rows, 600), t.row, 1e-3f) << t.rows;
    EXPECT_NEAR(PlayerListAreaHeight(t.rows, 600, 600), t.area, 1e-3f) << t.rows;
  }
}

TEST(MenuRules, OnlyTheHalfWithTheOtherCardIsLive) {
  const struct {
    float x;
    bool rookie, live;
  } table[] = {{0.2f, false, false}, {0.7f, false, true},   {0.2f, true, true},  {0.7f, true, false},
               {0.5f, false, true},  {-0.1f, false, false}, {1.1f, true, false}, {NAN, true, false}};
  for (const auto& t : table) EXPECT_EQ(ModePictureHalfIsLive(t.x, t.rookie), t.live) << t.x << t.rookie;
}

TEST(MenuRules, TheNameEditorTrimsSpacesAndRefusesNothing) {
  const std::pair<const char*, const char*> table[] = {
      {" Holmes ", "Holmes"},   {"A", "A"},        {"   ", ""}, {"", ""},
      {"Mary Ann", "Mary Ann"}, {"  x y  ", "x y"}};
  for (auto [typed, accepted] : table) EXPECT_EQ(TrimmedPlayerName(typed), accepted) << typed;
}

TEST(BestTimes, EntryRulesOrderCutAndDamagedTimes) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<ProfileTimes> profiles = {
      {"Done", 0, 5000, 2},     // finished only: once, as complete
      {"Fresh", 0, 0, 1},       // nothing yet: once, 00:00:00 at its stage
      {"Both", 700, 4000, 1},   // finished and playing again: twice
      {"Broken", nan, 0, 0},    // damaged times are left out, never sorted
      {"Huge", 1e30f, inf, 0},  // out of range: nothing
      {"Negative", -5, 0, 0},   // a negative time is damage too
  };
  const std::vector<BestTimeEntry> expected = {
      {"Fresh", 1, 0}, {"Both", 1, 700}, {"Both", 4, 4000}, {"Done", 4, 5000}};
  EXPECT_EQ(BuildBestTimes(profiles, 4), expected);

  // Eleven games in progress: the ten fastest show, ties keep the folder's order.
  std::vector<ProfileTimes> many;
  for (int i = 0; i < 11; ++i) many.push_back({"P" + std::to_string(i), float(1100 - 100 * i), 0, 0});
  many.push_back({"Tie", 200, 0, 0});
  const auto shown = BuildBestTimes(many, 4);
  ASSERT_EQ(shown.size(), 10u);
  EXPECT_EQ(shown[0].name, "P10");
  EXPECT_EQ(shown[1].name, "P9");
  EXPECT_EQ(shown[2].name, "Tie");
  for (size_t i = 1; i < shown.size(); ++i) EXPECT_LE(shown[i - 1].time, shown[i].time);
}

TEST(BestTimes, StageColumnAndTimeFormat) {
  EXPECT_EQ(StageColumnText(3, 3, std::nullopt, "Case closed"), "Case closed");
  EXPECT_EQ(StageColumnText(9, 3, "Ignored", "Case closed"), "Case closed");
  EXPECT_EQ(StageColumnText(1, 3, "Dock Four", "Case closed"), "Dock Four");
  EXPECT_EQ(StageColumnText(2, 3, std::nullopt, "Case closed"), "(?]");
  EXPECT_EQ(StageColumnText(-1, 3, std::nullopt, "Case closed"), "(?]");
  const std::pair<float, const char*> times[] = {
      {3725.9f, "01:02:05"}, {0, "00:00:00"},      {59.99f, "00:00:59"}, {3600, "01:00:00"},
      {359999, "99:59:59"},  {1e30f, "100:00:00"}, {-4, "00:00:00"},     {NAN, "00:00:00"}};
  for (auto [seconds, shown] : times) EXPECT_EQ(FormatBestTime(seconds), shown) << seconds;
}

}  // namespace
