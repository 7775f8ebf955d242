// Font loading from outside data: a glyph description (XML) and its atlas image. The input is the
// description, a zero byte, then the image bytes. Whatever the bytes, the layout of any text must
// stay finite and the image decoder must fail cleanly.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/xml_document.h"
#include "platform/gfx/image_decode.h"
#include "scene/text_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, 0, size));
  const size_t xmlSize = split ? size_t(split - data) : size;

  XmlDocument doc;
  doc.LoadBytes(data, xmlSize);
  FontGlyphs font;
  if (ReadFontGlyphs(doc, font)) {
    std::string every(256, '\0');
    for (int i = 0; i < 256; ++i) every[size_t(i)] = char(i);
    std::vector<gfx::VertexPosUv> vertices;
    for (int style : {0, int(kTextStyleSlant)}) {
      for (const std::string& text : {every, std::string("Vardell"), std::string()}) {
        float aspect = 0;
        const int count = LayoutText(font, text, style, vertices, aspect);
        if (count != int(4 * text.size()) || vertices.size() < size_t(count)) __builtin_trap();
        if (!std::isfinite(aspect)) __builtin_trap();
        for (const gfx::VertexPosUv& v : vertices) {
          if (!std::isfinite(v.x) || !std::isfinite(v.y)) __builtin_trap();
        }
      }
    }
  }

  if (split) {
    gfx::Image atlas;
    const size_t imageSize = size - xmlSize - 1;
    if (gfx::DecodeImage(split + 1, imageSize, atlas)) {
      if (atlas.pixels.size() != size_t(atlas.width) * size_t(atlas.height)) __builtin_trap();
    }
  }
  return 0;
}
