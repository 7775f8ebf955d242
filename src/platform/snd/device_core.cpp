// Buffers and their play state, shared by both backends. Every entry point takes the device lock;
// the mixer runs with it held.
#include "platform/snd/device_core.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace snd {

WaveFormat WaveFormat::Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
  WaveFormat f;
  f.formatTag = WAVE_FORMAT_PCM;
  f.channels = channels;
  f.samplesPerSec = rate;
  f.bitsPerSample = bits;
  f.blockAlign = uint16_t(channels * bits / 8);
  f.avgBytesPerSec = rate * f.blockAlign;
  return f;
}

float GainFromHundredthsDb(int32_t hundredthsDb) {
  if (hundredthsDb <= DSBVOLUME_MIN) return 0.0f;
  if (hundredthsDb >= 0) return 1.0f;
  return std::pow(10.0f, float(hundredthsDb) / 2000.0f);
}

namespace detail {

HRESULT ValidateBufferDesc(const BufferDesc& desc) {
  const WaveFormat& f = desc.format;
  if (f.formatTag != WAVE_FORMAT_PCM) return DSERR_BADFORMAT;
  if (f.channels < 1 || f.channels > 2) return DSERR_BADFORMAT;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return DSERR_BADFORMAT;
  if (f.blockAlign != f.channels * f.bitsPerSample / 8) return DSERR_BADFORMAT;
  if (f.samplesPerSec < DSBFREQUENCY_MIN || f.samplesPerSec > DSBFREQUENCY_MAX) return DSERR_BADFORMAT;
  if (desc.bytes < DSBSIZE_MIN || desc.bytes > DSBSIZE_MAX) return DSERR_INVALIDPARAM;
  return S_OK;
}

// ---- Buffer ------------------------------------------------------------------------------------

BufferImpl::BufferImpl(std::shared_ptr<DeviceCore> core, const BufferDesc& desc, int id)
    : core_(std::move(core)),
      id_(id),
      flags_(desc.flags),
      format_(desc.format),
      size_(desc.bytes),
      frameCount_(desc.bytes / desc.format.blockAlign),
      data_(desc.bytes, desc.format.bitsPerSample == 8 ? uint8_t(0x80) : uint8_t(0)) {}

BufferImpl::~BufferImpl() {
  std::lock_guard<std::mutex> lock(core_->mutex);
  auto& list = core_->buffers;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  core_->Record(id_, "Destroy");
}

uint32_t BufferImpl::AddRef() {
  return refs_.fetch_add(1) + 1;
}

uint32_t BufferImpl::Release() {
  uint32_t left = refs_.fetch_sub(1) - 1;
  if (left == 0) delete this;
  return left;
}

HRESULT BufferImpl::Lock(uint32_t offset, uint32_t bytes, void** ptr1, uint32_t* bytes1, void** ptr2,
                         uint32_t* bytes2, uint32_t flags) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "Lock", offset, bytes);
  if (!ptr1 || !bytes1) return DSERR_INVALIDPARAM;
  if (lost_) return DSERR_BUFFERLOST;
  if (locked_) return DSERR_INVALIDCALL;
  if (flags & DSBLOCK_ENTIREBUFFER) {
    offset = 0;
    bytes = size_;
  } else if (flags & DSBLOCK_FROMWRITECURSOR) {
    offset = PlayByteLocked();
  }
  if (offset >= size_ || bytes == 0 || bytes > size_) return DSERR_INVALIDPARAM;
  uint32_t first = std::min(bytes, size_ - offset);
  uint32_t second = bytes - first;
  if (second && (!ptr2 || !bytes2)) return DSERR_INVALIDPARAM;
  lockCopy_.resize(bytes);
  std::memcpy(lockCopy_.data(), data_.data() + offset, first);
  if (second) std::memcpy(lockCopy_.data() + first, data_.data(), second);
  locked_ = true;
  lockOffset_ = offset;
  lockBytes1_ = first;
  lockBytes2_ = second;
  *ptr1 = lockCopy_.data();
  *bytes1 = first;
  if (ptr2) *ptr2 = second ? lockCopy_.data() + first : nullptr;
  if (bytes2) *bytes2 = second;
  return S_OK;
}

