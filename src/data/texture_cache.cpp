#include "data/texture_cache.h"

#include <cmath>
#include <string>

#include "core/loading_progress.h"
#include "data/pakfile.h"
#include "platform/gfx/image_decode.h"
#include "platform/os/host.h"
#include "core/published_device.h"

struct TextureEntry {
  TextureEntry* prev = nullptr;
  TextureEntry* next = nullptr;
  std::string name;
  uint32_t flags = 0;
  int width = 0;
  int height = 0;
  float aspect = 1.0f;
  gfx::Texture* texture = nullptr;
  int refs = 1;
  int maskWidth = 0;
  int maskHeight = 0;
  std::vector<uint8_t> mask;
};

namespace {

TextureEntry* g_head = nullptr;
TextureEntry* g_tail = nullptr;
int g_count = 0;
uint32_t g_generation = 0;
int g_framesOpen = 0;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EndsWithTga(const std::string& name) {
  return name.size() >= 4 && SameTextureName(std::string_view(name).substr(name.size() - 4), ".tga");
}

// Loose paths are relative to the data root unless absolute; content spells folders with backslashes.
std::string LoosePath(const std::string& name) {
  std::string path = name;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (!path.empty() && path[0] == '/') return path;
  return os::JoinPath(os::DataRoot(), path);
}

bool ReadImageBytes(const TextureEntry& e, std::vector<uint8_t>& bytes) {
  if (e.flags & kTexLooseFile) return os::ReadFile(LoosePath(e.name), bytes, size_t(256) << 20);
  auto member = OpenDataPak("Textures.pak")->ReadMember(e.name);
  if (!member) return false;
  bytes = std::move(*member);
  return true;
}

gfx::HRESULT CreateDeviceTexture(TextureEntry& e, gfx::Device* device,
                                 const std::vector<uint8_t>* bytesRead) {
  if (e.texture) return gfx::S_OK;
  std::vector<uint8_t> own;
  const std::vector<uint8_t>* bytes = bytesRead;
  if (!bytes) {
    if (!ReadImageBytes(e, own)) return gfx::E_FAIL;
    bytes = &own;
  }
  gfx::Image image;
  if (!gfx::DecodeImage(bytes->data(), bytes->size(), image)) return gfx::E_FAIL;
  gfx::Texture* texture = nullptr;
  const gfx::HRESULT hr = device->CreateTexture(image, (e.flags & kTexSingleLevel) ? 1 : 0, &texture);
  if (gfx::Failed(hr) || !texture) return gfx::Failed(hr) ? hr : gfx::E_FAIL;
  e.texture = texture;
  e.width = texture->Width();
  e.height = texture->Height();
  e.aspect = e.height > 0 ? float(e.width) / float(e.height) : 1.0f;
  LoadingProgressStep();
  return gfx::S_OK;
}

void BuildMask(TextureEntry& e, const std::vector<uint8_t>& bytes) {
  int w = 0, h = 0;
  std::vector<uint8_t> mask;
  if (!BuildHitMask(bytes.data(), bytes.size(), w, h, mask)) return;
  e.maskWidth = w;
  e.maskHeight = h;
  e.mask = std::move(mask);
}

void Unlink(TextureEntry* e) {
  (e->prev ? e->prev->next : g_head) = e->next;
  (e->next ? e->next->prev : g_tail) = e->prev;
  --g_count;
}

void Destroy(TextureEntry* e) {
  Unlink(e);
  if (e->texture) e->texture->Release();
  delete e;
}

}  // namespace

bool SameTextureName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

