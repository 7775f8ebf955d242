#include "dsp.h"

#include <algorithm>

namespace soundbuild {

void Biquad::Set(Type type, double rate, double cutoff, double q, double gainDb) {
  cutoff = std::clamp(cutoff, 10.0, rate * 0.45);
  q = std::max(q, 0.05);
  double w = 2.0 * kPi * cutoff / rate;
  double cw = std::cos(w), sw = std::sin(w);
  double alpha = sw / (2.0 * q);
  double a0 = 1 + alpha;
  switch (type) {
    case kLowpass:
      b0_ = (1 - cw) / 2;
      b1_ = 1 - cw;
      b2_ = (1 - cw) / 2;
      break;
    case kHighpass:
      b0_ = (1 + cw) / 2;
      b1_ = -(1 + cw);
      b2_ = (1 + cw) / 2;
      break;
    case kBandpass:  // 0 dB peak gain
      b0_ = alpha;
      b1_ = 0;
      b2_ = -alpha;
      break;
    case kPeak: {
      double a = std::pow(10.0, gainDb / 40.0);
      b0_ = 1 + alpha * a;
      b1_ = -2 * cw;
      b2_ = 1 - alpha * a;
      a0 = 1 + alpha / a;
      a1_ = -2 * cw / a0;
      a2_ = (1 - alpha / a) / a0;
      b0_ /= a0;
      b1_ /= a0;
      b2_ /= a0;
      return;
    }
  }
  a1_ = -2 * cw / a0;
  a2_ = (1 - alpha) / a0;
  b0_ /= a0;
  b1_ /= a0;
  b2_ /= a0;
}

Reverb::Reverb(double rate, double size, double damping) {
  // Delay lengths in samples at 44.1 kHz, scaled to the rate; the right channel is spread a little.
  static const int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int kPasses[] = {556, 441, 341, 225};
  const int kSpread = 23;
  double scale = rate / 44100.0;
  for (int c : kCombs) {
    combsL_.push_back(Comb{std::vector<double>(size_t(std::max(1.0, c * scale)), 0.0)});
    combsR_.push_back(Comb{std::vector<double>(size_t(std::max(1.0, (c + kSpread) * scale)), 0.0)});
  }
  for (int p : kPasses) {
    passL_.push_back(AllPass{std::vector<double>(size_t(std::max(1.0, p * scale)), 0.0)});
    passR_.push_back(AllPass{std::vector<double>(size_t(std::max(1.0, (p + kSpread) * scale)), 0.0)});
  }
  feedback_ = 0.7 + 0.28 * std::clamp(size, 0.0, 1.0);
  damp_ = std::clamp(damping, 0.0, 1.0) * 0.4;
}

double Reverb::ProcessChannel(double in, std::vector<Comb>& combs, std::vector<AllPass>& passes) {
  double out = 0;
  for (Comb& c : combs) {
    double y = c.line[c.pos];
    c.store = y * (1 - damp_) + c.store * damp_;
    c.line[c.pos] = in + c.store * feedback_;
    if (++c.pos == c.line.size()) c.pos = 0;
    out += y;
  }
  for (AllPass& a : passes) {
    double b = a.line[a.pos];
    double y = -out + b;
    a.line[a.pos] = out + b * 0.5;
    if (++a.pos == a.line.size()) a.pos = 0;
    out = y;
  }
  return out;
}

void Reverb::Process(double in, double& left, double& right) {
  double x = in * 0.015;
  left += ProcessChannel(x, combsL_, passL_);
  right += ProcessChannel(x, combsR_, passR_);
}

double Peak(const std::vector<float>& v) {
  double p = 0;
  for (float s : v) p = std::max(p, double(std::fabs(s)));
  return p;
}

void NormalizeTo(std::vector<float>& v, double peakDb) {
  double p = Peak(v);
  if (p <= 0) return;
  double g = DbToGain(peakDb) / p;
  for (float& s : v) s = float(s * g);
}

void FadeEdges(std::vector<float>& v, int channels, int fadeInFrames, int fadeOutFrames) {
  size_t frames = v.size() / size_t(channels);
  for (size_t i = 0; i < frames && i < size_t(fadeInFrames); ++i)
    for (int c = 0; c < channels; ++c) v[i * size_t(channels) + size_t(c)] *= float(double(i) / fadeInFrames);
  for (size_t i = 0; i < frames && i < size_t(fadeOutFrames); ++i)
    for (int c = 0; c < channels; ++c)
      v[(frames - 1 - i) * size_t(channels) + size_t(c)] *= float(double(i) / fadeOutFrames);
}

double NoteFrequency(int midiNote) {
  return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

double DbToGain(double db) {
  return std::pow(10.0, db / 20.0);
}

}  // namespace soundbuild
