#include "puzzles/piano_song.h"

#include <cmath>

#include "data/xml_document.h"

namespace piano {

namespace {

bool IsSeparator(char c) {
  return c == '`' || c == ' ' || c == '-';
}

}  // namespace

std::vector<std::pair<int, int>> SplitSyllables(std::string_view text) {
  std::vector<std::pair<int, int>> out;
  int begin = -1;
  for (int i = 0; i <= int(text.size()); ++i) {
    const bool sep = i == int(text.size()) || IsSeparator(text[size_t(i)]);
    if (!sep && begin < 0) begin = i;
    if (sep && begin >= 0) {
      out.emplace_back(begin, i);
      begin = -1;
    }
  }
  return out;
}

bool TimesFitSyllables(const std::vector<float>& times, int syllables) {
  if (syllables <= 0 || int(times.size()) < syllables) return false;
  for (int i = 0; i < syllables; ++i) {
    if (!std::isfinite(times[size_t(i)])) return false;
    if (i > 0 && !(times[size_t(i)] > times[size_t(i) - 1])) return false;
  }
  return true;
}

bool CanHaveHotStretch(const SongLine& line) {
  return line.sung && line.syllables > 2;
}

std::optional<Song> ReadSong(XmlDocument& doc, std::string* error) {
  auto fail = [&](const char* why) -> std::optional<Song> {
    if (error) *error = why;
    return std::nullopt;
  };
  ScopedXmlNode root(doc, doc.Root());
  if (!root) return fail("the song has no root element");
  Song song;
  song.beat = doc.GetFloatAttribute(root.get(), "BeatDuration", 0.0f);
  // The beat divides every bounce of the ball.
  if (!(song.beat > 0.0f) || !std::isfinite(song.beat)) return fail("BeatDuration must be positive");
  ScopedXmlNode lines(doc, doc.FindChildNode(root.get(), "LyricLines"));
  bool anyStretch = false;
  if (lines) {
    for (ScopedXmlNode l(doc, doc.FindChildNode(lines.get())); l; l.NextElement()) {
      if (!doc.IsElement(l.get()) || doc.CopyNodeName(l.get()).value_or("") != "LyricLine") continue;
      SongLine line;
      line.start = doc.GetFloatAttribute(l.get(), "StartTime", 0.0f);
      line.end = doc.GetFloatAttribute(l.get(), "EndTime", 0.0f);
      line.flags = doc.GetIntAttribute(l.get(), "Flags", 0);
      line.text = doc.CopyAttribute(l.get(), "Text", "").value_or("");
      line.times = doc.GetFloatListAttribute(l.get(), "Times");
      line.syllables = int(SplitSyllables(line.text).size());
      line.sung = !(line.flags & kLineUnsung) && TimesFitSyllables(line.times, line.syllables);
      anyStretch = anyStretch || CanHaveHotStretch(line);
      song.lines.push_back(std::move(line));
    }
  }
  // Without a single hot stretch the bar's target would be zero: the song could not be won.
  if (!anyStretch) return fail("no sung line has a hot stretch");
  return song;
}

std::optional<Song> LoadSong(const char* member, std::string* error) {
  XmlDocument doc;
  if (!member || doc.LoadMember(member) != 0) {
    if (error) *error = "the song file cannot be read";
    return std::nullopt;
  }
  return ReadSong(doc, error);
}

HotStretch ChooseHotStretch(const std::vector<float>& times, int n, bool sung, int r) {
  HotStretch h;
  if (!sung || n <= 2 || int(times.size()) < n) return h;
  const int i = (r < 0 ? -r : r) % (n - 2);
  h.first = i + 1;
  h.last = i + 2;
  auto span = [&] { return times[size_t(h.last)] - times[size_t(h.first)]; };
  h.duration = span();
  while (h.duration < kMinHotDuration) {
    if (h.last < n - 1)
      ++h.last;
    else if (h.first >= 2)
      --h.first;
    else
      break;
    h.duration = span();
  }
  return h;
}

}  // namespace piano
