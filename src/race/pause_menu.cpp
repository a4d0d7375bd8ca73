// pause_menu.cpp -- the pause menu (placeholder until the race lands)
#include "race/pause_menu.h"

#include "app/keyboard.h"

int32_t GameSelect(SDL_Surface*) {
  if (GetMsg() == KEY_QUIT) return 6;
  return 4;
}
