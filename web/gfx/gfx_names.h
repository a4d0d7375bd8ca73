/* gfx_names.h -- the names of the browser build's SDL_gfx calls. The web
 * build uses SDL_gfx's own names; the native test that compares these with
 * the real library builds them with a prefix (WEB_GFX_PREFIXED). */
#ifndef VELKARO_WEB_GFX_NAMES_H
#define VELKARO_WEB_GFX_NAMES_H
#include <SDL.h>

#ifdef WEB_GFX_PREFIXED
#define WEB_GFX(name) web_##name
#else
#define WEB_GFX(name) name
#endif
#endif
