// A JSON picture of every live game object, for automation scripts and playthrough tests; each
// object's fields come from the fillers of core/tree_dump_fields.h.
#pragma once

#include <string>

#include "core/tree_dump_fields.h"

// {"frame": n, "time": t, "client": [w, h], "objects": [...]} with one entry per live object in
// creation order: index, class, typeId, flags, id, parent (index or -1), depth (null when not in
// the depth list), and the filled fields (rect [l,t,r,b], opacity, hidden, texture, text).
std::string DumpTreeJson();
bool WriteTreeDump(const std::string& path);

// Windows-1252 bytes to UTF-8 (bytes without a mapping become U+FFFD).
std::string Windows1252ToUtf8(const std::string& bytes);
