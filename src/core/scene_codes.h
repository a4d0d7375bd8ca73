// scene_codes.h -- what every scene function returns: the scene of the next frame
#pragma once
#include <cstdint>

enum : int32_t {
  SCENE_TITLE = 1,  // the front end
  SCENE_GAME = 4,   // the race
  SCENE_QUIT = 6,   // ends the loop
  SCENE_PAUSE = 7,  // the pause menu
};
