// The one thing a puzzle lets the player carry with the pointer (a jigsaw piece, a jewel, a
// block): who it is, where it was gripped, and the hand the cursor shows. The dragged object is
// held weakly, so a piece that dies or a scene that goes clears the drag by itself.
#pragma once

class CGameObject;

namespace puzzle {

// Starts carrying object gripped at the pointer (px, py) with its centre at (cx, cy). False (and
// nothing changes) when something is already carried or object is null.
bool BeginDrag(CGameObject* object, float cx, float cy, float px, float py);
// The carried object, or null.
CGameObject* DraggedObject();
bool IsDragged(const CGameObject* object);
// Where the carried object's centre goes for the pointer at (px, py): the pointer plus the grip.
void DragTarget(float px, float py, float& cx, float& cy);
void GetGrabOffset(float& dx, float& dy);
// Lets go; nothing when nothing is carried.
void EndDrag();
// Lets go only when object is the one carried (a scene going away, a piece being destroyed).
void EndDragOf(const CGameObject* object);
// Closed hand while something is carried, open hand (ready to grip) otherwise.
int DragCursorKind();

}  // namespace puzzle
