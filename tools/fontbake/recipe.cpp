#include "recipe.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace fontbake {

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool ParseInt(const std::string& s, int& out, int lo, int hi) {
  int v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size() || v < lo || v > hi) return false;
  out = v;
  return true;
}

bool ParseFloat(const std::string& s, float& out, float lo, float hi) {
  try {
    size_t used = 0;
    float v = std::stof(s, &used);
    if (used != s.size() || !(v >= lo && v <= hi)) return false;
    out = v;
    return true;
  } catch (...) {
    return false;
  }
}

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> w;
  std::string x;
  while (in >> x) w.push_back(x);
  return w;
}

bool ParseGradient(const std::string& value, std::vector<GradientStop>& out) {
  std::vector<std::string> words = Words(value);
  if (words.empty()) return false;
  std::vector<GradientStop> stops;
  for (size_t i = 0; i < words.size(); ++i) {
    GradientStop stop;
    std::string colour = words[i];
    size_t at = colour.find('@');
    if (at != std::string::npos) {
      if (!ParseFloat(colour.substr(at + 1), stop.pos, 0.0f, 1.0f)) return false;
      colour.resize(at);
    } else {
      stop.pos = words.size() == 1 ? 0.0f : float(i) / float(words.size() - 1);
    }
    if (!ParseColor(colour, stop.argb)) return false;
    stops.push_back(stop);
  }
  for (size_t i = 1; i < stops.size(); ++i) {
    if (stops[i].pos < stops[i - 1].pos) return false;
  }
  out = std::move(stops);
  return true;
}

}  // namespace

bool ParseColor(const std::string& text, uint32_t& argb) {
  if (text.size() != 7 && text.size() != 9) return false;
  if (text[0] != '#') return false;
  uint32_t v = 0;
  auto [p, ec] = std::from_chars(text.data() + 1, text.data() + text.size(), v, 16);
  if (ec != std::errc() || p != text.data() + text.size()) return false;
  argb = text.size() == 7 ? (0xFF000000u | v) : v;
  return true;
}

uint32_t GradientAt(const std::vector<GradientStop>& stops, float pos) {
  if (stops.empty()) return 0xFFFFFFFF;
  if (pos <= stops.front().pos) return stops.front().argb;
  if (pos >= stops.back().pos) return stops.back().argb;
  for (size_t i = 1; i < stops.size(); ++i) {
    const GradientStop& a = stops[i - 1];
    const GradientStop& b = stops[i];
    if (pos > b.pos) continue;
    float t = b.pos > a.pos ? (pos - a.pos) / (b.pos - a.pos) : 1.0f;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      float ca = float((a.argb >> shift) & 0xFF);
      float cb = float((b.argb >> shift) & 0xFF);
      uint32_t c = uint32_t(std::lround(ca + (cb - ca) * t));
      result |= std::min<uint32_t>(c, 255) << shift;
    }
    return result;
  }
  return stops.back().argb;
}

bool ParseRecipe(const std::string& text, Recipe& out, std::string& error) {
  Recipe r;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    error = "line " + std::to_string(lineNo) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++lineNo;
    // A comment is '#' at the start of a line or '#' followed by white space; "#FFF0A0" is a colour.
    for (size_t i = 0; i < line.size(); ++i) {
      if (line[i] != '#') continue;
      bool lineStart = Trim(line.substr(0, i)).empty();
      bool spaceAfter = i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t';
      if (lineStart || spaceAfter) {
        line.resize(i);
        break;
      }
    }
    line = Trim(line);
    if (line.empty()) continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) return fail("expected key = value");
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    if (key == "font") {
      r.font = value;
    } else if (key == "fallback") {
      r.fallback = value;
    } else if (key == "size") {
      if (!ParseInt(value, r.size, 4, 256)) return fail("size must be 4..256");
    } else if (key == "fill") {
      if (!ParseGradient(value, r.fill)) return fail("bad fill colour or gradient");
    } else if (key == "outline") {
      if (!ParseColor(value, r.outline)) return fail("bad outline colour");
    } else if (key == "outline_width") {
      if (!ParseFloat(value, r.outlineWidth, 0.0f, 16.0f)) return fail("outline_width must be 0..16");
    } else if (key == "shadow") {
      std::vector<std::string> w = Words(value);
      if (w.size() != 3 || !ParseColor(w[0], r.shadow) || !ParseInt(w[1], r.shadowDx, -16, 16) ||
          !ParseInt(w[2], r.shadowDy, -16, 16)) {
        return fail("shadow is: colour dx dy");
      }
    } else if (key == "padding") {
      if (!ParseInt(value, r.padding, 1, 16)) return fail("padding must be 1..16");
    } else {
      return fail("unknown key '" + key + "'");
    }
  }
  if (r.font.empty()) {
    lineNo = 0;
    return fail("no font given");
  }
  out = std::move(r);
  return true;
}

}  // namespace fontbake
