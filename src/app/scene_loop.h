// scene_loop.h -- one scene per frame: front end, race or pause menu
#pragma once
#include <SDL.h>

#include <cstdint>

#include "core/scene_codes.h"

// What the loop owns for the whole run.
struct LoopState {
  int32_t sceneCode;  // 1 at start
  int32_t mapCnt;     // record slot chosen in the front end, 0 at start
  int32_t mode;       // 1 or 2 once chosen, 0 at start
};

// The program-start values: scene 1, slot 0, mode 0.
LoopState InitialLoopState();

// Calls the scene of state->sceneCode once and stores the code it returns. A
// code the loop has no scene for is taken as the front end, so there is always
// a scene reading the keyboard.
void RunSceneOnce(SDL_Surface* screen, LoopState* state);

// The whole run after the window is open: loads the images, calls scenes and
// presents each frame until a scene returns 6, then releases the images.
void RunSceneLoop(SDL_Surface* screen);
