#include "score.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "dsp.h"
#include "instruments.h"

namespace soundbuild {
namespace {

constexpr int kRate = 44100;
constexpr double kTailSeconds = 4.0;
constexpr int kMaxPatternDepth = 16;

struct Block {
  RecipeLine header;
  std::vector<std::pair<std::string, int>> tokens;  // token, line
};

struct Score {
  RecipeLine header;
  std::map<std::string, Block> patterns;
  std::vector<Block> voices;
};

[[noreturn]] void Fail(int line, const std::string& what) {
  throw RecipeError{"line " + std::to_string(line) + ": " + what};
}

Score ParseScore(const std::string& text) {
  Score score;
  Block* open = nullptr;
  Block pending;
  bool openIsPattern = false;
  for (const RecipeLine& l : ParseRecipeText(text)) {
    if (open) {
      if (l.keyword == "end") {
        if (openIsPattern)
          score.patterns[open->header.words.at(0)] = *open;
        else
          score.voices.push_back(*open);
        open = nullptr;
        continue;
      }
      open->tokens.emplace_back(l.keyword, l.number);
      for (const auto& w : l.words) open->tokens.emplace_back(w, l.number);
      if (!l.values.empty()) Fail(l.number, "a note line holds a setting");
    } else if (l.keyword == "score") {
      l.CheckKeys({"tempo", "length", "loop", "reverb", "size", "damp", "gain"});
      score.header = l;
    } else if (l.keyword == "pattern" || l.keyword == "voice") {
      if (l.words.size() != 1) Fail(l.number, l.keyword + " needs one name");
      if (l.keyword == "voice") l.CheckKeys({"instrument", "vol", "pan", "reverb", "gate", "octave"});
      pending = Block{l, {}};
      open = &pending;
      openIsPattern = l.keyword == "pattern";
    } else {
      Fail(l.number, "\"" + l.keyword + "\" outside a voice or pattern");
    }
  }
  if (open) Fail(open->header.number, "missing \"end\"");
  if (score.header.keyword.empty()) throw RecipeError{"no \"score\" line"};
  return score;
}

int ParsePitch(const std::string& s, int line) {
  static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (s == "x") return -1;
  if (s.size() < 2 || s[0] < 'A' || s[0] > 'G') Fail(line, "\"" + s + "\" is not a note");
  int semi = kSemitone[s[0] - 'A'];
  size_t i = 1;
  for (; i < s.size() && (s[i] == '#' || s[i] == 'b'); ++i) semi += s[i] == '#' ? 1 : -1;
  if (i == s.size()) Fail(line, "\"" + s + "\" has no octave");
  int octave = int(ParseNumber(s.substr(i), line));
  int midi = 12 * (octave + 1) + semi;
  if (midi < 12 || midi > 120) Fail(line, "\"" + s + "\" is out of range");
  return midi;
}

struct Cursor {
  double beat = 0;
  double length = 1;
  double velocity = 0.8;
};

void Expand(const Score& score, const Block& block, int transpose, Cursor& c, std::vector<ScoreNote>& out,
            int depth) {
  if (depth > kMaxPatternDepth) Fail(block.header.number, "patterns nest too deep");
  for (const auto& [token, line] : block.tokens) {
    if (token == "|") continue;
    if (token[0] == 'v' && token.size() > 1) {
      c.velocity = std::clamp(ParseNumber(token.substr(1), line), 0.0, 1.0);
      continue;
    }
    if (token[0] == '@') {
      std::string name = token.substr(1);
      int times = 1, shift = 0;
      size_t star = name.find('*');
      if (star != std::string::npos) {
        times = int(ParseNumber(name.substr(star + 1), line));
        name = name.substr(0, star);
      }
      size_t sign = name.find_first_of("+-");
      if (sign != std::string::npos) {
        shift = int(ParseNumber(name.substr(sign), line));
        name = name.substr(0, sign);
      }
      auto it = score.patterns.find(name);
      if (it == score.patterns.end()) Fail(line, "no pattern \"" + name + "\"");
      if (times < 0 || times > 1000) Fail(line, "repeat count out of range");
      for (int t = 0; t < times; ++t) Expand(score, it->second, transpose + shift, c, out, depth + 1);
      continue;
    }
    std::string notes = token;
    size_t slash = token.find('/');
    if (slash != std::string::npos) {
      c.length = ParseNumber(token.substr(slash + 1), line);
      if (!(c.length > 0 && c.length < 1000)) Fail(line, "note length out of range");
      notes = token.substr(0, slash);
    }
    if (notes != "r") {
      ScoreNote n;
      n.beat = c.beat;
      n.beats = c.length;
      n.velocity = c.velocity;
      size_t start = 0;
      while (start <= notes.size()) {
        size_t plus = notes.find('+', start);
        std::string one = notes.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        int pitch = ParsePitch(one, line);
        n.pitches.push_back(pitch < 0 ? pitch : pitch + transpose);
        if (plus == std::string::npos) break;
        start = plus + 1;
      }
      out.push_back(n);
    }
    c.beat += c.length;
  }
}

std::vector<ScoreNote> ExpandBlock(const Score& score, const Block& voice, double* endBeat = nullptr) {
  std::vector<ScoreNote> notes;
  Cursor c;
  int octave = int(voice.header.Number("octave", 0));
  Expand(score, voice, 12 * octave, c, notes, 0);
  if (endBeat) *endBeat = c.beat;
  return notes;
}

}  // namespace

std::vector<ScoreNote> ExpandVoice(const std::string& scoreText, const std::string& voice) {
  Score score = ParseScore(scoreText);
  for (const Block& v : score.voices)
    if (v.header.words[0] == voice) return ExpandBlock(score, v);
  throw RecipeError{"no voice \"" + voice + "\""};
}

std::string DescribeVoices(const std::string& scoreText) {
  Score score = ParseScore(scoreText);
  std::string out;
  for (const Block& v : score.voices) {
    double end = 0;
    std::vector<ScoreNote> notes = ExpandBlock(score, v, &end);
    out += v.header.words[0] + ": " + std::to_string(notes.size()) + " notes, ends at beat " +
           std::to_string(end) + "\n";
  }
  return out;
}

RenderedMusic RenderScore(const std::string& text) {
  Score score = ParseScore(text);
  const RecipeLine& h = score.header;
  double tempo = h.Number("tempo", 120);
  if (!(tempo >= 20 && tempo <= 400)) throw RecipeError{"tempo out of range"};
  double secondsPerBeat = 60.0 / tempo;
  bool loop = h.Text("loop", "no") == "yes";

  std::vector<std::vector<ScoreNote>> voiceNotes;
  double lastBeat = 0;
  for (const Block& v : score.voices) {
    voiceNotes.push_back(ExpandBlock(score, v));
    for (const ScoreNote& n : voiceNotes.back()) lastBeat = std::max(lastBeat, n.beat + n.beats);
  }
  double lengthBeats = h.Number("length", lastBeat);
  double length = lengthBeats * secondsPerBeat;
  if (!(length > 0 && length < 600)) throw RecipeError{"the piece must last between 0 and 600 seconds"};
  size_t frames = size_t(length * kRate);
  size_t total = frames + size_t(kTailSeconds * kRate);
  std::vector<double> left(total, 0.0), right(total, 0.0), send(total, 0.0);

  for (size_t vi = 0; vi < score.voices.size(); ++vi) {
    const RecipeLine& vh = score.voices[vi].header;
    vh.CheckKeys({"instrument", "vol", "pan", "reverb", "gate", "octave"});
    std::string instrument = vh.Text("instrument", "piano");
    if (!IsKnownInstrument(instrument)) Fail(vh.number, "unknown instrument \"" + instrument + "\"");
    double vol = vh.Number("vol", 0.5), pan = std::clamp(vh.Number("pan", 0.0), -1.0, 1.0);
    double sendLevel = vh.Number("reverb", 1.0), gate = vh.Number("gate", 0.95);
    double theta = (pan + 1) * kPi / 4;
    double gl = std::cos(theta) * vol, gr = std::sin(theta) * vol;
    Noise noise(uint32_t(1000 + vi * 7717));
    for (const ScoreNote& n : voiceNotes[vi]) {
      size_t start = size_t(n.beat * secondsPerBeat * kRate);
      for (int pitch : n.pitches) {
        NoteRequest req;
        req.frequency = pitch < 0 ? 0 : NoteFrequency(pitch);
        req.seconds = n.beats * secondsPerBeat * gate;
        req.velocity = n.velocity;
        std::vector<float> s = RenderInstrumentNote(instrument, req, kRate, noise);
        for (size_t i = 0; i < s.size() && start + i < total; ++i) {
          left[start + i] += s[i] * gl;
          right[start + i] += s[i] * gr;
          send[start + i] += s[i] * vol * sendLevel;
        }
      }
    }
  }

  double wet = h.Number("reverb", 0.2);
  if (wet > 0) {
    Reverb room(kRate, h.Number("size", 0.5), h.Number("damp", 0.5));
    for (size_t i = 0; i < total; ++i) {
      double l = 0, r = 0;
      room.Process(send[i], l, r);
      left[i] += wet * l;
      right[i] += wet * r;
    }
  }

  size_t outFrames = frames;
  if (loop) {
    // What rings past the loop point sounds again at the start when the track loops.
    for (size_t i = frames; i < total; ++i) {
      left[(i - frames) % frames] += left[i];
      right[(i - frames) % frames] += right[i];
    }
  } else {
    // Keep the tail until it has died away.
    double peak = 1e-9;
    for (size_t i = 0; i < total; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    outFrames = total;
    while (outFrames > frames &&
           std::max(std::fabs(left[outFrames - 1]), std::fabs(right[outFrames - 1])) < peak * 3e-4)
      --outFrames;
  }
  RenderedMusic music;
  music.rate = kRate;
  music.samples.resize(outFrames * 2);
  for (size_t i = 0; i < outFrames; ++i) {
    music.samples[2 * i] = float(left[i]);
    music.samples[2 * i + 1] = float(right[i]);
  }
  NormalizeTo(music.samples, h.Number("gain", -1.0));
  if (!loop) FadeEdges(music.samples, 2, 0, int(0.05 * kRate));
  return music;
}

}  // namespace soundbuild
