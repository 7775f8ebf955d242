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
#include "scene/scene_context.h"
#include "ui/button_style.h"
#include "ui/pushbutton.h"
#include "ui/tooltip.h"

using maptest::MapTest;

namespace {

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

const SceneTarget kBetaYard{TypeId::kSearchEnvironment, "Beta_Yard.xml"};
const SceneTarget kEpilogue{TypeId::kEpilogueEnvironment, std::nullopt};

class MapSceneTest : public MapTest {
 protected:
  // Goes to the map through a transition, as the story does, and runs until it has arrived.
  CMapEnvironment* Arrive(const char* name) {
    StartTransition(TypeId::kMapEnvironment, name);
    RunUntil(now_ + 1.05f);
    return static_cast<CMapEnvironment*>(GetCurrentEnvironmentOfType(TypeId::kMapEnvironment));
  }
};

TEST_F(MapSceneTest, TheDemoMapsBuildIconsLabelsRouteAndSkip) {
  struct Case {
    const char* name;
    size_t lines;
    float bureau, lantern, docks, barn;  // icon sizes: the places travelled from and to are larger
  } cases[] = {
      {"ToTheDocks", 3, 56, 44, 56, 44},
      {"ToLanternStreet", 2, 44, 56, 56, 44},
      {"ToTheCarBarn", 2, 44, 56, 44, 56},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* map = static_cast<CMapEnvironment*>(BuildMapEnvironment(c.name));
    ASSERT_FALSE(map->IsStandIn());
    EXPECT_EQ(GetCurrentEnvironment(), map);
    EXPECT_FLOAT_EQ(map->RouteTime(), 8.0f);
    ASSERT_EQ(map->Icons().size(), 4u);
    const float sizes[4] = {c.bureau, c.lantern, c.docks, c.barn};
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_NEAR(map->Icons()[i]->GetScreenRect().Height(), sizes[i] / 768.0f * kH, 1e-3f) << i;
      EXPECT_NEAR(map->Icons()[i]->GetDepth(), 0.2f, 1e-6f);
    }
    EXPECT_EQ(map->Labels().size(), 4u);
    EXPECT_EQ(Lines().size(), c.lines);
    for (CExtensibleLine* line : Lines()) {
      EXPECT_EQ(line->GetParent(), map);
      EXPECT_NEAR(line->GetDepth(), 0.1f, 1e-6f);
      EXPECT_FALSE(line->Started()) << "the route waits for the scene to arrive";
    }
    // Skip: bottom right, 0.05 of the height high, above the map.
    CPushbutton* skip = map->SkipButton();
    ASSERT_NE(skip, nullptr);
    EXPECT_EQ(skip->GetId(), kCodeSkipMap);
    EXPECT_EQ(skip->GetLabelText(), "Skip");
    const ScreenRect r = skip->GetScreenRect();
    EXPECT_NEAR(r.Height(), 0.05f * kH, 1e-3f);
    EXPECT_GT(r.left, kW * 0.8f);
    EXPECT_LT(r.right, float(kW));
    EXPECT_GT(r.top, kH * 0.9f);
    EXPECT_LT(r.bottom, float(kH));
    EXPECT_NEAR(skip->GetDepth(), 0.3f, 1e-6f);
    EXPECT_EQ(map->CountsPlayTime(), 0);
    delete map;
    EXPECT_EQ(CountExtensibleLines(), 0);
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(MapSceneTest, LabelsSitBesideTheirIconsAndStay) {
  auto* map = static_cast<CMapEnvironment*>(BuildMapEnvironment("ToTheDocks"));
  ASSERT_EQ(map->Labels().size(), 4u);
  const int positions[4] = {kLabelAboveRight, kLabelBelowRight, kLabelBelowLeft, kLabelAboveLeft};
  const char* texts[4] = {"MapBureau", "MapLantern", "MapDocks", "MapBarn"};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(texts[i]);
    const CMapEnvironment::Label& label = map->Labels()[i];
    EXPECT_EQ(label.tooltip->GetText(), texts[i]);
    EXPECT_EQ(label.position, positions[i]);
    EXPECT_EQ(label.lines, i == 3 ? 2 : 1);
    EXPECT_TRUE(label.tooltip->GetTooltipFlags() & kTooltipSticky);
    const ScreenRect icon = label.icon->GetScreenRect(), frame = label.tooltip->GetFullFrame();
    // The frame touches the icon's corner on the side the position names.
    const bool left = positions[i] == kLabelAboveLeft || positions[i] == kLabelBelowLeft;
    const bool above = positions[i] == kLabelAboveLeft || positions[i] == kLabelAboveRight;
    EXPECT_NEAR(left ? frame.right : frame.left, left ? icon.left : icon.right, 0.5f);
    EXPECT_NEAR(above ? frame.bottom : frame.top, above ? icon.top : icon.bottom, 0.5f);
    EXPECT_NEAR(frame.Height(), (label.lines + 0.5f) * 0.05f * kH, 0.5f);
  }
  // Sticky: still fully there long after, with nobody pointing at them.
  RunUntil(3.0f);
  for (const auto& label : map->Labels()) EXPECT_FLOAT_EQ(label.tooltip->CurrentOpacity(), 1.0f);
  // A new client size moves them with their icons.
  SetClientSize(1024, 768);
  map->RestoreDeviceObjects(device_);
  const auto& bureau = map->Labels()[0];
  EXPECT_NEAR(bureau.tooltip->GetFullFrame().left, bureau.icon->GetScreenRect().right, 0.5f);
  EXPECT_NEAR(bureau.tooltip->GetFullFrame().bottom, bureau.icon->GetScreenRect().top, 0.5f);
  SetClientSize(kW, kH);
}

TEST_F(MapSceneTest, RouteLinesFollowOneAnotherSharingTheTimeByLength) {
  AtStage(1);
  for (float dt : {0.02f, 0.3f}) {  // coarse frames end the route on time as well
    SCOPED_TRACE(dt);
    StartTransition(TypeId::kMapEnvironment, "TwoLines");
    const float t0 = now_;
    RunUntil(t0 + 0.5f + dt, dt);
    ASSERT_NE(GetCurrentEnvironmentOfType(TypeId::kMapEnvironment), nullptr);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0]->Started());
    RunUntil(t0 + 1.0f + dt, dt);  // the arrival: the route starts with the map's 10 s
    ASSERT_EQ(GetShutter(), nullptr);
    const float start = lines[0]->StartTime();
    EXPECT_NEAR(start, t0 + 1.0f, dt + 1e-3f);
    EXPECT_FLOAT_EQ(lines[0]->Duration(), 2.5f);
    EXPECT_FLOAT_EQ(lines[1]->Duration(), 7.5f);
    EXPECT_FALSE(lines[1]->Started());
    RunUntil(start + 1.25f, dt);
    EXPECT_NEAR(lines[0]->Fraction(), (now_ - start) / 2.5f, 1e-4f);
    RunUntil(start + 2.5f + dt, dt);
    EXPECT_TRUE(lines[0]->Finished());
    ASSERT_TRUE(lines[1]->Started());
    EXPECT_FLOAT_EQ(lines[1]->StartTime(), start + 2.5f) << "the second begins when the first ends";
    RunUntil(start + 9.9f, dt);
    EXPECT_FALSE(lines[1]->Finished());
    EXPECT_EQ(GetShutter(), nullptr);
    RunUntil(start + 10.0f + dt, dt);
    EXPECT_TRUE(lines[1]->Finished());
    EXPECT_EQ(ShutterTarget(), kBetaYard) << "the end of the route travels on";
    RunUntil(now_ + 1.0f + dt, dt);  // no venue scene yet: the transition fades back onto the map
    ASSERT_EQ(GetShutter(), nullptr);
  }
}

