// pacing.cpp -- frame pacing and the FPS report
#include "app/pacing.h"

#include <SDL.h>

#include <cstdio>

#include "app/audio.h"
#include "app/display.h"

static uint32_t m_now = 0;
static uint32_t m_start = 0;  // when the previous fps_wait returned
static int32_t cnt = 0;
static uint32_t tick = 0;
static int32_t fps = 0;
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
  m_now = pacingClock.ticks();
  // Minus the time since the previous frame ended, as a signed 32-bit value.
  const int32_t elapsedCorrection = static_cast<int32_t>(m_start - m_now);
  wait(1000 / rate + elapsedCorrection);
  m_start = pacingClock.ticks();
}

int32_t fps_no() {
  cnt += 1;
  const uint32_t now = pacingClock.ticks();
  if (tick + 1000 < now) {
    fps = cnt;
    cnt = 0;
    tick = now;
    printf("%dFPS\n", fps);
    return fps;
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
  fps_wait(40);
  fps_no();
  return frame;
}

void SetPresenter(Presenter p) { presenter = p; }

void SetPacingClock(PacingClock c) { pacingClock = c.ticks && c.delay ? c : PacingClock{SDL_GetTicks, SDL_Delay}; }

void ResetPacing() {
  m_now = m_start = 0;
  cnt = 0;
  tick = 0;
  fps = 0;
}
