/* SDL_rotozoom.h -- the browser build's own zoomSurface (gfx_calls.c). */
#ifndef VELKARO_WEB_SDL_ROTOZOOM_H
#define VELKARO_WEB_SDL_ROTOZOOM_H
#include "gfx_names.h"

#define SMOOTHING_OFF 0
#define SMOOTHING_ON 1

#ifdef __cplusplus
extern "C" {
#endif
SDL_Surface *WEB_GFX(zoomSurface)(SDL_Surface *src, double zoomx, double zoomy, int smooth);
#ifdef __cplusplus
}
#endif
#endif
