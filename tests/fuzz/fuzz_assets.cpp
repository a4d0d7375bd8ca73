// fuzz_assets.cpp -- any bytes as a picture or a sound file: the game's check decides, and every
// input it passes is handed to the decoders the game uses, which must take it without a crash or a
// sanitizer report and give what the header said. Built once per check with VELKARO_FUZZ_ASSET
// naming it ("bmp" or "wav").
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/wav_check.h"
#include "gfx/bmp_check.h"

namespace {

[[noreturn]] void Fail(const char* what, long expected, long actual) {
  fprintf(stderr, "INVARIANT BROKEN: %s: expected %ld, got %ld\n", what, expected, actual);
  abort();
}

int32_t Le32(const uint8_t* p) {
  return static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

SDL_RWops* Memory(const uint8_t* data, size_t size) { return SDL_RWFromConstMem(data, static_cast<int>(size)); }

// The sheets' limit is the largest: every picture the game loads is checked against it or a smaller one.
void Bmp(const uint8_t* data, size_t size) {
  if (BmpProblem(data, size, BMP_SHEET_MAX_SIDE, BMP_SHEET_MAX_SIDE)) return;
  const int32_t w = Le32(data + 18), h = Le32(data + 22);
  // The sheets and courses go through SDL_image, the window icon through SDL.
  SDL_Surface* decoded[2] = {IMG_Load_RW(Memory(data, size), 1), SDL_LoadBMP_RW(Memory(data, size), 1)};
  for (SDL_Surface* s : decoded) {
    if (!s) continue;
    if (s->w != w || s->h != h) Fail("decoded width x height", w * 100000L + h, s->w * 100000L + s->h);
    // Every pixel row is read, as a blit of the whole picture would.
    volatile uint32_t sum = 0;
    const uint8_t* pixels = static_cast<const uint8_t*>(s->pixels);
    for (int y = 0; y < s->h; ++y)
      sum = sum + pixels[y * s->pitch] + pixels[y * s->pitch + s->w * s->format->BytesPerPixel - 1];
    SDL_FreeSurface(s);
  }
}

// As SDL_mixer loads a sound: SDL's loader, then conversion to the device's 16-bit stereo at 44100 Hz.
void Wav(const uint8_t* data, size_t size) {
  if (WavProblem(data, size)) return;
  SDL_AudioSpec spec;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(Memory(data, size), 1, &spec, &samples, &length)) return;
  if (length > size) Fail("samples longer than the file", static_cast<long>(size), static_cast<long>(length));
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 2, 44100) >= 0) {
    cvt.buf = static_cast<Uint8*>(malloc(static_cast<size_t>(length) * cvt.len_mult + 1));
    cvt.len = static_cast<int>(length);
    memcpy(cvt.buf, samples, length);
    if (cvt.needed) SDL_ConvertAudio(&cvt);
    free(cvt.buf);
  }
  SDL_FreeWAV(samples);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (strcmp(VELKARO_FUZZ_ASSET, "bmp") == 0) Bmp(data, size);
  if (strcmp(VELKARO_FUZZ_ASSET, "wav") == 0) Wav(data, size);
  return 0;
}
