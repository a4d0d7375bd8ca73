// driver.h -- the autopilot's driver: one KeyMask per race frame from the car's state and the centre line
#pragma once
#include <cstdint>
#include <vector>

#include "course.h"

namespace autopilot {

// How hard the driver pushes. Rivals of graded difficulty come from one driver
// by lowering these two numbers.
struct Pace {
  // Speed the driver never accelerates beyond, pixels per frame (the car's top is 9).
  float topSpeed = 9.0f;
  // Degrees per frame the driver trusts the car to turn its direction of
  // travel through a bend. The car chases its facing at 4 per frame, but a
  // wide road lets a bend be cut, so the full-pace driver trusts more than 4.
  float turnRate = 8.0f;
  // Line kept, pixels to the right of the centre line (negative: left). A
  // rival keeps the lane of its grid place so that it can be overtaken.
  float lane = 0.0f;
  // Extra frames of travel the aim is put ahead: a driver whose keys act late
  // steers for where the car will be, not where it is.
  float foresight = 0.0f;
};

// The full-pace setting: the fastest the driver goes without losing the road.
Pace FullPace();

// Drives element 0 of the game's car array. Decide reads the race's state as
// the previous frame left it (exactly what the game's keyboard read sees) and
// returns the arrows for the next call of the race scene. It never steers
// before the first racing frame has been driven with both steering keys up,
// so the steering latches are armed the same way whatever the program did before.
class Driver {
 public:
  Driver(const coursekit::CentreLine& line, const Pace& pace);
  uint8_t Decide();

  // Arc length driven along the centre line since the first racing frame.
  float Progress() const { return progress_; }
  // Degrees from the car's facing to its aim at the last racing Decide
  // (positive: the aim is to the right).
  float SteerError() const { return steerError_; }

 private:
  size_t NearestAround(float x, float y) const;
  float SpeedTarget(float steerError) const;
  float AvoidanceOffset(float cx, float cy) const;
  void Locate(float cx, float cy);
  float AimError(float cx, float cy, float speed, float dir) const;
  bool BackingOff();

  const coursekit::CentreLine& line_;
  Pace pace_;
  std::vector<float> speedLimit_;  // per sample: the speed to arrive there with
  bool located_ = false;
  size_t index_ = 0;  // centre-line sample nearest to the car
  float progress_ = 0.0f;
  int stuckFrames_ = 0;        // racing frames without forward progress
  int reverseFrames_ = 0;      // frames left of backing away from a wall
  float progressMark_ = 0.0f;  // progress when stuckFrames_ last restarted
  float steerError_ = 0.0f;
};

}  // namespace autopilot
