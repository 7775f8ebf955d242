// The map scene on the null device: what it builds, how the route is drawn in time, and where
// Skip, Esc and the end of the route take the player.
#include <gtest/gtest.h>

#include <cmath>

#include "flow/extensible_line.h"
#include "flow/map_environment.h"
#include "flow/shutter.h"
#include "flow/travel_target.h"
#include "map/map_fixture.h"
#include "player/game_map.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"
#include "ui/tooltip.h"

namespace {

const SceneTarget kBetaYard{TypeId::kSearchEnvironment, "Beta_Yard.xml"};
const SceneTarget kEpilogue{TypeId::kEpilogueEnvironment, std::nullopt};

std::vector<CExtensibleLine*> Lines() {
  std::vector<CExtensibleLine*> out;
  for (CExtensibleLine* l = FirstExtensibleLine(); l; l = l->Next()) out.push_back(l);
  return out;
}

SceneTarget ShutterTarget() {
  CShutter* s = GetShutter();
  if (!s) return {};
  return {s->ClassId(), s->Argument() ? std::optional<std::string>(s->Argument()) : std::nullopt};
}

class MapSceneTest : public maptest::MapTest {
 protected:
  // Goes to the map through a transition, as the story does, and runs until it has arrived.
  CMapEnvironment* Arrive(const char* name, float dt = 0.02f) {
    StartTransition(TypeId::kMapEnvironment, name);
    RunUntil(now_ + 1.0f + dt, dt);
    return static_cast<CMapEnvironment*>(GetCurrentEnvironmentOfType(TypeId::kMapEnvironment));
  }
};

TEST_F(MapSceneTest, TheDemoMapsShowLabelledIconsAWaitingRouteAndSkip) {
  for (auto [name, lines, larger] : {std::tuple{"ToTheDocks", 3u, 0b1010},
                                     {"ToLanternStreet", 2u, 0b0110},
                                     {"ToTheCarBarn", 2u, 0b0101}}) {
    SCOPED_TRACE(name);
    auto* map = static_cast<CMapEnvironment*>(BuildMapEnvironment(name));
    ASSERT_FALSE(map->IsStandIn());
    EXPECT_FLOAT_EQ(map->RouteTime(), 8.0f);
    ASSERT_EQ(map->Icons().size(), 4u);
    ASSERT_EQ(map->Labels().size(), 4u);
    for (size_t i = 0; i < 4; ++i) {  // Bureau, Lantern, Docks, Barn: the places travelled between are larger
      const float size = (larger & (8 >> i)) ? 56.0f : 44.0f;
      EXPECT_NEAR(map->Icons()[i]->GetScreenRect().Height(), size / 768.0f * kH, 1e-3f) << i;
      // Each label's frame meets its icon's corner on the side its position names, and stays.
      const CMapEnvironment::Label& label = map->Labels()[i];
      const ScreenRect icon = label.icon->GetScreenRect(), frame = label.tooltip->GetFullFrame();
      const bool left = label.position == kLabelAboveLeft || label.position == kLabelBelowLeft;
      const bool above = label.position == kLabelAboveLeft || label.position == kLabelAboveRight;
      EXPECT_NEAR(left ? frame.right : frame.left, left ? icon.left : icon.right, 0.5f) << i;
      EXPECT_NEAR(above ? frame.bottom : frame.top, above ? icon.top : icon.bottom, 0.5f) << i;
      EXPECT_NEAR(frame.Height(), (label.lines + 0.5f) * 0.05f * kH, 0.5f) << i;
      EXPECT_TRUE(label.tooltip->GetTooltipFlags() & kTooltipSticky);
    }
    EXPECT_EQ(map->Labels()[3].lines, 2) << "the car barn's label has two lines";
    EXPECT_EQ(Lines().size(), lines);
    for (CExtensibleLine* line : Lines()) EXPECT_FALSE(line->Started()) << "waits for the arrival";
    const ScreenRect skip = map->SkipButton()->GetScreenRect();
    EXPECT_EQ(map->SkipButton()->GetId(), kCodeSkipMap);
    EXPECT_NEAR(skip.Height(), 0.05f * kH, 1e-3f);
    EXPECT_TRUE(skip.left > kW * 0.8f && skip.right < kW && skip.top > kH * 0.9f && skip.bottom < kH);
    EXPECT_EQ(map->CountsPlayTime(), 0);
    delete map;
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MapSceneTest, RouteLinesFollowOneAnotherSharingTheTimeByLength) {
  AtStage(1);
  for (float dt : {0.02f, 0.3f}) {  // coarse frames keep the route's time as well
    SCOPED_TRACE(dt);
    const float t0 = now_;
    ASSERT_NE(Arrive("TwoLines", dt), nullptr);  // lines of 1 and 3 units, 10 s
    const auto lines = Lines();
    const float start = lines[0]->StartTime();
    EXPECT_NEAR(start, t0 + 1.0f, dt + 1e-3f);
    EXPECT_EQ((std::array{lines[0]->Duration(), lines[1]->Duration()}), (std::array{2.5f, 7.5f}));
    RunUntil(start + 1.25f, dt);
    EXPECT_NEAR(lines[0]->Fraction(), (now_ - start) / 2.5f, 1e-4f);
    EXPECT_FALSE(lines[1]->Started());
    RunUntil(start + 2.5f + dt, dt);
    EXPECT_TRUE(lines[0]->Finished());
    EXPECT_FLOAT_EQ(lines[1]->StartTime(), start + 2.5f) << "the second begins when the first ends";
    RunUntil(start + 9.9f, dt);
    EXPECT_EQ(GetShutter(), nullptr);
    RunUntil(start + 10.0f + dt, dt);
    EXPECT_TRUE(lines[1]->Finished());
    EXPECT_EQ(ShutterTarget(), kBetaYard) << "the end of the route travels on";
    RunUntil(now_ + 1.0f + dt, dt);  // no venue scene yet: the transition fades back onto the map
  }
}

TEST_F(MapSceneTest, NoTimeOrNoLengthFinishesAtOnceAndPointsAreNotDrawn) {
  AtStage(1);
  for (auto [time, x1] : {std::pair{0.0f, 100.0f}, {-2.0f, 100.0f}, {10.0f, 0.0f}}) {
    MapDescription d;
    d.time = time;
    d.lines = {{0, 0, x1, 0, 6}, {x1, 0, x1, 0, 6}};
    auto* map = new CMapEnvironment(&d);
    map->OnNotify(nullptr, kCodeTransitionDone);
    RunAt(now_ + 0.02f);
    for (CExtensibleLine* line : Lines()) EXPECT_TRUE(line->Finished() && line->Duration() == 0.0f);
    EXPECT_EQ(ShutterTarget(), kBetaYard);
    Rec()->ClearRecords();
    for (CExtensibleLine* line : Lines()) line->Render(device_);
    EXPECT_EQ(Rec()->Draws().size(), x1 > 0 ? 1u : 0u) << "time " << time;
    RunUntil(now_ + 1.1f);
    delete map;
  }
}

TEST_F(MapSceneTest, SkipEscAndTheRouteEndTravelToTheStageStartOrTheEpilogue) {
  struct Case {
    int stage;
    SceneTarget target;
  } stages[] = {
      {0, {TypeId::kSearchEnvironment, "Alpha_Start.xml"}}, {1, kBetaYard}, {2, kEpilogue}, {3, kEpilogue}};
  for (const Case& c : stages) {
    for (int how = 0; how < 3; ++how) {  // Skip, Esc, the route's end
      SCOPED_TRACE(testing::Message() << "stage " << c.stage << ", way " << how);
      AtStage(c.stage);
      CShutter* arriving = StartTransition(TypeId::kMapEnvironment, "TwoLines");
      RunUntil(now_ + 0.6f);
      auto* map = static_cast<CMapEnvironment*>(GetCurrentEnvironmentOfType(TypeId::kMapEnvironment));
      map->OnNotify(map->SkipButton(), kCodeSkipMap);  // during the arrival: nothing
      EXPECT_EQ(GetShutter(), arriving);
      RunUntil(now_ + 0.5f);
      ASSERT_EQ(GetShutter(), nullptr);
      if (how == 0) {
        map->OnNotify(map->SkipButton(), kCodeSkipMap);
      } else if (how == 1) {
        EXPECT_EQ(EscapeCurrentEnvironment(), 1);
      } else {
        RunUntil(now_ + 10.0f);
      }
      EXPECT_EQ(ShutterTarget(), c.target);
      CShutter* leaving = GetShutter();
      map->OnNotify(map->SkipButton(), kCodeSkipMap);
      EXPECT_EQ(GetShutter(), leaving) << "a second request is dropped";
      RunUntil(now_ + 1.1f);
    }
  }
  // A map without lines has no end: only Skip leaves it.
  CMapEnvironment* map = Arrive("NoLines");
  RunUntil(now_ + 30.0f, 0.5f);
  EXPECT_EQ(GetShutter(), nullptr);
  map->OnEscape();
  EXPECT_EQ(ShutterTarget(), kEpilogue);
}

TEST_F(MapSceneTest, AMapThatCannotBeReadTravelsOnDirectly) {
  const SceneTarget kMenu{TypeId::kMainEnvironment, std::nullopt};  // never the epilogue without a story
  for (auto [stage, target] : {std::pair{1, kBetaYard}, {2, kEpilogue}, {-1, kMenu}}) {
    SCOPED_TRACE(stage);
    if (stage < 0) CloseGameMap();
    AtStage(std::max(stage, 0));
    boxes.clear();
    StartTransition(TypeId::kMapEnvironment, "NoSuchMap");
    RunUntil(now_ + 0.9f);
    auto* standIn = static_cast<CMapEnvironment*>(GetCurrentEnvironmentOfType(TypeId::kMapEnvironment));
    ASSERT_NE(standIn, nullptr) << "no fading back to the finished venue";
    EXPECT_TRUE(standIn->IsStandIn() && standIn->SkipButton());
    EXPECT_EQ(boxes, std::vector<std::string>{"Map: Failed to open map \"Map\\NoSuchMap.xml\""});
    RunUntil(now_ + 0.2f);  // arrived: straight on
    EXPECT_EQ(ShutterTarget(), target);
    RunUntil(now_ + 1.1f);
  }
}

TEST_F(MapSceneTest, LinesAreDrawnAsGrowingStripsWithPixelCaps) {
  AtStage(1);
  MapDescription d;
  d.time = 4.0f;  // 400 px right, then 300 px down: one normalized unit each, so 2 s each
  d.lines = {{128, 96, 640, 96, 12}, {640, 96, 640, 480, 12}};
  auto* map = new CMapEnvironment(&d);
  const auto lines = Lines();
  lines[0]->Render(device_);
  EXPECT_TRUE(Rec()->Draws().empty()) << "nothing before the route starts";
  map->OnNotify(nullptr, kCodeTransitionDone);
  lines[0]->Render(device_);
  ASSERT_EQ(Rec()->Draws().size(), 1u) << "not grown yet: a dot on the start point";
  EXPECT_FALSE(Rec()->Draws()[0].indexed);

  RunAt(now_ + 1.0f);
  Rec()->ClearRecords();
  for (CExtensibleLine* l : lines) l->Render(device_);
  ASSERT_EQ(Rec()->Draws().size(), 1u) << "the second line has not started";
  const gfx::NullDraw& draw = Rec()->Draws()[0];
  EXPECT_TRUE(draw.indexed && draw.primitiveCount == 6u);
  EXPECT_EQ(draw.material.emissive.g, 128.0f / 255.0f) << "green ink";
  auto pixel = [&](int i) {  // clip space back to pixels
    const auto v = draw.Vertex<gfx::VertexPosUv>(size_t(i));
    const gfx::Matrix& m = draw.world;
    return std::pair{(v.x * m.m[0][0] + v.y * m.m[1][0] + m.m[3][0] + 1.0f) * 0.5f * kW,
                     (1.0f - (v.x * m.m[0][1] + v.y * m.m[1][1] + m.m[3][1])) * 0.5f * kH};
  };
  // Half done: the caps reach half a thickness (4.5 px at 600 high) past the start and the drawn end.
  const float half = 12.0f / 768.0f * kH / 2;
  EXPECT_NEAR(pixel(0).first, 100.0f - half, 0.01f);
  EXPECT_NEAR(pixel(1).first, 100.0f, 0.01f);
  EXPECT_NEAR(pixel(3).first, 300.0f + half, 0.01f);
  EXPECT_NEAR(pixel(0).second, 75.0f - half, 0.01f);
  EXPECT_NEAR(lines[0]->GetScreenRect().Width(), 200.0f, 0.01f) << "placement follows the drawn part";
  RunUntil(now_ + 3.1f);
  EXPECT_NEAR(lines[1]->GetScreenRect().Width(), 300.0f, 0.01f);
  EXPECT_NEAR(lines[1]->GetScreenRect().angle, float(M_PI / 2), 1e-5f);
}

}  // namespace
