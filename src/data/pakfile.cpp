#include "data/pakfile.h"

#include <cstring>
#include <memory>

#include "data/pak_format.h"
#include "data/pak_names.h"
#include "platform/os/host.h"

namespace {

const char kOpenErrorCaption[] = "CPakfile: Error opening .pak archive";
const char kInvalidCaption[] = "CPakfile: Invalid .pak archive";

}  // namespace

CPakfile::CPakfile(std::string path, bool showMessages) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "rb");
  if (!file_) {
    state_ = State::kCannotOpen;
    Problem("cannot open the file");
    if (showMessages) os::ShowMessageBox(kOpenErrorCaption, path_, os::MsgIcon::Error);
    return;
  }
  ReadDirectory();
  if (showMessages && (state_ == State::kInvalid || state_ == State::kBrokenDirectory))
    os::ShowMessageBox(kInvalidCaption, path_, os::MsgIcon::Error);
}

CPakfile::CPakfile(ImageTag, std::string name, std::vector<uint8_t> image)
    : path_(std::move(name)), image_(std::move(image)), inMemory_(true) {
  ReadDirectory();
}

std::unique_ptr<CPakfile> CPakfile::FromImage(std::string name, std::vector<uint8_t> image) {
  return std::unique_ptr<CPakfile>(new CPakfile(ImageTag{}, std::move(name), std::move(image)));
}

CPakfile::~CPakfile() {
  if (file_) std::fclose(file_);
}

void CPakfile::Problem(std::string text) {
  problems_.push_back(std::move(text));
}

bool CPakfile::ReadAt(uint64_t offset, void* dst, size_t size) {
  if (offset > fileSize_ || size > fileSize_ - offset) return false;
  if (inMemory_) {
    if (size) std::memcpy(dst, image_.data() + offset, size);
    return true;
  }
  if (std::fseek(file_, long(offset), SEEK_SET) != 0) return false;
  return std::fread(dst, 1, size, file_) == size;
}

void CPakfile::ReadDirectory() {
  if (inMemory_) {
    fileSize_ = image_.size();
  } else if (std::fseek(file_, 0, SEEK_END) == 0) {
    long end = std::ftell(file_);
    fileSize_ = end > 0 ? uint64_t(end) : 0;
  }

  uint8_t header[pak::kHeaderSize];
  if (!ReadAt(0, header, sizeof header) || std::memcmp(header, pak::kMagic, sizeof pak::kMagic) != 0) {
    state_ = State::kInvalid;
    Problem("not an archive (no \"Tolvek  \" header)");
    return;
  }
  seed_ = pak::ReadLe32(header + 8);
  inverse_ = pak::InvertTable(pak::BuildSubstitution(seed_));

  // Everything stored lies between the header and the trailer; no stored number is believed
  // until it has been checked against that span.
  uint8_t trailer[pak::kTrailerSize];
  if (fileSize_ < pak::kHeaderSize + pak::kTrailerSize ||
      !ReadAt(fileSize_ - pak::kTrailerSize, trailer, sizeof trailer)) {
    state_ = State::kBrokenDirectory;
    Problem("the file ends before its trailer");
    return;
  }
  const uint64_t dataEnd = fileSize_ - pak::kTrailerSize;
  uint64_t entry = pak::ReadLe32(trailer);
  const uint32_t count = pak::ReadLe32(trailer + 4);
  if (count > (dataEnd - pak::kHeaderSize) / pak::kEntrySize) {
    state_ = State::kBrokenDirectory;
    Problem("the trailer counts " + std::to_string(count) + " entries, more than the file can hold");
    return;
  }

  records_.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t e[pak::kEntrySize];
    if (entry < pak::kHeaderSize || entry + pak::kEntrySize > dataEnd || !ReadAt(entry, e, sizeof e)) {
      state_ = State::kBrokenDirectory;
      Problem("directory entry " + std::to_string(i) + " lies outside the archive (offset " +
              std::to_string(entry) + ")");
      records_.clear();
      index_.clear();
      return;
    }
    const uint32_t memberOffset = pak::ReadLe32(e);
    entry = pak::ReadLe32(e + 4);

    const char* name = reinterpret_cast<const char*>(e + 8);
    const void* zero = std::memchr(name, 0, pak::kNameSize);
    if (!zero) {
      Problem("directory entry " + std::to_string(i) + " has a name without its terminating zero");
      continue;
    }
    Record rec;
    rec.name.assign(name, static_cast<const char*>(zero));
    rec.offset = memberOffset;
    uint8_t len[4];
    if (memberOffset < pak::kHeaderSize || uint64_t(memberOffset) + 4 > dataEnd ||
        !ReadAt(memberOffset, len, sizeof len)) {
      Problem("member " + rec.name + " lies outside the archive (offset " + std::to_string(memberOffset) +
              ")");
      continue;
    }
    rec.length = pak::ReadLe32(len);
    if (uint64_t(memberOffset) + 4 + rec.length > dataEnd) {
      Problem("member " + rec.name + " runs past the end of the archive (" + std::to_string(rec.length) +
              " bytes at offset " + std::to_string(memberOffset) + ")");
      continue;
    }
    index_.emplace(pak::FoldCase(rec.name), records_.size());  // the first of a name wins
    records_.push_back(std::move(rec));
  }
}

bool CPakfile::HasMember(std::string_view name) const {
  return index_.count(pak::FoldCase(name)) != 0;
}

std::optional<std::vector<uint8_t>> CPakfile::ReadMember(std::string_view name) {
  auto it = index_.find(pak::FoldCase(name));
  if (it == index_.end()) return std::nullopt;
  return ReadMemberAt(it->second);
}

std::optional<std::vector<uint8_t>> CPakfile::ReadMemberAt(size_t index) {
  if (index >= records_.size() || (!file_ && !inMemory_)) return std::nullopt;
  const Record& rec = records_[index];
  // The length was checked against the file when the directory was read, so this allocation is
  // never larger than the archive itself.
  std::vector<uint8_t> bytes(rec.length);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ReadAt(uint64_t(rec.offset) + 4, bytes.data(), bytes.size())) return std::nullopt;
  }
  for (uint8_t& b : bytes) b = inverse_[b];
  return bytes;
}

// ---- The process-wide list of open archives -----------------------------------------------------

namespace {

std::mutex g_listMutex;
std::vector<std::unique_ptr<CPakfile>>& OpenList() {
  static std::vector<std::unique_ptr<CPakfile>> list;
  return list;
}

}  // namespace

CPakfile* OpenPak(const std::string& path) {
  std::lock_guard<std::mutex> lock(g_listMutex);
  auto& list = OpenList();
  for (auto& pak : list)
    if (pak::EqualsFolded(pak->Path(), path)) return pak.get();
  list.push_back(std::make_unique<CPakfile>(path));
  return list.back().get();
}

CPakfile* OpenDataPak(const char* fileName) {
  return OpenPak(os::JoinPath(os::DataRoot(), fileName));
}

void CloseAllPaks() {
  std::lock_guard<std::mutex> lock(g_listMutex);
  OpenList().clear();
}

void ResetPaksForTest() {
  CloseAllPaks();
}

size_t OpenPakCount() {
  std::lock_guard<std::mutex> lock(g_listMutex);
  return OpenList().size();
}
