// Simple synthetic instruments: struck and plucked resonators, bowed and blown tones shaped by
// filters and envelopes, and a few drums. Plain, warm and cheap to render.
#include "instruments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "recipe_text.h"

namespace soundbuild {
namespace {

// A sine partial advanced by rotation (no sin() per sample).
struct Partial {
  double re, im, cr, ci;
  Partial(double hz, double rate, double phase) {
    re = std::cos(phase);
    im = std::sin(phase);
    cr = std::cos(2 * kPi * hz / rate);
    ci = std::sin(2 * kPi * hz / rate);
  }
  double Next() {
    double r = re * cr - im * ci;
    im = re * ci + im * cr;
    re = r;
    return im;
  }
};

// Band-limited sawtooth (polyBLEP).
struct Saw {
  double phase = 0;
  double Next(double inc) {
    double v = 2 * phase - 1;
    if (phase < inc) {
      double t = phase / inc;
      v -= t + t - t * t - 1;
    } else if (phase > 1 - inc) {
      double t = (phase - 1) / inc;
      v -= t * t + t + t + 1;
    }
    phase += inc;
    if (phase >= 1) phase -= 1;
    return v;
  }
};

double Adsr(double t, double held, double attack, double decay, double sustain, double release) {
  double a;
  if (t < attack)
    a = t / attack;
  else if (t < attack + decay)
    a = 1 - (1 - sustain) * (t - attack) / decay;
  else
    a = sustain;
  if (t > held) {
    // The level reached at release time falls to zero over the release.
    double atRelease = held < attack
                           ? held / attack
                           : (held < attack + decay ? 1 - (1 - sustain) * (held - attack) / decay : sustain);
    double k = (t - held) / release;
    a = k >= 1 ? 0 : atRelease * (1 - k) * (1 - k);
  }
  return std::max(0.0, a);
}

std::vector<float> Struck(const NoteRequest& n, int rate, Noise& noise, const std::vector<double>& ratios,
                          const std::vector<double>& amps, const std::vector<double>& decays, double damper,
                          double hammer) {
  double ring = 0;
  for (double d : decays) ring = std::max(ring, d);
  double length = std::min(n.seconds + damper, n.seconds + ring * 5) + 0.01;
  length = std::min(length, ring * 6 + 0.05);
  size_t count = size_t(length * rate);
  std::vector<float> out(count, 0.0f);
  for (size_t p = 0; p < ratios.size(); ++p) {
    double hz = n.frequency * ratios[p];
    if (hz >= rate * 0.45) continue;
    Partial osc(hz, rate, 0.0);  // sine phase 0: the note starts without a step
    double k = std::exp(-1.0 / (decays[p] * rate));
    double a = amps[p];
    for (size_t i = 0; i < count; ++i) {
      out[i] += float(a * osc.Next());
      a *= k;
    }
  }
  // Dampers end the note shortly after it is released.
  size_t releaseAt = size_t(n.seconds * rate);
  for (size_t i = releaseAt; i < count; ++i) {
    double t = double(i - releaseAt) / rate;
    out[i] *= float(std::max(0.0, 1.0 - t / damper));
  }
  if (hammer > 0) {
    OnePole lp;
    lp.SetCutoff(rate, std::min(8000.0, n.frequency * 6));
    size_t hits = std::min(count, size_t(0.012 * rate));
    for (size_t i = 0; i < hits; ++i)
      out[i] += float(hammer * lp.Process(noise.White()) * (1.0 - double(i) / double(hits)));
  }
  return out;
}

std::vector<float> Piano(const NoteRequest& n, int rate, Noise& noise, double detuneCents) {
  std::vector<double> ratios, amps, decays;
  const double inharm = 0.0003;
  double base = 2.8 * std::pow(440.0 / std::max(n.frequency, 30.0), 0.45);  // low notes ring longer
  double bright = 0.6 + 0.6 * n.velocity;
  for (int h = 1; h <= 10; ++h) {
    double r = h * std::sqrt(1 + inharm * h * h);
    for (int s = -1; s <= 1; s += 2) {
      ratios.push_back(r * std::pow(2.0, s * detuneCents / 1200.0));
      amps.push_back(0.5 * std::pow(double(h), -1.6 / bright) * (h == 1 ? 1.0 : 0.8));
      decays.push_back(base / (1 + 0.35 * (h - 1)));
    }
  }
  return Struck(n, rate, noise, ratios, amps, decays, 0.12, 0.08);
}

std::vector<float> Plucked(const NoteRequest& n, int rate, Noise& noise, double bright, double loss,
                           double maxSeconds) {
  size_t count = size_t(std::min(maxSeconds, n.seconds + 0.15) * rate);
  size_t period = std::max<size_t>(2, size_t(std::lround(rate / n.frequency)));
  std::vector<double> line(period);
  OnePole shape;
  shape.SetCutoff(rate, n.frequency * (2 + 10 * bright));
  for (double& x : line) x = shape.Process(noise.White());
  std::vector<float> out(count);
  size_t fadeIn = size_t(0.002 * rate);
  for (size_t i = 0; i < count; ++i) {
    size_t k = i % period;
    double x = line[k];
    line[k] = loss * (bright * x + (1 - bright) * 0.5 * (x + line[(k + 1) % period]));
    out[i] = float(i < fadeIn ? x * double(i) / double(fadeIn) : x);
  }
  size_t fade = std::min(count, size_t(0.02 * rate));
  for (size_t i = 0; i < fade; ++i) out[count - 1 - i] *= float(double(i) / double(fade));
  return out;
}

// Sustained tones: detuned band-limited saws through a lowpass that can open with the attack.
std::vector<float> Bowed(const NoteRequest& n, int rate, double attack, double release, double cutoffRatio,
                         double maxCutoff, double vibratoDepth, int voices, double brassiness) {
  size_t count = size_t((n.seconds + release) * rate) + 1;
  std::vector<float> out(count);
  std::vector<Saw> saws(static_cast<size_t>(voices));
  for (size_t v = 0; v < saws.size(); ++v) saws[v].phase = double(v) / double(voices);
  Biquad lp1, lp2;
  for (size_t i = 0; i < count; ++i) {
    double t = double(i) / rate;
    double vib = vibratoDepth * std::min(1.0, t / 0.4) * std::sin(2 * kPi * 5.2 * t);
    double f = n.frequency * std::pow(2.0, vib / 12.0);
    double sum = 0;
    for (size_t v = 0; v < saws.size(); ++v) {
      double cents = voices > 1 ? (double(v) / double(voices - 1) - 0.5) * 14.0 : 0.0;
      sum += saws[v].Next(f * std::pow(2.0, cents / 1200.0) / rate);
    }
    sum /= voices;
    if (i % 64 == 0) {
      double open = brassiness > 0 ? 1 + brassiness * std::exp(-t / 0.15) * std::min(1.0, t / 0.03) : 1.0;
      double cutoff = std::min(maxCutoff, n.frequency * cutoffRatio * open * (0.6 + 0.4 * n.velocity));
      lp1.Set(Biquad::kLowpass, rate, cutoff, 0.6);
      lp2.Set(Biquad::kLowpass, rate, cutoff, 0.6);
    }
    double env = Adsr(t, n.seconds, attack, 0.2, 0.85, release);
    out[i] = float(lp2.Process(lp1.Process(sum)) * env);
  }
  return out;
}

std::vector<float> Clarinet(const NoteRequest& n, int rate, Noise& noise) {
  size_t count = size_t((n.seconds + 0.12) * rate) + 1;
  std::vector<float> out(count);
  const double amps[] = {1.0, 0.0, 0.45, 0.0, 0.25, 0.0, 0.12, 0.0, 0.06};
  double phase = 0;
  OnePole breath;
  breath.SetCutoff(rate, 2500);
  for (size_t i = 0; i < count; ++i) {
    double t = double(i) / rate;
    double vib = 0.06 * std::min(1.0, std::max(0.0, t - 0.25) / 0.3) * std::sin(2 * kPi * 4.6 * t);
    double f = n.frequency * std::pow(2.0, vib / 12.0);
    double v = 0;
    for (int h = 0; h < 9; ++h)
      if (amps[h] > 0 && f * (h + 1) < rate * 0.45) v += amps[h] * std::sin(2 * kPi * phase * (h + 1));
    phase += f / rate;
    phase -= std::floor(phase);
    v = v * 0.55 + 0.04 * breath.Process(noise.White());
    out[i] = float(v * Adsr(t, n.seconds, 0.05, 0.1, 0.9, 0.12));
  }
  return out;
}

std::vector<float> NoiseHit(const NoteRequest& n, int rate, Noise& noise, Biquad::Type type, double cutoff,
                            double q, double attack, double decay, double toneHz, double toneAmp,
                            double toneDrop) {
  size_t count = size_t((attack + decay * 6) * rate);
  std::vector<float> out(count);
  Biquad f;
  f.Set(type, rate, cutoff, q);
  double phase = 0;
  for (size_t i = 0; i < count; ++i) {
    double t = double(i) / rate;
    double env = (t < attack ? t / attack : std::exp(-(t - attack) / decay));
    double v = f.Process(noise.White());
    if (toneAmp > 0) {
      double hz = toneHz * (1 + toneDrop * std::exp(-t / 0.03));
      v += toneAmp * std::sin(2 * kPi * phase);
      phase += hz / rate;
    }
    out[i] = float(v * env * (0.4 + 0.6 * n.velocity));
  }
  return out;
}

using Maker = std::function<std::vector<float>(const NoteRequest&, int, Noise&)>;

const std::map<std::string, Maker>& Instruments() {
  static const std::map<std::string, Maker> table = {
      {"piano", [](const NoteRequest& n, int r, Noise& z) { return Piano(n, r, z, 1.5); }},
      {"rollpiano", [](const NoteRequest& n, int r, Noise& z) { return Piano(n, r, z, 7.0); }},
      {"celesta",
       [](const NoteRequest& n, int r, Noise& z) {
         return Struck(n, r, z, {1, 2, 4, 6.9}, {0.6, 0.12, 0.2, 0.05}, {1.1, 0.5, 0.28, 0.12}, 0.35, 0.03);
       }},
      {"glock",
       [](const NoteRequest& n, int r, Noise& z) {
         return Struck(n, r, z, {1, 2.76, 5.4}, {0.6, 0.2, 0.08}, {1.4, 0.4, 0.15}, 1.0, 0.02);
       }},
      {"harp", [](const NoteRequest& n, int r, Noise& z) { return Plucked(n, r, z, 0.25, 0.9985, 3.0); }},
      {"pizz", [](const NoteRequest& n, int r, Noise& z) { return Plucked(n, r, z, 0.1, 0.985, 0.5); }},
      {"strings",
       [](const NoteRequest& n, int r, Noise&) { return Bowed(n, r, 0.25, 0.45, 5.0, 4000, 0.12, 3, 0.0); }},
      {"lowstrings",
       [](const NoteRequest& n, int r, Noise&) { return Bowed(n, r, 0.35, 0.6, 3.5, 1400, 0.08, 3, 0.0); }},
      {"brass",
       [](const NoteRequest& n, int r, Noise&) { return Bowed(n, r, 0.03, 0.1, 4.0, 5000, 0.05, 2, 1.5); }},
      {"tuba",
       [](const NoteRequest& n, int r, Noise&) { return Bowed(n, r, 0.03, 0.08, 3.0, 1200, 0.0, 1, 1.0); }},
      {"foghorn",
       [](const NoteRequest& n, int r, Noise&) { return Bowed(n, r, 0.8, 1.5, 2.5, 500, 0.03, 2, 0.0); }},
      {"clarinet", Clarinet},
      {"brush",
       [](const NoteRequest& n, int r, Noise& z) {
         return NoiseHit(n, r, z, Biquad::kBandpass, 4500, 0.7, 0.03, 0.07, 0, 0, 0);
       }},
      {"snare",
       [](const NoteRequest& n, int r, Noise& z) {
         return NoiseHit(n, r, z, Biquad::kBandpass, 3000, 0.6, 0.001, 0.06, 190, 0.5, 0.5);
       }},
      {"bassdrum",
       [](const NoteRequest& n, int r, Noise& z) {
         return NoiseHit(n, r, z, Biquad::kLowpass, 200, 0.7, 0.002, 0.12, 55, 1.5, 1.2);
       }},
      {"cymbal",
       [](const NoteRequest& n, int r, Noise& z) {
         return NoiseHit(n, r, z, Biquad::kHighpass, 7000, 0.7, 0.002, 0.25, 0, 0, 0);
       }},
  };
  return table;
}

}  // namespace

bool IsKnownInstrument(const std::string& instrument) {
  return Instruments().count(instrument) != 0;
}

std::vector<float> RenderInstrumentNote(const std::string& instrument, const NoteRequest& note, int rate,
                                        Noise& noise) {
  auto it = Instruments().find(instrument);
  if (it == Instruments().end()) throw RecipeError{"unknown instrument \"" + instrument + "\""};
  NoteRequest n = note;
  if (n.frequency <= 0) n.frequency = 440;
  std::vector<float> out = it->second(n, rate, noise);
  for (float& s : out) s *= float(n.velocity);
  return out;
}

}  // namespace soundbuild
