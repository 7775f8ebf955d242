#include "puzzles/match3_puzzle_token.h"

#include <cmath>
#include <numbers>

#include "puzzles/match3_board.h"

const char* Match3SymbolPicture(int symbol) {
  static const char* const kPictures[match3::kMaxSymbols] = {
      "Puzzles\\Match3\\Pizza.png", "Puzzles\\Match3\\Tomato.png", "Puzzles\\Match3\\Pepper.png",
      "Puzzles\\Match3\\Mushroom.png"};
  return symbol >= 0 && symbol < match3::kMaxSymbols ? kPictures[symbol] : "";
}

CMatch3PuzzleToken::CMatch3PuzzleToken(CGameObject* parent, int id, int symbol) : id_(id), symbol_(symbol) {
  if (parent) Attach(parent, 0);
  SetTexture(Match3SymbolPicture(symbol));
}

void CMatch3PuzzleToken::SetWobbling(bool wobbling, float now) {
  if (wobbling == IsWobbling()) {
    if (wobbling) {
      const float t = std::fmod(now - wobbleStart_, 1.0f);
      SetAngle(kWobbleAngle * std::sin(2 * std::numbers::pi_v<float> * t));
    }
    return;
  }
  wobbleStart_ = wobbling ? now : -1;
  SetAngle(0);
}

void CMatch3PuzzleToken::Render(gfx::Device* device) {
  if (!device || IsHidden()) return;
  const float opacity = GetEffectiveOpacity();
  gfx::Texture* texture = GetDeviceTexture(texture_);
  if (opacity <= 0 || !texture) return;
  ScreenRect rect = GetScreenRect();
  BeginSpriteStates(device, false);
  // The picture in black, a little lower: the token seems to stand off its plate.
  gfx::Material shadow{};
  shadow.emissive.a = shadow.diffuse.a = shadow.ambient.a = kShadowOpacity * opacity;
  ScreenRect below = rect;
  below.top += kShadowDrop * rect.Height();
  below.bottom += kShadowDrop * rect.Height();
  DrawQuad(device, below, kQuadNormal, texture, shadow);
  DrawQuad(device, rect, kQuadNormal, texture, RenderMaterial());
  EndSpriteStates(device);
}
