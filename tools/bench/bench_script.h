// bench_script.h -- a scripted play-through of every scene, timed frame by frame
#pragma once
#include <SDL.h>

#include "bench_timing.h"

// Plays the intro, the main menu, the help screen, the mode select, the course
// select and its zoom, races with and without a ghost, the result screen and
// the pause menu, with keys scripted per frame. Every frame's work time (the
// scene call up to the present) goes into times under the scene it showed.
// Needs the images loaded and the working directory holding data/.
void PlayThroughEveryScene(SDL_Surface* screen, int rounds, FrameTimes* times);

// From now on every timed frame also widens the finished frame into target
// at the given scale, as the game's present does for a scaled window or full
// screen; nullptr times the frame alone, as at scale 1 in a window.
void SetBenchStretch(SDL_Surface* target, int scale);

// Race frames per second on course 0 with the car driven by a fixed key
// pattern: with the screen drawn, and with nothing drawn (the simulation steps
// alone, as the autopilot and the tests run them).
struct RaceThroughput {
  double drawnFps;
  double simulationFps;
};
RaceThroughput MeasureRaceThroughput(SDL_Surface* screen, int frames);
