// race_view.h -- the course view, both cars, the HUD, countdown and start banner
#pragma once
#include <SDL.h>

#include <cstdint>

// The course view: (mapX, mapY, 480, 480) of bbMap to the screen.
void DrawCourse(SDL_Surface* screen);

// The second car (only when the race has one): the translucent ghost in mode
// 1 (alpha d^2 / 20, at most 150), the opaque rival in mode 2. Then the player.
void DrawCars(SDL_Surface* screen);

// Time left, laps, best time and race time.
void DrawHud(SDL_Surface* screen);

// The scaled countdown digit for rCnt: sheet cell and target rectangle.
struct CountdownDigit {
  int32_t cell;  // 0..3, sheet rectangle (31 * cell, 0, 31, 36)
  int32_t m;     // rCnt % 31: the zoom phase
  int32_t x, y, w, h;
};
CountdownDigit CountdownDigitFor(int32_t rCnt, int32_t dispX, int32_t dispY);

// Start banner alpha for rCnt: rCnt * 255 / 30.
inline int32_t StartBannerAlpha(int32_t rCnt) { return rCnt * 255 / 30; }

// The countdown digit while counting down (rCnt above 30), then the start
// banner fading out while racing and rCnt is above 0.
void DrawCountdownAndBanner(SDL_Surface* screen);
