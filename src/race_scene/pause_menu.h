// pause_menu.h -- the pause menu scene
#pragma once
#include <SDL.h>

#include <cstdint>

// One pause-menu frame. Returns SCENE_PAUSE to stay, SCENE_GAME to resume,
// SCENE_TITLE to leave the race, SCENE_QUIT to quit.
int32_t GameSelect(SDL_Surface* screen);
