#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include "platform/os/key_map.h"
#include "platform/os/keys.h"
#include "platform/os/text_1252.h"

using os::Utf8ToWindows1252;
using os::Windows1252ToUtf8;

TEST(Text1252, Utf8ConvertsOrDropsEachCharacter) {
  EXPECT_EQ(Utf8ToWindows1252("Plain ASCII ~!"), "Plain ASCII ~!");
  EXPECT_EQ(Utf8ToWindows1252("caf\xC3\xA9 \xC3\xBF"), "caf\xE9 \xFF");
  // The characters that 1252 keeps in 0x80..0x9F.
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC \xE2\x80\x9C\xE2\x80\x9D \xC5\xB8 \xE2\x84\xA2"),
            "\x80 \x93\x94 \x9F \x99");
  // No byte for these: CJK, an emoji, C1 controls.
  EXPECT_EQ(Utf8ToWindows1252("a\xE4\xB8\xADz\xF0\x9F\x98\x80!\xC2\x81\xC2\x9D"), "az!");
  // Malformed input: stray continuation, truncated sequence, overlong '/', surrogate, beyond U+10FFFF.
  EXPECT_EQ(Utf8ToWindows1252("a\x80"
                              "b\xC3"),
            "ab");
  EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xFFx"), "|||x");
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x82"
                              "A"),
            "A");
}

TEST(Text1252, EveryAssignedByteRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    std::string one(1, char(b));
    bool unassigned = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(one)), unassigned ? "" : one) << b;
  }
  EXPECT_EQ(Windows1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
}

TEST(KeyMap, SdlKeysGiveVirtualKeyCodes) {
  struct Case {
    int32_t sym;
    int vk;
  } cases[] = {
      {SDLK_a, 'A'},         {SDLK_z, 'Z'},         {SDLK_0, '0'},          {SDLK_9, '9'},
      {SDLK_F1, 0x70},       {SDLK_F12, 0x7B},      {SDLK_F13, 0x7C},       {SDLK_RETURN, 0x0D},
      {SDLK_KP_ENTER, 0x0D}, {SDLK_ESCAPE, 0x1B},   {SDLK_BACKSPACE, 0x08}, {SDLK_DELETE, 0x2E},
      {SDLK_TAB, 0x09},      {SDLK_SPACE, 0x20},    {SDLK_HOME, 0x24},      {SDLK_END, 0x23},
      {SDLK_PAGEUP, 0x21},   {SDLK_PAGEDOWN, 0x22}, {SDLK_LEFT, 0x25},      {SDLK_UP, 0x26},
      {SDLK_RIGHT, 0x27},    {SDLK_DOWN, 0x28},     {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},
      {SDLK_LCTRL, 0x11},    {SDLK_RALT, 0x12},     {SDLK_KP_0, 0x60},      {SDLK_KP_7, 0x67},
      {SDLK_KP_PLUS, 0x6B},  {SDLK_MINUS, 0xBD},    {SDLK_SLASH, 0xBF},     {SDLK_INSERT, 0x2D},
  };
  for (const Case& c : cases) EXPECT_EQ(os::VkFromSdlKey(c.sym, SDL_SCANCODE_UNKNOWN), c.vk) << c.sym;
  EXPECT_EQ(os::SidedVkFromSdlKey(SDLK_LSHIFT), 0xA0);
  EXPECT_EQ(os::SidedVkFromSdlKey(SDLK_RCTRL), 0xA3);
  EXPECT_EQ(os::SidedVkFromSdlKey(SDLK_a), 0);
  // A key that types a letter outside ASCII is known by its position.
  EXPECT_EQ(os::VkFromSdlKey(0xE9, SDL_SCANCODE_2), '2');
  EXPECT_EQ(os::VkFromSdlKey(0xF6, SDL_SCANCODE_SEMICOLON), 0);
  EXPECT_EQ(os::VkFromSdlKey(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP), 0);
}

TEST(KeyMap, ScriptNames) {
  EXPECT_EQ(os::vk::FromName("Escape"), os::vk::kEscape);
  EXPECT_EQ(os::vk::FromName("RETURN"), os::vk::kReturn);
  EXPECT_EQ(os::vk::FromName("Back"), os::vk::kBack);
  EXPECT_EQ(os::vk::FromName("left"), os::vk::kLeft);
  EXPECT_EQ(os::vk::FromName("Delete"), os::vk::kDelete);
  EXPECT_EQ(os::vk::FromName("F1"), 0x70);
  EXPECT_EQ(os::vk::FromName("f24"), 0x87);
  EXPECT_EQ(os::vk::FromName("q"), 'Q');
  EXPECT_EQ(os::vk::FromName("7"), '7');
  for (const char* bad : {"", "F0", "F25", "F1x", "Nothing", "#"}) EXPECT_EQ(os::vk::FromName(bad), 0) << bad;
}
