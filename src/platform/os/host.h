// The operating-system layer the game sees: files and folders, clocks, message boxes, URLs and the
// one window with its events and input snapshot. Implemented over SDL2 and POSIX; no SDL type leaks
// out of this header, so game code and tests never include a library header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace os {

// ---- Run mode ---------------------------------------------------------------------------------

// Automation mode (a test, CI, a script or no display): message boxes print "caption: text" to
// standard error and return at once, and nothing ever waits for a person.
void SetAutomationMode(bool on);
// Sanitizer builds: keeps the system GL libraries mapped until exit, so leak reports from inside
// them keep their names (and match the suppressions). Nothing in other builds.
void KeepGlDriverResident();
bool IsAutomationMode();

// ---- Paths and files --------------------------------------------------------------------------

// The folder holding Textures.pak, Sounds.pak, Database.pak and Music/ (the executable's folder
// unless --data overrides it). Always ends without a slash.
std::string DataRoot();
void SetDataRoot(const std::string& dir);
std::string ExecutableDir();
// $XDG_CONFIG_HOME/Brannock/Vardell and $XDG_DATA_HOME/Brannock/Vardell (with the usual fallbacks).
std::string ConfigDir();
std::string AppDataDir();

std::string JoinPath(const std::string& dir, const std::string& name);
bool MakeDirectories(const std::string& dir);  // mkdir -p; true when the folder exists afterwards
bool FileExists(const std::string& path);
bool IsDirectory(const std::string& path);
int64_t FileSize(const std::string& path);  // -1 when path is not a readable regular file
bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);  // replaces the target
// Reads a whole file; false (and out empty) when it cannot be read or is larger than maxBytes.
bool ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes = size_t(1) << 31);
bool ReadTextFile(const std::string& path, std::string& out);
// Writes a temporary file in the same folder, flushes and fsyncs it, then renames it over path.
// A failed write leaves the old file untouched and returns false.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size);
bool WriteFileAtomic(const std::string& path, const std::string& text);

enum class ListKind { Files, Directories, Both };
// Names (not paths) in dir, sorted by byte value; "." and ".." never appear.
std::vector<std::string> ListDirectory(const std::string& dir, ListKind kind = ListKind::Files);

// ---- Time -------------------------------------------------------------------------------------

int64_t CounterNow();        // high-resolution counter
int64_t CounterFrequency();  // ticks per second
uint32_t Milliseconds();     // milliseconds since start-up
void SleepMs(int ms);
int64_t CalendarTime();  // seconds since the epoch

// ---- Message boxes and URLs -------------------------------------------------------------------

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum MsgResult { kMsgOk = 1, kMsgCancel = 2, kMsgYes = 6, kMsgNo = 7 };

// Blocks only in an interactive session; in automation mode prints "caption: text" to stderr and
// returns the default answer (Ok / Yes). Tests may capture boxes with SetMessageBoxHook.
int ShowMessageBox(const std::string& caption, const std::string& text, MsgIcon icon = MsgIcon::None,
                   MsgButtons buttons = MsgButtons::Ok);
using MessageBoxHook = std::function<int(const std::string& caption, const std::string& text, MsgIcon icon)>;
void SetMessageBoxHook(MessageBoxHook hook);  // empty hook restores the normal behaviour

// Opens http:// and https:// links (no control characters) in the user's browser, without a shell.
// In automation mode the link is printed to stderr instead ("OpenUrl: <url>") and counts as opened.
bool OpenUrl(const std::string& url);
bool IsOpenableUrl(const std::string& url);
using UrlHook = std::function<bool(const std::string& url)>;
void SetUrlHook(UrlHook hook);  // tests capture links; empty restores the normal behaviour

// ---- Window, events and input -----------------------------------------------------------------

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

struct Event {
  enum Type {
    kClose,       // the close box or the system asked to quit
    kActivate,    // focus gained
    kDeactivate,  // focus lost
    kMinimize,
    kRestore,     // back from minimised
    kResized,     // client size changed by the user (after the 4:3 snap)
    kKeyDown,     // key = Windows virtual-key code
    kChar,        // code = character as an int from unsigned char (Windows-1252); Backspace is 8
    kAppMessage,  // posted application message: message, wparam
    kMouseMove,
  };
  Type type;
  int key = 0;
  int code = 0;
  uint32_t message = 0;
  intptr_t wparam = 0;
  bool repeat = false;
};

