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

// How scaled draws are made. Both ways put the same bytes on the screen.
enum ScaledDrawPath {
  // Only the pixels of the zoomed sheet that land on the screen are computed,
  // and blended straight in: the cost follows the drawn area, not the sheet.
  ZOOM_VISIBLE_PART,
  // The whole sheet is zoomed into ZoomImage and the rectangle cut from it
  // and blitted: the straightforward way, kept to check the other against.
  ZOOM_WHOLE_SHEET,
};
void SetScaledDrawPath(ScaledDrawPath path);  // ZOOM_VISIBLE_PART at start
ScaledDrawPath GetScaledDrawPath();

// Scaled draws made each way since program start. The visible-part path hands
// the cases it does not reproduce (formats other than the game's 24-bit one,
// a zoomed sheet under two pixels wide or high) to the whole-sheet path.
struct ScaledDrawCounts {
  long visiblePart;
  long wholeSheet;
};
ScaledDrawCounts GetScaledDrawCounts();

// Called at the start of every scaled draw with its arguments (alpha -1 for
// DrawBmp), before anything is drawn. For tests that compare the two paths on
// the game's own draws; nullptr, the default, for none.
using ScaledDrawObserver = void (*)(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                    SDL_Surface* image, int32_t sx, int32_t sy, int32_t sw, int32_t sh, int alpha);
void SetScaledDrawObserver(ScaledDrawObserver observer);

// Where a scaled draw cuts its rectangle out of the zoomed copy along one axis:
// the sheet position times the single-precision ratio dst / src, truncated to
// 16 bits. It can land one pixel short of the exact product.
int32_t ScaledCutPosition(int32_t sheetPos, int32_t dstSize, int32_t srcSize);

// The raw pixel value at (x, y) in the surface's own format; 0 outside it.
uint32_t getpixel(SDL_Surface* surface, int32_t x, int32_t y);

// A one-pixel line in the raw pixel value color, clipped to the surface.
void Draw_Line(SDL_Surface* surface, int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color);

// Sets a sheet's blend alpha as the front end does before a translucent DrawBmp.
void SetSheetAlpha(SDL_Surface* image, uint8_t alpha);
