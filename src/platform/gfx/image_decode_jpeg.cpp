// JPEG through libjpeg. Its errors arrive through longjmp; the jump target is set before any of
// our objects with destructors exist in this frame, and the output buffer lives in the caller.

// clang-format off
#include <cstddef>  // jpeglib.h needs size_t and FILE declared before it
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <bit>
#include <csetjmp>
#include <vector>

#include "platform/gfx/image_decode.h"

namespace gfx {

// BGRA bytes are read as 0xAARRGGBB words.
static_assert(std::endian::native == std::endian::little);
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// A file that ends early would otherwise decode "successfully" with grey rows; treat it as broken.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
}

uint32_t CmykToArgb(const uint8_t* p, bool inverted) {
  unsigned c = p[0], m = p[1], y = p[2], k = p[3];
  if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
  unsigned r = c * k / 255, g = m * k / 255, b = y * k / 255;
  return 0xFF000000u | r << 16 | g << 8 | b;
}

// Runs the decompression; separated so that no C++ object lives across the setjmp.
bool Decompress(jpeg_decompress_struct& cinfo, ErrorManager& err, const uint8_t* data, size_t size,
                Image& out, std::vector<uint8_t>& cmykRow, const char*& why) {
  if (setjmp(err.jump)) {
    why = err.message;
    return false;
  }
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  if (!ImageSizeAcceptable(cinfo.image_width, cinfo.image_height)) {
    why = "image size out of range";
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  out.width = int(cinfo.output_width);
  out.height = int(cinfo.output_height);
  out.pixels.resize(size_t(out.width) * out.height);
  if (cmyk) cmykRow.resize(size_t(out.width) * 4);
  while (cinfo.output_scanline < cinfo.output_height) {
    uint32_t* dst = out.pixels.data() + size_t(cinfo.output_scanline) * out.width;
    JSAMPROW row = cmyk ? cmykRow.data() : reinterpret_cast<JSAMPROW>(dst);
    jpeg_read_scanlines(&cinfo, &row, 1);
    if (cmyk) {
      for (int x = 0; x < out.width; ++x)
        dst[x] = CmykToArgb(&cmykRow[size_t(x) * 4], cinfo.saw_Adobe_marker);
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, Image& out, std::string* error) {
  out = Image{};
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.message[0] = 0;
  jpeg_create_decompress(&cinfo);
  const char* why = "";
  std::vector<uint8_t> cmykRow;
  bool ok = size > 0 && Decompress(cinfo, err, data, size, out, cmykRow, why);
  if (size == 0) why = "empty file";
  jpeg_destroy_decompress(&cinfo);
  if (!ok) {
    out = Image{};
    if (error) *error = std::string("JPEG: ") + why;
    return false;
  }
  return true;
}

}  // namespace gfx
