// car_model.h -- steering, throttle and the heading chase of the player's car
#pragma once
#include <cstdint>

#include "race/car_state.h"

// Left and Right (KeyMask bits 4 and 8): half a sprite frame per held frame,
// the first frame of a press re-centres dir in its frame; each held key takes
// 0.3f off a speed above 1.0. Updates the LeftKeyFlg and RightKeyFlg latches.
void SteeringStep(CarState& c, uint8_t keys);

// Up and Down (bits 1 and 2): +0.25f up to 9.0, coast -0.1, brake -0.2 down to
// -4.0, reverse creep +0.05; below 1.0 forward or above -1.0 reverse snaps to 0.
void ThrottleStep(CarState& c, uint8_t keys);

// moveAng chases the heading 15 * trunc(dir) by 4 degrees per frame and locks
// on within 0..3 degrees ahead; then velX, velY = speed along moveAng.
void HeadingStep(CarState& c);

// The heading of a car in whole degrees: 15 * trunc(dir).
inline int32_t HeadingOf(const CarState& c) { return 15 * static_cast<int32_t>(c.dir); }
