// Car model: steering latches, wrap and speed loss, throttle precision, the heading chase.
#include "test_race_support.h"

using RaceCarModel = RaceSceneTest;

// dir after each of n frames with keys held, then the speed. Armed: a frame without keys
// first, so that the first press re-centres.
static std::vector<double> Steer(float dir, float speed, bool armed, uint8_t keys, size_t n) {
  CarState c = CarAt(dir, speed, 90);
  ResetKeyboard();
  if (armed) SteeringStep(c, 0);
  std::vector<double> v = Collect(n, [&] { return SteeringStep(c, keys), c.dir; });
  v.push_back(c.speed);
  return v;
}

TEST_F(RaceCarModel, SteeringSamples) {
  EXPECT_EQ(Steer(6.0f, 0, true, KEY_LEFT, 3), V(6.0, 5.5, 5.0, 0));
  EXPECT_EQ(Steer(6.5f, 0, true, KEY_LEFT, 1), V(6.0, 0));
  EXPECT_EQ(Steer(6.0f, 0, true, KEY_RIGHT, 2), V(7.0, 7.5, 0));
  EXPECT_EQ(Steer(0.0f, 0, true, KEY_LEFT, 2), V(0.0, 23.5, 0));
  EXPECT_EQ(Steer(23.5f, 0, true, KEY_RIGHT, 1), V(0.0, 0));
  // Held since before the race: no re-centring. Both keys: left re-centres to 6.0, right to 7.0.
  EXPECT_EQ(Steer(6.0f, 0, false, KEY_RIGHT, 1), V(6.5, 0));
  EXPECT_EQ(Steer(6.0f, 0, true, KEY_LEFT | KEY_RIGHT, 2), V(7.0, 7.0, 0));
  // Turning takes single-precision 0.3 off a speed above 1.0 (a double would give 1.1f from 1.4f),
  // once for each held key.
  EXPECT_EQ(Steer(6.0f, 1.0f, true, KEY_LEFT, 1), V(6.0, 1.0f));
  EXPECT_EQ(Steer(6.0f, 1.2f, true, KEY_LEFT, 1), V(6.0, 0.90000004f));
  EXPECT_EQ(Steer(6.0f, 1.4f, true, KEY_LEFT, 1), V(6.0, 1.0999999f));
  EXPECT_EQ(Steer(6.0f, -3.0f, true, KEY_LEFT | KEY_RIGHT, 1), V(7.0, -3.0f));
  EXPECT_EQ(Steer(6.0f, 5.0f, true, KEY_LEFT | KEY_RIGHT, 1), V(7.0, 4.3999996f));
}

static std::vector<double> Throttle(float speed, uint8_t keys, size_t n = 1) {
  CarState c = CarAt(0, speed, 0);
  return Collect(n, [&] { return ThrottleStep(c, keys), c.speed; });
}

TEST_F(RaceCarModel, ThrottleSamples) {
  // Coasting 0.1, braking 0.2 and creeping 0.05 are doubles, the sums rounded to float.
  EXPECT_EQ(Throttle(0.9f, 0), V(0));
  EXPECT_EQ(Throttle(9.0f, 0), V(8.9f));
  EXPECT_EQ(Throttle(1.0f, 0), V(0.9f));
  EXPECT_EQ(Throttle(-0.95f, 0), V(0));
  EXPECT_EQ(Throttle(-4.0f, 0), V(-3.95f));
  EXPECT_EQ(Throttle(8.9f, KEY_UP), V(9.0f));
  EXPECT_EQ(Throttle(-3.9f, KEY_DOWN), V(-4.0f));
  EXPECT_EQ(Throttle(5.0f, KEY_DOWN), V(4.7000003f));
  EXPECT_EQ(Throttle(0, KEY_UP | KEY_DOWN, 2), V(0.05f, 0.10000001f));
}

static std::vector<double> Chase(float dir, int32_t moveAng, size_t n) {
  CarState c = CarAt(dir, 0, moveAng);
  return Collect(n, [&] { return HeadingStep(c), c.moveAng; });
}

TEST_F(RaceCarModel, HeadingChaseSamples) {
  EXPECT_EQ(Chase(7.0f, 90, 5), V(94, 98, 102, 106, 105));
  EXPECT_EQ(Chase(7.0f, 110, 2), V(106, 105));
  EXPECT_EQ(Chase(7.0f, 108, 1), V(105));  // 3 ahead still locks on
  EXPECT_EQ(Chase(0.0f, 358, 2), V(2, 0));
  // Exactly 180 apart: toward larger angles. An out-of-range moveAng is wrapped first.
  EXPECT_EQ(Chase(12.0f, 0, 1), V(4));
  EXPECT_EQ(Chase(0.0f, -10, 1), V(354));
}
