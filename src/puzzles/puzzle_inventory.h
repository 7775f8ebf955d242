// The inventory strip inside a puzzle: restored from the player's profile when the puzzle opens,
// written back when it closes, and the way a puzzle hands the player a new item. Items are kept
// in their stored form: the picture's name under "Search\HiddenObjects\".
#pragma once

#include <string>

class CInventoryBoard;
class CInventoryItem;
class CSprite;

namespace puzzle {

// The strip of the profile's "InventoryBoard" (empty without one) on scene.
CInventoryBoard* RestoreInventoryStrip(CSprite* scene);
// Writes the strip back into the current player's profile; nothing without a strip or player.
void SaveInventoryStrip(CInventoryBoard* strip);

// A picture name in the form the strip stores: without the "Search\HiddenObjects\" folder.
std::string StoredPictureName(const std::string& image);
// Whether an item on the strip shows this picture (stored forms compared, any letter case).
bool StripHoldsPicture(const std::string& image);

// A new item of one instance in the smallest free slot, its proportions taken from its picture;
// null (nothing added) without a strip, without a picture, or when the strip already holds one
// with that picture.
CInventoryItem* AddInventoryItem(CInventoryBoard* strip, int itemClass, const char* image,
                                 const char* singular, const char* plural);
// The same item promised to a flight: it is saved with the strip at once but shows nothing until
// LandInventoryItem. Null as above.
CInventoryItem* ReserveInventoryItem(CInventoryBoard* strip, int itemClass, const char* image,
                                     const char* singular, const char* plural);
// The promised item arrives and shows its picture.
void LandInventoryItem(CInventoryItem* item);
// The whole stack of the class leaves the strip; false when there was none.
bool RemoveInventoryClass(int itemClass);

}  // namespace puzzle
