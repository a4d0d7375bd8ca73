// track_collision.cpp -- road test, one-pixel steps and the bounce off the road edge
#include "race/track_collision.h"

#include "gfx/draw.h"
#include "race/car_model.h"
#include "race/race_state.h"
#include "race/rival_contact.h"

bool TakeCourseColours(SDL_Surface* sample, int course) {
  // The three sample pixels sit on the top row; a smaller image cannot hold them.
  if (!sample || sample->w < 3 || sample->h < 1) return false;
  race.wayColor = getpixel(sample, course == 5 ? 2 : 0, 0);
  race.goalColor = getpixel(sample, 1, 0);
  return true;
}

bool IsDrivable(SDL_Surface* course, int32_t x, int32_t y) {
  if (!course || x < 0 || y < 0 || x >= course->w || y >= course->h) return false;
  const uint32_t p = getpixel(course, x, y);
  return p == race.wayColor || p == race.goalColor;
}

static void Bounce(CarState& c) {
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
