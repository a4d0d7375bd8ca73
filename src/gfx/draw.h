// draw.h -- sprite blitting with scaling and alpha, raw pixel reads, lines
#pragma once
#include <SDL.h>

#include <cstdint>

// Copies the sheet rectangle (sx, sy, sw, sh) of image to (dx, dy, dw, dh) of
// screen. Equal sizes blit unscaled with the sheet's colour key and current
// alpha; different sizes draw what zooming the whole sheet with smoothing and
// cutting the rectangle out of the zoomed copy draws (the copy is opaque but
// for the keyed pixels, whatever alpha the sheet carries). Draws nothing from
// an image that holds nothing or to a zero size. Returns the blit's status.
int DrawBmp(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image, int32_t sx,
            int32_t sy, int32_t sw, int32_t sh);

// As DrawBmp, blended with alpha. Unscaled, the alpha is set on the sheet and
// stays there for later draws; scaled, only the zoomed copy gets it.
int DrawBmp2(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image, int32_t sx,
             int32_t sy, int32_t sw, int32_t sh, uint8_t alpha);

// The raw pixel value at (x, y) in the surface's own format; 0 outside it.
uint32_t getpixel(SDL_Surface* surface, int32_t x, int32_t y);

// A one-pixel line in the raw pixel value color, clipped to the surface.
void Draw_Line(SDL_Surface* surface, int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color);

// Sets a sheet's blend alpha as the front end does before a translucent DrawBmp.
void SetSheetAlpha(SDL_Surface* image, uint8_t alpha);
