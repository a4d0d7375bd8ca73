// synth.cpp -- oscillators, filtered noise, envelopes and the WAV writer of the sound generator
#include "synth.h"

#include <cmath>
#include <cstdio>

namespace soundgen {

static const double kPi = 3.14159265358979;

float Noise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ / 2147483648.0 - 1.0);
}

Wave Silence(double seconds) { return Wave(static_cast<size_t>(seconds * kRate), 0.0f); }

// Attack ramp, then exponential decay; zero outside 0..len.
static double Envelope(double t, double len, double attack, double decay) {
  if (t < 0 || t >= len) return 0;
  const double rise = attack > 0 && t < attack ? t / attack : 1.0;
  // The last 3 ms fade to zero so a sound never ends on a step.
  const double tail = len - t < 0.003 ? (len - t) / 0.003 : 1.0;
  return rise * tail * (decay > 0 ? std::exp(-t / decay) : 1.0);
}

void AddTone(Wave& w, double at, double len, double f0, double f1, int harmonics, double attack, double decay,
             double gain) {
  const size_t first = static_cast<size_t>(at * kRate);
  const size_t count = static_cast<size_t>(len * kRate);
  double phase = 0;
  for (size_t i = 0; i < count && first + i < w.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f = f0 + (f1 - f0) * t / len;
    phase += 2 * kPi * f / kRate;
    double s = 0;
    for (int h = 1; h <= harmonics; ++h) s += std::sin(phase * h) / (h * h);
    w[first + i] += static_cast<float>(gain * s * Envelope(t, len, attack, decay));
  }
}

void AddNoise(Wave& w, Noise& noise, double at, double len, double centre, double q, double attack, double decay,
              double gain) {
  // Band-pass biquad (constant 0 dB peak gain).
  const double omega = 2 * kPi * centre / kRate;
  const double alpha = std::sin(omega) / (2 * q);
  const double a0 = 1 + alpha;
  const double b0 = alpha / a0, b2 = -alpha / a0;
  const double a1 = -2 * std::cos(omega) / a0, a2 = (1 - alpha) / a0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  const size_t first = static_cast<size_t>(at * kRate);
  const size_t count = static_cast<size_t>(len * kRate);
  for (size_t i = 0; i < count && first + i < w.size(); ++i) {
    const double x = noise.Next();
    const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    const double t = static_cast<double>(i) / kRate;
    w[first + i] += static_cast<float>(gain * y * Envelope(t, len, attack, decay));
  }
}

void Normalise(Wave& w, double peak) {
  float top = 0;
  for (float s : w) top = std::fmax(top, std::fabs(s));
  if (top <= 0) return;
  const float k = static_cast<float>(peak / top);
  for (float& s : w) s *= k;
}

void MakeLoop(Wave& w, double overlap) {
  const size_t n = static_cast<size_t>(overlap * kRate);
  if (n == 0 || n * 2 > w.size()) return;
  const size_t body = w.size() - n;
  for (size_t i = 0; i < n; ++i) {
    const float k = static_cast<float>(i) / n;  // the tail fades out as the head fades in
    w[i] = w[i] * k + w[body + i] * (1 - k);
  }
  w.resize(body);
}

static void Put16(FILE* f, uint32_t v) {
  std::fputc(v & 0xff, f);
  std::fputc((v >> 8) & 0xff, f);
}
static void Put32(FILE* f, uint32_t v) {
  Put16(f, v & 0xffff);
  Put16(f, v >> 16);
}

bool WriteWav(const std::string& path, const Wave& w) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const uint32_t bytes = static_cast<uint32_t>(w.size() * 2);
  std::fputs("RIFF", f);
  Put32(f, 36 + bytes);
  std::fputs("WAVEfmt ", f);
  Put32(f, 16);
  Put16(f, 1);  // PCM
  Put16(f, 1);  // mono
  Put32(f, kRate);
  Put32(f, kRate * 2);
  Put16(f, 2);
  Put16(f, 16);
  std::fputs("data", f);
  Put32(f, bytes);
  // A recipe that forgets its normalising can never reach full scale.
  const long top = std::lround(kCeiling * 32767.0);
  for (float s : w) {
    const long v = std::lround(s * 32767.0);
    Put16(f, static_cast<uint32_t>(static_cast<int16_t>(v < -top ? -top : v > top ? top : v)) & 0xffff);
  }
  return std::fclose(f) == 0;
}

}  // namespace soundgen
