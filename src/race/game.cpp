// game.cpp -- the race scene (placeholder until the race lands)
#include "race/game.h"

#include "app/keyboard.h"

int32_t Game(SDL_Surface*, int32_t, int32_t) {
  if (GetMsg() == KEY_QUIT) return 6;
  return 1;
}
