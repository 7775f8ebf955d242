// The fade every waiting speech element shares (balloons and popup pictures): it appears over a
// quarter second, stays shown until dismissed, then fades out over half a second from wherever its
// opacity stood.
#pragma once

namespace speech {

enum class FadeState : int { kAppearing = 0, kClosing = 1, kShown = 2 };

// What a step of the fade brought about.
enum class FadeEvent { kNone, kBecameShown, kFinished };

class SpeechFade {
 public:
  explicit SpeechFade(float now) : start_(now) {}

  // Recomputes the opacity for the time now.
  FadeEvent Step(float now);
  // Begins closing so the fade continues from the current opacity. Nothing when already closing.
  void StartClosing(float now);
  // Stops a close and shows the element fully (an appearing one keeps appearing).
  void Reshow();

  FadeState State() const { return state_; }
  float Opacity() const { return opacity_; }
  float StartTime() const { return start_; }
  bool IsFullyShown() const { return state_ == FadeState::kShown && opacity_ == 1.0f; }

  static constexpr float kAppearRate = 4.0f;  // per second
  static constexpr float kCloseRate = 2.0f;

 private:
  FadeState state_ = FadeState::kAppearing;
  float start_;
  float opacity_ = 0.0f;
};

}  // namespace speech
