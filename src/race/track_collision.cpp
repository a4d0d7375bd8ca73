// track_collision.cpp -- road test, one-pixel steps and the bounce off the road edge
#include "race/track_collision.h"

#include <cstddef>
#include <cstring>

#include "core/sound_events.h"
#include "race/car_model.h"
#include "race/race_state.h"
#include "race/rival_contact.h"

uint32_t CoursePixel(const CourseView& course, int32_t x, int32_t y) {
  if (!course.pixels || x < 0 || y < 0 || x >= course.w || y >= course.h) return 0;
  const uint8_t* p =
      course.pixels + static_cast<ptrdiff_t>(y) * course.pitch + static_cast<ptrdiff_t>(x) * course.bytesPerPixel;
  switch (course.bytesPerPixel) {
    case 1: return *p;
    case 2: {
      uint16_t v;
      std::memcpy(&v, p, sizeof v);
      return v;
    }
    case 3: return p[0] + 256u * p[1] + 65536u * p[2];
    case 4: {
      uint32_t v;
      std::memcpy(&v, p, sizeof v);
      return v;
    }
    default: return 0;
  }
}

bool IsDrivable(const CourseView& course, int32_t x, int32_t y) {
  if (!course.pixels || x < 0 || y < 0 || x >= course.w || y >= course.h) return false;
  const uint32_t p = CoursePixel(course, x, y);
  return p == race.wayColor || p == race.goalColor;
}

static void Bounce(CarState& c) {
  PostSound(SOUND_THUMP, c.speed);  // louder the harder it hits
  c.speed = static_cast<float>(2 * (c.speed / -3.0));
  c.moveAng = HeadingOf(c);
}

// Steps of one axis: n = trunc(|v|) in the sign's direction. xAxis picks the axis.
static void MoveAxis(const CourseView& course, int32_t mode, float v, bool xAxis) {
  CarState& c = car[0];
  if (v == 0) return;
  const int32_t step = v > 0 ? 1 : -1;
  const int32_t n = static_cast<int32_t>(v > 0 ? v : -v);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t px =
        xAxis ? static_cast<int32_t>(c.posX + CAR_CENTRE_X + step) : static_cast<int32_t>(c.posX + CAR_CENTRE_X);
    const int32_t py =
        xAxis ? static_cast<int32_t>(c.posY + CAR_CENTRE_Y) : static_cast<int32_t>(c.posY + CAR_CENTRE_Y + step);
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

void MovementStep(const CourseView& course, int32_t mode) {
  // Both phases use the velocity of this frame's heading step, even after a bounce.
  const float vx = car[0].velX;
  const float vy = car[0].velY;
  MoveAxis(course, mode, vx, true);
  MoveAxis(course, mode, vy, false);
}
