#include "app/tree_dump.h"

#include <cxxabi.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "platform/os/host.h"
#include "scene/game_object.h"

namespace {

std::string ClassName(CGameObject* obj) {
  const char* mangled = typeid(*obj).name();
  int status = 0;
  char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = (status == 0 && plain) ? plain : mangled;
  std::free(plain);
  return name;
}

void AppendNumber(std::string& out, double v) {
  if (!std::isfinite(v)) {
    out += "null";
    return;
  }
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  out += buf;
}

void AppendString(std::string& out, const std::string& utf8) {
  out += '"';
  for (unsigned char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += char(c);
        }
    }
  }
  out += '"';
}

void AppendCodePoint(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Windows1252ToUtf8(const std::string& bytes) {
  // 0x80..0x9F; 0 marks the five bytes without a character.
  static const uint16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    uint32_t cp = c;
    if (c >= 0x80 && c < 0xA0) cp = kHigh[c - 0x80] ? kHigh[c - 0x80] : 0xFFFD;
    AppendCodePoint(out, cp);
  }
  return out;
}

std::string DumpTreeJson() {
  std::unordered_map<CGameObject*, int> index;
  int n = 0;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) index[o] = n++;

  std::string out = "{\"frame\": ";
  AppendNumber(out, GetFrameCount());
  out += ", \"time\": ";
  AppendNumber(out, GetTime());
  out += ", \"client\": [";
  AppendNumber(out, GetClientWidth());
  out += ", ";
  AppendNumber(out, GetClientHeight());
  out += "], \"objects\": [";
  bool first = true;
  for (CGameObject* o = FirstObject(); o; o = o->CreationNext()) {
    TreeDumpFields f;
    f.className = ClassName(o);
    for (TreeDumpFiller fill : TreeDumpFillers()) fill(o, f);
    out += first ? "\n  {" : ",\n  {";
    first = false;
    out += "\"index\": ";
    AppendNumber(out, index[o]);
    out += ", \"class\": ";
    AppendString(out, f.className);
    out += ", \"typeId\": ";
    AppendNumber(out, o->GetTypeId());
    out += ", \"flags\": ";
    AppendNumber(out, o->GetTypeFlags());
    out += ", \"id\": ";
    AppendNumber(out, o->GetId());
    out += ", \"parent\": ";
    AppendNumber(out, o->GetParent() ? index[o->GetParent()] : -1);
    out += ", \"depth\": ";
    if (o->InDepthList())
      AppendNumber(out, o->GetDepth());
    else
      out += "null";
    if (f.hasRect) {
      out += ", \"rect\": [";
      AppendNumber(out, f.left);
      out += ", ";
      AppendNumber(out, f.top);
      out += ", ";
      AppendNumber(out, f.right);
      out += ", ";
      AppendNumber(out, f.bottom);
      out += "]";
    }
    if (f.hasOpacity) {
      out += ", \"opacity\": ";
      AppendNumber(out, f.opacity);
    }
    out += ", \"hidden\": ";
    out += f.hidden ? "true" : "false";
    if (!f.texture.empty()) {
      out += ", \"texture\": ";
      AppendString(out, Windows1252ToUtf8(f.texture));
    }
    if (f.hasText) {
      out += ", \"text\": ";
      AppendString(out, Windows1252ToUtf8(f.text));
    }
    out += "}";
  }
  out += "\n]}\n";
  return out;
}

bool WriteTreeDump(const std::string& path) {
  return os::WriteFileAtomic(path, DumpTreeJson());
}
