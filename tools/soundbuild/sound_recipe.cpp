// Sound effects from recipes: layers of tones, noise, struck resonators, plucked strings and
// crackle, each with its own envelope, filter and repetition, summed into one mono signal.
#include "sound_recipe.h"

#include <algorithm>
#include <cmath>

#include "dsp.h"

namespace soundbuild {
namespace {

const std::vector<std::string> kCommonKeys = {
    "at",   "dur",    "amp",       "attack",      "hold",   "decay", "release", "repeat", "every", "accel",
    "fade", "jitter", "ampjitter", "pitchjitter", "filter", "sweep", "seed",    "trem",   "drive"};

struct Envelope {
  double attack, hold, decay, release, dur;
  double At(double t) const {
    if (t < 0 || t >= dur) return 0;
    double a = attack > 0 && t < attack ? t / attack : 1.0;
    double after = t - attack - hold;
    if (decay > 0 && after > 0) a *= std::exp(-after / decay);
    if (release > 0 && t > dur - release) a *= std::max(0.0, (dur - t) / release);
    return a;
  }
};

double Wave(const std::string& shape, double phase) {  // phase in cycles
  double p = phase - std::floor(phase);
  if (shape == "sine") return std::sin(2 * kPi * p);
  if (shape == "square") return p < 0.5 ? 1.0 : -1.0;
  if (shape == "saw") return 2 * p - 1;
  if (shape == "triangle") return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
  throw RecipeError{"unknown wave \"" + shape + "\""};
}

Biquad::Type FilterType(const std::string& name, int line) {
  if (name == "low") return Biquad::kLowpass;
  if (name == "high") return Biquad::kHighpass;
  if (name == "band") return Biquad::kBandpass;
  throw RecipeError{"line " + std::to_string(line) + ": unknown filter \"" + name + "\""};
}

struct FilterSpec {
  Biquad::Type type;
  double cutoff;
  double q;
};

// "type:cutoff[:q]" with type low, high or band.
FilterSpec ParseFilter(const std::string& spec, int line) {
  size_t colon = spec.find(':');
  if (colon == std::string::npos)
    throw RecipeError{"line " + std::to_string(line) + ": filter needs type:cutoff"};
  RecipeLine args;
  args.number = line;
  args.values["f"] = spec.substr(colon + 1);
  std::vector<double> n = args.Numbers("f");
  return FilterSpec{FilterType(spec.substr(0, colon), line), n.at(0), n.size() > 1 ? n[1] : 0.707};
}

// One occurrence of a layer: rendered into out starting at sample start.
class LayerRenderer {
 public:
  LayerRenderer(const RecipeLine& l, double rate, Noise& noise) : l_(l), rate_(rate), noise_(noise) {}

  void Render(std::vector<float>& out, double start, double amp, double pitch) {
    const RecipeLine& l = l_;
    double dur = l.Number("dur", double(out.size()) / rate_ - start);
    Envelope env{l.Number("attack", 0.002), l.Number("hold", 0), l.Number("decay", 0),
                 l.Number("release", 0.01), dur};
    size_t first = size_t(std::max(0.0, start * rate_));
    size_t count = size_t(std::max(0.0, dur * rate_));
    std::vector<double> sig(count, 0.0);
    Generate(sig, pitch, dur);

    // Filter with an optional exponential cutoff sweep.
    if (l.Has("filter")) {
      FilterSpec spec = ParseFilter(l.Text("filter", ""), l.number);
      double from = spec.cutoff, to = l.Number("sweep", from);
      Biquad f, f2;  // two sections for a steeper slope
      for (size_t i = 0; i < count; ++i) {
        if (i % 32 == 0) {
          double k = count > 1 ? double(i) / double(count - 1) : 0;
          double hz = from * std::pow(to / from, k);
          f.Set(spec.type, rate_, hz, spec.q);
          f2.Set(spec.type, rate_, hz, spec.q);
        }
        sig[i] = f2.Process(f.Process(sig[i]));
      }
    }
    std::vector<double> trem = l.Numbers("trem");
    double drive = l.Number("drive", 0);
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
      double t = double(i) / rate_;
      double v = sig[i] * env.At(t) * amp;
      if (trem.size() >= 2) v *= 1.0 - trem[1] * 0.5 * (1 + std::sin(2 * kPi * trem[0] * t));
      if (drive > 0) v = std::tanh(v * (1 + drive)) / std::tanh(1 + drive);
      out[first + i] += float(v);
    }
  }

