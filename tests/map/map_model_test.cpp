// The map's rules without a scene: reading map files, placing icons and labels, sharing the
// route's time and the strip a growing line is drawn as.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/xml_document.h"
#include "flow/map_description.h"
#include "flow/route_geometry.h"
#include "ui/button_style.h"

namespace {

std::optional<MapDescription> Parse(const std::string& xml) {
  XmlDocument doc;
  doc.LoadBytes(xml.data(), xml.size());
  return ReadMapDescription(doc);
}

TEST(MapFile, RootAttributesAndTheirDefaults) {
  const float kInf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* root;
    const char* background;
    float time;
  } cases[] = {
      {R"(<Map Background="Vardell.jpg" Time="8"/>)", "Vardell.jpg", 8.0f},
      {R"(<Map/>)", "", 10.0f},  // no picture, the default time
      {R"(<Map Time="2.5"/>)", "", 2.5f},
      {R"(<Map Time="0"/>)", "", 0.0f},      // kept: the route then finishes at once
      {R"(<Map Time="-3"/>)", "", -3.0f},    // likewise
      {R"(<Map Time="soon"/>)", "", 10.0f},  // not a number
      {R"(<Map Time="nan"/>)", "", 10.0f},   // not finite
      {R"(<Map Time="inf"/>)", "", 10.0f},
      {R"(<Map Time="1e400"/>)", "", 10.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.root);
    const auto map = Parse(c.root);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->background, c.background);
    EXPECT_FLOAT_EQ(map->time, c.time);
    EXPECT_NE(map->time, kInf);
    EXPECT_TRUE(map->icons.empty() && map->lines.empty());
  }
  EXPECT_FALSE(Parse("")) << "no document element, no map";
  EXPECT_FALSE(Parse("<Map><unclosed></Map>"));
}

TEST(MapFile, IconsAndLinesAreCheckedWhereTheyAreRead) {
  const auto map = Parse(R"(<Map>
    <Icons>
      <Icon Image="A.png" Size="56" Coords="210,180" Name="MapBureau" Position="1"/>
      <Icon Size="56" Coords="1,1" Name="NoPicture"/>
      <Icon Image="" Size="56"/>
      <!-- a comment is not an icon -->
      <Place Image="B.png" Size="-4" Coords="1e30,-1e30" Name="" Position="9"/>
      <Icon Image="C.png" Coords="7"/>
    </Icons>
    <Lines>
      <Line Start="1,2" End="3,4" Width="6"/>
      <Road Start="nan,2" End="3" Width="-1"/>
      <Line/>
    </Lines>
  </Map>)");
  ASSERT_TRUE(map);
  ASSERT_EQ(map->icons.size(), 3u) << "icons without a picture are skipped";
  const MapIcon& a = map->icons[0];
  EXPECT_EQ(a.image, "A.png");
  EXPECT_FLOAT_EQ(a.size, 56.0f);
  EXPECT_FLOAT_EQ(a.x, 210.0f);
  EXPECT_FLOAT_EQ(a.y, 180.0f);
  EXPECT_EQ(a.name, "MapBureau");
  EXPECT_EQ(a.position, kLabelAboveRight);
  const MapIcon& b = map->icons[1];  // any element name; every number brought into range
  EXPECT_EQ(b.image, "B.png");
  EXPECT_EQ(b.size, 0.0f);
  EXPECT_GT(b.x, 1024.0f);
  EXPECT_LT(b.y, 0.0f);
  EXPECT_TRUE(std::isfinite(b.x * b.x + b.y * b.y));
  EXPECT_FALSE(b.name) << "an empty key is no label";
  EXPECT_EQ(b.position, kLabelAboveLeft);
  const MapIcon& c = map->icons[2];
  EXPECT_EQ(c.size, 0.0f);
  EXPECT_EQ(c.x, 0.0f);
  EXPECT_EQ(c.y, 0.0f);
  EXPECT_FALSE(c.name);
  EXPECT_EQ(c.position, kLabelAboveLeft);

  ASSERT_EQ(map->lines.size(), 3u);
  const MapLine& l = map->lines[0];
  EXPECT_EQ((std::array{l.startX, l.startY, l.endX, l.endY, l.width}), (std::array{1.f, 2.f, 3.f, 4.f, 6.f}));
  for (const MapLine& bad : {map->lines[1], map->lines[2]}) {
    EXPECT_EQ((std::array{bad.startX, bad.startY, bad.endX, bad.endY, bad.width}),
              (std::array{0.f, 0.f, 0.f, 0.f, 0.f}));
  }
}

