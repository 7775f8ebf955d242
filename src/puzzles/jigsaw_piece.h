// CJigsawPiece: one torn piece of a jigsaw picture. It is picked only where its picture is
// opaque, tells its scene when it is gripped, and carries the state of the finished picture's
// flight into the inventory strip. Where it lies is the scene's board's business.
#pragma once

#include "scene/sprite.h"

class CJigsawEnvironment;

// Kept with the sprite flags, beside the joined bits of the board.
inline constexpr uint32_t kPieceFlying = 0x800000;

class CJigsawPiece : public CSprite {
 public:
  CJigsawPiece(CJigsawEnvironment* scene, int index, const std::string& picture);
  ~CJigsawPiece() override;

  void Update() override;
  int GetTypeId() override { return TypeId::kJigsawPiece; }
  int GetCursorKind() override;
  // Over an opaque pixel of its picture; always while it is carried.
  int HitTest() override;
  // 1332: the finished picture starts its flight from here.
  void OnNotify(CGameObject* sender, int code) override;

  int Index() const { return index_; }
  bool IsFlying() const { return (flags_ & kPieceFlying) != 0; }

  // The flight: from the centre and width it had when it started to the target, in one second.
  struct Flight {
    float startTime = 0, endTime = 0;
    float startX = 0, startY = 0, startWidth = 0;
    float targetX = 0, targetY = 0, targetWidth = 0;
  };
  void StartFlight(float targetX, float targetY, float targetWidth);
  const Flight& GetFlight() const { return flight_; }
  // Centre and width at time now.
  void FlightAt(float now, float& x, float& y, float& width) const;

 private:
  CJigsawEnvironment* scene_;
  int index_;
  Flight flight_;
};
