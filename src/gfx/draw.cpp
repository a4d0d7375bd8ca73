// draw.cpp -- DrawBmp, DrawBmp2, getpixel and Draw_Line
#include "gfx/draw.h"

#include <SDL_gfxBlitFunc.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_rotozoom.h>

#include <cstddef>
#include <cstdlib>

#include "gfx/draw_testing.h"
#include "gfx/images.h"
#include "gfx/zoom_region.h"

// Larger zoomed copies than this are refused rather than allocated; the game's
// biggest is the course at 1536 x 1152.
static const int kMaxZoomedSide = 8192;

static ScaledDrawPath scaledDrawPath = ZOOM_VISIBLE_PART;
static ScaledDrawCounts scaledDrawCounts = {0, 0};
static ScaledDrawObserver scaledDrawObserver = nullptr;

void SetScaledDrawPath(ScaledDrawPath path) { scaledDrawPath = path; }
ScaledDrawCounts GetScaledDrawCounts() { return scaledDrawCounts; }
void SetScaledDrawObserver(ScaledDrawObserver observer) { scaledDrawObserver = observer; }

static SDL_Rect makeRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  SDL_Rect r;
  r.x = static_cast<Sint16>(x);
  r.y = static_cast<Sint16>(y);
  r.w = static_cast<Uint16>(w);
  r.h = static_cast<Uint16>(h);
  return r;
}

static int blitUnscaled(SDL_Surface* screen, int32_t dx, int32_t dy, SDL_Surface* image, int32_t sx, int32_t sy,
                        int32_t sw, int32_t sh) {
  SDL_Rect src = makeRect(sx, sy, sw, sh);
  SDL_Rect dst = makeRect(dx, dy, sw, sh);
  return SDL_UpperBlit(image, &src, screen, &dst);
}

// The zoom ratios dw/sw and dh/sh, held in single precision; false when the
// target size is empty or the zoomed sheet would be absurdly large.
static bool zoomRatios(SDL_Surface* image, int32_t dw, int32_t dh, int32_t sw, int32_t sh, float* rx, float* ry) {
  if (sw == 0 || sh == 0) return false;
  *rx = static_cast<float>(static_cast<double>(dw) / sw);
  *ry = static_cast<float>(static_cast<double>(dh) / sh);
  if (!(*rx > 0.0f) || !(*ry > 0.0f)) return false;
  return image->w * static_cast<double>(*rx) <= kMaxZoomedSide && image->h * static_cast<double>(*ry) <= kMaxZoomedSide;
}

// Zooms the whole sheet, replaces ZoomImage with the copy and returns it.
static SDL_Surface* zoomWholeSheet(SDL_Surface* image, float rx, float ry) {
  if (img.ZoomImage) SDL_FreeSurface(img.ZoomImage);
  // The sheet's own alpha, left by an earlier translucent draw, would fade the
  // copy's colours as it is converted; a scaled draw starts from the opaque sheet.
  const Uint32 alphaFlag = image->flags & SDL_SRCALPHA;
  const Uint8 sheetAlpha = image->format->alpha;
  if (alphaFlag) SDL_SetAlpha(image, 0, 255);
  img.ZoomImage = zoomSurface(image, rx, ry, SMOOTHING_ON);
  if (alphaFlag) SDL_SetAlpha(image, alphaFlag, sheetAlpha);
  return img.ZoomImage;
}

int32_t ScaledCutPosition(int32_t sheetPos, int32_t dstSize, int32_t srcSize) {
  if (srcSize == 0) return 0;
  // 62 x (60 / 31) is 119.99999 in single precision, so the cut starts at 119.
  const float ratio = static_cast<float>(static_cast<double>(dstSize) / srcSize);
  return static_cast<Sint16>(static_cast<Sint16>(sheetPos) * static_cast<double>(ratio));
}

static int blitScaled(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image,
                      int32_t sx, int32_t sy, int32_t sw, int32_t sh, int alpha) {
  if (scaledDrawObserver) scaledDrawObserver(screen, dx, dy, dw, dh, image, sx, sy, sw, sh, alpha);
  float rx = 0.0f;
  float ry = 0.0f;
  if (!zoomRatios(image, dw, dh, sw, sh, &rx, &ry)) return 0;
  SDL_Rect src = makeRect(ScaledCutPosition(sx, dw, sw), ScaledCutPosition(sy, dh, sh), dw, dh);
  SDL_Rect dst = makeRect(dx, dy, dw, dh);
  if (scaledDrawPath == ZOOM_VISIBLE_PART && DrawZoomedCut(screen, dst, image, rx, ry, src, alpha)) {
    ++scaledDrawCounts.visiblePart;
    return 0;
  }
  ++scaledDrawCounts.wholeSheet;
  SDL_Surface* zoomed = zoomWholeSheet(image, rx, ry);
  if (!zoomed) return 0;
  // The copy is RGBA with per-pixel alpha, which a per-surface alpha cannot
  // reach in SDL 1.2, so translucency is put into the alpha channel itself.
  if (alpha >= 0 && alpha < 255) SDL_gfxMultiplyAlpha(zoomed, static_cast<Uint8>(alpha));
  return SDL_UpperBlit(zoomed, &src, screen, &dst);
}

int DrawBmp(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image, int32_t sx,
            int32_t sy, int32_t sw, int32_t sh) {
  if (!image || !screen) return -1;
  if (dw == sw && dh == sh) return blitUnscaled(screen, dx, dy, image, sx, sy, sw, sh);
  return blitScaled(screen, dx, dy, dw, dh, image, sx, sy, sw, sh, -1);
}

int DrawBmp2(SDL_Surface* screen, int32_t dx, int32_t dy, int32_t dw, int32_t dh, SDL_Surface* image, int32_t sx,
             int32_t sy, int32_t sw, int32_t sh, uint8_t alpha) {
  if (!image || !screen) return -1;
  if (dw == sw && dh == sh) {
    SetSheetAlpha(image, alpha);
    return blitUnscaled(screen, dx, dy, image, sx, sy, sw, sh);
  }
  return blitScaled(screen, dx, dy, dw, dh, image, sx, sy, sw, sh, alpha);
}

void SetSheetAlpha(SDL_Surface* image, uint8_t alpha) {
  if (image) SDL_SetAlpha(image, SDL_SRCALPHA, alpha);
}

uint32_t getpixel(SDL_Surface* surface, int32_t x, int32_t y) {
  if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return 0;
  const int b = surface->format->BytesPerPixel;
  const Uint8* p = static_cast<const Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch +
                   static_cast<ptrdiff_t>(x) * b;
  switch (b) {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>(p);
    case 3: return p[0] + 256u * p[1] + 65536u * p[2];
    case 4: return *reinterpret_cast<const Uint32*>(p);
    default: return 0;
  }
}

void Draw_Line(SDL_Surface* surface, int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint32_t color) {
  if (!surface) return;
  Uint8 r, g, b;
  SDL_GetRGB(color, surface->format, &r, &g, &b);
  // With full alpha SDL_gfx writes the mapped colour without blending and clips
  // to the surface's clip rectangle.
  lineRGBA(surface, x1, y1, x2, y2, r, g, b, 255);
}
