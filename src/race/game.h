// game.h -- the race scene
#pragma once
#include <SDL.h>
#include <cstdint>

// One race frame for record slot mapCnt in mode 1 or 2. Returns 4 to stay, 7 to
// pause, 1 after the result screen, 6 on a quit request.
int32_t Game(SDL_Surface* screen, int32_t mapCnt, int32_t mode);
