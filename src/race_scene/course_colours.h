// course_colours.h -- the course surface seen by the race's rules: its colours and its pixels
#pragma once
#include <SDL.h>

#include "race/track_collision.h"

// Takes wayColor and goalColor of the course from the colour sample image:
// road at (0, 0), or (2, 0) on course 5; goal at (1, 0). Returns false (and
// takes nothing) when the sample image is missing or narrower than 3 pixels.
// Given the course image, colours of a sample in another pixel format are
// converted to the course's format (and a line says so).
bool TakeCourseColours(SDL_Surface* sample, int course, SDL_Surface* courseImage = nullptr);

// The collision copy as the movement step reads it; nullptr gives a view
// with no pixels (all wall).
CourseView CourseViewOf(SDL_Surface* course);