TextureEntry* AcquireTexture(const std::string& name, uint32_t flags) {
  for (TextureEntry* e = g_head; e; e = e->next) {
    if (SameTextureName(e->name, name)) {
      ++e->refs;
      return e;
    }
  }
  auto* e = new TextureEntry;
  e->name = name;
  e->flags = flags;
  e->prev = g_tail;
  (g_tail ? g_tail->next : g_head) = e;
  g_tail = e;
  ++g_count;

  const bool wantMask = (flags & kTexHitMask) && EndsWithTga(name);
  // A published device takes new textures at once, also between an invalidate and the next restore
  // (the loading screen of a resolution change loads its pictures there); textures outlive a reset.
  gfx::Device* device = GetDevice();
  if (!device && !wantMask) return e;
  // One read serves both the texture and the mask.
  std::vector<uint8_t> bytes;
  const bool haveBytes = ReadImageBytes(*e, bytes);
  if (device && haveBytes) CreateDeviceTexture(*e, device, &bytes);
  if (wantMask && haveBytes) BuildMask(*e, bytes);
  return e;
}

void ReleaseTexture(TextureEntry* e) {
  if (!e) return;
  if (--e->refs <= 0) Destroy(e);
}

const char* GetTextureName(const TextureEntry* e) {
  return e ? e->name.c_str() : "";
}
gfx::Texture* GetDeviceTexture(const TextureEntry* e) {
  return e ? e->texture : nullptr;
}
float GetAspect(const TextureEntry* e) {
  return e ? e->aspect : 1.0f;
}
int GetTextureWidth(const TextureEntry* e) {
  return e ? e->width : 0;
}
int GetTextureHeight(const TextureEntry* e) {
  return e ? e->height : 0;
}
uint32_t GetTextureFlags(const TextureEntry* e) {
  return e ? e->flags : 0;
}
int GetTextureRefCount(const TextureEntry* e) {
  return e ? e->refs : 0;
}
bool HasHitMask(const TextureEntry* e) {
  return e && !e->mask.empty();
}

int HitTestMask(const TextureEntry* e, float x, float y) {
  if (!HasHitMask(e)) return 1;
  const float w = float(e->maskWidth), h = float(e->maskHeight);
  // Truncation towards zero, as the mask has always been read; compared as floats first so that a
  // far-away or non-finite point never reaches an integer conversion.
  const float column = std::trunc(w / 2 + w / 2 * x);
  const float row = std::trunc(h / 2 - h / 2 * y);
  if (!(column >= 0 && column < w && row >= 0 && row < h)) return 0;
  return e->mask[size_t(row) * size_t(e->maskWidth) + size_t(column)] != 0 ? 1 : 0;
}

void RestoreAllTextures(gfx::Device* device) {
  if (!device) return;
  // A failed entry stays without a texture; the sweep goes on with the next one.
  for (TextureEntry* e = g_head; e; e = e->next) CreateDeviceTexture(*e, device, nullptr);
}

void InvalidateAllTextures() {
  for (TextureEntry* e = g_head; e; e = e->next) {
    if (e->texture) e->texture->Release();
    e->texture = nullptr;
  }
}

void DestroyAllTextures() {
  while (g_head) Destroy(g_head);
  ++g_generation;
}

uint32_t TextureCacheGeneration() {
  return g_generation;
}

int CountTextures() {
  return g_count;
}

bool BuildHitMask(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& mask) {
  width = height = 0;
  mask.clear();
  if (!data || size < 18) return false;
  if (data[2] != 2 || data[16] != 32) return false;
  const int w = data[12] | data[13] << 8;
  const int h = data[14] | data[15] << 8;
  const size_t start = 18 + size_t(data[0]);
  const size_t count = size_t(w) * size_t(h);
  // The whole pixel block must be in the file (a short file builds no mask).
  if (count == 0 || start > size || (size - start) / 4 < count) return false;
  mask.resize(count);
  const uint8_t* p = data + start + 3;
  for (size_t i = 0; i < count; ++i, p += 4) mask[i] = *p;
  width = w;
  height = h;
  return true;
}

FrameDrawingScope::FrameDrawingScope() {
  ++g_framesOpen;
}
FrameDrawingScope::~FrameDrawingScope() {
  --g_framesOpen;
}
bool IsFrameBeingDrawn() {
  return g_framesOpen > 0;
}
