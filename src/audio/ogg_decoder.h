// Ogg Vorbis decoding into 16-bit little-endian signed PCM, over a file or bytes in memory, through
// libvorbisfile's callback interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class OggDecoder {
 public:
  // Why opening failed; the numbers are the music stream's status codes.
  enum OpenResult { kOpened = 0, kOpenFailed = 1, kDecoderFailed = 2, kNoStreamInfo = 3 };
  enum ReadResult { kData, kEnd, kError };

  OggDecoder();
  ~OggDecoder();
  OggDecoder(const OggDecoder&) = delete;
  OggDecoder& operator=(const OggDecoder&) = delete;

  OpenResult OpenFile(const std::string& path);
  OpenResult OpenMemory(std::vector<uint8_t> bytes);
  void Close();
  bool IsOpen() const;

  int Channels() const { return channels_; }
  long Rate() const { return rate_; }

  // Decodes up to bytes of PCM into dst. kData with *got > 0; kEnd at the end of the data; kError
  // when the stream cannot be decoded further (a damaged page is skipped, not an error). A change
  // of channel count or rate inside a chained file also ends the data this stream can play.
  ReadResult Read(uint8_t* dst, size_t bytes, size_t* got);
  bool Rewind();  // back to the first sample

 private:
  struct Source;
  OpenResult Open();

  std::unique_ptr<Source> source_;
  void* vf_ = nullptr;  // OggVorbis_File, kept out of this header
  int channels_ = 0;
  long rate_ = 0;
};
