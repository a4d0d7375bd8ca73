/* image_web.c -- IMG_Load and IMG_Load_RW for the browser build: SDL's own BMP reader. */
#include "SDL_image.h"

SDL_Surface *IMG_Load(const char *file) { return SDL_LoadBMP(file); }

SDL_Surface *IMG_Load_RW(SDL_RWops *src, int freesrc) { return SDL_LoadBMP_RW(src, freesrc); }
