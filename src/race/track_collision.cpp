// track_collision.cpp -- road test, one-pixel steps and the bounce off the road edge
#include "race/track_collision.h"

#include <cstdio>

#include "app/sound_events.h"
#include "gfx/draw.h"
#include "race/car_model.h"
#include "race/race_state.h"
#include "race/rival_contact.h"

static bool SameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
  return a->BytesPerPixel == b->BytesPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask && a->Bmask == b->Bmask &&
         a->Amask == b->Amask && !a->palette && !b->palette;
}

// A raw sample pixel as the course image would hold the same colour.
static uint32_t InCourseFormat(uint32_t raw, const SDL_PixelFormat* sample, const SDL_PixelFormat* course) {
  Uint8 r, g, b;
  SDL_GetRGB(raw, const_cast<SDL_PixelFormat*>(sample), &r, &g, &b);
  return SDL_MapRGB(const_cast<SDL_PixelFormat*>(course), r, g, b);
}

bool TakeCourseColours(SDL_Surface* sample, int course, SDL_Surface* courseImage) {
  // The three sample pixels sit on the top row; a smaller image cannot hold them.
  if (!sample || sample->w < 3 || sample->h < 1) return false;
  race.wayColor = getpixel(sample, course == 5 ? 2 : 0, 0);
  race.goalColor = getpixel(sample, 1, 0);
  if (courseImage && !SameFormat(sample->format, courseImage->format)) {
    // Raw values of two pixel formats never compare equal, and the car could
    // not move at all: the colours are taken over into the course's format.
    std::puts("colour sample image and course image differ in pixel format: colours converted");
    race.wayColor = InCourseFormat(race.wayColor, sample->format, courseImage->format);
    race.goalColor = InCourseFormat(race.goalColor, sample->format, courseImage->format);
  }
  return true;
}

bool IsDrivable(SDL_Surface* course, int32_t x, int32_t y) {
  if (!course || x < 0 || y < 0 || x >= course->w || y >= course->h) return false;
  const uint32_t p = getpixel(course, x, y);
  return p == race.wayColor || p == race.goalColor;
}

static void Bounce(CarState& c) {
  PostSound(SOUND_THUMP, c.speed);  // louder the harder it hits
  c.speed = static_cast<float>(2 * (c.speed / -3.0));
  c.moveAng = HeadingOf(c);
}

// Steps of one axis: n = trunc(|v|) in the sign's direction. xAxis picks the axis.
static void MoveAxis(SDL_Surface* course, int32_t mode, float v, bool xAxis) {
  CarState& c = car[0];
  if (v == 0) return;
  const int32_t step = v > 0 ? 1 : -1;
  const int32_t n = static_cast<int32_t>(v > 0 ? v : -v);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t px = xAxis ? static_cast<int32_t>(c.posX + 26 + step) : static_cast<int32_t>(c.posX + 26);
    const int32_t py = xAxis ? static_cast<int32_t>(c.posY + 38) : static_cast<int32_t>(c.posY + 38 + step);
    if (!IsDrivable(course, px, py)) {
      Bounce(c);
      return;
    }
    if (mode == 2 && race.secondCarFlg && !NoseClear()) return;
    if (xAxis)
      c.posX = c.posX + step;
    else
      c.posY = c.posY + step;
  }
}

void MovementStep(SDL_Surface* course, int32_t mode) {
  // Both phases use the velocity of this frame's heading step, even after a bounce.
  const float vx = car[0].velX;
  const float vy = car[0].velY;
  MoveAxis(course, mode, vx, true);
  MoveAxis(course, mode, vy, false);
}