 private:
  void Generate(std::vector<double>& sig, double pitch, double dur) {
    const RecipeLine& l = l_;
    const std::string& kind = l.keyword;
    size_t count = sig.size();
    if (kind == "tone") {
      l.CheckKeys(Join({"freq", "to", "glide", "wave", "fm", "vibrato", "harm", "fmdecay"}));
      double f0 = l.Number("freq", 440) * pitch, f1 = l.Number("to", f0 / pitch) * pitch;
      double glide = l.Number("glide", dur);
      std::string shape = l.Text("wave", "sine");
      std::vector<double> fm = l.Numbers("fm"), vib = l.Numbers("vibrato"), harm = l.Numbers("harm");
      if (harm.empty()) harm = {1.0};
      double fmDecay = l.Number("fmdecay", 0);
      double phase = 0, modPhase = 0;
      for (size_t i = 0; i < count; ++i) {
        double t = double(i) / rate_;
        double k = glide > 0 ? std::min(1.0, t / glide) : 1.0;
        double f = f0 * std::pow(f1 / f0, k);
        if (vib.size() >= 2) f *= std::pow(2.0, vib[1] * std::sin(2 * kPi * vib[0] * t) / 12.0);
        double pm = 0;
        if (fm.size() >= 2) {
          double index = fm[1] * (fmDecay > 0 ? std::exp(-t / fmDecay) : 1.0);
          pm = index * std::sin(2 * kPi * modPhase);
          modPhase += f * fm[0] / rate_;
        }
        double v = 0;
        for (size_t h = 0; h < harm.size(); ++h)
          v += harm[h] * Wave(shape, (phase + pm / (2 * kPi)) * double(h + 1));
        sig[i] = v;
        phase += f / rate_;
      }
    } else if (kind == "noise") {
      l.CheckKeys(Join({"color"}));
      std::string color = l.Text("color", "white");
      double b = 0, pinkState[3] = {0, 0, 0};
      for (size_t i = 0; i < count; ++i) {
        double w = noise_.White();
        if (color == "brown") {
          b = std::clamp(b + w * 0.05, -1.0, 1.0);
          sig[i] = b * 3;
        } else if (color == "pink") {
          pinkState[0] = 0.99765 * pinkState[0] + w * 0.0990460;
          pinkState[1] = 0.96300 * pinkState[1] + w * 0.2965164;
          pinkState[2] = 0.57000 * pinkState[2] + w * 1.0526913;
          sig[i] = (pinkState[0] + pinkState[1] + pinkState[2] + w * 0.1848) * 0.25;
        } else if (color == "white") {
          sig[i] = w;
        } else {
          throw RecipeError{"line " + std::to_string(l.number) + ": unknown noise colour \"" + color + "\""};
        }
      }
    } else if (kind == "modal") {
      l.CheckKeys(Join({"freq", "partials", "amps", "decays"}));
      double f = l.Number("freq", 440) * pitch;
      std::vector<double> ratios = l.Numbers("partials"), amps = l.Numbers("amps"),
                          decays = l.Numbers("decays");
      if (ratios.empty()) ratios = {1.0};
      for (size_t p = 0; p < ratios.size(); ++p) {
        double a = p < amps.size() ? amps[p] : 1.0 / double(p + 1);
        double d = p < decays.size() ? decays[p] : 0.5;
        double hz = f * ratios[p];
        if (hz >= rate_ / 2) continue;
        double startPhase = noise_.Uniform();
        for (size_t i = 0; i < count; ++i) {
          double t = double(i) / rate_;
          sig[i] += a * std::exp(-t / d) * std::sin(2 * kPi * (hz * t + startPhase));
        }
      }
    } else if (kind == "pluck") {
      l.CheckKeys(Join({"freq", "bright"}));
      double f = l.Number("freq", 440) * pitch;
      double bright = std::clamp(l.Number("bright", 0.5), 0.0, 1.0);
      size_t period = std::max<size_t>(2, size_t(rate_ / f));
      std::vector<double> line(period);
      for (double& x : line) x = noise_.White();
      // Karplus-Strong: a noise burst circulating through an averaging delay line.
      for (size_t i = 0; i < count; ++i) {
        size_t k = i % period;
        double x = line[k];
        double averaged = 0.5 * (x + line[(k + 1) % period]);
        line[k] = 0.996 * (bright * x + (1 - bright) * averaged);
        sig[i] = x;
      }
    } else if (kind == "crackle") {
      l.CheckKeys(Join({"density", "length"}));
      double density = l.Number("density", 30);
      double len = l.Number("length", 0.004);
      double p = density / rate_;
      double level = 0, decayPerSample = std::exp(-1.0 / std::max(1.0, len * rate_));
      for (size_t i = 0; i < count; ++i) {
        if (noise_.Uniform() < p) level = 0.3 + 0.7 * noise_.Uniform();
        sig[i] = noise_.White() * level;
        level *= decayPerSample;
      }
    } else {
      throw RecipeError{"line " + std::to_string(l.number) + ": unknown layer \"" + kind + "\""};
    }
  }

