// A textured line that grows from its start point to its end point: the segments of a travel
// map's route (and any other drawn wire). Every live line is in one list in creation order; a
// route is drawn along that list, each line starting the next when it is complete and the last
// one telling its parent.
#pragma once

#include "flow/route_geometry.h"
#include "scene/sprite.h"

inline constexpr int kCodeRouteFinished = 1365;

class CExtensibleLine : public CSprite {
 public:
  // From (x0, y0) to (x1, y1) in the 1024 x 768 frame of the parent, width in 768ths of the
  // screen height; attached to parent (which hears when the line ends a route).
  CExtensibleLine(float x0, float y0, float x1, float y1, float width, CGameObject* parent);
  ~CExtensibleLine() override;

  int DeleteDeviceObjects() override;
  void Update() override;
  int InvalidateDeviceObjects() override;
  void Render(gfx::Device* device) override;
  int RestoreDeviceObjects(gfx::Device* device) override;
  int GetTypeId() override { return TypeId::kExtensibleLine; }
  int HitTest() override { return kHitNone; }

  // Length in normalized units (the frame's width and height each 2 units), the measure a route
  // shares its time by.
  float NormalizedLength() const;
  // Back to not started and not drawn.
  void Reset();
  // Its share of the route's time (0, also for anything not a finite positive number: complete at
  // its first update once started).
  void SetDuration(float seconds);
  // Starts growing at time start.
  void Start(float start);

  bool Started() const { return started_; }
  bool Finished() const { return finished_; }
  float Fraction() const { return fraction_; }
  float StartTime() const { return startTime_; }
  float Duration() const { return duration_; }
  // The strip as it would be drawn now on the parent's rectangle.
  LineStrip Strip();

  CExtensibleLine* Next() const { return next_; }
  CExtensibleLine* Prev() const { return prev_; }

 private:
  void ReleaseBuffers();
  // Keeps the sprite's own rectangle on the drawn strip, so what reads placement (the object dump,
  // geometry queries) sees the line as drawn.
  void SyncRect();

  float x0_, y0_, x1_, y1_;  // normalized: x / 512 - 1, y / 384 - 1
  float width_;              // fraction of the screen height
  float fraction_ = 0.0f;
  float startTime_ = -1.0f;
  float duration_ = 0.0f;
  bool started_ = false;
  bool finished_ = false;
  gfx::VertexBuffer* vertices_ = nullptr;
  gfx::IndexBuffer* indices_ = nullptr;
  CExtensibleLine* prev_ = nullptr;
  CExtensibleLine* next_ = nullptr;
};

CExtensibleLine* FirstExtensibleLine();
int CountExtensibleLines();
// Shares total seconds among every live line by length and starts the first one now; each line
// starts the next the moment it is complete. No time or no length draws the whole route at once.
void StartRoute(float total);
