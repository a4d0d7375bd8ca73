// skid_marks.h -- rear-wheel marks laid into the display copy of the course while sliding
#pragma once
#include <SDL.h>

// Empties the two-point history (race start).
void ClearSkidHistory();

// While recording: when |moveAng - heading| (unwrapped) > 20, shifts the
// history and records both rear-wheel points, 17 px from the centre at
// heading + 195 and + 165 degrees. Recounts DAnimeLen every call.
void SkidSpawnStep();

// Screen positions of the recorded points from the car's current dispX/dispY.
void SkidScreenStep();

// Joins the two newest points of each wheel with a pair of lines offset by
// (-1, +1), when they are under 20 px apart, drawn into target with LineColor.
void DrawSkidMarks(SDL_Surface* target);
