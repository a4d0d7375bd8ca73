// title.h -- the front-end scene: title, menus and course select
#pragma once
#include <SDL.h>

#include <cstdint>

// One front-end frame. Writes the chosen record slot and mode through mapCnt
// and mode; returns SCENE_TITLE to stay, SCENE_GAME to start the race,
// SCENE_QUIT to quit.
int32_t Title(SDL_Surface* screen, int32_t* mapCnt, int32_t* mode);
