/* SDL_gfxPrimitives.h -- the browser build's own lineRGBA (gfx_calls.c). */
#ifndef VELKARO_WEB_SDL_GFXPRIMITIVES_H
#define VELKARO_WEB_SDL_GFXPRIMITIVES_H
#include "gfx_names.h"

#ifdef __cplusplus
extern "C" {
#endif
int WEB_GFX(lineRGBA)(SDL_Surface *dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
#ifdef __cplusplus
}
#endif
#endif
