#include "ui/balloon_starburst.h"

#include <algorithm>

#include "effects/starburst.h"
#include "ui/speech_balloon.h"

void StartBalloonStarburst(CSpeechBalloon* balloon) {
  if (!balloon) return;
  const ScreenRect r = balloon->GetScreenRect();
  const float side = std::max(r.Width(), r.Height());
  const ScreenRect square = ScreenRect::FromCenter(side, side, r.CenterX(), r.CenterY());
  // A sibling of the balloon: the sparks outlive the balloon's fade.
  auto* burst = new CStarburst(balloon, balloon->GetParent(), &square);
  burst->SetDepth(balloon->GetDepth() - 0.01f);
}
