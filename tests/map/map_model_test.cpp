// The map's rules without a scene: reading map files, sharing the route's time and the strip a
// growing line is drawn as.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/xml_document.h"
#include "flow/map_description.h"
#include "flow/route_geometry.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();

std::optional<MapDescription> Parse(const std::string& xml) {
  XmlDocument doc;
  doc.LoadBytes(xml.data(), xml.size());
  return ReadMapDescription(doc);
}

TEST(MapFile, DefaultsAndNumbersCheckedWhereRead) {
  for (auto [root, time] : {std::pair{"<Map/>", 10.f},
                            {R"(<Map Time="8"/>)", 8.f},
                            {R"(<Map Time="-3"/>)", -3.f},
                            {R"(<Map Time="soon"/>)", 10.f},
                            {R"(<Map Time="nan"/>)", 10.f},
                            {R"(<Map Time="1e400"/>)", 10.f}}) {
    const auto map = Parse(root);
    ASSERT_TRUE(map) << root;
    EXPECT_FLOAT_EQ(map->time, time) << root;
    EXPECT_EQ(map->background, "");
  }
  EXPECT_FALSE(Parse("")) << "no document element, no map";

  std::string xml = R"(<Map Background="V.jpg"><Icons>
      <Icon Image="A.png" Size="56" Coords="210,180" Name="MapBureau" Position="1"/>
      <Icon Size="56" Name="NoPicture"/><Icon Image=""/><!-- not an icon -->
      <Place Image="B.png" Size="-4" Coords="1e30,-1e30" Name="" Position="9"/></Icons>
    <Lines><Line Start="1,2" End="3,4" Width="6"/><Road Start="inf,2" End="3" Width="-1"/>)";
  for (size_t i = 0; i < kMaxMapLines; ++i) xml += "<Line/>";
  const auto map = Parse(xml + "</Lines></Map>");
  ASSERT_TRUE(map);
  EXPECT_EQ(map->background, "V.jpg");
  ASSERT_EQ(map->icons.size(), 2u) << "icons without a picture are skipped";
  const MapIcon &a = map->icons[0], &b = map->icons[1];
  EXPECT_EQ((std::tuple{a.image, a.size, a.x, a.y, *a.name, a.position}),
            (std::tuple{std::string("A.png"), 56.f, 210.f, 180.f, std::string("MapBureau"), 1}));
  EXPECT_EQ((std::tuple{b.image, b.size, b.name.has_value(), b.position}),
            (std::tuple{std::string("B.png"), 0.f, false, 0}));
  EXPECT_TRUE(b.x > 1024 && b.y < 0 && std::isfinite(b.x * b.x + b.y * b.y)) << "far off, but finite";
  ASSERT_EQ(map->lines.size(), kMaxMapLines) << "the rest are ignored";
  const MapLine &l = map->lines[0], &bad = map->lines[1];
  EXPECT_EQ((std::array{l.startX, l.startY, l.endX, l.endY, l.width}), (std::array{1.f, 2.f, 3.f, 4.f, 6.f}));
  EXPECT_EQ((std::array{bad.startX, bad.startY, bad.endX, bad.endY, bad.width}),
            (std::array{0.f, 0.f, 0.f, 0.f, 0.f}));
}

TEST(RouteTime, SharedByLengthNeverNegativeNorNaN) {
  struct Case {
    float total;
    std::vector<float> lengths, shares;
  } cases[] = {
      {10, {1, 3}, {2.5f, 7.5f}},
      {6, {1, 0, 2}, {2, 0, 4}},  // a point takes no time
      {10, {0, 0}, {0, 0}},
      {0, {1, 3}, {0, 0}},  // no length or no time: at once
      {-5, {1}, {0}},
      {kNaN, {1}, {0}},
      {kInf, {1}, {0}},
      {4, {-1, kNaN, kInf, 1}, {0, 0, 0, 4}},
  };
  for (const Case& c : cases) {
    const std::vector<float> shares = ShareRouteTime(c.total, c.lengths);
    EXPECT_EQ(shares, c.shares) << "total " << c.total << ", first length " << c.lengths[0];
  }
  EXPECT_FLOAT_EQ(RouteFraction(3, 2, 4), 0.25f);
  EXPECT_EQ((std::array{RouteFraction(1, 2, 4), RouteFraction(9, 2, 4), RouteFraction(2, 2, 0),
                        RouteFraction(2, 2, kNaN)}),
            (std::array{0.f, 1.f, 1.f, 1.f}));
}

TEST(LineStrip, GrowsAlongTheLineWithCapsOfHalfAThicknessInPixels) {
  struct Case {
    float x0, y0, x1, y1, f, thickness;
    LineStrip::Kind kind;
    float cx, cy, length, angle;
  } cases[] = {
      {100, 100, 300, 100, 0.5f, 10, LineStrip::kStrip, 150, 100, 100, 0},
      {100, 100, 100, 400, 0.5f, 8, LineStrip::kStrip, 100, 175, 150, float(M_PI / 2)},  // down the screen
      {300, 300, 0, 0, 1.0f, 6, LineStrip::kStrip, 150, 150, 300 * float(M_SQRT2), float(-3 * M_PI / 4)},
      {100, 100, 300, 100, 0.0f, 10, LineStrip::kDot, 100, 100, 10, 0},  // not grown yet: the start
      {100, 100, 100, 100, 0.5f, 10, LineStrip::kNothing, 0, 0, 0, 0},   // no length: nothing at all
      {100, 100, 300, 100, 0.5f, 0, LineStrip::kNothing, 0, 0, 0, 0},    // no thickness
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1 << " f " << c.f);
    const LineStrip s = LineStripFor(c.x0, c.y0, c.x1, c.y1, c.f, c.thickness);
    ASSERT_EQ(s.kind, c.kind);
    if (s.kind == LineStrip::kNothing) continue;
    EXPECT_NEAR(s.rect.CenterX(), c.cx, 1e-3f);
    EXPECT_NEAR(s.rect.CenterY(), c.cy, 1e-3f);
    EXPECT_NEAR(s.rect.Width(), c.length, 1e-3f);
    EXPECT_NEAR(s.rect.Height(), c.thickness, 1e-4f);
    EXPECT_NEAR(s.rect.angle, c.angle, 1e-5f);
    // The outer vertex column, in pixels: half a thickness past the drawn end, at any length.
    float x, y, ex, ey;
    s.rect.ToScreen(1.0f + s.cap, 0.0f, x, y);
    s.rect.ToScreen(1.0f, 0.0f, ex, ey);
    if (s.kind == LineStrip::kStrip) {
      EXPECT_NEAR(std::hypot(x - ex, y - ey), c.thickness / 2, 1e-3f);
    }
  }
  const auto v = LineStripVertices(0.25f);
  EXPECT_EQ((std::array{v[0].x, v[1].x, v[2].x, v[7].x, v[0].u, v[1].u, v[3].u, v[0].y, v[4].y, v[4].v}),
            (std::array{-1.25f, -1.f, 1.f, 1.25f, 0.f, 0.5f, 1.f, -1.f, 1.f, 1.f}));
}

}  // namespace
