// gfx_compare.cpp -- the browser build's own SDL_gfx calls against the real
// library: the same surfaces in, the same bytes out. Built natively with the
// web versions renamed (web_zoomSurface, ...), beside SDL_gfx itself.
#include <SDL.h>
#include <SDL_gfxBlitFunc.h>
#include <SDL_gfxPrimitives.h>
#include <SDL_rotozoom.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

extern "C" {
SDL_Surface* web_zoomSurface(SDL_Surface* src, double zoomx, double zoomy, int smooth);
int web_lineRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
int web_SDL_gfxMultiplyAlpha(SDL_Surface* src, Uint8 a);
}

namespace {

// A sheet of random pixels in the game's 24-bit format or in 32-bit RGBA.
SDL_Surface* RandomSheet(std::mt19937* rng, int w, int h, int bpp) {
  SDL_Surface* s = bpp == 24 ? SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff0000, 0xff00, 0xff, 0)
                             : SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
  for (int y = 0; y < h; ++y) {
    Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
    // Runs of magenta (the game's colour key) among the random bytes.
    for (int x = 0; x < w * s->format->BytesPerPixel; ++x) row[x] = static_cast<Uint8>((*rng)());
    for (int x = 0; x < w; ++x)
      if ((*rng)() % 5 == 0 && bpp == 24) std::memcpy(row + 3 * x, "\xff\x00\xff", 3);
  }
  return s;
}

bool SameSurface(SDL_Surface* a, SDL_Surface* b) {
  if (!a || !b) return a == b;
  if (a->w != b->w || a->h != b->h || a->format->BitsPerPixel != b->format->BitsPerPixel) return false;
  if (a->format->Rmask != b->format->Rmask || a->format->Amask != b->format->Amask) return false;
  if ((a->flags & SDL_SRCALPHA) != (b->flags & SDL_SRCALPHA)) return false;
  const int row = a->w * a->format->BytesPerPixel;
  for (int y = 0; y < a->h; ++y)
    if (std::memcmp(static_cast<Uint8*>(a->pixels) + y * a->pitch, static_cast<Uint8*>(b->pixels) + y * b->pitch,
                    row) != 0)
      return false;
  return true;
}

class GfxCompare : public ::testing::Test {
 protected:
  void SetUp() override { SDL_Init(0); }
  void TearDown() override { SDL_Quit(); }
  std::mt19937 rng{20240601};
};

TEST_F(GfxCompare, SmoothZoomMatchesOnTheGameSheetsAndFactors) {
  // Keyed and unkeyed 24-bit sheets and RGBA ones; enlarging, shrinking,
  // the cut ratios of the game's draws (60/31, 1536/480), factors below the
  // smallest SDL_gfx takes, one-pixel sides; with and without smoothing.
  const double factors[][2] = {{1.9354838709677418, 1.9354838709677418},
                               {3.2, 3.2},
                               {0.5, 0.5},
                               {0.37, 1.61},
                               {1.0, 1.0},
                               {2.0, 0.001},
                               {0.0001, 4.0}};
  const int sizes[][2] = {{31, 31}, {64, 48}, {1, 7}, {2, 2}, {97, 13}};
  for (int bpp : {24, 32})
    for (bool keyed : {false, true})
      for (const auto& size : sizes)
        for (const auto& f : factors)
          for (int smooth : {SMOOTHING_ON, SMOOTHING_OFF}) {
            SDL_Surface* sheet = RandomSheet(&rng, size[0], size[1], bpp);
            if (keyed) SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, SDL_MapRGB(sheet->format, 255, 0, 255));
            SDL_Surface* real = zoomSurface(sheet, f[0], f[1], smooth);
            SDL_Surface* ours = web_zoomSurface(sheet, f[0], f[1], smooth);
            EXPECT_TRUE(SameSurface(real, ours)) << bpp << " bpp keyed " << keyed << " " << size[0] << "x" << size[1]
                                                 << " zoom " << f[0] << "," << f[1] << " smooth " << smooth;
            SDL_FreeSurface(real);
            SDL_FreeSurface(ours);
            SDL_FreeSurface(sheet);
          }
  // Mirroring (a negative factor) is refused rather than drawn differently.
  SDL_Surface* sheet = RandomSheet(&rng, 8, 8, 24);
  EXPECT_EQ(web_zoomSurface(sheet, -1.0, 1.0, SMOOTHING_ON), nullptr);
  EXPECT_EQ(web_zoomSurface(sheet, 1.0, -2.0, SMOOTHING_ON), nullptr);
  SDL_FreeSurface(sheet);
}

TEST_F(GfxCompare, MultiplyAlphaMatchesAndLeavesOtherSurfacesAlone) {
  for (int a : {0, 1, 127, 128, 200, 254, 255}) {
    SDL_Surface* one = RandomSheet(&rng, 33, 9, 32);
    SDL_Surface* two = SDL_ConvertSurface(one, one->format, SDL_SWSURFACE);
    EXPECT_EQ(SDL_gfxMultiplyAlpha(one, static_cast<Uint8>(a)) >= 0,
              web_SDL_gfxMultiplyAlpha(two, static_cast<Uint8>(a)) >= 0);
    EXPECT_TRUE(SameSurface(one, two)) << "alpha " << a;
    SDL_FreeSurface(one);
    SDL_FreeSurface(two);
  }
  // A 24-bit surface has no alpha channel to scale: untouched.
  SDL_Surface* rgb = RandomSheet(&rng, 8, 8, 24);
  SDL_Surface* copy = SDL_ConvertSurface(rgb, rgb->format, SDL_SWSURFACE);
  web_SDL_gfxMultiplyAlpha(copy, 100);
  EXPECT_TRUE(SameSurface(rgb, copy));
  SDL_FreeSurface(rgb);
  SDL_FreeSurface(copy);
}

TEST_F(GfxCompare, OpaqueLinesMatchInsideAcrossAndOutsideTheClip) {
  std::uniform_int_distribution<int> near(-60, 160), far(-32768, 32767);
  for (int bpp : {24, 32}) {
    SDL_Surface* real = RandomSheet(&rng, 100, 80, bpp);
    SDL_Surface* ours = SDL_ConvertSurface(real, real->format, SDL_SWSURFACE);
    for (int clip = 0; clip < 2; ++clip) {
      SDL_Rect r = {10, 5, 70, 60};
      SDL_SetClipRect(real, clip ? &r : nullptr);
      SDL_SetClipRect(ours, clip ? &r : nullptr);
      for (int i = 0; i < 400; ++i) {
        auto& d = i % 10 == 0 ? far : near;
        const Sint16 x1 = static_cast<Sint16>(d(rng)), y1 = static_cast<Sint16>(d(rng));
        const Sint16 x2 = static_cast<Sint16>(i % 7 == 0 ? x1 : d(rng)), y2 = static_cast<Sint16>(d(rng));
        const Uint8 c = static_cast<Uint8>(rng());
        lineRGBA(real, x1, y1, x2, i % 5 == 0 ? y1 : y2, c, static_cast<Uint8>(255 - c), 100, 255);
        web_lineRGBA(ours, x1, y1, x2, i % 5 == 0 ? y1 : y2, c, static_cast<Uint8>(255 - c), 100, 255);
        ASSERT_TRUE(SameSurface(real, ours)) << bpp << " bpp line " << x1 << "," << y1 << " to " << x2 << ","
                                             << (i % 5 == 0 ? y1 : y2) << " clip " << clip;
      }
    }
    SDL_FreeSurface(real);
    SDL_FreeSurface(ours);
  }
}

}  // namespace
