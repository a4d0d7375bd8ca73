// digits.cpp -- draw_number and DrawTime over the digit sheet numImage2
#include "gfx/digits.h"

#include "gfx/draw.h"
#include "gfx/images.h"

struct DigitStyle {
  int32_t glyphX0;  // x of digit 0's glyph; digit d is glyphStep further right
  int32_t glyphY;
  int32_t glyphW;
  int32_t glyphH;
  int32_t placeStep;  // distance between places on screen; 0: every place at x
};

static const DigitStyle kStyles[5] = {
    {0, 0, 32, 42, 32},    // 0: result-screen times
    {0, 126, 21, 22, 16},  // 1: small times; places overlap by 5 pixels
    {0, 84, 32, 42, 32},   // 2: the time limit
    {0, 42, 32, 42, 0},    // 3: lap numbers, no advance
    {0, 42, 32, 42, 32},   // 4: a new record's time
};

struct TimeLayout {
  int32_t sepX, sepY, sepW, sepH;            // separator glyph on the sheet
  int32_t sep1, sep2, seconds, thousandths;  // offsets from x
};

// Style 4 takes its separator from row 0, not from row 42 where its digits are.
static const TimeLayout kTimeLayouts[5] = {
    {320, 0, 32, 42, 96, 192, 128, 224},  {210, 126, 21, 22, 48, 96, 64, 112},
    {320, 84, 32, 42, 96, 192, 128, 224}, {0, 0, 0, 0, 0, 0, 0, 0},
    {320, 0, 32, 42, 96, 192, 128, 224},
};

static void drawGlyph(SDL_Surface* screen, const DigitStyle& style, int32_t x, int32_t y, int32_t digit) {
  DrawBmp(screen, x, y, style.glyphW, style.glyphH, img.numImage2, style.glyphX0 + style.glyphW * digit, style.glyphY,
          style.glyphW, style.glyphH);
}

void draw_number(SDL_Surface* screen, int32_t x, int32_t y, int32_t style, int32_t divisor, int32_t value,
                 int32_t suppress) {
  if (style < 0 || style > 4 || divisor <= 0 || value < 0) return;
  const DigitStyle& s = kStyles[style];
  bool drawn = false;
  int32_t place = 0;
  for (int32_t v = divisor; v > 0; v /= 10, ++place) {
    const int32_t digit = value / v;
    if (suppress == 1 && digit == 0 && !drawn) continue;
    // A value too large for its places would ask for a glyph past 9; show 9.
    drawGlyph(screen, s, x + s.placeStep * place, y, digit > 9 ? 9 : digit);
    drawn = true;
    value %= v;
  }
  if (suppress == 1 && !drawn) drawGlyph(screen, s, x + s.placeStep * (place - 1), y, 0);
}

void DrawTime(SDL_Surface* screen, int32_t x, int32_t y, int32_t t, int32_t style) {
  if (t < 0) t = 0;
  draw_number(screen, x, y, style, 100, t / 60000, 1);
  if (style < 0 || style > 4 || style == 3) return;
  const TimeLayout& l = kTimeLayouts[style];
  DrawBmp(screen, x + l.sep1, y, l.sepW, l.sepH, img.numImage2, l.sepX, l.sepY, l.sepW, l.sepH);
  DrawBmp(screen, x + l.sep2, y, l.sepW, l.sepH, img.numImage2, l.sepX, l.sepY, l.sepW, l.sepH);
  draw_number(screen, x + l.seconds, y, style, 10, (t / 1000) % 60, 0);
  draw_number(screen, x + l.thousandths, y, style, 100, t % 1000, 0);
}
