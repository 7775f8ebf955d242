#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/pak_writer.h"
#include "paktool.h"
#include "platform/os/host.h"

namespace fs = std::filesystem;

namespace paktool {

namespace {

bool ParseSeed(const std::string& text, uint32_t& seed) {
  std::string_view digits = text;
  int base = 10;
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    digits.remove_prefix(2);
    base = 16;
  }
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), seed, base);
  return !digits.empty() && ec == std::errc() && end == digits.data() + digits.size();
}

bool ReadWhole(const fs::path& p, std::vector<uint8_t>& out) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// One path a line (absolute, or relative to dir); blank lines are skipped.
bool ReadManifest(const std::string& manifest, const fs::path& dir, std::vector<fs::path>& files) {
  std::ifstream in(manifest);
  if (!in) {
    std::fprintf(stderr, "paktool create: cannot read the list %s\n", manifest.c_str());
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    fs::path p(line);
    if (p.is_relative()) p = dir / p;
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) {
      std::fprintf(stderr, "paktool create: listed file %s does not exist\n", p.c_str());
      return false;
    }
    files.push_back(fs::absolute(p).lexically_normal());
  }
  return true;
}

}  // namespace

int Create(const Args& args) {
  std::vector<std::string> positional;
  std::string manifest;
  uint32_t seed = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--seed") {
      if (i + 1 >= args.size() || !ParseSeed(args[i + 1], seed)) {
        std::fprintf(stderr, "paktool create: --seed needs a number from 0 to 4294967295\n");
        return 2;
      }
      ++i;
    } else if (args[i] == "--files") {
      if (i + 1 >= args.size()) return Usage("create", false);
      manifest = args[++i];
    } else if (args[i].starts_with("--")) {
      std::fprintf(stderr, "paktool create: unknown option %s\n", args[i].c_str());
      return Usage("create", false);
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return Usage("create", false);
  const std::string& outPath = positional[0];
  // Absolute and without a trailing separator, so listed paths compare with it lexically.
  fs::path dir = fs::absolute(positional[1]).lexically_normal();
  if (dir.filename().empty()) dir = dir.parent_path();

  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    std::fprintf(stderr, "paktool create: %s is not a folder\n", dir.c_str());
    return 1;
  }
  const fs::path outAbsolute = fs::absolute(outPath).lexically_normal();
  std::vector<fs::path> files;
  if (!manifest.empty()) {
    if (!ReadManifest(manifest, dir, files)) return 1;
  } else {
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
      // An archive written into the folder it packs must not swallow its own previous version.
      if (it->is_regular_file(ec) && fs::absolute(it->path()).lexically_normal() != outAbsolute)
        files.push_back(it->path());
    if (ec) {
      std::fprintf(stderr, "paktool create: cannot list %s: %s\n", dir.c_str(), ec.message().c_str());
      return 1;
    }
  }
  std::vector<pak::MemberSource> members;
  for (const fs::path& file : files) {
    std::string rel = file.lexically_relative(dir).generic_string();
    if (rel.empty() || rel.starts_with("../") || rel == "..") {
      std::fprintf(stderr, "paktool create: %s is not inside %s\n", file.c_str(), dir.c_str());
      return 1;
    }
    if (rel.find('\\') != std::string::npos) {
      std::fprintf(stderr, "paktool create: %s: a backslash in a file name cannot become a member name\n",
                   rel.c_str());
      return 1;
    }
    std::replace(rel.begin(), rel.end(), '/', '\\');
    pak::MemberSource m;
    m.name = rel;
    if (!ReadWhole(file, m.bytes)) {
      std::fprintf(stderr, "paktool create: cannot read %s\n", file.c_str());
      return 1;
    }
    members.push_back(std::move(m));
  }
  // Byte order of the names, so the directory walk order never shows in the archive.
  std::sort(members.begin(), members.end(),
            [](const pak::MemberSource& a, const pak::MemberSource& b) { return a.name < b.name; });

  std::string problem = pak::CheckMembers(members);
  std::vector<uint8_t> archive;
  if (!problem.empty() || !pak::BuildArchive(members, seed, archive)) {
    std::fprintf(stderr, "paktool create: %s\n", problem.c_str());
    return 1;
  }
  if (!os::WriteFileAtomic(outPath, archive.data(), archive.size())) {
    std::fprintf(stderr, "paktool create: cannot write %s\n", outPath.c_str());
    return 1;
  }
  return 0;
}

}  // namespace paktool
