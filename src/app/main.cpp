// main.cpp -- program entry: the window, then the scene loop
#include <SDL.h>

#include <cstdio>

#include "app/audio.h"
#include "app/scene_loop.h"

int main(int, char**) {
  // Line-buffered so the diagnostic lines reach a pipe as they are printed.
  setvbuf(stdout, nullptr, _IOLBF, 0);
  if (SDL_Init(SDL_INIT_VIDEO) < 0) return -1;
  // The icon is set before the video mode; without a readable icon.bmp the
  // window simply has none.
  SDL_RWops* iconFile = SDL_RWFromFile("icon.bmp", "rb");
  SDL_Surface* icon = iconFile ? SDL_LoadBMP_RW(iconFile, 1) : nullptr;
  if (icon) SDL_WM_SetIcon(icon, nullptr);
  SDL_WM_SetCaption("Velkaro", nullptr);
  SDL_Surface* screen = SDL_SetVideoMode(480, 480, 24, 0);
  if (icon) SDL_FreeSurface(icon);
  if (!screen) {
    SDL_Quit();
    return -1;
  }
  // Sound after the window, as a subsystem of its own; the game runs without it.
  AudioOpen(false);
  RunSceneLoop(screen);
  AudioClose();
  SDL_Quit();  // also releases the screen surface
  return 0;
}
