// car_state.h -- the two cars shared by the race and the front end's title animation
#pragma once
#include <cstdint>

#include "core/angles.h"

// One car. Element 0 of car is the player's, element 1 the second car (ghost in
// mode 1, rival in mode 2); the front end animates both as props.
struct CarState {
  int32_t camX;  // world x of the screen centre (element 0 only)
  int32_t camY;
  int32_t dispX;  // screen position of the sprite's top-left corner
  int32_t dispY;
  float posX;  // world position of the sprite's top-left corner
  float posY;
  float speed;  // pixels per frame along moveAng; negative drives backwards
  float velX;
  float velY;
  float alpha;      // drawing opacity 0..255
  float dir;        // facing as a sprite frame 0 <= dir < 24; heading 15 * trunc(dir) degrees
  int32_t moveAng;  // direction of travel in whole degrees
  int32_t slipAng;  // moveAng minus the heading, in 0..359
};

// Lives for the whole program; every field is 0 at program start.
extern CarState car[2];

// The car sprite cell; a car's centre point is (posX + 26, posY + 38).
enum { CAR_W = 52, CAR_H = 76, CAR_CENTRE_X = 26, CAR_CENTRE_Y = 38 };
