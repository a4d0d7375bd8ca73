// sounds.h -- every sound of the game: its file name, its length and how it is made
#pragma once
#include "synth.h"

namespace soundgen {

struct SoundDef {
  const char* name;  // file is <name>.wav
  double seconds;    // length of the file
  Wave (*make)();
};

extern const SoundDef kSounds[];
extern const int kSoundCount;

}  // namespace soundgen
