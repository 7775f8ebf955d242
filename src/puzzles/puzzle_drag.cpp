#include "puzzles/puzzle_drag.h"

#include "scene/cursor.h"
#include "scene/game_object.h"

namespace puzzle {

namespace {
CXRef* g_dragged = nullptr;
float g_grabX = 0, g_grabY = 0;
}  // namespace

bool BeginDrag(CGameObject* object, float cx, float cy, float px, float py) {
  if (!object || WeakTarget(g_dragged)) return false;
  delete g_dragged;
  CreateWeakRef(object, &g_dragged);
  g_grabX = cx - px;
  g_grabY = cy - py;
  return true;
}

CGameObject* DraggedObject() {
  return WeakTarget(g_dragged);
}

bool IsDragged(const CGameObject* object) {
  return object && WeakTarget(g_dragged) == object;
}

void DragTarget(float px, float py, float& cx, float& cy) {
  cx = px + g_grabX;
  cy = py + g_grabY;
}

void GetGrabOffset(float& dx, float& dy) {
  dx = g_grabX;
  dy = g_grabY;
}

void EndDrag() {
  delete g_dragged;  // its destructor empties the slot
  g_dragged = nullptr;
  g_grabX = g_grabY = 0;
}

void EndDragOf(const CGameObject* object) {
  if (IsDragged(object)) EndDrag();
}

int DragCursorKind() {
  return WeakTarget(g_dragged) ? kCursorClosedHand : kCursorOpenHand;
}

}  // namespace puzzle
