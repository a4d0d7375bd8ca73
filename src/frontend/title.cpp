// title.cpp -- the front-end scene: one frame of title, menus or course select
#include "frontend/title.h"

#include <cmath>
#include <cstdio>

#include "core/keymask.h"
#include "core/scene_codes.h"
#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "gfx/palette.h"
#include "race/car_state.h"

bool LatchedPress(uint8_t key, uint8_t bit, int* latch) {
  if (!(key & bit)) {
    *latch = 1;
    return false;
  }
  if (*latch != 1) return false;
  *latch = 0;
  return true;
}

// Runs each stage whose number titleCnt holds at that moment, lowest first, so
// a step up to a higher stage runs that stage in the same frame. Returns the
// scene code a step ended the frame with, or 0.
static int32_t runStages(uint8_t key, int32_t* mapCnt, int32_t* mode) {
  if (fe.titleCnt == 0) InitStep();
  if (fe.titleCnt == 1) DriveInStep();
  if (fe.titleCnt == 2) TurnInStep();
  if (fe.titleCnt == 3) ApproachStep();
  if (fe.titleCnt == 4) BackAwayStep();
  if (fe.titleCnt == 5) {
    if (int32_t code = MainMenuStep(key)) return code;
  }
  if (fe.titleCnt == 6) MenuLeaveStep();
  if (fe.titleCnt == 7) SubScreenStep(key);
  if (fe.titleCnt == 8) HelpCloseStep();
  if (fe.titleCnt == 9) MenuReturnStep();
  if (fe.titleCnt == 10) {
    if (int32_t code = CourseSelectStep(key, mapCnt, mode)) return code;
  }
  return 0;
}

static void wrapAngle(int32_t* ang) {
  if (*ang < 0)
    *ang += 360;
  else if (*ang > 359)
    *ang -= 360;
}

// The travel direction turns 2 degrees a frame towards the facing.
static void steerProp(CarState* c) {
  wrapAngle(&c->moveAng);
  c->slipAng = c->moveAng - 15 * static_cast<int32_t>(c->dir);
  if (c->slipAng < 0) c->slipAng += 360;
  if (c->slipAng > 0 && c->slipAng <= 179)
    c->moveAng -= 2;
  else if (c->slipAng >= 180 && c->slipAng <= 359)
    c->moveAng += 2;
  wrapAngle(&c->moveAng);
  const double rad = c->moveAng * kPi / 180;
  c->velX = static_cast<float>(cos(rad) * c->speed);
  c->velY = static_cast<float>(sin(rad) * c->speed);
}

void MovePropCars() {
  steerProp(&car[0]);
  steerProp(&car[1]);
  for (CarState& c : car) {
    c.dispX += static_cast<int32_t>(c.velX);
    c.dispY += static_cast<int32_t>(c.velY);
  }
}

int32_t Title(SDL_Surface* screen, int32_t* mapCnt, int32_t* mode) {
  const uint8_t key = GetMsg();
  if (key == KEY_QUIT) return SCENE_QUIT;
  if (int32_t code = runStages(key, mapCnt, mode)) return code;
  MovePropCars();

  SDL_PixelFormat* fmt = screen->format;
  const Uint32 rgb = SDL_MapRGB(fmt, 179, 163, 140);
  LineColor = SDL_MapRGB(fmt, 100, 100, 100);  // the race's skid-mark grey
  SDL_FillRect(screen, nullptr, rgb);
  DrawFrontEndLayers(screen, *mapCnt);

  // Diagnostics every front-end frame: the help sub-state and both callout widths.
  printf("%d\n", fe.helpFlg);
  printf("%3f    %3f", static_cast<double>(fe.keybord[0].w), static_cast<double>(fe.keybord[1].w));
  return SCENE_TITLE;
}
