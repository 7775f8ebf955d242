#include "search/item_list.h"

#include <algorithm>
#include <cstdio>

#include "core/random.h"

namespace itemlist {

namespace {

int CompareIgnoringCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = x - 'A' + 'a';
    if (y >= 'A' && y <= 'Z') y = y - 'A' + 'a';
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

struct Group {
  int first;  // index of its first candidate
  int count = 0;
  bool selected = true;
  bool required = false;
};

}  // namespace

void InsertCandidate(std::vector<Candidate>& list, Candidate c) {
  auto at = std::find_if(list.begin(), list.end(),
                         [&](const Candidate& o) { return CompareIgnoringCase(o.name, c.name) >= 0; });
  list.insert(at, std::move(c));
}

std::vector<int> ShuffledSlots(int m) {
  std::vector<int> perm(size_t(std::max(m, 0)));
  for (int i = 0; i < m; ++i) perm[size_t(i)] = i;
  if (m < 2) return perm;
  for (int k = 0; k < kShuffleSwaps; ++k) {
    const int a = RandomValue() % m, b = RandomValue() % m;
    std::swap(perm[size_t(a)], perm[size_t(b)]);
  }
  return perm;
}

ListChoice ChooseList(const std::vector<Candidate>& cands, int n, int slotCount) {
  ListChoice out;
  std::vector<Group> groups;
  for (int i = 0; i < int(cands.size()); ++i) {
    if (groups.empty() ||
        CompareIgnoringCase(cands[size_t(groups.back().first)].name, cands[size_t(i)].name) != 0)
      groups.push_back(Group{i});
    Group& g = groups.back();
    ++g.count;
    g.required = g.required || cands[size_t(i)].required;
  }
  const int groupCount = int(groups.size());
  if (groupCount == 0) return out;
  const int required =
      int(std::count_if(groups.begin(), groups.end(), [](const Group& g) { return g.required; }));
  if (required > slotCount) {
    out.tooManyRequired = true;
    return out;
  }
  std::stable_sort(groups.begin(), groups.end(),
                   [](const Group& a, const Group& b) { return a.count > b.count; });

  auto selectedCount = [&] {
    return int(std::count_if(groups.begin(), groups.end(), [](const Group& g) { return g.selected; }));
  };
  while (selectedCount() > slotCount) {
    Group& g = groups[size_t(RandomValue() % groupCount)];
    if (g.selected && !g.required) g.selected = false;
  }

  int total = 0;
  for (const Group& g : groups)
    if (g.selected) total += g.count;
  for (int attempt = 0; attempt < kSwapAttempts && total != n; ++attempt) {
    const int i = RandomValue() % groupCount;
    int from = -1, to = -1;
    if (total > n) {
      // A selected group with more than one object, then a smaller unselected one behind it.
      for (int j = i; j >= 0; --j) {
        const Group& g = groups[size_t(j)];
        if (g.count != 1 && g.selected && !g.required) {
          from = j;
          break;
        }
      }
      if (from < 0) continue;
      for (int k = from + 1; k < groupCount; ++k) {
        const Group& g = groups[size_t(k)];
        if (!g.selected && g.count != groups[size_t(from)].count) {
          to = k;
          break;
        }
      }
    } else {
      for (int j = i; j < groupCount; ++j) {
        const Group& g = groups[size_t(j)];
        if (g.selected && !g.required) {
          from = j;
          break;
        }
      }
      if (from < 0) continue;
      for (int k = from - 1; k >= 0; --k) {
        const Group& g = groups[size_t(k)];
        if (!g.selected && g.count != groups[size_t(from)].count) {
          to = k;
          break;
        }
      }
    }
    if (to < 0) continue;
    groups[size_t(from)].selected = false;
    groups[size_t(to)].selected = true;
    total += groups[size_t(to)].count - groups[size_t(from)].count;
  }

  const std::vector<int> perm = ShuffledSlots(selectedCount());
  int k = 0;
  for (const Group& g : groups) {
    if (!g.selected) continue;
    SlotChoice slot;
    slot.slot = perm[size_t(k++)];
    const Candidate& first = cands[size_t(g.first)];
    slot.name = first.name;
    slot.plural = first.plural;
    for (int c = g.first; c < g.first + g.count; ++c) slot.objects.push_back(cands[size_t(c)].object);
    out.total += g.count;
    out.slots.push_back(std::move(slot));
  }
  return out;
}

Grid SlotGrid(int s) {
  switch (s) {
    case 1:
      return {1, 1};
    case 2:
      return {1, 2};
    case 3:
      return {1, 3};
    case 4:
      return {2, 2};
    case 5:
    case 6:
      return {3, 2};
    case 7:
    case 8:
    case 9:
      return {3, 3};
    default:
      return {4, 3};
  }
}

ScreenRect SlotArea(const ScreenRect& b) {
  const float w = b.Width(), h = b.Height();
  return ScreenRect(b.left + 0.05f * w, b.top + 0.314f * h, b.right - 0.05f * w, b.bottom - 0.1f * h);
}

ScreenRect CaptionRect(const ScreenRect& area, int s, int i, float aspect) {
  const Grid grid = SlotGrid(s);
  const float a = area.Width(), b = area.Height();
  const float cw = 0.9f * a / 4, g = (a - cw) / 3;
  const float rh = 0.85f * b / 3, t = (b - rh) / 2;
  const int column = i / grid.rows, row = i % grid.rows;
  float tw = aspect * rh;
  if (s != 1) tw = std::min(tw, cw);
  const float left = area.left + float(4 - grid.columns) * g / 2 + float(column) * g + (cw - tw) / 2;
  const float top = area.top + float(3 - grid.rows) * t / 2 + float(row) * t;
  const ScreenRect r(left, top, left + tw, top + rh);
  return s == 1 ? r.Scale(1.5f) : r;
}

ScreenRect RefitCaption(const ScreenRect& old, float aspect) {
  const float width = aspect * old.Height();
  if (!(width < old.Width())) return old;
  const float in = (old.Width() - width) / 2;
  return ScreenRect(old.left + in, old.top, old.right - in, old.bottom, old.angle);
}

std::string CaptionText(int count, bool differences, const std::string& name, const std::string& plural) {
  char buf[64];
  if (differences) {
    if (count >= 2) {
      std::snprintf(buf, sizeof buf, "Find %d differences", count);
      return buf;
    }
    return "Find 1 difference";
  }
  if (count >= 2) {
    std::snprintf(buf, sizeof buf, "%d ", count);
    return buf + plural;
  }
  return name;
}

float StrikeProgress(float elapsed) {
  return std::clamp(elapsed / kStrikeDuration, 0.0f, 1.0f);
}

unsigned StrikeColor(float c) {
  auto mix = [c](unsigned from, unsigned to) {
    return unsigned(float(from) + (float(to) - float(from)) * c);
  };
  const unsigned r = mix(0xFF, 0xC0), g = mix(0xFF, 0x80), b = mix(0xFF, 0x80);
  return 0xFF000000u | r << 16 | g << 8 | b;
}

ScreenRect StrikeBar(const ScreenRect& caption, float c) {
  const float h = 0.3f * caption.Height(), cy = caption.CenterY();
  return ScreenRect(caption.left, cy - h / 2, caption.left + c * caption.Width(), cy + h / 2);
}

}  // namespace itemlist
