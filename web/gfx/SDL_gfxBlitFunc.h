/* SDL_gfxBlitFunc.h -- the browser build's own SDL_gfxMultiplyAlpha (gfx_calls.c). */
#ifndef VELKARO_WEB_SDL_GFXBLITFUNC_H
#define VELKARO_WEB_SDL_GFXBLITFUNC_H
#include "gfx_names.h"

#ifdef __cplusplus
extern "C" {
#endif
int WEB_GFX(SDL_gfxMultiplyAlpha)(SDL_Surface *src, Uint8 a);
#ifdef __cplusplus
}
#endif
#endif
