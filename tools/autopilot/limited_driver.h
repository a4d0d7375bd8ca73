// limited_driver.h -- the autopilot held to what a person at the keys can do
#pragma once
#include <cstdint>
#include <deque>

#include "driver.h"

namespace autopilot {

// A person's limits, in frames of 25 ms. The driver sees the race as it is
// but acts late, seldom and coarsely: a new decision every decisionFrames
// (between decisions the keys stay as decided), each reaching the keys
// reactionFrames after the look it was made on, and no key held for less
// than minTapFrames.
struct HumanLimits {
  int reactionFrames = 8;  // 200 ms from seeing to the finger moving
  int decisionFrames = 6;  // a decision every 150 ms
  int minTapFrames = 3;    // the shortest deliberate tap, 75 ms
};

// The limits the shipped rivals are measured against, and the pace such a
// driver can hold without losing the road.
HumanLimits PersonLimits();
Pace PersonPace();

// The autopilot's driver under those limits: the same aim and speed plan,
// looked at only at decision frames; a steering wish becomes a tap as long as
// the wanted change of facing takes (at least minTapFrames), a throttle or
// brake wish is held until the next decision.
class LimitedDriver {
 public:
  LimitedDriver(const coursekit::CentreLine& line, const Pace& pace, const HumanLimits& limits);
  uint8_t Decide();

 private:
  uint8_t Plan();
  float Committed() const;

  Driver driver_;
  HumanLimits limits_;
  std::deque<uint8_t> onTheWay_;  // decided keys still travelling to the fingers
  int racingFrames_ = 0;          // racing frames looked at so far
  uint8_t pedals_ = 0;            // Up or Down of the current decision
  uint8_t steer_ = 0;             // Left or Right of the current tap
  int steerFrames_ = 0;           // frames of that tap still to hold
};

}  // namespace autopilot