TEST(MapFile, ListsAreBounded) {
  std::string xml = "<Map><Icons>";
  for (size_t i = 0; i < kMaxMapIcons + 5; ++i) xml += R"(<Icon Image="I.png"/>)";
  xml += "</Icons><Lines>";
  for (size_t i = 0; i < kMaxMapLines + 5; ++i) xml += R"(<Line Start="0,0" End="1,1"/>)";
  xml += "</Lines></Map>";
  const auto map = Parse(xml);
  ASSERT_TRUE(map);
  EXPECT_EQ(map->icons.size(), kMaxMapIcons);
  EXPECT_EQ(map->lines.size(), kMaxMapLines);
  EXPECT_EQ(MapMemberName("ToTheDocks"), "Map\\ToTheDocks.xml");
  EXPECT_EQ(MapMemberName(nullptr), "Map\\.xml");
}

TEST(MapLayout, IconsScaleWithTheScreen) {
  MapIcon icon;
  icon.size = 48;
  icon.x = 512;
  icon.y = 192;
  for (auto [w, h] : {std::pair{1024.f, 768.f}, std::pair{800.f, 600.f}, std::pair{1280.f, 960.f}}) {
    const ScreenRect r = MapIconRect(icon, w, h);
    EXPECT_FLOAT_EQ(r.Width(), 48.0f / 768.0f * h);
    EXPECT_FLOAT_EQ(r.Height(), r.Width()) << "square";
    EXPECT_FLOAT_EQ(r.CenterX(), w / 2);
    EXPECT_FLOAT_EQ(r.CenterY(), h / 4);
  }
}

TEST(MapLayout, LabelsStandBesideTheirIconAtTheFourPositions) {
  const ScreenRect icon(300, 200, 340, 240);
  const float W = 800, H = 600, one = 1.5f * 0.05f * H, two = 2.5f * 0.05f * H;
  struct Case {
    int position, lines;
    ScreenRect rect;
    uint32_t flags;
  } cases[] = {
      {kLabelAboveLeft, 1, {0, 200 - one, 300, 200}, kTooltipRightAligned},
      {kLabelAboveRight, 1, {340, 200 - one, W, 200}, kTooltipLeftAligned},
      {kLabelBelowRight, 1, {340, 240, W, 240 + one}, kTooltipLeftAligned},
      {kLabelBelowLeft, 1, {0, 240, 300, 240 + one}, kTooltipRightAligned},
      {kLabelAboveLeft, 2, {0, 200 - two, 300, 200}, kTooltipRightAligned},
      {kLabelBelowRight, 2, {340, 240, W, 240 + two}, kTooltipLeftAligned},
      {kLabelBelowLeft, 0, {0, 240, 300, 240 + one}, kTooltipRightAligned},  // at least one line
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "position " << c.position << ", lines " << c.lines);
    const MapLabelPlace p = MapLabelRect(icon, c.position, c.lines, W, H);
    EXPECT_FLOAT_EQ(p.rect.left, c.rect.left);
    EXPECT_FLOAT_EQ(p.rect.top, c.rect.top);
    EXPECT_FLOAT_EQ(p.rect.right, c.rect.right);
    EXPECT_FLOAT_EQ(p.rect.bottom, c.rect.bottom);
    EXPECT_EQ(p.flags, c.flags);
  }
}

