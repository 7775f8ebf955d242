// LoadMember plus a full walk with the attribute getters, against a bare pugixml parse of the
// same bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <pugixml.hpp>

#include "data/pak_writer.h"
#include "data/pakfile.h"
#include "data/xml_document.h"
#include "platform/os/host.h"

namespace {

// A venue-sized description: a few hundred objects with rectangles, points and names.
std::string MakeDocument() {
  std::string s =
      "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<Venue Name=\"Hall\" Rect=\"0,0,1024,768\">";
  for (int i = 0; i < 400; ++i) {
    s += "\r\n  <Object Name=\"Object" + std::to_string(i) + "\" Texture=\"Search\\Hall\\Obj" +
         std::to_string(i) + ".png\" Rect=\"" + std::to_string(i) + ",20,300,400\" Point=\"5," +
         std::to_string(i) + "\" Depth=\"" + std::to_string(i * 0.25) + "\" Flags=\"3\">";
    s += "\r\n    <Hint Value=\"Look near the lamp &amp; the clock\"/>\r\n  </Object>";
  }
  s += "\r\n</Venue>";
  return s;
}

struct Fixture {
  std::string dir, text;
  Fixture() {
    dir = (std::filesystem::temp_directory_path() / "vardell-bench-xml").string();
    std::filesystem::create_directories(dir);
    text = MakeDocument();
    std::vector<uint8_t> archive;
    pak::BuildArchive({{"Search\\Venues\\Hall.xml", std::vector<uint8_t>(text.begin(), text.end())}}, 7,
                      archive);
    std::ofstream(dir + "/Database.pak", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), std::streamsize(archive.size()));
    os::SetDataRoot(dir);
  }
  ~Fixture() { std::filesystem::remove_all(dir); }
};

Fixture& Data() {
  static Fixture f;
  return f;
}

long Walk(XmlDocument& doc) {
  long sum = 0;
  XmlNode root = doc.Root();
  for (ScopedXmlNode o(doc, doc.FindChildNode(root, "Object")); o; o.NextElement()) {
    sum += doc.GetRectAttribute(o, "Rect")[0] + doc.GetPointAttribute(o, "Point")[1];
    sum += long(doc.GetFloatAttribute(o, "Depth", 0)) + doc.GetIntAttribute(o, "Flags", 0);
    sum += long(doc.CopyAttribute(o, "Name", "")->size());
    ScopedXmlNode hint(doc, doc.FindChildNode(o, "Hint"));
    sum += long(doc.CopyAttribute(hint, "Value", "")->size());
  }
  doc.ReleaseNode(root);
  return sum;
}

void BM_LoadMemberAndWalk(benchmark::State& state) {
  Data();
  for (auto _ : state) {
    XmlDocument doc;
    doc.LoadMember("Search\\Venues\\Hall.xml");
    benchmark::DoNotOptimize(Walk(doc));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Data().text.size()));
}

void BM_LoadBytesOnly(benchmark::State& state) {
  const std::string& text = Data().text;
  for (auto _ : state) {
    XmlDocument doc;
    benchmark::DoNotOptimize(doc.LoadBytes(text.data(), text.size()));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_BarePugixmlParse(benchmark::State& state) {
  const std::string& text = Data().text;
  for (auto _ : state) {
    pugi::xml_document doc;
    benchmark::DoNotOptimize(doc.load_buffer(text.data(), text.size()));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

}  // namespace

BENCHMARK(BM_LoadMemberAndWalk);
BENCHMARK(BM_LoadBytesOnly);
BENCHMARK(BM_BarePugixmlParse);
BENCHMARK_MAIN();
