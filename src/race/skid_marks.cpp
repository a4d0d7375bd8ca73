// skid_marks.cpp -- skid-point history and its screen positions
#include "race/skid_marks.h"

#include <cmath>
#include <cstdlib>

#include "core/sound_events.h"
#include "race/car_model.h"
#include "race/race_state.h"

void ClearSkidHistory() {
  for (int i = 0; i < 2; ++i) {
    skid.DAnimeFlg[i] = 0;
    skid.RDAnimeGX[i] = skid.RDAnimeGY[i] = 0;
    skid.LDAnimeGX[i] = skid.LDAnimeGY[i] = 0;
  }
}

// A wheel point 17 px from the centre (cx, cy) at angle degrees (not wrapped).
static void WheelPoint(double cx, double cy, int32_t angle, int32_t* x, int32_t* y) {
  *x = static_cast<int32_t>(17 * std::cos(Radians(angle)) + cx);
  *y = static_cast<int32_t>(17 * std::sin(Radians(angle)) + cy);
}

void SkidSpawnStep() {
  const CarState& c = car[0];
  const int32_t h = HeadingOf(c);
  const int32_t s = c.moveAng - h;  // deliberately unwrapped: 350 and -345 both count
  if (std::abs(s) > 20) {
    PostSound(SOUND_SQUEAL);  // the tyres squeal while they lay marks
    skid.RDAnimeGX[1] = skid.RDAnimeGX[0];
    skid.RDAnimeGY[1] = skid.RDAnimeGY[0];
    skid.LDAnimeGX[1] = skid.LDAnimeGX[0];
    skid.LDAnimeGY[1] = skid.LDAnimeGY[0];
    skid.DAnimeFlg[1] = skid.DAnimeFlg[0];
    skid.DAnimeFlg[0] = 1.0f;
    const double cx = c.posX + CAR_CENTRE_X;
    const double cy = c.posY + CAR_CENTRE_Y;
    WheelPoint(cx, cy, h + 195, &skid.RDAnimeGX[0], &skid.RDAnimeGY[0]);
    WheelPoint(cx, cy, h + 165, &skid.LDAnimeGX[0], &skid.LDAnimeGY[0]);
  }
  skid.DAnimeLen = 0;
  while (skid.DAnimeLen < 2 && skid.DAnimeFlg[skid.DAnimeLen] > 0) ++skid.DAnimeLen;
}

void SkidScreenStep() {
  const CarState& c = car[0];
  for (int i = 0; i < 2; ++i) {
    skid.RDAnimeLX[i] = static_cast<int32_t>((c.dispX + skid.RDAnimeGX[i]) - c.posX);
    skid.RDAnimeLY[i] = static_cast<int32_t>((c.dispY + skid.RDAnimeGY[i]) - c.posY);
    skid.LDAnimeLX[i] = static_cast<int32_t>((c.dispX + skid.LDAnimeGX[i]) - c.posX);
    skid.LDAnimeLY[i] = static_cast<int32_t>((c.dispY + skid.LDAnimeGY[i]) - c.posY);
  }
}
