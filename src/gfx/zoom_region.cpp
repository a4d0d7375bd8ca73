// zoom_region.cpp -- only the on-screen part of a scaled draw, sampled exactly as the whole-sheet zoom
#include "gfx/zoom_region.h"

// The per-byte loops below vectorise only at the higher level, and the course
// zoom runs them over the whole screen in each of its frames.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// SDL_gfx refuses zoom factors below this and uses it instead.
const double kSmallestZoom = 0.001;

// One zoomed-copy coordinate along an axis: the source pixel, the 16-bit
// fraction towards the next one, and whether there is a next one.
struct Tap {
  int index;
  int frac;
  bool next;
};

// The zoomed size SDL_gfx gives a side of n pixels.
int zoomedSide(int n, float ratio) {
  double zoom = ratio;
  if (zoom < kSmallestZoom) zoom = kSmallestZoom;
  const int side = static_cast<int>(std::floor(n * zoom + 0.5));
  return side < 1 ? 1 : side;
}

// Taps for zoomed coordinates first .. first + count - 1 of a side zoomed
// from n to zoomed pixels. The 16.16 step is (n - 1) / (zoomed - 1); the
// running position is clamped below n << 16, as the accumulated steps are.
void makeTaps(int n, int zoomed, int first, int count, std::vector<Tap>* taps) {
  const int step = static_cast<int>(65536.0 * static_cast<float>(n - 1) / static_cast<float>(zoomed - 1));
  const int64_t last = (static_cast<int64_t>(n) << 16) - 1;
  taps->resize(count);
  for (int i = 0; i < count; ++i) {
    int64_t pos = static_cast<int64_t>(first + i) * step;
    if (pos > last) pos = last;
    Tap& t = (*taps)[i];
    t.index = static_cast<int>(pos >> 16);
    t.frac = static_cast<int>(pos & 0xffff);
    t.next = t.index < n - 1;
  }
}

// A 24-bit surface with whole bytes per channel: where each channel sits.
struct Bytes24 {
  int r, g, b;
};

bool bytes24(const SDL_PixelFormat* f, Bytes24* out) {
  if (f->BytesPerPixel != 3 || f->Amask != 0 || f->Rloss || f->Gloss || f->Bloss) return false;
  if (f->Rshift % 8 || f->Gshift % 8 || f->Bshift % 8) return false;
  if (f->Rmask != 0xffu << f->Rshift || f->Gmask != 0xffu << f->Gshift || f->Bmask != 0xffu << f->Bshift) return false;
  out->r = f->Rshift / 8;
  out->g = f->Gshift / 8;
  out->b = f->Bshift / 8;
  return true;
}

// A sheet pixel as the 32-bit copy SDL_gfx makes of a 24-bit sheet holds it:
// the colour key gives transparent black, everything else is opaque.
struct Rgba {
  int r, g, b, a;
};

struct KeyedSheetReader {
  const Uint8* pixels;
  int pitch;
  Bytes24 at;
  Uint32 key;

  Rgba read(int x, int y) const {
    const Uint8* p = pixels + static_cast<ptrdiff_t>(y) * pitch + static_cast<ptrdiff_t>(x) * 3;
    if ((p[0] | (p[1] << 8) | (static_cast<Uint32>(p[2]) << 16)) == key) return Rgba{0, 0, 0, 0};
    return Rgba{p[at.r], p[at.g], p[at.b], 255};
  }
};

// SDL_gfx's interpolation of one channel: along x in both rows, then along y.
inline int lerpChannel(int c00, int c01, int c10, int c11, int ex, int ey) {
  const int t1 = ((((c01 - c00) * ex) >> 16) + c00) & 0xff;
  const int t2 = ((((c11 - c10) * ex) >> 16) + c10) & 0xff;
  return ((((t2 - t1) * ey) >> 16) + t1) & 0xff;
}

// SDL's blend of a source channel over a destination channel.
inline Uint8 blend(int s, int d, int a) { return static_cast<Uint8>((((s - d) * a + 255) >> 8) + d); }

// The rectangle SDL_UpperBlit would copy, cut against the zoomed copy and the
// screen's clip rectangle, with its top-left in both.
struct Span {
  int srcX, srcY, dstX, dstY, w, h;
};

// One axis of SDL's blit clipping: the source run [src, src + len) is cut to
// the zoomed copy's size, then its screen run [place, place + len) to the clip
// run [clipPos, clipPos + clipLen), moving src along with place.
void clipAxis(int* src, int* len, int* place, int size, int clipPos, int clipLen) {
  if (*src < 0) {
    *len += *src;
    *place = static_cast<Sint16>(*place - *src);
    *src = 0;
  }
  if (size - *src < *len) *len = size - *src;
  int d = clipPos - *place;
  if (d > 0) {
    *len -= d;
    *place = static_cast<Sint16>(*place + d);
    *src += d;
  }
  d = *place + *len - clipPos - clipLen;
  if (d > 0) *len -= d;
}

