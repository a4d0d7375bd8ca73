// title.h -- the front-end scene: title, menus and course select
#pragma once
#include <SDL.h>

#include <cstdint>

// One front-end frame. Writes the chosen record slot and mode through mapCnt
// and mode; returns 1 to stay, 4 to start the race, 6 to quit.
int32_t Title(SDL_Surface* screen, int32_t* mapCnt, int32_t* mode);
