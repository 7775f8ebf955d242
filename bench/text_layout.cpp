// Laying out text (done whenever a text sprite's text changes) and reading a baked font description.
#include "scene/text_layout.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "data/xml_document.h"

namespace {

FontGlyphs EvenFont() {
  FontGlyphs f;
  f.aspect = 0.5f;
  for (int c = 33; c < 256; ++c)
    f.glyphs[size_t(c)] = {float(c % 16) / 16, float(c / 16) / 16, float(c % 16 + 1) / 16,
                           float(c / 16 + 1) / 16};
  f.lineHeight = 1.0f / 16;
  return f;
}

void BM_LayoutText(benchmark::State& state) {
  const FontGlyphs font = EvenFont();
  const std::string text(size_t(state.range(0)), 'e');
  std::vector<gfx::VertexPosUv> vertices;
  float aspect = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LayoutText(font, text, 0, vertices, aspect));
    benchmark::DoNotOptimize(vertices.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LayoutText)->Arg(12)->Arg(60)->Arg(400);

void BM_ReadBakedFont(benchmark::State& state) {
  std::ifstream in(std::string(VARDELL_BUILD_DIR) + "/stage/Database/Fonts/GoldFlat.xml", std::ios::binary);
  const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (xml.empty()) {
    state.SkipWithError("the build has not baked the fonts");
    return;
  }
  for (auto _ : state) {
    XmlDocument doc;
    doc.LoadBytes(xml.data(), xml.size());
    FontGlyphs font;
    benchmark::DoNotOptimize(ReadFontGlyphs(doc, font));
  }
}
BENCHMARK(BM_ReadBakedFont);

}  // namespace

BENCHMARK_MAIN();
