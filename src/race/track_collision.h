// track_collision.h -- moving the player's car pixel by pixel over the course colours
#pragma once
#include <SDL.h>

#include <cstdint>

// Takes wayColor and goalColor of the course from the colour sample image:
// road at (0, 0), or (2, 0) on course 5; goal at (1, 0). Returns false (and
// takes nothing) when the sample image is missing or narrower than 3 pixels.
// Given the course image, colours of a sample in another pixel format are
// converted to the course's format (and a line says so).
bool TakeCourseColours(SDL_Surface* sample, int course, SDL_Surface* courseImage = nullptr);

// True when (x, y) of the course image is road or goal colour. Anything
// outside the image, or with no image at all, is a wall.
bool IsDrivable(SDL_Surface* course, int32_t x, int32_t y);

// Moves element 0 of car by its velocity, x axis first, one pixel at a time,
// bouncing off walls (speed * -2/3, moveAng snapped to the facing). In mode 2
// the rival's nose test is asked before every allowed step.
void MovementStep(SDL_Surface* course, int32_t mode);
