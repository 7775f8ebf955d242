// What the object dump shows of each object. The object tree knows only the base fields; classes
// with more to show (sprites: rectangle, opacity, texture; text sprites: their text) register a
// filler that adds their fields. The dump itself is written by the application shell.
#pragma once

#include <string>
#include <vector>

class CGameObject;

struct TreeDumpFields {
  std::string className;  // preset to the object's dynamic class name
  bool hasRect = false;
  float left = 0, top = 0, right = 0, bottom = 0;
  bool hasOpacity = false;
  float opacity = 1.0f;
  bool hidden = false;
  std::string texture;  // texture name, bytes as stored (Windows-1252)
  bool hasText = false;
  std::string text;  // Windows-1252 bytes; the dump converts them to UTF-8
};

// Called for every object; fill what applies (dynamic_cast to your class) and leave the rest.
// Fillers run in registration order, so a derived class's filler registered later wins.
using TreeDumpFiller = void (*)(CGameObject* object, TreeDumpFields& fields);
void RegisterTreeDumpFiller(TreeDumpFiller filler);

// Registers a filler from a static initialiser: static TreeDumpRegistration reg(&MyFiller);
struct TreeDumpRegistration {
  explicit TreeDumpRegistration(TreeDumpFiller filler) { RegisterTreeDumpFiller(filler); }
};

// The registered fillers, in registration order.
const std::vector<TreeDumpFiller>& TreeDumpFillers();
