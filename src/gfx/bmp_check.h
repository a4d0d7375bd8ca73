// bmp_check.h -- what a picture file must be before SDL_image is given it
#pragma once
#include <cstddef>
#include <cstdint>

// The largest picture of each kind the game accepts, in pixels. Every sheet's
// layout lies within 1248 x 1170; a course is 1536 x 1152; the icon is 32 x 32.
enum {
  BMP_SHEET_MAX_SIDE = 4096,
  BMP_COURSE_MAX_W = 2 * 1536,
  BMP_COURSE_MAX_H = 2 * 1152,
  BMP_ICON_MAX_SIDE = 256,
};

// nullptr when bytes hold an uncompressed BMP that SDL_image and SDL decode
// safely, else what is wrong with it, in a few words:
// - "BM", a BITMAPINFOHEADER or one of its later versions (40, 52, 56, 108 or
//   124 bytes), one plane;
// - 1, 4, 8, 16, 24 or 32 bits per pixel, stored plainly (BI_RGB) or, at 16
//   and 32 bits, with colour masks (BI_BITFIELDS) that are inside the file;
// - width in 1..maxWidth, height in 1..maxHeight (a top-down picture, with a
//   negative height, is refused like any other the game never writes);
// - the palette of a picture of 8 bits or fewer no larger than its bits allow
//   and lying between the header and the pixels, which lie wholly in the file.
const char* BmpProblem(const uint8_t* bytes, size_t size, int32_t maxWidth, int32_t maxHeight);
