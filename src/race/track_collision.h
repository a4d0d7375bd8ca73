// track_collision.h -- moving the player's car pixel by pixel over the course colours
#pragma once
#include <cstdint>

// A plain view of the collision copy's pixels, as the game's course surface
// holds them: rows of pitch bytes, bytesPerPixel (1 to 4) bytes a pixel in
// the machine's byte order. The game fills it from mapImage; a view with no
// pixels is a course that is all wall.
struct CourseView {
  const uint8_t* pixels;
  int32_t w, h;
  int32_t pitch;
  int32_t bytesPerPixel;
};

// The raw pixel value at (x, y) in the view's own format; 0 outside it.
uint32_t CoursePixel(const CourseView& course, int32_t x, int32_t y);

// True when (x, y) of the course is road or goal colour (race.wayColor,
// race.goalColor). Anything outside the image, or with no image at all, is a wall.
bool IsDrivable(const CourseView& course, int32_t x, int32_t y);

// Moves element 0 of car by its velocity, x axis first, one pixel at a time,
// bouncing off walls (speed * -2/3, moveAng snapped to the facing). In mode 2
// the rival's nose test is asked before every allowed step.
void MovementStep(const CourseView& course, int32_t mode);
