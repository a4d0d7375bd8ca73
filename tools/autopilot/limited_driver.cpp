// limited_driver.cpp -- decisions at a person's rate, late by a person's reaction, taps no shorter than a person's
#include "limited_driver.h"

#include <algorithm>
#include <cmath>

#include "app/keyboard.h"
#include "race/race_state.h"

namespace autopilot {

constexpr float kSteerDeadband = 8.0f;  // as the driver's: closer than half a step is on course

HumanLimits PersonLimits() { return HumanLimits{}; }

Pace PersonPace() { return Pace{9.0f, 8.0f, 0.0f, 16.0f}; }

LimitedDriver::LimitedDriver(const coursekit::CentreLine& line, const Pace& pace, const HumanLimits& limits)
    : driver_(line, pace), limits_(limits), onTheWay_(std::max(0, limits.reactionFrames), uint8_t{0}) {}

// Frames a steering key must be held to turn the facing by `steps` sprite
// steps: the first frame of a press snaps the facing to the middle of its
// step, then every frame turns half a step, so Right needs 2 steps - 1
// frames and Left 2 steps.
static int TapFrames(uint8_t key, int steps) { return key == KEY_RIGHT ? 2 * steps - 1 : 2 * steps; }

// Degrees the facing will still turn from the steering already decided: the
// keys on their way to the fingers and the rest of the tap being held. Half a
// 15-degree step per frame held.
float LimitedDriver::Committed() const {
  float turn = 0.0f;
  for (uint8_t k : onTheWay_) turn += (k & KEY_RIGHT ? 7.5f : 0.0f) - (k & KEY_LEFT ? 7.5f : 0.0f);
  return turn + steerFrames_ * (steer_ == KEY_RIGHT ? 7.5f : -7.5f);
}

uint8_t LimitedDriver::Plan() {
  // The driver looks every frame, so that it keeps track of where it is.
  const uint8_t wish = driver_.Decide();
  if (race.readyFlg != 2 || race.goalFlg == 1) return wish;  // the countdown's throttle, the finish's nothing
  if (racingFrames_++ % std::max(1, limits_.decisionFrames) == 0) {
    pedals_ = wish & (KEY_UP | KEY_DOWN);
    // A person knows what their fingers are already doing: only the part of
    // the turn not yet under way is asked for.
    const float rest = driver_.SteerError() - Committed();
    if (std::fabs(rest) > kSteerDeadband) {
      const int steps = std::max(1, static_cast<int>(std::lround(std::fabs(rest) / 15.0f)));
      steer_ = rest > 0 ? KEY_RIGHT : KEY_LEFT;
      steerFrames_ = std::max(limits_.minTapFrames, TapFrames(steer_, steps));
    }
  }
  uint8_t keys = pedals_;
  if (steerFrames_ > 0) {
    keys |= steer_;
    --steerFrames_;
  }
  return keys;
}

uint8_t LimitedDriver::Decide() {
  onTheWay_.push_back(Plan());
  const uint8_t keys = onTheWay_.front();
  onTheWay_.pop_front();
  return keys;
}

}  // namespace autopilot
