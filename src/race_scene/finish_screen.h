// finish_screen.h -- the finish banner, the fade veil and the result screen
#pragma once
#include <SDL.h>

#include <cstdint>

// While goalFlg is 1: the finish banner of the mode and outcome (its stinger
// in the first frame it shows), and the fade veil once the coasting car is
// below 1.0.
void FinishStep(SDL_Surface* screen);

// The result screen's own frames inside one race call: reveals the best time
// and race time, z leaves (saving a record's best time first). Returns
// SCENE_TITLE on leaving, SCENE_QUIT on a quit request. Each pass is presented
// with PresentFrame.
int32_t ResultScreen(SDL_Surface* screen);