TEST_F(MapSceneTest, NoTimeOrNoLengthFinishesAtOnceAndDrawsNoPoint) {
  AtStage(1);
  struct Case {
    float time;
    std::vector<MapLine> lines;
  } cases[] = {
      {0.0f, {{0, 0, 100, 0, 6}, {100, 0, 100, 100, 6}}},
      {-2.0f, {{0, 0, 100, 0, 6}}},
      {10.0f, {{50, 50, 50, 50, 6}, {80, 80, 80, 80, 6}}},  // points only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    MapDescription d;
    d.time = c.time;
    d.lines = c.lines;
    auto* map = new CMapEnvironment(&d);
    map->OnNotify(nullptr, kCodeTransitionDone);
    RunAt(now_ + 0.02f);
    for (CExtensibleLine* line : Lines()) {
      EXPECT_TRUE(line->Finished());
      EXPECT_FLOAT_EQ(line->Fraction(), 1.0f);
      EXPECT_TRUE(std::isfinite(line->Duration()) && line->Duration() == 0.0f);
    }
    EXPECT_EQ(ShutterTarget(), kBetaYard);
    // A zero-length line draws nothing at all.
    Rec()->ClearRecords();
    for (CExtensibleLine* line : Lines()) line->Render(device_);
    const bool points = c.lines[0].startX == c.lines[0].endX && c.lines[0].startY == c.lines[0].endY;
    EXPECT_EQ(Rec()->Draws().empty(), points);
    RunUntil(now_ + 1.1f);
    delete map;
  }
}

