#include "ui/speech_fade.h"

#include <algorithm>

namespace speech {

FadeEvent SpeechFade::Step(float now) {
  switch (state_) {
    case FadeState::kAppearing:
      opacity_ = std::clamp((now - start_) * kAppearRate, 0.0f, 1.0f);
      if (opacity_ >= 1.0f) {
        opacity_ = 1.0f;
        state_ = FadeState::kShown;
        return FadeEvent::kBecameShown;
      }
      return FadeEvent::kNone;
    case FadeState::kClosing:
      opacity_ = 1.0f - std::clamp((now - start_) * kCloseRate, 0.0f, 1.0f);
      if (opacity_ <= 0.0f) {
        opacity_ = 0.0f;
        return FadeEvent::kFinished;
      }
      return FadeEvent::kNone;
    case FadeState::kShown:
      break;
  }
  return FadeEvent::kNone;
}

void SpeechFade::StartClosing(float now) {
  if (state_ == FadeState::kClosing) return;
  state_ = FadeState::kClosing;
  start_ = now - (1.0f - opacity_) / kCloseRate;
}

void SpeechFade::Reshow() {
  if (state_ != FadeState::kClosing) return;
  state_ = FadeState::kShown;
  opacity_ = 1.0f;
}

}  // namespace speech