HRESULT BufferImpl::Unlock(void* ptr1, uint32_t bytes1, void* ptr2, uint32_t bytes2) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "Unlock", bytes1, bytes2);
  if (!locked_ || ptr1 != lockCopy_.data() || bytes1 > lockBytes1_ || bytes2 > lockBytes2_ ||
      (bytes2 && ptr2 != lockCopy_.data() + lockBytes1_))
    return DSERR_INVALIDPARAM;
  std::memcpy(data_.data() + lockOffset_, lockCopy_.data(), bytes1);
  if (bytes2) std::memcpy(data_.data(), lockCopy_.data() + lockBytes1_, bytes2);
  locked_ = false;
  // A whole-buffer lock is the one-time fill of a static sound: do not keep a second copy.
  if (lockBytes1_ + lockBytes2_ == size_) {
    lockCopy_.clear();
    lockCopy_.shrink_to_fit();
  }
  return S_OK;
}

HRESULT BufferImpl::Play(uint32_t flags) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "Play", flags);
  if (lost_) return DSERR_BUFFERLOST;
  playing_ = true;
  looping_ = (flags & DSBPLAY_LOOPING) != 0;
  return S_OK;
}

HRESULT BufferImpl::Stop() {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "Stop");
  if (playing_) {
    playing_ = false;
    for (auto& n : notify_)
      if (n.offset == DSBPN_OFFSETSTOP) n.event->Set();
  }
  return S_OK;
}

HRESULT BufferImpl::GetCurrentPosition(uint32_t* play, uint32_t* write) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "GetCurrentPosition");
  uint32_t p = PlayByteLocked();
  if (play) *play = p;
  if (write) {
    // The mixer reads ahead by about 10 ms; report the write cursor that far on.
    uint32_t ahead = playing_ ? (RateLocked() / 100) * format_.blockAlign : 0;
    *write = uint32_t((uint64_t(p) + ahead) % size_);
  }
  return S_OK;
}

HRESULT BufferImpl::SetCurrentPosition(uint32_t play) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "SetCurrentPosition", play);
  if (play >= size_) return DSERR_INVALIDPARAM;
  position_ = uint64_t(play / format_.blockAlign) << 32;
  return S_OK;
}

HRESULT BufferImpl::GetStatus(uint32_t* status) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "GetStatus");
  if (!status) return DSERR_INVALIDPARAM;
  *status = 0;
  if (lost_) *status |= DSBSTATUS_BUFFERLOST;
  if (playing_) *status |= DSBSTATUS_PLAYING | (looping_ ? uint32_t(DSBSTATUS_LOOPING) : 0u);
  return S_OK;
}

HRESULT BufferImpl::Restore() {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "Restore");
  if (lost_) {
    lost_ = false;
    std::fill(data_.begin(), data_.end(), format_.bitsPerSample == 8 ? uint8_t(0x80) : uint8_t(0));
  }
  return S_OK;
}

HRESULT BufferImpl::SetVolume(int32_t hundredthsDb) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "SetVolume", hundredthsDb);
  if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (hundredthsDb < DSBVOLUME_MIN || hundredthsDb > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  volume_ = hundredthsDb;
  return S_OK;
}

HRESULT BufferImpl::GetVolume(int32_t* hundredthsDb) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  if (!hundredthsDb) return DSERR_INVALIDPARAM;
  *hundredthsDb = volume_;
  return S_OK;
}

HRESULT BufferImpl::SetPan(int32_t hundredthsDb) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "SetPan", hundredthsDb);
  if (!(flags_ & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
  if (hundredthsDb < DSBPAN_LEFT || hundredthsDb > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
  pan_ = hundredthsDb;
  return S_OK;
}

HRESULT BufferImpl::GetPan(int32_t* hundredthsDb) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  if (!hundredthsDb) return DSERR_INVALIDPARAM;
  *hundredthsDb = pan_;
  return S_OK;
}

HRESULT BufferImpl::SetFrequency(uint32_t hz) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "SetFrequency", hz);
  if (!(flags_ & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
  if (hz != DSBFREQUENCY_ORIGINAL && (hz < DSBFREQUENCY_MIN || hz > DSBFREQUENCY_MAX))
    return DSERR_INVALIDPARAM;
  frequency_ = hz;
  return S_OK;
}

HRESULT BufferImpl::GetFrequency(uint32_t* hz) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  if (!hz) return DSERR_INVALIDPARAM;
  *hz = RateLocked();
  return S_OK;
}

