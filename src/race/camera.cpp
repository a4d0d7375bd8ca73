// camera.cpp -- where the view onto the course stands, and where both cars land on the screen
#include "race/camera.h"

#include "core/track_table.h"
#include "race/car_state.h"
#include "race/race_state.h"

// The view is the 480 x 480 window onto the course; its corner never leaves the image.
enum { HALF_VIEW = RACE_VIEW / 2, MAP_X_MAX = COURSE_W - RACE_VIEW, MAP_Y_MAX = COURSE_H - RACE_VIEW };

static int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

void CameraStep() {
  CarState& p = car[0];
  CarState& s = car[1];
  race.mapX = Clamp(static_cast<int32_t>(p.posX) - HALF_VIEW, 0, MAP_X_MAX);
  race.mapY = Clamp(static_cast<int32_t>(p.posY) - HALF_VIEW, 0, MAP_Y_MAX);
  p.camX = race.mapX + HALF_VIEW;
  p.camY = race.mapY + HALF_VIEW;
  p.dispX = static_cast<int32_t>(p.posX - p.camX) + HALF_VIEW;
  p.dispY = static_cast<int32_t>(p.posY - p.camY) + HALF_VIEW;
  s.dispX = static_cast<int32_t>(p.dispX + s.posX - p.posX);
  s.dispY = static_cast<int32_t>(p.dispY + s.posY - p.posY);
}
