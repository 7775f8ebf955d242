// Small signal-processing pieces for the sound builder: a seeded noise source, biquad filters, a
// stereo reverb and helpers on sample vectors. Everything is deterministic.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace soundbuild {

constexpr double kPi = 3.14159265358979323846;

// The same linear congruential formula everywhere, so a recipe renders identically on every machine.
class Noise {
 public:
  explicit Noise(uint32_t seed = 1) : state_(seed) {}
  uint32_t NextU32() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
  }
  double Uniform() { return double(NextU32() >> 8) / double(1u << 24); }  // 0..1
  double White() { return Uniform() * 2.0 - 1.0; }                        // -1..1
  double Range(double a, double b) { return a + (b - a) * Uniform(); }

 private:
  uint32_t state_;
};

// Second-order filter sections after the well-known cookbook formulas.
class Biquad {
 public:
  enum Type { kLowpass, kHighpass, kBandpass, kPeak };
  void Set(Type type, double rate, double cutoff, double q, double gainDb = 0.0);
  double Process(double x) {
    double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A one-pole smoother / lowpass.
class OnePole {
 public:
  void SetCutoff(double rate, double hz) { a_ = std::exp(-2.0 * kPi * hz / rate); }
  double Process(double x) { return y_ = x + a_ * (y_ - x); }

 private:
  double a_ = 0, y_ = 0;
};

// A plain stereo room: parallel damped combs into series all-passes, per channel with spread.
class Reverb {
 public:
  Reverb(double rate, double size, double damping);
  // Adds the reverberated input (mono send) into left and right.
  void Process(double in, double& left, double& right);

 private:
  struct Comb {
    std::vector<double> line;
    size_t pos = 0;
    double store = 0;
  };
  struct AllPass {
    std::vector<double> line;
    size_t pos = 0;
  };
  double ProcessChannel(double in, std::vector<Comb>& combs, std::vector<AllPass>& passes);

  std::vector<Comb> combsL_, combsR_;
  std::vector<AllPass> passL_, passR_;
  double feedback_;
  double damp_;
};

// Peak of a buffer, and scaling it so the peak sits at the given level in dBFS.
double Peak(const std::vector<float>& v);
void NormalizeTo(std::vector<float>& v, double peakDb);
// Short linear fades at both ends, so no file starts or stops with a click.
void FadeEdges(std::vector<float>& v, int channels, int fadeInFrames, int fadeOutFrames);

double NoteFrequency(int midiNote);  // A4 = 69 = 440 Hz
double DbToGain(double db);

}  // namespace soundbuild