TEST_F(MapSceneTest, AMapWithoutLinesWaitsForSkip) {
  AtStage(1);
  CMapEnvironment* map = Arrive("NoLines");
  ASSERT_NE(map, nullptr);
  RunUntil(now_ + 30.0f, 0.5f);
  EXPECT_EQ(GetShutter(), nullptr) << "no route, no end of route";
  map->OnNotify(map->SkipButton(), kCodeSkipMap);
  EXPECT_EQ(ShutterTarget(), kBetaYard);
}

TEST_F(MapSceneTest, SkipEscAndTheRouteEndTravelToTheStageStartOrTheEpilogue) {
  struct Case {
    int stage;
    SceneTarget target;
  } stages[] = {
      {0, {TypeId::kSearchEnvironment, "Alpha_Start.xml"}},
      {1, kBetaYard},
      {2, kEpilogue},  // a stage without venues
      {3, kEpilogue},  // past the last stage
  };
  enum How { kSkip, kEscape, kRouteEnd };
  for (const Case& c : stages) {
    for (How how : {kSkip, kEscape, kRouteEnd}) {
      SCOPED_TRACE(testing::Message() << "stage " << c.stage << ", way " << how);
      AtStage(c.stage);
      CMapEnvironment* map = Arrive("TwoLines");
      ASSERT_NE(map, nullptr);
      ASSERT_EQ(GetShutter(), nullptr);
      EXPECT_EQ(TravelOnTarget(), c.target);
      if (how == kSkip) {
        map->OnNotify(map->SkipButton(), kCodeSkipMap);
      } else if (how == kEscape) {
        EXPECT_EQ(EscapeCurrentEnvironment(), 1);
      } else {
        RunUntil(now_ + 10.5f);
      }
      EXPECT_EQ(ShutterTarget(), c.target);
      // Again while the transition runs: nothing new happens.
      CShutter* running = GetShutter();
      map->OnNotify(map->SkipButton(), kCodeSkipMap);
      EscapeCurrentEnvironment();
      EXPECT_EQ(GetShutter(), running);
      RunUntil(now_ + 1.1f);
    }
  }
}

TEST_F(MapSceneTest, SkipDuringTheArrivalDoesNothing) {
  AtStage(0);
  CShutter* arriving = StartTransition(TypeId::kMapEnvironment, "ToTheDocks");
  RunUntil(0.6f);
  auto* map = static_cast<CMapEnvironment*>(GetCurrentEnvironmentOfType(TypeId::kMapEnvironment));
  ASSERT_NE(map, nullptr);
  map->OnNotify(map->SkipButton(), kCodeSkipMap);
  map->OnEscape();
  EXPECT_EQ(GetShutter(), arriving);
  EXPECT_EQ(ShutterTarget(), (SceneTarget{TypeId::kMapEnvironment, "ToTheDocks"}));
}

