// driver.cpp -- the autopilot's steering, speed and recovery rules
#include "driver.h"

#include <algorithm>
#include <cmath>

#include "app/keyboard.h"
#include "race/car_state.h"
#include "race/race_state.h"

namespace autopilot {

namespace {

constexpr float kDegPerRad = 57.2957795f;
constexpr float kBrake = 0.25f;         // speed lost per frame the plan relies on (Down gives 0.3)
constexpr int kCurveSpan = 12;          // samples each side averaged for a bend's curvature
constexpr float kSteerDeadband = 8.0f;  // a facing step is 15 degrees: closer than this is on course
constexpr int kStuckFrames = 45;        // racing frames without 30 px of progress before backing off
constexpr int kReverseFrames = 18;
constexpr float kAvoidAhead = 90.0f;   // px along the road: rival ahead worth steering round
constexpr float kAvoidBehind = 40.0f;  // rival behind whose nose could still reach us
constexpr float kAvoidGap = 36.0f;     // sideways gap that keeps two cars clear (16 px nose + margin)

float Wrap180(float a) {
  while (a > 180.0f) a -= 360.0f;
  while (a <= -180.0f) a += 360.0f;
  return a;
}

}  // namespace

Pace FullPace() { return Pace{}; }

Driver::Driver(const coursekit::CentreLine& line, const Pace& pace) : line_(line), pace_(pace) {
  const int m = static_cast<int>(line.samples.size());
  const float ds = line.length / m;
  std::vector<float> allowed(m);
  for (int i = 0; i < m; ++i) {
    float sum = 0.0f;
    for (int k = -kCurveSpan; k <= kCurveSpan; ++k) sum += std::fabs(line.samples[(i + k + m) % m].curv);
    const float curv = sum / (2 * kCurveSpan + 1);
    const float bend = curv > 1e-6f ? pace.turnRate / (curv * kDegPerRad) : pace.topSpeed;
    allowed[i] = std::min(pace.topSpeed, bend);
  }
  // Work back from every bend: the speed from which braking reaches it in time.
  speedLimit_ = allowed;
  for (int pass = 0; pass < 2; ++pass)
    for (int i = m - 1; i >= 0; --i) {
      const float next = speedLimit_[(i + 1) % m];
      speedLimit_[i] = std::min(allowed[i], std::sqrt(next * next + 2.0f * kBrake * ds));
    }
}

size_t Driver::NearestAround(float x, float y) const {
  const long m = static_cast<long>(line_.samples.size());
  size_t best = index_;
  float bestD = 1e30f;
  for (long k = -60; k <= 120; ++k) {  // the car moves at most 9 px (4-5 samples) a frame
    const size_t i = static_cast<size_t>((static_cast<long>(index_) + k + m) % m);
    const float dx = line_.samples[i].x - x, dy = line_.samples[i].y - y;
    const float d = dx * dx + dy * dy;
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

// Sideways shift of the aim, in pixels to the right of the centre line, that
// takes the car past a rival just ahead instead of into its back.
float Driver::AvoidanceOffset(float cx, float cy) const {
  if (race.mode != 2 || !race.secondCarFlg) return 0.0f;
  const coursekit::CentreSample& here = line_.samples[index_];
  const float rx = car[1].posX + CAR_CENTRE_X, ry = car[1].posY + CAR_CENTRE_Y;
  // Contact needs a nose within 16 px of a centre: only a rival close ahead,
  // or close behind and on our line, is in the way.
  const float ahead = (rx - cx) * here.tx + (ry - cy) * here.ty;
  if (ahead < -kAvoidBehind || ahead > kAvoidAhead) return 0.0f;
  const float rivalSide = (rx - here.x) * -here.ty + (ry - here.y) * here.tx;
  const float mySide = (cx - here.x) * -here.ty + (cy - here.y) * here.tx;
  if (std::fabs(rivalSide - mySide) > kAvoidGap) return 0.0f;
  const float room = here.w * 0.5f - 18.0f;
  // Pass on the side away from the rival's line, unless it leaves no room there.
  const float left = rivalSide - kAvoidGap, right = rivalSide + kAvoidGap;
  bool goRight = rivalSide < 0.0f;
  if (goRight && right > room)
    goRight = false;
  else if (!goRight && left < -room)
    goRight = true;
  return std::clamp(goRight ? right : left, -room, room);
}

float Driver::SpeedTarget(float steerError) const {
  const size_t m = line_.samples.size();
  float target = speedLimit_[(index_ + 4) % m];
  // Facing well away from the aim: turn first, then go.
  const float off = std::fabs(steerError);
  if (off > 40.0f) target = std::min(target, std::max(2.0f, 9.0f - (off - 40.0f) / 8.0f));
  return target;
}

// Moves the car's place on the centre line to the sample nearest (cx, cy), adding the
// arc length covered to the progress.
void Driver::Locate(float cx, float cy) {
  const size_t previous = index_;
  index_ = located_ ? NearestAround(cx, cy) : line_.Nearest(cx, cy);
  if (located_) {
    float delta = line_.samples[index_].s - line_.samples[previous].s;
    if (delta > line_.length * 0.5f) delta -= line_.length;
    if (delta < -line_.length * 0.5f) delta += line_.length;
    progress_ += delta;
  }
  located_ = true;
}

// Degrees to turn (positive: right) to face a point on the centre line a speed-dependent
// distance ahead, moved across to the driver's lane or out of the rival's way.
float Driver::AimError(float cx, float cy, float speed, float dir) const {
  const coursekit::CentreSample& here = line_.samples[index_];
  const float lookahead = 24.0f + (6.0f + pace_.foresight) * std::fabs(speed);
  coursekit::CentreSample aim = line_.At(here.s + lookahead);
  const float avoid = AvoidanceOffset(cx, cy);
  const float laneRoom = here.w * 0.5f - 22.0f;
  const float offset = avoid != 0.0f ? avoid : std::clamp(pace_.lane, -laneRoom, laneRoom);
  aim.x += -aim.ty * offset;
  aim.y += aim.tx * offset;
  const float wanted = std::atan2(aim.y - cy, aim.x - cx) * kDegPerRad;
  const float facing = 15.0f * static_cast<float>(static_cast<int32_t>(dir));
  return Wrap180(wanted - facing);
}

// Wedged against a wall (or behind the rival): back off for a moment. True while backing.
bool Driver::BackingOff() {
  if (progress_ - progressMark_ > 30.0f) {
    progressMark_ = progress_;
    stuckFrames_ = 0;
  } else if (++stuckFrames_ > kStuckFrames) {
    stuckFrames_ = 0;
    reverseFrames_ = kReverseFrames;
  }
  if (reverseFrames_ <= 0) return false;
  --reverseFrames_;
  return true;
}

uint8_t Driver::Decide() {
  if (race.readyFlg == 0) return 0;
  // Countdown: throttle only, no steering, so the first racing frame arms both
  // steering latches and everything after it is independent of their past.
  if (race.readyFlg == 1) return KEY_UP;
  if (race.goalFlg == 1) return 0;

  const CarState& c = car[0];
  const float cx = c.posX + CAR_CENTRE_X, cy = c.posY + CAR_CENTRE_Y;
  Locate(cx, cy);
  const float error = steerError_ = AimError(cx, cy, c.speed, c.dir);
  uint8_t keys = 0;
  if (error > kSteerDeadband) keys |= KEY_RIGHT;
  if (error < -kSteerDeadband) keys |= KEY_LEFT;
  if (BackingOff()) return keys | KEY_DOWN;

  const float target = SpeedTarget(error);
  if (c.speed < target)
    keys |= KEY_UP;
  else if (c.speed > target + 0.3f)
    keys |= KEY_DOWN;
  return keys;
}

}  // namespace autopilot
