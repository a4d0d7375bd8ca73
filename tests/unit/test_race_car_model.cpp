// Car model: steering latches and wrap, throttle precision, the heading chase.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/keyboard.h"
#include "race/car_model.h"

namespace {

CarState CarAt(float dir, float speed, int32_t moveAng) {
  CarState c = {};
  c.dir = dir;
  c.speed = speed;
  c.moveAng = moveAng;
  return c;
}

class RaceCarModel : public ::testing::Test {
 protected:
  void SetUp() override { ResetKeyboard(); }
  // Runs the steering step over several frames and collects dir after each.
  std::vector<float> Steer(CarState& c, uint8_t keys, int frames) {
    std::vector<float> dirs;
    for (int i = 0; i < frames; ++i) {
      SteeringStep(c, keys);
      dirs.push_back(c.dir);
    }
    return dirs;
  }
};

TEST_F(RaceCarModel, LeftPressRecentresThenTurnsHalfAFramePerFrame) {
  CarState c = CarAt(6.0f, 0, 90);
  SteeringStep(c, 0);  // arms the latches
  EXPECT_EQ(Steer(c, KEY_LEFT, 4), (std::vector<float>{6.0f, 5.5f, 5.0f, 4.5f}));
  CarState d = CarAt(6.5f, 0, 90);
  SteeringStep(d, 0);
  SteeringStep(d, KEY_LEFT);
  EXPECT_FLOAT_EQ(d.dir, 6.0f);
}

TEST_F(RaceCarModel, RightPressAdvancesAtOnce) {
  CarState c = CarAt(6.0f, 0, 90);
  SteeringStep(c, 0);
  EXPECT_EQ(Steer(c, KEY_RIGHT, 3), (std::vector<float>{7.0f, 7.5f, 8.0f}));
  CarState d = CarAt(6.5f, 0, 90);
  SteeringStep(d, 0);
  SteeringStep(d, KEY_RIGHT);
  EXPECT_FLOAT_EQ(d.dir, 7.0f);
}

TEST_F(RaceCarModel, SteeringWrapsAroundZero) {
  CarState c = CarAt(0.0f, 0, 0);
  SteeringStep(c, 0);
  EXPECT_EQ(Steer(c, KEY_LEFT, 2), (std::vector<float>{0.0f, 23.5f}));
  CarState d = CarAt(23.5f, 0, 0);
  SteeringStep(d, 0);
  SteeringStep(d, KEY_RIGHT);
  EXPECT_EQ(d.dir, 0.0f);  // 24.0 wraps to 0
}

TEST_F(RaceCarModel, LatchesStayConsumedWhileHeldAndBothKeysCancel) {
  CarState c = CarAt(6.0f, 0, 90);
  // Latches start at 0: a key held from before the race gets no first-frame re-centring.
  SteeringStep(c, KEY_RIGHT);
  EXPECT_FLOAT_EQ(c.dir, 6.5f);
  EXPECT_EQ(RightKeyFlg, 0);
  SteeringStep(c, 0);
  EXPECT_EQ(RightKeyFlg, 1);
  EXPECT_EQ(LeftKeyFlg, 1);
  CarState both = CarAt(6.0f, 0, 90);
  SteeringStep(both, KEY_LEFT | KEY_RIGHT);  // left: 6.5 -> 6.0; right: 6.5 -> 7.0
  EXPECT_FLOAT_EQ(both.dir, 7.0f);
  SteeringStep(both, KEY_LEFT | KEY_RIGHT);
  EXPECT_FLOAT_EQ(both.dir, 7.0f);
}

TEST_F(RaceCarModel, SteeringBleedsSpeedOnlyAboveOne) {
  CarState c = CarAt(6.0f, 1.0f, 90);
  SteeringStep(c, KEY_LEFT);
  EXPECT_EQ(c.speed, 1.0f);
  CarState d = CarAt(6.0f, 1.2f, 90);
  SteeringStep(d, KEY_LEFT);
  EXPECT_FLOAT_EQ(d.speed, 0.9f);
  CarState r = CarAt(6.0f, -3.0f, 90);
  SteeringStep(r, KEY_LEFT | KEY_RIGHT);
  EXPECT_EQ(r.speed, -3.0f);
  CarState two = CarAt(6.0f, 5.0f, 90);
  SteeringStep(two, KEY_LEFT | KEY_RIGHT);  // each held key takes its own 0.3f
  EXPECT_EQ(two.speed, (5.0f - 0.3f) - 0.3f);
}

TEST_F(RaceCarModel, ThrottleSamples) {
  CarState c = CarAt(0, 0.9f, 0);
  ThrottleStep(c, 0);
  EXPECT_EQ(c.speed, 0.0f);
  c.speed = 9.0f;
  ThrottleStep(c, 0);
  EXPECT_EQ(c.speed, 8.9f);
  c.speed = -0.95f;
  ThrottleStep(c, 0);
  EXPECT_EQ(c.speed, 0.0f);
  c.speed = -4.0f;
  ThrottleStep(c, 0);
  EXPECT_EQ(c.speed, -3.95f);
  c.speed = 8.9f;
  ThrottleStep(c, KEY_UP);
  EXPECT_EQ(c.speed, 9.0f);  // capped
  c.speed = -3.9f;
  ThrottleStep(c, KEY_DOWN);
  EXPECT_EQ(c.speed, -4.0f);
  c.speed = 1.0f;  // exactly 1.0 coasts down, it does not snap
  ThrottleStep(c, 0);
  EXPECT_EQ(c.speed, 0.9f);
}

TEST_F(RaceCarModel, UpAndDownTogetherGainFivePerCentWithDoubleConstants) {
  CarState c = CarAt(0, 0, 0);
  ThrottleStep(c, KEY_UP | KEY_DOWN);
  EXPECT_EQ(c.speed, static_cast<float>(0.25f - 0.2));
  EXPECT_FLOAT_EQ(c.speed, 0.05f);
  ThrottleStep(c, KEY_UP | KEY_DOWN);
  EXPECT_FLOAT_EQ(c.speed, 0.10f);
  // Single-precision 0.2 would give a different float: the double constant matters.
  EXPECT_NE(static_cast<float>(0.25f - 0.2), 0.25f - 0.2f);
}

TEST_F(RaceCarModel, BrakingWhileRollingForwardTakesCoastAndBrake) {
  CarState c = CarAt(0, 5.0f, 0);
  ThrottleStep(c, KEY_DOWN);
  EXPECT_EQ(c.speed, static_cast<float>(static_cast<float>(5.0f - 0.1) - 0.2));
  EXPECT_NEAR(c.speed, 4.7f, 1e-6);
}

std::vector<int32_t> Chase(CarState& c, int frames) {
  std::vector<int32_t> out;
  for (int i = 0; i < frames; ++i) {
    HeadingStep(c);
    out.push_back(c.moveAng);
  }
  return out;
}

TEST_F(RaceCarModel, HeadingChaseLocksOnFromEitherSide) {
  CarState c = CarAt(7.0f, 0, 90);  // heading 105
  EXPECT_EQ(Chase(c, 5), (std::vector<int32_t>{94, 98, 102, 106, 105}));
  CarState d = CarAt(7.0f, 0, 110);
  EXPECT_EQ(Chase(d, 2), (std::vector<int32_t>{106, 105}));
  CarState e = CarAt(0.0f, 0, 358);
  HeadingStep(e);
  EXPECT_EQ(e.slipAng, 358);
  EXPECT_EQ(e.moveAng, 2);  // 362 wraps to 2
  HeadingStep(e);
  EXPECT_EQ(e.moveAng, 0);
  CarState f = CarAt(12.0f, 0, 0);  // exactly 180 apart: toward larger angles
  HeadingStep(f);
  EXPECT_EQ(f.moveAng, 4);
  CarState g = CarAt(0.0f, 0, -10);  // out-of-range moveAng is wrapped first
  HeadingStep(g);
  EXPECT_EQ(g.moveAng, 354);
}

TEST_F(RaceCarModel, VelocityIsDoubleTrigRoundedToFloat) {
  CarState c = CarAt(6.0f, 9.0f, 90);
  HeadingStep(c);
  EXPECT_EQ(c.velY, 9.0f);
  EXPECT_NE(c.velX, 0.0f);  // about 5.5e-16 * 9: tiny, not zero
  EXPECT_LT(std::fabs(c.velX), 1e-13f);
  CarState d = CarAt(3.0f, 1.0f, 45);
  HeadingStep(d);
  EXPECT_FLOAT_EQ(d.velX, 0.70710677f);
}

TEST_F(RaceCarModel, HoldingRightFromAStraightRunSlidesThenFollows) {
  CarState c = CarAt(6.0f, 0, 90);
  SteeringStep(c, 0);
  int firstSkidFrame = 0, reverseFrame = 0, caughtFrame = 0;
  int prevMove = c.moveAng;
  for (int frame = 1; frame <= 100; ++frame) {
    SteeringStep(c, KEY_RIGHT);
    const int heading = HeadingOf(c);
    if (!firstSkidFrame && std::abs(c.moveAng - heading) > 20) firstSkidFrame = frame;
    HeadingStep(c);
    const int delta = ((c.moveAng - prevMove) + 360) % 360;
    if (!reverseFrame && delta == 356) reverseFrame = frame;
    if (reverseFrame && !caughtFrame && delta == 4) caughtFrame = frame;
    prevMove = c.moveAng;
  }
  EXPECT_EQ(firstSkidFrame, 3);
  EXPECT_EQ(reverseFrame, 49);
  EXPECT_GE(caughtFrame, 63);
  EXPECT_LE(caughtFrame, 67);
}

}  // namespace
