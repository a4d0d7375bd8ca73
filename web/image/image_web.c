/* image_web.c -- IMG_Load for the browser build: SDL's own BMP reader. */
#include "SDL_image.h"

SDL_Surface *IMG_Load(const char *file) { return SDL_LoadBMP(file); }