// Current input state. Pointer coordinates are back-buffer pixels, also outside the client area.
struct InputSnapshot {
  bool left = false;
  bool right = false;
  int x = 0;
  int y = 0;
  bool insideClient = false;
  uint8_t keys[256] = {};  // indexed by Windows virtual-key code; 0x80 = down
};

struct DisplayInfo {
  int desktopWidth = 0;
  int desktopHeight = 0;
  int refreshHz = 60;
  bool canWindow = true;
};

class Window {
 public:
  virtual ~Window() = default;
  virtual void SetTitle(const std::string& title) = 0;
  // Outer rectangle in screen pixels, as the settings store keeps it. In full screen: the
  // rectangle the window returns to (setting it there takes effect on the way back).
  virtual Rect OuterRect() const = 0;
  virtual void SetOuterRect(const Rect& r) = 0;
  // Client size in window pixels (the back buffer size in windowed mode).
  virtual void ClientSize(int& w, int& h) const = 0;
  virtual void SetClientSize(int w, int h) = 0;
  // Drawable size in real pixels (differs from the client size on HiDPI displays).
  virtual void DrawableSize(int& w, int& h) const = 0;
  virtual void SetFullscreen(bool fullscreen) = 0;
  virtual bool IsFullscreen() const = 0;
  // Back-buffer size for pointer mapping: pointer positions are reported in these pixels.
  virtual void SetBackBufferSize(int w, int h) = 0;
  virtual void ShowSystemCursor(bool show) = 0;
  // Optional window icon, 0xAARRGGBB pixels row by row.
  virtual void SetIcon(const uint32_t* argb, int width, int height) { (void)argb, (void)width, (void)height; }
  // For the gfx backend only (an SDL_Window*).
  virtual void* NativeHandle() const = 0;
};

struct WindowParams {
  std::string title = "Vardell";
  Rect outer{0, 0, 800, 600};
  bool fullscreen = false;
  bool hidden = false;  // headless runs create no window at all, see Host::CreateWindow
};

// The process's window host: one window, its event queue and the input snapshot.
class Host {
 public:
  virtual ~Host() = default;
  virtual DisplayInfo Display() = 0;
  // Creates the window with an OpenGL-capable surface; null on failure.
  virtual Window* CreateWindow(const WindowParams& params) = 0;
  virtual void DestroyWindow() = 0;
  virtual Window* GetWindow() = 0;
  // Takes the next pending event; with wait it blocks (up to timeoutMs, -1 = for ever).
  virtual bool PollEvent(Event& ev, bool wait = false, int timeoutMs = -1) = 0;
  // Queues an application message; handled between frames by the shell.
  virtual void PostAppMessage(uint32_t message, intptr_t wparam) = 0;
  // While the input gate is closed the buttons and keys read as up (the pointer still moves), and
  // anything held through the gate stays up until released, so it cannot click after it.
  virtual InputSnapshot Input() = 0;
  // Counted input gate: each Disable must be matched by one Enable; input is taken only at 0.
  // The count never goes below zero.
  virtual void DisableInput() = 0;
  virtual void EnableInput() = 0;
  virtual bool InputEnabled() const = 0;
  // Synthetic input for automation scripts (back-buffer pixels / virtual-key codes).
  virtual void InjectPointer(int x, int y) = 0;
  virtual void InjectButton(bool right, bool down) = 0;
  virtual void InjectKey(int vk, bool down) = 0;
  virtual void InjectText(const std::string& windows1252) = 0;
  // Typed text (and an input method, where the system has one) is taken only while an edit
  // control holds the keyboard focus.
  virtual void SetTextInput(bool on) { (void)on; }
  virtual bool TextInputActive() const { return false; }
};

// The one host of the process: SDL in the game, a headless one in tests and --headless runs.
// host() makes a headless host on first use when none was set.
Host& host();
bool HasHost();
void SetHost(std::unique_ptr<Host> h);
// Null when SDL's video subsystem cannot start (the reason goes to stderr).
std::unique_ptr<Host> CreateSdlHost();
std::unique_ptr<Host> CreateHeadlessHost(int width = 1024, int height = 768);

}  // namespace os
