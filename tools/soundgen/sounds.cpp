// sounds.cpp -- the recipes: countdown, laps, banners, impacts, tyres and menu blips
#include "sounds.h"

namespace soundgen {

// Equal-tempered notes used by the jingles.
static const double C5 = 523.25, E5 = 659.26, G5 = 783.99, C6 = 1046.5, D6 = 1174.7, E6 = 1318.5, G6 = 1568.0;
static const double A4 = 440.0, F4 = 349.23, D4 = 293.66;

// A jingle note: bright attack, gentle decay.
static void Note(Wave& w, double at, double len, double f, double gain) {
  AddTone(w, at, len, f, f, 4, 0.004, len * 0.6, gain);
}

static Wave Tick() {
  Wave w = Silence(0.09);
  AddTone(w, 0, 0.09, 880, 880, 3, 0.001, 0.03, 1.0);
  Normalise(w, 0.7);
  return w;
}

static Wave Go() {
  Wave w = Silence(0.45);
  AddTone(w, 0, 0.45, 1760, 1760, 3, 0.001, 0.25, 1.0);
  Normalise(w, 0.75);
  return w;
}

static Wave Lap() {
  Wave w = Silence(0.6);
  Note(w, 0, 0.6, C6, 1.0);
  AddTone(w, 0, 0.3, C6 * 2.76, C6 * 2.76, 1, 0.002, 0.05, 0.3);  // bell partial
  Note(w, 0.12, 0.48, G6, 0.8);
  Normalise(w, 0.6);
  return w;
}

static Wave Finish() {
  Wave w = Silence(1.2);
  const double notes[] = {C5, E5, G5, C6};
  for (int i = 0; i < 4; ++i) Note(w, 0.12 * i, 1.2 - 0.12 * i, notes[i], 0.8);
  Normalise(w, 0.7);
  return w;
}

static Wave Record() {
  Wave w = Silence(1.5);
  const double notes[] = {C5, E5, G5, C6, E6, G6};
  for (int i = 0; i < 6; ++i) Note(w, 0.09 * i, 0.5, notes[i], 0.7);
  for (int i = 0; i < 6; ++i) Note(w, 0.6 + 0.07 * i, 0.9 - 0.07 * i, i % 2 ? G6 : E6, 0.4);
  Normalise(w, 0.75);
  return w;
}

static Wave Win() {
  Wave w = Silence(1.3);
  const double notes[] = {G5, C6, D6, E6};
  for (int i = 0; i < 4; ++i) Note(w, 0.1 * i, 1.3 - 0.1 * i, notes[i], 0.8);
  Note(w, 0.4, 0.9, C6, 0.5);
  Normalise(w, 0.75);
  return w;
}

static Wave Lose() {
  Wave w = Silence(1.2);
  const double notes[] = {A4, F4, D4};
  for (int i = 0; i < 3; ++i) AddTone(w, 0.25 * i, 1.2 - 0.25 * i, notes[i], notes[i] * 0.97, 5, 0.01, 0.4, 0.8);
  Normalise(w, 0.7);
  return w;
}

static Wave TimeUp() {
  Wave w = Silence(1.0);
  AddTone(w, 0, 0.35, 220, 220, 7, 0.005, 0.3, 1.0);
  AddTone(w, 0.4, 0.6, 165, 160, 7, 0.005, 0.35, 1.0);
  Normalise(w, 0.7);
  return w;
}

static Wave Thump() {
  Wave w = Silence(0.25);
  Noise n(0x7e11);
  AddNoise(w, n, 0, 0.25, 180, 0.8, 0.001, 0.04, 2.0);
  AddTone(w, 0, 0.25, 110, 45, 2, 0.001, 0.07, 1.0);
  Normalise(w, 0.8);
  return w;
}

static Wave Knock() {
  Wave w = Silence(0.12);
  Noise n(0x4b0c);
  AddNoise(w, n, 0, 0.12, 900, 2.0, 0.0005, 0.02, 2.0);
  AddTone(w, 0, 0.12, 420, 380, 2, 0.0005, 0.03, 0.8);
  Normalise(w, 0.7);
  return w;
}

static Wave Squeal() {
  // Half a second of tyre whine that loops: a wavering tone over hiss.
  Wave w = Silence(0.55);
  Noise n(0x5e4a);
  AddNoise(w, n, 0, 0.55, 2600, 6.0, 0, 0, 1.0);
  for (int i = 0; i < 11; ++i)
    AddTone(w, 0.05 * i, 0.05, 1850 + 60 * (i % 3), 1850 + 60 * ((i + 1) % 3), 2, 0, 0, 0.25);
  MakeLoop(w, 0.05);
  Normalise(w, 0.5);
  return w;
}

static Wave Cursor() {
  Wave w = Silence(0.05);
  AddTone(w, 0, 0.05, 660, 660, 2, 0.001, 0.02, 1.0);
  Normalise(w, 0.5);
  return w;
}

static Wave Confirm() {
  Wave w = Silence(0.16);
  AddTone(w, 0, 0.07, 660, 660, 2, 0.001, 0.04, 1.0);
  AddTone(w, 0.07, 0.09, 990, 990, 2, 0.001, 0.05, 1.0);
  Normalise(w, 0.55);
  return w;
}

static Wave Back() {
  Wave w = Silence(0.16);
  AddTone(w, 0, 0.07, 990, 990, 2, 0.001, 0.04, 1.0);
  AddTone(w, 0.07, 0.09, 660, 660, 2, 0.001, 0.05, 1.0);
  Normalise(w, 0.5);
  return w;
}

static Wave Refuse() {
  Wave w = Silence(0.25);
  AddTone(w, 0, 0.25, 150, 140, 9, 0.003, 0.12, 1.0);
  Normalise(w, 0.55);
  return w;
}

const SoundDef kSounds[] = {
    {"tick", 0.09, Tick},       {"go", 0.45, Go},       {"lap", 0.6, Lap},        {"finish", 1.2, Finish},
    {"record", 1.5, Record},    {"win", 1.3, Win},      {"lose", 1.2, Lose},      {"timeup", 1.0, TimeUp},
    {"thump", 0.25, Thump},     {"knock", 0.12, Knock}, {"squeal", 0.5, Squeal},  {"cursor", 0.05, Cursor},
    {"confirm", 0.16, Confirm}, {"back", 0.16, Back},   {"refuse", 0.25, Refuse},
};
const int kSoundCount = sizeof kSounds / sizeof kSounds[0];

}  // namespace soundgen
