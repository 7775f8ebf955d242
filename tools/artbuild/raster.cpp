#include "raster.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>

namespace artbuild {

bool RenderSvg(const std::string& path, int width, int height, Raster& out, std::string& error) {
  GError* gerr = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &gerr);
  if (!handle) {
    error = gerr ? gerr->message : "cannot read the SVG file";
    if (gerr) g_error_free(gerr);
    return false;
  }
  if (width <= 0 || height <= 0) {
    gdouble w = 0, h = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h) || w < 1 || h < 1) {
      g_object_unref(handle);
      error = "the SVG has no width and height in pixels; give --size";
      return false;
    }
    width = int(std::lround(w));
    height = int(std::lround(h));
  }
  if (width > 16384 || height > 16384) {
    g_object_unref(handle);
    error = "picture larger than 16384 pixels";
    return false;
  }

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  RsvgRectangle viewport{0, 0, double(width), double(height)};
  const bool ok = rsvg_handle_render_document(handle, cr, &viewport, &gerr);
  cairo_destroy(cr);
  g_object_unref(handle);
  if (!ok) {
    error = gerr ? gerr->message : "rendering failed";
    if (gerr) g_error_free(gerr);
    cairo_surface_destroy(surface);
    return false;
  }
  cairo_surface_flush(surface);

  // Cairo keeps premultiplied native-endian ARGB words; the writers want straight RGBA bytes.
  out.width = width;
  out.height = height;
  out.rgba.resize(size_t(width) * height * 4);
  const unsigned char* base = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(base + size_t(y) * stride);
    uint8_t* dst = out.rgba.data() + size_t(y) * width * 4;
    for (int x = 0; x < width; ++x, dst += 4) {
      const uint32_t p = row[x];
      const unsigned a = p >> 24;
      unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (a != 0 && a != 255) {
        r = (r * 255 + a / 2) / a;
        g = (g * 255 + a / 2) / a;
        b = (b * 255 + a / 2) / a;
      }
      dst[0] = uint8_t(r > 255 ? 255 : r);
      dst[1] = uint8_t(g > 255 ? 255 : g);
      dst[2] = uint8_t(b > 255 ? 255 : b);
      dst[3] = uint8_t(a);
    }
  }
  cairo_surface_destroy(surface);
  return true;
}

}  // namespace artbuild