bool clipLikeBlit(SDL_Rect cut, int zoomedW, int zoomedH, SDL_Rect place, const SDL_Rect& clip, Span* s) {
  int srcx = cut.x, w = cut.w, dstx = place.x;
  int srcy = cut.y, h = cut.h, dsty = place.y;
  clipAxis(&srcx, &w, &dstx, zoomedW, clip.x, clip.w);
  clipAxis(&srcy, &h, &dsty, zoomedH, clip.y, clip.h);
  *s = Span{srcx, srcy, dstx, dsty, w, h};
  return w > 0 && h > 0;
}

// The taps of the visible columns as byte offsets into a sheet row.
struct ColumnTap {
  int off0, off1, frac;
};

// One sheet row interpolated along x at the visible columns (the first step
// of SDL_gfx's interpolation), bytes in the screen's order. Two are kept, as
// neighbouring screen rows often read the same sheet row.
struct InterpolatedRow {
  int index = -1;
  std::vector<Uint8> bytes;
};

void interpolateRow(const Uint8* row, const std::vector<ColumnTap>& cols, const int srcByte[3], const int dstByte[3],
                    Uint8* out) {
  if (srcByte[0] == dstByte[0] && srcByte[1] == dstByte[1] && srcByte[2] == dstByte[2]) {
    // The sheet's byte order is the screen's, as for every sheet of the game.
    for (const ColumnTap& t : cols) {
      const Uint8* p0 = row + t.off0;
      const Uint8* p1 = row + t.off1;
      for (int k = 0; k < 3; ++k) out[k] = static_cast<Uint8>((((p1[k] - p0[k]) * t.frac) >> 16) + p0[k]);
      out += 3;
    }
    return;
  }
  for (const ColumnTap& t : cols) {
    const Uint8* p0 = row + t.off0;
    const Uint8* p1 = row + t.off1;
    for (int c = 0; c < 3; ++c) {
      const int c0 = p0[srcByte[c]];
      out[dstByte[c]] = static_cast<Uint8>((((p1[srcByte[c]] - c0) * t.frac) >> 16) + c0);
    }
    out += 3;
  }
}

// The kept row holding sheet row index, made if neither holds it; keep is the
// index of the row that must not be evicted.
const Uint8* rowAlongX(InterpolatedRow kept[2], int index, int keep, const Uint8* pixels, int pitch,
                       const std::vector<ColumnTap>& cols, const int srcByte[3], const int dstByte[3]) {
  for (int k = 0; k < 2; ++k)
    if (kept[k].index == index) return kept[k].bytes.data();
  InterpolatedRow& r = kept[0].index == keep ? kept[1] : kept[0];
  r.index = index;
  r.bytes.resize(cols.size() * 3);
  interpolateRow(pixels + static_cast<ptrdiff_t>(index) * pitch, cols, srcByte, dstByte, r.bytes.data());
  return r.bytes.data();
}

// Interpolates the sheet's pixels onto the visible span for a sheet without a
// colour key: every pixel of the zoomed copy then has the alpha 255, scaled
// by the draw's alpha, the same for the whole span. dstByte[c] is the screen
// byte that the sheet's byte srcByte[c] goes to.
void drawOpaqueSheet(SDL_Surface* screen, const Span& s, const SDL_Surface* image, const std::vector<ColumnTap>& cols,
                     const std::vector<Tap>& rows, const int srcByte[3], const int dstByte[3], int a) {
  const Uint8* pixels = static_cast<const Uint8*>(image->pixels);
  static InterpolatedRow kept[2];
  kept[0].index = kept[1].index = -1;
  const int n = s.w * 3;
  for (int j = 0; j < s.h; ++j) {
    const Tap& ty = rows[j];
    const int ey = ty.next ? ty.frac : 0;  // no next row: both rows are the same one
    const Uint8* t1 = rowAlongX(kept, ty.index, ty.index + 1, pixels, image->pitch, cols, srcByte, dstByte);
    const Uint8* t2 = ey ? rowAlongX(kept, ty.index + 1, ty.index, pixels, image->pitch, cols, srcByte, dstByte) : t1;
    Uint8* out = static_cast<Uint8*>(screen->pixels) + static_cast<ptrdiff_t>(s.dstY + j) * screen->pitch +
                 static_cast<ptrdiff_t>(s.dstX) * 3;
    if (a == 255) {
      // At alpha 255 the blend is the source, one higher where it is darker.
      for (int k = 0; k < n; ++k) {
        const int v = ((((t2[k] - t1[k]) * ey) >> 16) + t1[k]) & 0xff;
        out[k] = static_cast<Uint8>(v + (v < out[k]));
      }
    } else {
      for (int k = 0; k < n; ++k) out[k] = blend(((((t2[k] - t1[k]) * ey) >> 16) + t1[k]) & 0xff, out[k], a);
    }
  }
}

