// wav_check.h -- what a sound file must be before SDL is given it
#pragma once
#include <cstddef>

// nullptr when bytes hold a WAV file of the kind the game's sound generator
// writes, which SDL's loader and converter take safely, else what is wrong, in
// a few words:
// - "RIFF", a length that the file holds, "WAVE";
// - chunks that each lie wholly inside that length, every one before the
//   samples of even length (SDL reads them without pad bytes), the format
//   chunk first apart from LIST, fact, bext and JUNK chunks (which SDL skips);
// - a format chunk of at least 16 bytes: PCM, 1 or 2 channels, 8 or 16 bits,
//   8000..192000 samples per second, block size and byte rate agreeing;
// - then a data chunk.
const char* WavProblem(const unsigned char* bytes, size_t size);
