// draw_testing.h -- switches and counters of the scaled draws, for the tests and the bench only
#pragma once
#include <SDL.h>

#include <cstdint>

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
