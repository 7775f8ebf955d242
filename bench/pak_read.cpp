// ReadMember (seek, read, unscramble through the table) against a plain read of the same bytes
// from the same file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "data/pak_writer.h"
#include "data/pakfile.h"

namespace {

struct Fixture {
  std::string path;
  uint32_t bigOffset = 0, smallOffset = 0;
  size_t bigSize = 4 << 20, smallSize = 4 << 10;

  Fixture() {
    path = (std::filesystem::temp_directory_path() / "vardell-bench-pak_read.pak").string();
    std::vector<pak::MemberSource> members(2);
    members[0].name = "Big\\Picture.png";
    members[1].name = "Small\\Sound.wav";
    for (size_t i = 0; i < bigSize; ++i) members[0].bytes.push_back(uint8_t(i * 7 + (i >> 9)));
    members[1].bytes.assign(members[0].bytes.begin(), members[0].bytes.begin() + smallSize);
    std::vector<uint8_t> archive;
    pak::BuildArchive(members, 12345, archive);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), std::streamsize(archive.size()));
    CPakfile pak(path, false);
    bigOffset = pak.Records()[0].offset;
    smallOffset = pak.Records()[1].offset;
  }
  ~Fixture() { std::filesystem::remove(path); }
};

Fixture& Data() {
  static Fixture f;
  return f;
}

void BM_ReadMember(benchmark::State& state) {
  bool big = state.range(0) != 0;
  CPakfile pak(Data().path, false);
  const char* name = big ? "big\\picture.png" : "small\\sound.wav";
  for (auto _ : state) {
    auto bytes = pak.ReadMember(name);
    benchmark::DoNotOptimize(bytes->data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(big ? Data().bigSize : Data().smallSize));
}

void BM_PlainRead(benchmark::State& state) {
  bool big = state.range(0) != 0;
  std::FILE* f = std::fopen(Data().path.c_str(), "rb");
  size_t size = big ? Data().bigSize : Data().smallSize;
  long offset = long(big ? Data().bigOffset : Data().smallOffset) + 4;
  for (auto _ : state) {
    std::vector<uint8_t> bytes(size);
    std::fseek(f, offset, SEEK_SET);
    benchmark::DoNotOptimize(std::fread(bytes.data(), 1, size, f));
    benchmark::DoNotOptimize(bytes.data());
  }
  std::fclose(f);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

}  // namespace

BENCHMARK(BM_ReadMember)->Arg(1)->Arg(0);
BENCHMARK(BM_PlainRead)->Arg(1)->Arg(0);
BENCHMARK_MAIN();
