// pacing.cpp -- frame pacing and the FPS report
#include "app/pacing.h"

#include <SDL.h>

#include <cstdio>

#include "app/audio.h"
#include "app/display.h"

// The frame rate of every scene, the result screen's frames included.
enum { FRAME_RATE = 40 };

// The pacing counters. They live for the program; ResetPacing puts them back.
struct PacingState {
  uint32_t m_now;
  uint32_t m_start;  // when the previous fps_wait returned
  int32_t cnt;       // frames since the last FPS report
  uint32_t tick;     // when the last FPS report was printed
  int32_t fps;
};
static PacingState pace = {};

// Hooks installed by tests and tools; the defaults present and pace for real.
static Presenter presenter = nullptr;
static PacingClock pacingClock = {SDL_GetTicks, SDL_Delay};

void wait(int32_t ms) {
  const uint32_t start = pacingClock.ticks();
  uint32_t now = pacingClock.ticks();
  while (static_cast<int32_t>(now - start) < ms) {
    pacingClock.delay(1);
    now = pacingClock.ticks();
  }
}

void fps_wait(int32_t rate) {
  pace.m_now = pacingClock.ticks();
  // Minus the time since the previous frame ended, as a signed 32-bit value.
  const int32_t elapsedCorrection = static_cast<int32_t>(pace.m_start - pace.m_now);
  wait(1000 / rate + elapsedCorrection);
  pace.m_start = pacingClock.ticks();
}

int32_t fps_no() {
  pace.cnt += 1;
  const uint32_t now = pacingClock.ticks();
  if (pace.tick + 1000 < now) {
    pace.fps = pace.cnt;
    pace.cnt = 0;
    pace.tick = now;
    printf("%dFPS\n", pace.fps);
    return pace.fps;
  }
  return 0;
}

SDL_Surface* PresentFrame(SDL_Surface* screen) {
  AudioFrame();  // the frame's sounds start as it is shown
  if (presenter) {
    presenter(screen);
    return screen;
  }
  // Without an opened display (a bare video mode) the surface is the window.
  SDL_Surface* frame = FrameSurface();
  if (frame) {
    PresentDisplay();
    frame = FrameSurface();
  } else {
    SDL_Flip(screen);
    frame = screen;
  }
  fps_wait(FRAME_RATE);
  fps_no();
  return frame;
}

void SetPresenter(Presenter p) { presenter = p; }

void SetPacingClock(PacingClock c) { pacingClock = c.ticks && c.delay ? c : PacingClock{SDL_GetTicks, SDL_Delay}; }

void ResetPacing() { pace = PacingState{}; }
