// What dialogs and menus ask of the layers above them: the in-game menu leaves for the main menu
// through a scene transition, the options dialog reads and changes the display settings the shell
// owns, and the main menu names the window, asks whether the developer switch is on and quits.
// The shell installs the real host at start-up; tests install their own.
#pragma once

#include <string>

class DialogHost {
 public:
  // Starts a scene transition to the environment class (no argument).
  virtual void StartTransition(int classId) = 0;
  // The display gamma exponent, applied at once in the final pass.
  virtual float GetGamma() = 0;
  virtual void SetGamma(float gamma) = 0;
  // Whether the game runs in a window (asked of the shell, which knows the current mode).
  virtual bool IsWindowed() = 0;
  // Asks the shell to switch between full screen and a window; the switch happens between frames.
  virtual void RequestFullScreen(bool fullScreen) = 0;
  // Asks the shell to save and quit; it does so between frames.
  virtual void RequestQuit() {}
  virtual void SetWindowTitle(const std::string& title) { (void)title; }
  // Whether the game was started with the developer switch.
  virtual bool IsCheatMode() { return false; }

 protected:
  ~DialogHost() = default;
};

// The installed host; until one is installed a host that changes nothing and reports a window.
DialogHost& GetDialogHost();
// Null restores the inert host.
void SetDialogHost(DialogHost* host);
