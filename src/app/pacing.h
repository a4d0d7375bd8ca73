// pacing.h -- 40 frames per second from 1 ms sleeps, and the once-a-second FPS report
#pragma once
#include <cstdint>

#include "gfx/present.h"

// Returns after at least ms milliseconds (at once for ms <= 0), sleeping 1 ms at a time.
void wait(int32_t ms);

// Waits out the rest of the frame: returns about 1000 / fps ms after the
// previous call returned; after a frame that took longer, does not wait.
void fps_wait(int32_t fps);

// Counts a frame; at the first frame more than a second after the last report
// prints "<n>FPS" and returns n, else returns 0.
int32_t fps_no();

// The present-and-pace sequence that ends every frame: the frame's sounds
// handed to the audio side (AudioFrame), the frame put on screen (SDL_Flip, after stretching it when the window is
// scaled), fps_wait(40), fps_no(). Returns the surface the next frame is drawn into, which changes when the player
// switches to or from full screen. Tests and tools install their own presenter to run unpaced; then screen comes back.
using Presenter = void (*)(SDL_Surface* screen);
void SetPresenter(Presenter presenter);  // nullptr restores the paced one

// The millisecond clock and the sleep the pacing uses; {nullptr, nullptr}
// restores SDL's. Tests drive the pacing from a clock of their own.
struct PacingClock {
  uint32_t (*ticks)();
  void (*delay)(uint32_t ms);
};
void SetPacingClock(PacingClock clock);

// Puts the pacing counters back to their program-start values.
void ResetPacing();