  static std::vector<std::string> Join(std::vector<std::string> own) {
    own.insert(own.end(), kCommonKeys.begin(), kCommonKeys.end());
    return own;
  }

  const RecipeLine& l_;
  double rate_;
  Noise& noise_;
};

}  // namespace

std::vector<float> RenderSoundRecipe(const std::string& text, int rate) {
  std::vector<RecipeLine> lines = ParseRecipeText(text);
  double length = 1.0, gainDb = -1.0;
  const RecipeLine* reverb = nullptr;
  const RecipeLine* master = nullptr;
  for (const RecipeLine& l : lines) {
    if (l.keyword == "sound") {
      l.CheckKeys({"length", "gain"});
      length = l.Number("length", 1.0);
      gainDb = l.Number("gain", -1.0);
    } else if (l.keyword == "reverb") {
      l.CheckKeys({"mix", "size", "damp"});
      reverb = &l;
    } else if (l.keyword == "master") {
      l.CheckKeys({"filter"});
      master = &l;
    }
  }
  if (!(length > 0 && length < 60)) throw RecipeError{"sound length must be between 0 and 60 seconds"};
  std::vector<float> out(size_t(length * rate), 0.0f);
  for (const RecipeLine& l : lines) {
    if (l.keyword == "sound" || l.keyword == "reverb" || l.keyword == "master") continue;
    Noise noise(uint32_t(l.Number("seed", l.number * 7919)));
    LayerRenderer layer(l, rate, noise);
    int repeat = int(l.Number("repeat", 1));
    double at = l.Number("at", 0), every = l.Number("every", 0.25), accel = l.Number("accel", 1.0);
    double fade = l.Number("fade", 1.0), jitter = l.Number("jitter", 0), ampJitter = l.Number("ampjitter", 0);
    double pitchJitter = l.Number("pitchjitter", 0), amp = l.Number("amp", 1.0);
    double t = at, level = 1.0;
    for (int r = 0; r < repeat; ++r) {
      double start = t + (jitter > 0 ? noise.Range(-jitter, jitter) : 0.0);
      double a = amp * level * (1.0 - ampJitter * noise.Uniform());
      double pitch = pitchJitter > 0 ? std::pow(2.0, noise.Range(-pitchJitter, pitchJitter) / 12.0) : 1.0;
      layer.Render(out, std::max(0.0, start), a, pitch);
      t += every;
      every *= accel;
      level *= fade;
    }
  }
  if (master && master->Has("filter")) {
    FilterSpec spec = ParseFilter(master->Text("filter", ""), master->number);
    Biquad bq;
    bq.Set(spec.type, rate, spec.cutoff, spec.q);
    for (float& s : out) s = float(bq.Process(s));
  }
  if (reverb) {
    double mix = reverb->Number("mix", 0.2);
    Reverb room(rate, reverb->Number("size", 0.4), reverb->Number("damp", 0.5));
    for (float& s : out) {
      double l = 0, r = 0;
      room.Process(s, l, r);
      s = float(s * (1 - mix) + mix * 0.5 * (l + r));
    }
  }
  NormalizeTo(out, gainDb);
  FadeEdges(out, 1, int(0.002 * rate), int(0.01 * rate));
  return out;
}

}  // namespace soundbuild
