#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unordered_set>

#include "data/pak_names.h"
#include "data/pakfile.h"
#include "paktool.h"

namespace fs = std::filesystem;

namespace paktool {

namespace {

// Opens without message boxes; reports why an archive cannot be used.
bool OpenForTool(const char* command, CPakfile& pak) {
  if (pak.GetState() == CPakfile::State::kOk) return true;
  for (const std::string& p : pak.Problems())
    std::fprintf(stderr, "paktool %s: %s: %s\n", command, pak.Path().c_str(), p.c_str());
  return false;
}

void PrintProblems(const char* command, const CPakfile& pak) {
  for (const std::string& p : pak.Problems())
    std::fprintf(stderr, "paktool %s: %s: %s\n", command, pak.Path().c_str(), p.c_str());
}

// The member name as a path below the output folder; false for names that would leave it.
bool MemberPath(const std::string& name, fs::path& out) {
  fs::path rel;
  size_t start = 0;
  for (;;) {
    size_t sep = name.find_first_of("\\/", start);
    std::string part = name.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
    if (part.empty() || part == "." || part == ".." || part.find(':') != std::string::npos) return false;
    rel /= part;
    if (sep == std::string::npos) break;
    start = sep + 1;
  }
  out = rel;
  return true;
}

}  // namespace

int List(const Args& args) {
  bool longForm = false;
  std::vector<std::string> positional;
  for (const std::string& a : args) {
    if (a == "--long" || a == "-l")
      longForm = true;
    else
      positional.push_back(a);
  }
  if (positional.size() != 1) return Usage("list", false);
  CPakfile pak(positional[0], false);
  if (!OpenForTool("list", pak)) return 1;
  if (longForm) std::printf("seed %u, %zu members\n", pak.Seed(), pak.Records().size());
  for (const CPakfile::Record& r : pak.Records()) {
    if (longForm)
      std::printf("%10u %10u  %s\n", r.offset, r.length, r.name.c_str());
    else
      std::printf("%s\n", r.name.c_str());
  }
  PrintProblems("list", pak);
  return pak.Problems().empty() ? 0 : 1;
}

int Extract(const Args& args) {
  if (args.size() != 2) return Usage("extract", false);
  CPakfile pak(args[0], false);
  if (!OpenForTool("extract", pak)) return 1;
  PrintProblems("extract", pak);
  int status = pak.Problems().empty() ? 0 : 1;
  const fs::path outDir = args[1];
  std::unordered_set<std::string> written;
  const auto& records = pak.Records();
  for (size_t i = 0; i < records.size(); ++i) {
    const std::string& name = records[i].name;
    if (!written.insert(pak::FoldCase(name)).second) {
      std::fprintf(stderr, "paktool extract: %s: a second member of this name is skipped\n", name.c_str());
      continue;
    }
    fs::path rel;
    if (!MemberPath(name, rel)) {
      std::fprintf(stderr, "paktool extract: %s: refused, the name leaves the output folder\n", name.c_str());
      status = 1;
      continue;
    }
    std::optional<std::vector<uint8_t>> bytes = pak.ReadMemberAt(i);
    if (!bytes) {
      std::fprintf(stderr, "paktool extract: %s: cannot be read\n", name.c_str());
      status = 1;
      continue;
    }
    fs::path target = outDir / rel;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "paktool extract: cannot write %s\n", target.c_str());
      status = 1;
    }
  }
  return status;
}

int Verify(const Args& args) {
  if (args.size() != 1) return Usage("verify", false);
  CPakfile pak(args[0], false);
  if (!OpenForTool("verify", pak)) return 1;
  PrintProblems("verify", pak);
  bool sound = pak.Problems().empty();
  uint64_t total = 0;
  std::unordered_set<std::string> seen;
  const auto& records = pak.Records();
  for (size_t i = 0; i < records.size(); ++i) {
    if (!seen.insert(pak::FoldCase(records[i].name)).second)
      std::fprintf(stderr, "paktool verify: %s: duplicate name, only the first is ever read\n",
                   records[i].name.c_str());
    std::optional<std::vector<uint8_t>> bytes = pak.ReadMemberAt(i);
    if (!bytes) {
      std::fprintf(stderr, "paktool verify: %s: cannot be read\n", records[i].name.c_str());
      sound = false;
      continue;
    }
    total += bytes->size();
  }
  std::printf("%s: %zu members, %llu bytes, %s\n", pak.Path().c_str(), records.size(),
              static_cast<unsigned long long>(total), sound ? "OK" : "DAMAGED");
  return sound ? 0 : 1;
}

}  // namespace paktool
