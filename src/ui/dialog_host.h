// What dialogs ask of the layers above them: the in-game menu leaves for the main menu through a
// scene transition, and the options dialog reads and changes the display settings the shell owns.
// The shell installs the real host at start-up; tests install their own.
#pragma once

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

 protected:
  ~DialogHost() = default;
};

// The installed host; until one is installed a host that changes nothing and reports a window.
DialogHost& GetDialogHost();
// Null restores the inert host.
void SetDialogHost(DialogHost* host);
