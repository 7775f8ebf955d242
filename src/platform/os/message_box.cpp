// Message boxes and links. Nothing here may block a run that no person watches.
#include <SDL.h>

#include <cstdio>
#include <mutex>

#include "platform/os/host.h"
#include "platform/os/text_1252.h"

namespace os {
namespace {
std::mutex g_hookMutex;
MessageBoxHook g_boxHook;
UrlHook g_urlHook;

int DefaultAnswer(MsgButtons buttons) {
  return buttons == MsgButtons::YesNo ? kMsgYes : kMsgOk;
}

void PrintBox(const std::string& caption, const std::string& text) {
  std::string line = Windows1252ToUtf8(caption) + ": " + Windows1252ToUtf8(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

Uint32 IconFlags(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Error:
      return SDL_MESSAGEBOX_ERROR;
    case MsgIcon::Warning:
      return SDL_MESSAGEBOX_WARNING;
    case MsgIcon::Information:
    case MsgIcon::Question:
      return SDL_MESSAGEBOX_INFORMATION;
    case MsgIcon::None:
      break;
  }
  return 0;
}

SDL_Window* ParentWindow() {
  // The host may not exist yet (a failure during start-up); a box without a parent is fine then.
  Window* w = HasHost() ? host().GetWindow() : nullptr;
  return w ? static_cast<SDL_Window*>(w->NativeHandle()) : nullptr;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
  std::lock_guard lock(g_hookMutex);
  g_boxHook = std::move(hook);
}

int ShowMessageBox(const std::string& caption, const std::string& text, MsgIcon icon, MsgButtons buttons) {
  MessageBoxHook hook;
  {
    std::lock_guard lock(g_hookMutex);
    hook = g_boxHook;
  }
  if (hook) return hook(caption, text, icon);
  if (IsAutomationMode()) {
    PrintBox(caption, text);
    return DefaultAnswer(buttons);
  }

  std::string utfCaption = Windows1252ToUtf8(caption), utfText = Windows1252ToUtf8(text);
  SDL_MessageBoxButtonData data[2] = {};
  int count = 0;
  switch (buttons) {
    case MsgButtons::Ok:
      data[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                       kMsgOk, "OK"};
      break;
    case MsgButtons::OkCancel:
      data[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kMsgOk, "OK"};
      data[count++] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kMsgCancel, "Cancel"};
      break;
    case MsgButtons::YesNo:
      data[count++] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kMsgYes, "Yes"};
      data[count++] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kMsgNo, "No"};
      break;
  }
  SDL_MessageBoxData box = {};
  box.flags = IconFlags(icon);
  box.window = ParentWindow();
  box.title = utfCaption.c_str();
  box.message = utfText.c_str();
  box.numbuttons = count;
  box.buttons = data;
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    // No way to show it (no display server after all): the text must not be lost.
    PrintBox(caption, text);
    return DefaultAnswer(buttons);
  }
  if (pressed < 0)
    return buttons == MsgButtons::Ok ? kMsgOk : buttons == MsgButtons::YesNo ? kMsgNo : kMsgCancel;
  return pressed;
}

bool IsOpenableUrl(const std::string& url) {
  auto startsWith = [&](const char* prefix) {
    size_t n = std::char_traits<char>::length(prefix);
    if (url.size() <= n) return false;
    for (size_t i = 0; i < n; ++i) {
      char c = url[i];
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
      if (c != prefix[i]) return false;
    }
    return true;
  };
  if (!startsWith("http://") && !startsWith("https://")) return false;
  for (unsigned char c : url) {
    if (c < 0x20 || c == 0x7F || c == ' ') return false;
  }
  return true;
}

void SetUrlHook(UrlHook hook) {
  std::lock_guard lock(g_hookMutex);
  g_urlHook = std::move(hook);
}

bool OpenUrl(const std::string& url) {
  if (!IsOpenableUrl(url)) return false;
  UrlHook hook;
  {
    std::lock_guard lock(g_hookMutex);
    hook = g_urlHook;
  }
  if (hook) return hook(url);
  if (IsAutomationMode()) {
    PrintBox("OpenUrl", url);
    return true;
  }
  return SDL_OpenURL(url.c_str()) == 0;
}

}  // namespace os