HRESULT BufferImpl::SetNotificationPositions(const std::vector<PositionNotify>& positions) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(id_, "SetNotificationPositions", int64_t(positions.size()),
                positions.empty() ? 0 : int64_t(positions[0].offset));
  if (!(flags_ & DSBCAPS_CTRLPOSITIONNOTIFY)) return DSERR_CONTROLUNAVAIL;
  if (playing_) return DSERR_INVALIDCALL;
  for (const auto& n : positions)
    if (!n.event || (n.offset != DSBPN_OFFSETSTOP && n.offset >= size_)) return DSERR_INVALIDPARAM;
  notify_ = positions;
  return S_OK;
}

void BufferImpl::MarkLostLocked() {
  lost_ = true;
  playing_ = false;
}

void BufferImpl::NotifyCrossedLocked(uint32_t fromByte, uint64_t advancedFrames) {
  if (advancedFrames == 0 || notify_.empty()) return;
  uint64_t span = advancedFrames * format_.blockAlign;
  for (auto& n : notify_) {
    if (n.offset == DSBPN_OFFSETSTOP) continue;
    uint64_t distance = (uint64_t(n.offset) + size_ - fromByte) % size_;
    if (span >= size_ || distance < span) n.event->Set();
  }
}

void BufferImpl::StopAtEndLocked() {
  // A buffer played once stops at its end and rewinds, so the next Play starts it again.
  playing_ = false;
  position_ = 0;
  for (auto& n : notify_)
    if (n.offset == DSBPN_OFFSETSTOP) n.event->Set();
}

void BufferImpl::AdvanceLocked(uint64_t frames) {
  if (!playing_ || lost_ || frameCount_ == 0) return;
  uint32_t fromByte = PlayByteLocked();
  uint64_t index = position_ >> 32;
  uint64_t target = index + frames;
  if (target >= frameCount_ && !looping_) {
    NotifyCrossedLocked(fromByte, frameCount_ - index);
    StopAtEndLocked();
    return;
  }
  NotifyCrossedLocked(fromByte, frames);
  position_ = ((target % frameCount_) << 32) | (position_ & 0xFFFFFFFFu);
}

// ---- Device ------------------------------------------------------------------------------------

HRESULT DeviceShared::CreateSoundBuffer(const BufferDesc& desc, Buffer** out) {
  if (!out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  HRESULT hr = ValidateBufferDesc(desc);
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(0, "CreateSoundBuffer", desc.bytes, desc.format.samplesPerSec);
  if (Failed(hr)) return hr;
  auto* buffer = new BufferImpl(core_, desc, core_->nextBufferId++);
  core_->buffers.push_back(buffer);
  *out = buffer;
  return S_OK;
}

HRESULT DeviceShared::SetPrimaryFormat(const WaveFormat& format) {
  std::lock_guard<std::mutex> lock(core_->mutex);
  core_->Record(0, "SetPrimaryFormat", format.samplesPerSec, format.channels);
  BufferDesc probe;
  probe.format = format;
  probe.bytes = DSBSIZE_MIN;
  if (Failed(ValidateBufferDesc(probe))) return DSERR_BADFORMAT;
  primary_ = format;
  return S_OK;
}

WaveFormat DeviceShared::PrimaryFormat() const {
  std::lock_guard<std::mutex> lock(core_->mutex);
  return primary_;
}

int DeviceShared::LiveBufferCount() const {
  std::lock_guard<std::mutex> lock(core_->mutex);
  return int(core_->buffers.size());
}

}  // namespace detail
}  // namespace snd
