// libvorbisfile over our own read callbacks, so a file and bytes in memory take the same path.
#include "audio/ogg_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstring>

struct OggDecoder::Source {
  std::FILE* file = nullptr;
  std::vector<uint8_t> bytes;
  size_t pos = 0;

  ~Source() {
    if (file) std::fclose(file);
  }

  static size_t Read(void* dst, size_t size, size_t count, void* self) {
    auto* s = static_cast<Source*>(self);
    if (size == 0 || count == 0) return 0;
    if (s->file) return std::fread(dst, size, count, s->file);
    size_t want = std::min(count, (s->bytes.size() - s->pos) / size);
    if (want == 0) return 0;  // an empty source may have no buffer at all
    std::memcpy(dst, s->bytes.data() + s->pos, want * size);
    s->pos += want * size;
    return want;
  }
  static int Seek(void* self, ogg_int64_t offset, int whence) {
    auto* s = static_cast<Source*>(self);
    if (s->file) {
      if (offset > LONG_MAX || offset < LONG_MIN) return -1;
      return std::fseek(s->file, long(offset), whence);
    }
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? int64_t(s->pos) : int64_t(s->bytes.size());
    if (offset > INT64_MAX - base) return -1;
    int64_t to = base + offset;
    if (to < 0 || to > int64_t(s->bytes.size())) return -1;
    s->pos = size_t(to);
    return 0;
  }
  static long Tell(void* self) {
    auto* s = static_cast<Source*>(self);
    return s->file ? std::ftell(s->file) : long(s->pos);
  }
};

namespace {
OggVorbis_File* Vf(void* p) {
  return static_cast<OggVorbis_File*>(p);
}
}  // namespace

OggDecoder::OggDecoder() = default;

OggDecoder::~OggDecoder() {
  Close();
}

bool OggDecoder::IsOpen() const {
  return vf_ != nullptr;
}

void OggDecoder::Close() {
  if (vf_) {
    ov_clear(Vf(vf_));
    delete Vf(vf_);
    vf_ = nullptr;
  }
  source_.reset();
  channels_ = 0;
  rate_ = 0;
}

OggDecoder::OpenResult OggDecoder::OpenFile(const std::string& path) {
  Close();
  source_ = std::make_unique<Source>();
  source_->file = std::fopen(path.c_str(), "rb");
  if (!source_->file) {
    source_.reset();
    return kOpenFailed;
  }
  return Open();
}

OggDecoder::OpenResult OggDecoder::OpenMemory(std::vector<uint8_t> bytes) {
  Close();
  source_ = std::make_unique<Source>();
  source_->bytes = std::move(bytes);
  return Open();
}

OggDecoder::OpenResult OggDecoder::Open() {
  ov_callbacks callbacks{Source::Read, Source::Seek, nullptr, Source::Tell};
  auto* vf = new OggVorbis_File;
  if (ov_open_callbacks(source_.get(), vf, nullptr, 0, callbacks) != 0) {
    delete vf;  // ov_open_callbacks clears what it made when it fails
    source_.reset();
    return kDecoderFailed;
  }
  vf_ = vf;
  vorbis_info* info = ov_info(vf, -1);
  if (!info || info->channels <= 0) {
    Close();
    return kNoStreamInfo;
  }
  channels_ = info->channels;
  rate_ = info->rate;
  return kOpened;
}

OggDecoder::ReadResult OggDecoder::Read(uint8_t* dst, size_t bytes, size_t* got) {
  *got = 0;
  if (!vf_) return kError;
  for (int holes = 0; holes < 64;) {
    int link = 0;
    int ask = int(std::min<size_t>(bytes, 1 << 20));
    long n = ov_read(Vf(vf_), reinterpret_cast<char*>(dst), ask, 0, 2, 1, &link);
    if (n == OV_HOLE) {
      ++holes;
      continue;
    }
    if (n < 0) return kError;
    if (n == 0) return kEnd;
    vorbis_info* info = ov_info(Vf(vf_), link);
    if (!info || info->channels != channels_ || info->rate != rate_) return kEnd;
    *got = size_t(n);
    return kData;
  }
  return kError;
}

bool OggDecoder::Rewind() {
  return vf_ && ov_pcm_seek(Vf(vf_), 0) == 0;
}
