#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace soundbuild {
namespace {

void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}
void Put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void PutTag(std::vector<uint8_t>& v, const char* tag) {
  for (int i = 0; i < 4; ++i) v.push_back(uint8_t(tag[i]));
}

}  // namespace

std::vector<uint8_t> MakeWave(const std::vector<int16_t>& samples, int channels, int rate) {
  uint32_t dataBytes = uint32_t(samples.size() * 2);
  std::vector<uint8_t> v;
  v.reserve(44 + dataBytes);
  PutTag(v, "RIFF");
  Put32(v, 36 + dataBytes);
  PutTag(v, "WAVE");
  PutTag(v, "fmt ");
  Put32(v, 16);
  Put16(v, 1);
  Put16(v, uint16_t(channels));
  Put32(v, uint32_t(rate));
  Put32(v, uint32_t(rate * channels * 2));
  Put16(v, uint16_t(channels * 2));
  Put16(v, 16);
  PutTag(v, "data");
  Put32(v, dataBytes);
  for (int16_t s : samples) Put16(v, uint16_t(s));
  return v;
}

std::vector<int16_t> ToPcm16(const std::vector<float>& samples) {
  std::vector<int16_t> out(samples.size());
  for (size_t i = 0; i < samples.size(); ++i)
    out[i] = int16_t(std::lrint(std::clamp(samples[i], -1.0f, 1.0f) * 32767.0f));
  return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace soundbuild
