// synth.h -- the sound generator's instruments: oscillators, filtered noise and envelopes
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

const int kRate = 44100;  // samples per second of every file (mono, 16 bit)
// The largest sample value a file may hold, as a fraction of full scale: the
// game adds its engine and the other voices on top, so every file leaves room.
const double kCeiling = 0.9;

// A sound as floating-point samples, nominally within -1..1.
using Wave = std::vector<float>;

// Our own noise source, so every build writes the same bytes whatever the C
// library's rand does: xorshift32 from a fixed seed.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1u) {}
  float Next();  // uniform in -1..1
 private:
  uint32_t state_;
};

// Silence of the given length in seconds.
Wave Silence(double seconds);
// Adds a tone at `at` seconds: a sine whose frequency glides linearly from f0 to
// f1 Hz, with `harmonics` odd/even partials of falling weight, an attack of
// `attack` seconds and an exponential decay of time constant `decay` seconds.
void AddTone(Wave& w, double at, double len, double f0, double f1, int harmonics, double attack, double decay,
             double gain);
// Adds a burst of noise through a two-pole band-pass around `centre` Hz with the
// given Q, enveloped like AddTone.
void AddNoise(Wave& w, Noise& noise, double at, double len, double centre, double q, double attack, double decay,
              double gain);
// Scales the whole wave so its largest magnitude is `peak` (below 1, so no clipping).
void Normalise(Wave& w, double peak);
// Makes a wave loop without a seam: the last `overlap` seconds are faded into
// the first ones and then cut off.
void MakeLoop(Wave& w, double overlap);

// Writes a 16-bit mono PCM WAV file, every sample held within kCeiling of
// full scale; false when it cannot be written.
bool WriteWav(const std::string& path, const Wave& w);

}  // namespace soundgen
