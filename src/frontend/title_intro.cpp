// title_intro.cpp -- first-frame set-up and the intro: two cars pull the title down and open the menu
#include <cmath>

#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "race/car_state.h"

// Where the menu entries and cars end up once the intro is over: car 0 backs
// away to dispX 121 at most, which leaves each entry fully open.
static const int32_t kMenuOpenCarX = 121;
static const int32_t kMenuHomeX = 184;
static const int32_t kMenuHalfWidth = 56;  // half of a 112-pixel entry

float MirroredDir(float car0Dir) {
  const int32_t frame = static_cast<int32_t>(car0Dir);
  // Sprite frames 0..23: 12 - f reflects frames 0..12, 36 - f the rest.
  return static_cast<float>(car0Dir <= 12 ? 12 - frame : 36 - frame);
}

void InitStep() {
  fe.title.x = 8;
  fe.title.y = -100;
  fe.title.alpha = 255;
  for (int i = 0; i < 3; ++i) fe.menu[i] = ScreenPos{0, 328 + 21 * i};
  fe.keybord[0].srcX = 0;
  fe.keybord[0].srcY = 191;
  fe.keybord[0].srcW = 166;
  fe.keybord[0].srcH = 84;
  fe.keybord[1].srcX = 234;
  fe.keybord[1].srcY = 150;
  fe.keybord[1].srcW = 216;
  fe.keybord[1].srcH = 163;
  for (CarState& c : car) {
    c.alpha = 255.0f;
    c.moveAng = 0;
    c.dir = 0.0f;
  }
  car[0].dispX = 50;
  car[0].dispY = 0;
  car[1].dispX = 378;
  car[1].dispY = 0;
  fe.titleCnt = 1;
}

// Stage 1: both cars drive straight down; the title hangs 80 pixels above car 0.
void DriveInStep() {
  for (CarState& c : car) {
    c.speed = 8.0f;
    c.dir = 6.0f;  // sprite frame 6 faces down
    c.moveAng = 90;
  }
  fe.title.y = car[0].dispY - 80;
  if (car[0].dispY > 170) fe.titleCnt = 2;
}

// Stage 2: slow down while turning inwards until car 0 faces right.
void TurnInStep() {
  car[0].speed = static_cast<float>(car[0].speed - 0.2);
  car[1].speed = car[0].speed;
  car[0].dir = static_cast<float>(car[0].dir - 0.3);
  if (car[0].dir < 0) car[0].dir = 0.0f;
  car[1].dir = MirroredDir(car[0].dir);
  if (car[0].dir == 0) fe.titleCnt = 3;
}

// Stage 3: speed up towards each other until they nearly touch, then reverse.
void ApproachStep() {
  car[0].speed = static_cast<float>(car[0].speed + 0.2);
  if (car[0].speed > 8.0f) car[0].speed = 8.0f;
  car[1].speed = car[0].speed;
  const int32_t dx = car[0].dispX - car[1].dispX;
  const int32_t dy = car[0].dispY - car[1].dispY;
  const double distance = sqrt(static_cast<double>(dx * dx + dy * dy));
  if (distance < 52.0) {  // closer than one car width
    fe.titleCnt = 4;
    car[0].speed = -6.0f;
    car[1].speed = -6.0f;
  }
}

// Stage 4: back away spinning; the menu opens as car 0 passes back to x 121.
void BackAwayStep() {
  fe.menuSX = car[0].dispX - kMenuOpenCarX;
  if (fe.menuSX < 0) fe.menuSX = 0;
  if (fe.menuSX > kMenuHalfWidth) fe.menuSX = kMenuHalfWidth;
  for (ScreenPos& m : fe.menu) m.x = fe.menuSX + kMenuHomeX;
  for (CarState& c : car) c.speed = static_cast<float>(c.speed + 0.2);
  if (car[0].speed > 0) car[0].speed = car[1].speed = 0.0f;
  car[0].dir = static_cast<float>(car[0].dir + car[0].speed / 3.8);
  if (car[0].dir < 0) car[0].dir = static_cast<float>(car[0].dir + 23);  // 23, not 24: the spin skips a frame
  car[1].dir = MirroredDir(car[0].dir);
  if (car[1].dir >= 24) car[1].dir -= 24;
  if (fe.menuSX == 0) {
    fe.titleCnt = 5;
    car[0].speed = car[1].speed = 0.0f;
    fe.changeCnt = 1;
  }
}
