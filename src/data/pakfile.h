// Read-only content archives (Textures.pak, Sounds.pak, Database.pak). An archive is opened once,
// keeps its directory in memory and hands out whole members as new, unscrambled buffers. Member
// names are relative paths with backslashes ("GUI\CursorHand.png"), matched without regard to case.
//
// Every stored number is checked against the file before it is used: a damaged directory leaves the
// archive empty, a damaged member is dropped, and nothing is ever allocated beyond the file's size.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CPakfile {
 public:
  enum class State {
    kOk,              // the directory was read (possibly with some members dropped, see Problems)
    kCannotOpen,      // the file could not be opened
    kInvalid,         // not an archive (wrong magic or too short)
    kBrokenDirectory  // the magic is right but the directory cannot be trusted
  };

  struct Record {
    std::string name;     // as stored
    uint32_t offset = 0;  // of the member's length field
    uint32_t length = 0;  // of the member's bytes
  };

  // Opens and reads the directory. With showMessages, a file that cannot be opened or is not an
  // archive is reported in a message box (the game); tools pass false and ask State() instead.
  explicit CPakfile(std::string path, bool showMessages = true);
  // An archive image already in memory (tests, fuzzing); name stands in for the path.
  static std::unique_ptr<CPakfile> FromImage(std::string name, std::vector<uint8_t> image);
  ~CPakfile();
  CPakfile(const CPakfile&) = delete;
  CPakfile& operator=(const CPakfile&) = delete;

  // The member's plain bytes (an empty vector for a zero-length member); nullopt when no record
  // matches or the member cannot be read whole. The first record of a name wins.
  std::optional<std::vector<uint8_t>> ReadMember(std::string_view name);
  // The same for the record at index (chain order), for tools that walk every member.
  std::optional<std::vector<uint8_t>> ReadMemberAt(size_t index);
  bool HasMember(std::string_view name) const;

  const std::string& Path() const { return path_; }
  State GetState() const { return state_; }
  uint32_t Seed() const { return seed_; }  // from the header (0 when there is none)
  // Records in chain order (duplicates included).
  const std::vector<Record>& Records() const { return records_; }
  // What was wrong with the archive, one line each (empty for a sound archive).
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  struct ImageTag {};
  CPakfile(ImageTag, std::string name, std::vector<uint8_t> image);
  void ReadDirectory();
  bool ReadAt(uint64_t offset, void* dst, size_t size);
  void Problem(std::string text);

  std::string path_;
  std::FILE* file_ = nullptr;
  std::vector<uint8_t> image_;  // the whole archive when it lives in memory
  bool inMemory_ = false;
  uint64_t fileSize_ = 0;
  uint32_t seed_ = 0;
  State state_ = State::kOk;
  std::vector<Record> records_;
  std::unordered_map<std::string, size_t> index_;  // lower-case name -> first record
  std::array<uint8_t, 256> inverse_{};             // stored byte -> plain byte
  std::vector<std::string> problems_;
  std::mutex mutex_;  // one file position shared by every reader
};

// The open archive whose path equals path without regard to case, or a new one appended to the
// process-wide list. Never null: an archive that could not be opened simply finds nothing.
CPakfile* OpenPak(const std::string& path);
// OpenPak of a file in the data root ("Textures.pak", "Sounds.pak", "Database.pak"). Cheap enough
// to call on every use, so callers need not keep the pointer (CloseAllPaks would leave it dangling).
CPakfile* OpenDataPak(const char* fileName);
// Destroys every open archive. Pointers returned earlier become invalid.
void CloseAllPaks();
// For tests: the same as CloseAllPaks, so the next OpenPak reads the file again.
void ResetPaksForTest();
size_t OpenPakCount();
