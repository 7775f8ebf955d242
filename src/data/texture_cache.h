// The process-wide cache of textures, keyed by image name without regard to letter case. An entry
// is shared and reference counted; it keeps its device texture while a device exists and survives
// device loss, so the shell drops and re-creates every device texture in one sweep. Entries made
// from 32-bit uncompressed TGA images can also carry a one-byte-per-pixel alpha mask for
// pixel-exact pointer hit tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/device.h"

// Flags given to AcquireTexture (the first acquirer's flags stay with the entry).
enum : uint32_t {
  kTexLooseFile = 1,    // read the image from a file at the given path instead of Textures.pak
  kTexSingleLevel = 2,  // no mip chain
  kTexHitMask = 4,      // also build the alpha hit mask (names ending ".tga" only)
};

struct TextureEntry;

// The entry named name (any letter case) with one more reference, or a new entry with the flags.
// A missing or unreadable image still gives an entry; it just has no device texture.
TextureEntry* AcquireTexture(const std::string& name, uint32_t flags = 0);
// Removes one reference; at zero the entry and its device texture are freed. Null is ignored.
void ReleaseTexture(TextureEntry* entry);

// Queries accept null (an empty name, no texture, aspect 1, hit everywhere).
const char* GetTextureName(const TextureEntry* entry);
gfx::Texture* GetDeviceTexture(const TextureEntry* entry);
float GetAspect(const TextureEntry* entry);  // width / height of the top level as created
int GetTextureWidth(const TextureEntry* entry);
int GetTextureHeight(const TextureEntry* entry);
uint32_t GetTextureFlags(const TextureEntry* entry);
int GetTextureRefCount(const TextureEntry* entry);
bool HasHitMask(const TextureEntry* entry);
// Point in the sprite's normalised frame: x -1 (left) .. +1 (right), y -1 (bottom) .. +1 (top).
// 1 without a mask; 0 outside the mask; else whether the mask byte under the point is nonzero.
int HitTestMask(const TextureEntry* entry, float x, float y);

// Device sweeps, called by the shell's restore, invalidate and delete steps and the final clean-up.
void RestoreAllTextures(gfx::Device* device);
void InvalidateAllTextures();
void DestroyAllTextures();  // every entry, whatever its references
// Advances with every DestroyAllTextures: holders that keep an entry for the whole run compare it
// to learn that their pointer was freed under them.
uint32_t TextureCacheGeneration();
int CountTextures();
// Names compare without regard to letter case (ASCII letters; other bytes as they are).
bool SameTextureName(std::string_view a, std::string_view b);

// Mask building on its own (exposed for the fuzzers and tests): the bytes of a TGA file give a
// mask when the file is uncompressed true colour with 32 bits per pixel. Rows stay in file order.
bool BuildHitMask(const uint8_t* data, size_t size, int& width, int& height, std::vector<uint8_t>& mask);

// ---- Frames in progress ------------------------------------------------------------------------
// Every created texture moves the loading bar with one LoadingProgressStep, and outside a frame
// that step may draw and present a frame of its own. A texture can also be requested while a frame
// is being drawn (a sprite that loads its picture from Render); a present there would land inside
// the open scene. The frame loop therefore marks the span it draws in, and the progress step asks
// IsFrameBeingDrawn: inside a frame it only counts.
class FrameDrawingScope {
 public:
  FrameDrawingScope();
  ~FrameDrawingScope();
  FrameDrawingScope(const FrameDrawingScope&) = delete;
  FrameDrawingScope& operator=(const FrameDrawingScope&) = delete;
};
bool IsFrameBeingDrawn();
