// car_model.cpp -- the kinematic car: facing, speed, direction of travel, velocity
#include "race/car_model.h"

#include <cmath>

#include "core/keymask.h"

// One steering key for one frame. sign -1 is left, +1 right.
static void SteerOne(CarState& c, int* latch, float sign) {
  if (*latch == 1) {
    *latch = 0;
    c.dir = static_cast<float>(static_cast<int32_t>(c.dir)) + 0.5f;
  }
  c.dir = c.dir + sign * 0.5f;
  if (c.speed > 1.0f) c.speed = c.speed - 0.3f;  // single-precision 0.3: turning bleeds speed
  if (c.dir < 0) c.dir = c.dir + 24;
  if (c.dir >= 24) c.dir = c.dir - 24;
}

void SteeringStep(CarState& c, uint8_t keys) {
  if (keys & KEY_LEFT)
    SteerOne(c, &latch.LeftKeyFlg, -1.0f);
  else
    latch.LeftKeyFlg = 1;
  if (keys & KEY_RIGHT)
    SteerOne(c, &latch.RightKeyFlg, 1.0f);
  else
    latch.RightKeyFlg = 1;
}

void ThrottleStep(CarState& c, uint8_t keys) {
  // 0.1, 0.2 and 0.05 are double constants: the sums are formed in double and
  // rounded to float when stored.
  if (keys & KEY_UP) {
    c.speed = c.speed + 0.25f;
    if (c.speed > 9.0f) c.speed = 9.0f;
  } else if (c.speed > 0) {
    if (c.speed < 1.0f)
      c.speed = 0;
    else
      c.speed = static_cast<float>(c.speed - 0.1);
  }
  if (keys & KEY_DOWN) {
    c.speed = static_cast<float>(c.speed - 0.2);
    if (c.speed < -4.0f) c.speed = -4.0f;
  } else if (c.speed < 0) {
    if (c.speed > -1.0f)
      c.speed = 0;
    else
      c.speed = static_cast<float>(c.speed + 0.05);
  }
}

static int32_t WrapDegrees(int32_t a) {
  if (a < 0) return a + 360;
  if (a > 359) return a - 360;
  return a;
}

void HeadingStep(CarState& c) {
  const int32_t heading = HeadingOf(c);
  c.moveAng = WrapDegrees(c.moveAng);
  c.slipAng = c.moveAng - heading;
  if (c.slipAng < 0) c.slipAng += 360;
  // slipAng is 0..359 here: within 3 degrees ahead locks on, otherwise chase
  // 4 degrees per frame along the shorter arc (upward when exactly 180 apart).
  if (c.slipAng <= 3)
    c.moveAng = heading;
  else if (c.slipAng < 180)
    c.moveAng -= 4;
  else
    c.moveAng += 4;
  c.moveAng = WrapDegrees(c.moveAng);
  c.velX = static_cast<float>(std::cos(Radians(c.moveAng)) * c.speed);
  c.velY = static_cast<float>(std::sin(Radians(c.moveAng)) * c.speed);
}
