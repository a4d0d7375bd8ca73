// zoom_region.h -- the visible part of a smoothed whole-sheet zoom, blended straight onto the screen
#pragma once
#include <SDL.h>

// Draws what blitting the cut (cut, in zoomed-copy pixels) of
// zoomSurface(image, rx, ry, SMOOTHING_ON) to place on screen would draw,
// computing only the zoomed pixels that land inside the screen's clip
// rectangle. The zoomed copy is sampled the way SDL_gfx samples it (16.16
// steps, per-channel interpolation, the keyed pixels of the sheet transparent
// black, the sheet's own alpha left out), its alpha channel scaled as
// SDL_gfxMultiplyAlpha scales it when alpha is below 255 (alpha < 0: not at
// all), and blended as SDL blends an RGBA source onto a 24-bit surface.
// Returns false, having drawn nothing, for the cases it does not reproduce
// (surfaces other than 8-bit-per-channel 24-bit ones, a run-length encoded
// sheet, a zoomed copy less than two pixels wide or high); the caller zooms
// the whole sheet then.
bool DrawZoomedCut(SDL_Surface* screen, SDL_Rect place, SDL_Surface* image, float rx, float ry, SDL_Rect cut,
                   int alpha);
