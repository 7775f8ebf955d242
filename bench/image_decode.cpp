// Decode throughput of the game's picture formats, each beside the bare library call on the same
// bytes (the difference is our checks and copies). TGA has no library: its uncompressed case is
// set against a plain copy of the pixel bytes.
#include "platform/gfx/image_decode.h"

// clang-format off
#include <cstddef>  // jpeglib.h needs size_t and FILE declared before it
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kSide = 512;

// A picture with smooth gradients, hard edges and a soft alpha ramp, like painted game art.
const gfx::Image& Picture() {
  static gfx::Image img = [] {
    gfx::Image p;
    p.width = p.height = kSide;
    p.pixels.resize(size_t(kSide) * kSide);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const uint32_t r = uint32_t(128 + 127 * std::sin(x * 0.02)), g = uint32_t((x ^ y) & 0xFF);
        const uint32_t b = ((x / 64 + y / 64) & 1) ? 200 : 40, a = uint32_t(std::min(255, (x + y) / 3));
        p.pixels[size_t(y) * kSide + x] = a << 24 | r << 16 | g << 8 | b;
      }
    return p;
  }();
  return img;
}

std::vector<uint8_t> Png() {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = png.height = kSide;
  png.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, Picture().pixels.data(), 0, nullptr);
  std::vector<uint8_t> out(size);
  png_image_write_to_memory(&png, out.data(), &size, 0, Picture().pixels.data(), 0, nullptr);
  out.resize(size);
  return out;
}

std::vector<uint8_t> Jpeg() {
  jpeg_compress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buf, &size);
  c.image_width = c.image_height = kSide;
  c.input_components = 4;
  c.in_color_space = JCS_EXT_BGRA;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 90, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = (JSAMPROW)(Picture().pixels.data() + size_t(c.next_scanline) * kSide);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<uint8_t> out(buf, buf + size);
  std::free(buf);
  return out;
}

std::vector<uint8_t> Tga(bool rle) {
  std::vector<uint8_t> out(18, 0);
  out[2] = rle ? 10 : 2;
  out[12] = kSide & 0xFF, out[13] = kSide >> 8, out[14] = kSide & 0xFF, out[15] = kSide >> 8;
  out[16] = 32;
  out[17] = 0x28;
  const auto& px = Picture().pixels;
  auto put = [&](uint32_t p) {
    out.insert(out.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
  };
  if (!rle) {
    for (uint32_t p : px) put(p);
    return out;
  }
  for (size_t i = 0; i < px.size();) {
    size_t run = 1;
    while (i + run < px.size() && run < 128 && px[i + run] == px[i]) ++run;
    if (run > 1) {
      out.push_back(uint8_t(0x80 | (run - 1)));
      put(px[i]);
    } else {
      while (i + run < px.size() && run < 128 && px[i + run] != px[i + run - 1]) ++run;
      out.push_back(uint8_t(run - 1));
      for (size_t k = 0; k < run; ++k) put(px[i + k]);
    }
    i += run;
  }
  return out;
}

void Report(benchmark::State& state, size_t inputBytes) {
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(inputBytes));
  state.counters["MPixel/s"] =
      benchmark::Counter(double(state.iterations()) * kSide * kSide / 1e6, benchmark::Counter::kIsRate);
}

void BM_Png_Game(benchmark::State& state) {
  const auto bytes = Png();
  for (auto _ : state) {
    gfx::Image img;
    if (!gfx::DecodePng(bytes.data(), bytes.size(), img)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(img.pixels.data());
  }
  Report(state, bytes.size());
}

void BM_Png_Library(benchmark::State& state) {
  const auto bytes = Png();
  std::vector<uint32_t> out;
  for (auto _ : state) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png_image_begin_read_from_memory(&png, bytes.data(), bytes.size());
    png.format = PNG_FORMAT_BGRA;
    out.resize(size_t(png.width) * png.height);
    png_image_finish_read(&png, nullptr, out.data(), 0, nullptr);
    benchmark::DoNotOptimize(out.data());
  }
  Report(state, bytes.size());
}

void BM_Jpeg_Game(benchmark::State& state) {
  const auto bytes = Jpeg();
  for (auto _ : state) {
    gfx::Image img;
    if (!gfx::DecodeJpeg(bytes.data(), bytes.size(), img)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(img.pixels.data());
  }
  Report(state, bytes.size());
}

void BM_Jpeg_Library(benchmark::State& state) {
  const auto bytes = Jpeg();
  std::vector<uint32_t> out;
  for (auto _ : state) {
    jpeg_decompress_struct c;
    jpeg_error_mgr e;
    c.err = jpeg_std_error(&e);
    jpeg_create_decompress(&c);
    jpeg_mem_src(&c, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&c);
    out.resize(size_t(c.output_width) * c.output_height);
    while (c.output_scanline < c.output_height) {
      JSAMPROW row = (JSAMPROW)(out.data() + size_t(c.output_scanline) * c.output_width);
      jpeg_read_scanlines(&c, &row, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    benchmark::DoNotOptimize(out.data());
  }
  Report(state, bytes.size());
}

void BM_Tga_Game(benchmark::State& state) {
  const auto bytes = Tga(state.range(0) != 0);
  for (auto _ : state) {
    gfx::Image img;
    if (!gfx::DecodeTga(bytes.data(), bytes.size(), img)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(img.pixels.data());
  }
  Report(state, bytes.size());
}

void BM_Tga_PlainCopy(benchmark::State& state) {
  const auto bytes = Tga(false);
  for (auto _ : state) {
    std::vector<uint32_t> out(size_t(kSide) * kSide);
    std::memcpy(out.data(), bytes.data() + 18, out.size() * 4);
    benchmark::DoNotOptimize(out.data());
  }
  Report(state, bytes.size());
}

}  // namespace

BENCHMARK(BM_Png_Game)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Png_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Jpeg_Game)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Jpeg_Library)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tga_Game)->Arg(0)->Arg(1)->ArgName("rle")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tga_PlainCopy)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
