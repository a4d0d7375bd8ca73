/* SDL_image.h -- the browser build's IMG_Load and IMG_Load_RW: every picture
 * of the game is a BMP, which SDL itself reads (image_web.c). */
#ifndef VELKARO_WEB_SDL_IMAGE_H
#define VELKARO_WEB_SDL_IMAGE_H
#include <SDL.h>

#ifdef __cplusplus
extern "C" {
#endif
SDL_Surface *IMG_Load(const char *file);
SDL_Surface *IMG_Load_RW(SDL_RWops *src, int freesrc);
#define IMG_GetError SDL_GetError
#ifdef __cplusplus
}
#endif
#endif
