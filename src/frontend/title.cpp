// title.cpp -- the front end (placeholder until the front end lands)
#include "frontend/title.h"

#include "app/keyboard.h"

int32_t Title(SDL_Surface* screen, int32_t*, int32_t*) {
  if (GetMsg() == KEY_QUIT) return 6;
  SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 179, 163, 140));
  return 1;
}
