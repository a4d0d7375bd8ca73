// course_colours.cpp -- the course's road and goal colours from the colour sample, and the course surface as a plain
// view
#include "race_scene/course_colours.h"

#include <cstdio>

#include "gfx/draw.h"
#include "race/race_state.h"

static bool SameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
  return a->BytesPerPixel == b->BytesPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask && a->Bmask == b->Bmask &&
         a->Amask == b->Amask && !a->palette && !b->palette;
}

// A raw sample pixel as the course image would hold the same colour.
static uint32_t InCourseFormat(uint32_t raw, const SDL_PixelFormat* sample, const SDL_PixelFormat* course) {
  Uint8 r, g, b;
  SDL_GetRGB(raw, const_cast<SDL_PixelFormat*>(sample), &r, &g, &b);
  return SDL_MapRGB(const_cast<SDL_PixelFormat*>(course), r, g, b);
}

bool TakeCourseColours(SDL_Surface* sample, int course, SDL_Surface* courseImage) {
  // The three sample pixels sit on the top row; a smaller image cannot hold them.
  if (!sample || sample->w < 3 || sample->h < 1) return false;
  race.wayColor = getpixel(sample, course == 5 ? 2 : 0, 0);
  race.goalColor = getpixel(sample, 1, 0);
  if (courseImage && !SameFormat(sample->format, courseImage->format)) {
    // Raw values of two pixel formats never compare equal, and the car could
    // not move at all: the colours are taken over into the course's format.
    std::puts("colour sample image and course image differ in pixel format: colours converted");
    race.wayColor = InCourseFormat(race.wayColor, sample->format, courseImage->format);
    race.goalColor = InCourseFormat(race.goalColor, sample->format, courseImage->format);
  }
  return true;
}

CourseView CourseViewOf(SDL_Surface* course) {
  if (!course) return CourseView{nullptr, 0, 0, 0, 0};
  return CourseView{static_cast<const uint8_t*>(course->pixels), course->w, course->h, course->pitch,
                    course->format->BytesPerPixel};
}
