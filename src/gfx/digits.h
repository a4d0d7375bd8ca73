// digits.h -- numbers and times drawn glyph by glyph from the digit sheet
#pragma once
#include <SDL.h>

#include <cstdint>

// Draws value in the places of divisor (100: three places) in style 0..4 at
// (x, y), the top-left of place 0. suppress 1 leaves leading zeros out but keeps
// the digits in their places; a value of 0 then shows as one 0 in the last place.
void draw_number(SDL_Surface* screen, int32_t x, int32_t y, int32_t style, int32_t divisor, int32_t value,
                 int32_t suppress);

// Draws t milliseconds as minutes (three places, no leading zeros), seconds
// and thousandths with separators, in style 0..4 (style 3: minutes only).
void DrawTime(SDL_Surface* screen, int32_t x, int32_t y, int32_t t, int32_t style);
