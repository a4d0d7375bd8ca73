// skid_draw.h -- rear-wheel marks laid into the display copy of the course while sliding
#pragma once
#include <SDL.h>

// Joins the two newest points of each wheel with a pair of lines offset by
// (-1, +1), when they are under 20 px apart, drawn into target with LineColor.
void DrawSkidMarks(SDL_Surface* target);
