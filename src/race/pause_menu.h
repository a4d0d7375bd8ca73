// pause_menu.h -- the pause menu scene
#pragma once
#include <SDL.h>

#include <cstdint>

// One pause-menu frame. Returns 7 to stay, 4 to resume, 1 to leave the race, 6 to quit.
int32_t GameSelect(SDL_Surface* screen);