// The same for a keyed sheet, whose keyed pixels are transparent black.
void drawKeyedSheet(SDL_Surface* screen, const Span& s, const KeyedSheetReader& sheet, const std::vector<Tap>& cols,
                    const std::vector<Tap>& rows, const Bytes24& dst, int alpha) {
  const bool scaleAlpha = alpha >= 0 && alpha < 255;
  for (int j = 0; j < s.h; ++j) {
    const Tap& ty = rows[j];
    const int y1 = ty.next ? ty.index + 1 : ty.index;
    Uint8* out = static_cast<Uint8*>(screen->pixels) + static_cast<ptrdiff_t>(s.dstY + j) * screen->pitch +
                 static_cast<ptrdiff_t>(s.dstX) * 3;
    for (int i = 0; i < s.w; ++i, out += 3) {
      const Tap& tx = cols[i];
      const int x1 = tx.next ? tx.index + 1 : tx.index;
      const Rgba c00 = sheet.read(tx.index, ty.index), c01 = sheet.read(x1, ty.index);
      const Rgba c10 = sheet.read(tx.index, y1), c11 = sheet.read(x1, y1);
      int a = lerpChannel(c00.a, c01.a, c10.a, c11.a, tx.frac, ty.frac);
      if (scaleAlpha) a = (a * alpha) >> 8;
      if (a == 0) continue;
      out[dst.r] = blend(lerpChannel(c00.r, c01.r, c10.r, c11.r, tx.frac, ty.frac), out[dst.r], a);
      out[dst.g] = blend(lerpChannel(c00.g, c01.g, c10.g, c11.g, tx.frac, ty.frac), out[dst.g], a);
      out[dst.b] = blend(lerpChannel(c00.b, c01.b, c10.b, c11.b, tx.frac, ty.frac), out[dst.b], a);
    }
  }
}

}  // namespace

bool DrawZoomedCut(SDL_Surface* screen, SDL_Rect place, SDL_Surface* image, float rx, float ry, SDL_Rect cut,
                   int alpha) {
  Bytes24 src, dst;
  if (!bytes24(image->format, &src) || !bytes24(screen->format, &dst)) return false;
  if (SDL_MUSTLOCK(image)) return false;  // run-length encoded: no plain pixels to read
  const int zoomedW = zoomedSide(image->w, rx);
  const int zoomedH = zoomedSide(image->h, ry);
  if (zoomedW < 2 || zoomedH < 2) return false;  // the step would divide by zero
  Span s;
  if (!clipLikeBlit(cut, zoomedW, zoomedH, place, screen->clip_rect, &s)) return true;

  static std::vector<Tap> cols, rows;  // kept to spare the allocation per draw
  makeTaps(image->w, zoomedW, s.srcX, s.w, &cols);
  makeTaps(image->h, zoomedH, s.srcY, s.h, &rows);
  const bool keyed = (image->flags & SDL_SRCCOLORKEY) != 0;
  // An opaque sheet's copy is all alpha 255; SDL_gfxMultiplyAlpha scales it.
  const int opaqueAlpha = alpha >= 0 && alpha < 255 ? (255 * alpha) >> 8 : 255;
  if (!keyed && opaqueAlpha == 0) return true;  // SDL skips pixels of alpha 0

  if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) < 0) return true;
  if (keyed) {
    const KeyedSheetReader sheet{static_cast<const Uint8*>(image->pixels), image->pitch, src, image->format->colorkey};
    drawKeyedSheet(screen, s, sheet, cols, rows, dst, alpha);
  } else {
    static std::vector<ColumnTap> offsets;
    offsets.resize(cols.size());
    for (size_t i = 0; i < cols.size(); ++i)
      offsets[i] = ColumnTap{cols[i].index * 3, (cols[i].next ? cols[i].index + 1 : cols[i].index) * 3, cols[i].frac};
    const int srcByte[3] = {src.r, src.g, src.b};
    const int dstByte[3] = {dst.r, dst.g, dst.b};
    drawOpaqueSheet(screen, s, image, offsets, rows, srcByte, dstByte, opaqueAlpha);
  }
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  return true;
}