TEST(RouteTime, SharedByLengthNeverNegativeNorNaN) {
  const float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();
  struct Case {
    float total;
    std::vector<float> lengths, shares;
  } cases[] = {
      {10, {1, 3}, {2.5f, 7.5f}},
      {8, {2}, {8}},
      {6, {1, 0, 2}, {2, 0, 4}},  // a point takes no time
      {10, {}, {}},
      {10, {0, 0}, {0, 0}},  // no length: at once
      {0, {1, 3}, {0, 0}},   // no time: at once
      {-5, {1, 3}, {0, 0}},
      {kNaN, {1, 3}, {0, 0}},
      {kInf, {1, 3}, {0, 0}},
      {4, {-1, 1}, {0, 4}},  // nothing negative is counted
      {4, {kNaN, 1}, {0, 4}},
      {4, {kInf, 1}, {0, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "total " << c.total << ", " << c.lengths.size() << " lines");
    const std::vector<float> shares = ShareRouteTime(c.total, c.lengths);
    ASSERT_EQ(shares.size(), c.shares.size());
    for (size_t i = 0; i < shares.size(); ++i) EXPECT_FLOAT_EQ(shares[i], c.shares[i]) << i;
  }
  // Growth: linear over the duration, complete at once without one, never outside 0..1.
  EXPECT_FLOAT_EQ(RouteFraction(3.0f, 2.0f, 4.0f), 0.25f);
  EXPECT_FLOAT_EQ(RouteFraction(1.0f, 2.0f, 4.0f), 0.0f);
  EXPECT_FLOAT_EQ(RouteFraction(9.0f, 2.0f, 4.0f), 1.0f);
  EXPECT_FLOAT_EQ(RouteFraction(2.0f, 2.0f, 0.0f), 1.0f);
  EXPECT_FLOAT_EQ(RouteFraction(2.0f, 2.0f, kNaN), 1.0f);
  EXPECT_FLOAT_EQ(RouteFraction(kInf, 2.0f, 4.0f), 1.0f);
}

TEST(LineStrip, GrowsAlongTheLineWithCapsOfHalfAThicknessInPixels) {
  struct Case {
    float x0, y0, x1, y1, f, thickness;
    LineStrip::Kind kind;
    float cx, cy, length, angle;
  } cases[] = {
      {100, 100, 300, 100, 0.5f, 10, LineStrip::kStrip, 150, 100, 100, 0},
      {100, 100, 300, 100, 1.0f, 10, LineStrip::kStrip, 200, 100, 200, 0},
      {100, 100, 100, 400, 0.5f, 8, LineStrip::kStrip, 100, 175, 150, float(M_PI / 2)},  // down the screen
      {300, 300, 0, 0, 1.0f, 6, LineStrip::kStrip, 150, 150, 300 * float(M_SQRT2), float(-3 * M_PI / 4)},
      {100, 100, 300, 100, 0.0f, 10, LineStrip::kDot, 100, 100, 10, 0},  // not grown yet: the start
      {100, 100, 100, 100, 0.5f, 10, LineStrip::kNothing, 0, 0, 0, 0},   // no length: nothing at all
      {100, 100, 300, 100, 0.5f, 0, LineStrip::kNothing, 0, 0, 0, 0},    // no thickness
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.x0 << "," << c.y0 << ")-(" << c.x1 << "," << c.y1 << ") f "
                                    << c.f);
    const LineStrip s = LineStripFor(c.x0, c.y0, c.x1, c.y1, c.f, c.thickness);
    ASSERT_EQ(s.kind, c.kind);
    if (s.kind == LineStrip::kNothing) continue;
    EXPECT_NEAR(s.rect.CenterX(), c.cx, 1e-3f);
    EXPECT_NEAR(s.rect.CenterY(), c.cy, 1e-3f);
    EXPECT_NEAR(s.rect.Width(), c.length, 1e-3f);
    EXPECT_NEAR(s.rect.Height(), c.thickness, 1e-4f);
    EXPECT_NEAR(s.rect.angle, c.angle, 1e-5f);
    if (s.kind != LineStrip::kStrip) continue;
    // The outer column in pixels: half a thickness past the drawn end, whatever the line's length.
    float x = 0, y = 0;
    s.rect.ToScreen(1.0f + s.cap, 0.0f, x, y);
    float ex = 0, ey = 0;
    s.rect.ToScreen(1.0f, 0.0f, ex, ey);
    EXPECT_NEAR(std::hypot(x - ex, y - ey), c.thickness / 2, 1e-3f);
  }
}

TEST(LineStrip, VerticesAndIndicesFormThreeQuads) {
  const auto v = LineStripVertices(0.25f);
  const float xs[4] = {-1.25f, -1, 1, 1.25f}, us[4] = {0, 0.5f, 0.5f, 1};
  for (int i = 0; i < 8; ++i) {
    EXPECT_FLOAT_EQ(v[size_t(i)].x, xs[i % 4]) << i;
    EXPECT_FLOAT_EQ(v[size_t(i)].u, us[i % 4]) << i;
    EXPECT_FLOAT_EQ(v[size_t(i)].y, i < 4 ? -1.0f : 1.0f) << i;
    EXPECT_FLOAT_EQ(v[size_t(i)].v, i < 4 ? 0.0f : 1.0f) << i;
  }
  // Six triangles, each with area, covering the strip from the first column to the last once.
  const auto& idx = LineStripIndices();
  float area = 0;
  for (size_t t = 0; t < 18; t += 3) {
    const auto &a = v[idx[t]], &b = v[idx[t + 1]], &c = v[idx[t + 2]];
    const float twice = std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
    EXPECT_GT(twice, 0.0f) << "triangle " << t / 3;
    area += twice / 2;
  }
  EXPECT_FLOAT_EQ(area, 2.5f * 2.0f);
}

}  // namespace
