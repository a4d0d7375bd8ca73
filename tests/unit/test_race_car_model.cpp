// Car model: steering latches, wrap and speed loss, throttle precision, the heading chase.
#include "test_race_support.h"

// dir after each of n frames with keys held, then the speed. Armed: a frame without keys
// first, so that the first press re-centres.
static std::vector<double> Steer(float dir, float speed, bool armed, uint8_t keys, size_t n = 1) {
  CarState c = CarAt(dir, speed, 90);
  ResetKeyboard();
  if (armed) SteeringStep(c, 0);
  std::vector<double> v = Collect(n, [&] { return SteeringStep(c, keys), c.dir; });
  return v.push_back(c.speed), v;
}

TEST(RaceCarModel, SteeringSamples) {
  EXPECT_EQ(Steer(6.0f, 0, true, KEY_LEFT, 3), V(6.0, 5.5, 5.0, 0));
  EXPECT_EQ(Steer(6.0f, 0, true, KEY_RIGHT, 2), V(7.0, 7.5, 0));
  // Re-centring truncates; facings wrap both ways.
  EXPECT_EQ(
      V(Steer(6.5f, 0, true, KEY_LEFT)[0], Steer(0, 0, true, KEY_LEFT, 2)[1], Steer(23.5f, 0, true, KEY_RIGHT)[0]),
      V(6.0, 23.5, 0.0));
  // Held since before the race: no re-centring. Both keys: left re-centres to 6.0, right to 7.0.
  EXPECT_EQ(Steer(6.0f, 0, false, KEY_RIGHT), V(6.5, 0));
  EXPECT_EQ(Steer(6.0f, 0, true, KEY_LEFT | KEY_RIGHT, 2), V(7.0, 7.0, 0));
  // Turning takes single-precision 0.3 off a speed above 1.0 (a double would give 1.1f from 1.4f),
  // once for each held key; never off a reverse.
  auto speedAfter = [](float speed, uint8_t keys) { return Steer(6.0f, speed, true, keys)[1]; };
  const uint8_t both = KEY_LEFT | KEY_RIGHT;
  EXPECT_EQ(V(speedAfter(1.0f, KEY_LEFT), speedAfter(1.4f, KEY_LEFT), speedAfter(-3.0f, both), speedAfter(5.0f, both)),
            V(1.0f, 1.0999999f, -3.0f, 4.3999996f));
}

TEST(RaceCarModel, ThrottleSamples) {
  auto after = [](float speed, uint8_t keys) {
    CarState c = CarAt(0, speed, 0);
    return ThrottleStep(c, keys), c.speed;
  };
  // Coasting 0.1, braking 0.2 and creeping 0.05 are doubles, the sums rounded to float; under 1.0
  // either way the car stops.
  EXPECT_EQ(V(after(0.9f, 0), after(9.0f, 0), after(1.0f, 0), after(-0.95f, 0), after(-4.0f, 0)),
            V(0, 8.9f, 0.9f, 0, -3.95f));
  EXPECT_EQ(V(after(8.9f, KEY_UP), after(-3.9f, KEY_DOWN), after(5.0f, KEY_DOWN), after(0.05f, KEY_UP | KEY_DOWN)),
            V(9.0f, -4.0f, 4.7000003f, 0.10000001f));
}

TEST(RaceCarModel, HeadingChaseSamples) {
  auto chase = [](float dir, int32_t moveAng, size_t n) {
    CarState c = CarAt(dir, 0, moveAng);
    return Collect(n, [&] { return HeadingStep(c), c.moveAng; });
  };
  EXPECT_EQ(chase(7.0f, 90, 5), V(94, 98, 102, 106, 105));
  EXPECT_EQ(chase(7.0f, 110, 2), V(106, 105));
  EXPECT_EQ(chase(0.0f, 358, 2), V(2, 0));
  // 3 ahead still locks on; exactly 180 apart turns toward larger angles; out of range wraps first.
  EXPECT_EQ(V(chase(7.0f, 108, 1)[0], chase(12.0f, 0, 1)[0], chase(0.0f, -10, 1)[0]), V(105, 4, 354));
}