TEST_F(MapSceneTest, AMapThatCannotBeReadTravelsOnDirectly) {
  struct Case {
    int stage;  // -1: no story map open
    SceneTarget target;
  } cases[] = {
      {1, kBetaYard},
      {2, kEpilogue},
      {-1, {TypeId::kMainEnvironment, std::nullopt}},  // never the epilogue without a story
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    if (c.stage < 0) {
      CloseGameMap();
    } else {
      AtStage(c.stage);
    }
    boxes.clear();
    StartTransition(TypeId::kMapEnvironment, "NoSuchMap");
    RunUntil(now_ + 0.6f);
    auto* standIn = static_cast<CMapEnvironment*>(GetCurrentEnvironmentOfType(TypeId::kMapEnvironment));
    ASSERT_NE(standIn, nullptr) << "the transition does not fade back to the finished venue";
    EXPECT_TRUE(standIn->IsStandIn());
    EXPECT_NE(standIn->SkipButton(), nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Map\\NoSuchMap.xml"), std::string::npos) << boxes[0];
    RunUntil(now_ + 0.3f);
    EXPECT_EQ(ShutterTarget(), (SceneTarget{TypeId::kMapEnvironment, "NoSuchMap"}));
    RunUntil(now_ + 0.2f);  // arrived: straight on
    EXPECT_EQ(ShutterTarget(), c.target);
    RunUntil(now_ + 1.1f);
  }
}

TEST_F(MapSceneTest, LinesAreDrawnAsGrowingStripsWithPixelCaps) {
  AtStage(1);
  MapDescription d;
  d.time = 4.0f;
  // 400 px right, then 300 px down: one normalized unit each, so 2 s each.
  d.lines = {{128, 96, 640, 96, 12}, {640, 96, 640, 480, 12}};
  auto* map = new CMapEnvironment(&d);
  auto lines = Lines();
  Rec()->ClearRecords();
  for (CExtensibleLine* l : lines) l->Render(device_);
  EXPECT_TRUE(Rec()->Draws().empty()) << "nothing before the route starts";

  map->OnNotify(nullptr, kCodeTransitionDone);
  Rec()->ClearRecords();
  lines[0]->Render(device_);
  ASSERT_EQ(Rec()->Draws().size(), 1u) << "not grown yet: a dot on the start point";
  EXPECT_FALSE(Rec()->Draws()[0].indexed);

  RunAt(now_ + 1.0f);
  ASSERT_NEAR(lines[0]->Fraction(), 0.5f, 1e-4f);
  Rec()->ClearRecords();
  lines[0]->Render(device_);
  ASSERT_EQ(Rec()->Draws().size(), 1u);
  const gfx::NullDraw& draw = Rec()->Draws()[0];
  EXPECT_TRUE(draw.indexed);
  EXPECT_EQ(draw.primitiveCount, 6u);
  EXPECT_EQ(draw.material.emissive.g, 128.0f / 255.0f) << "green ink";
  // Map the outer columns to pixels: the caps reach half a thickness (4.5 px at 600 high) past
  // the start point and past the drawn end.
  auto pixel = [&](const gfx::VertexPosUv& v) {
    const gfx::Matrix& m = draw.world;
    const float cx = v.x * m.m[0][0] + v.y * m.m[1][0] + m.m[3][0];
    const float cy = v.x * m.m[0][1] + v.y * m.m[1][1] + m.m[3][1];
    return std::pair{(cx + 1.0f) * 0.5f * kW, (1.0f - cy) * 0.5f * kH};
  };
  const float half = 12.0f / 768.0f * kH / 2;
  const auto first = pixel(draw.Vertex<gfx::VertexPosUv>(0)), inner = pixel(draw.Vertex<gfx::VertexPosUv>(1));
  const auto last = pixel(draw.Vertex<gfx::VertexPosUv>(3));
  EXPECT_NEAR(inner.first, 100.0f, 0.01f);
  EXPECT_NEAR(first.first, 100.0f - half, 0.01f);
  EXPECT_NEAR(last.first, 100.0f + 200.0f + half, 0.01f);
  EXPECT_NEAR(first.second, 75.0f - half, 0.01f);
  EXPECT_FALSE(lines[1]->Started());
  Rec()->ClearRecords();
  lines[1]->Render(device_);
  EXPECT_TRUE(Rec()->Draws().empty()) << "a line not started is not drawn";
  // The dump and geometry queries see the drawn part.
  EXPECT_NEAR(lines[0]->GetScreenRect().Width(), 200.0f, 0.01f);
  RunUntil(now_ + 3.1f);
  EXPECT_TRUE(lines[1]->Finished());
  EXPECT_NEAR(lines[1]->GetScreenRect().Width(), 300.0f, 0.01f);
  EXPECT_NEAR(lines[1]->GetScreenRect().angle, float(M_PI / 2), 1e-5f);
}

}  // namespace
