// race_end.h -- goal-time decisions, finish banners, coasting, fade and the result screen
#pragma once
#include <SDL.h>

#include <cstdint>

// In the frame the third lap completes. Mode 1: a record when the slot's best
// time is 0 or larger than Time (the run is stored at once). Mode 2: a win
// when the best time is larger than Time (the cleared flags are written at once).
void DecideGoalTime();

// While goalFlg is 1: the finish banner of the mode and outcome, the speed
// run down by 0.15 toward 0, and the fade veil once speed is below 1.0.
void FinishStep(SDL_Surface* screen);

// True when the race call must now run the result screen.
bool ResultScreenDue();

// A quit request in a race frame: returns 6. After the goal of a mode-1
// record whose run was stored, the new best time is saved first, so the stored
// run keeps the time it was driven in (z would have saved it).
int32_t QuitRace();

// The result screen's own frames inside one race call: reveals the best time
// and race time, z leaves (saving a record's best time first). Returns 1 on
// leaving, 6 on a quit request. Each pass is presented with PresentFrame.
int32_t ResultScreen(SDL_Surface* screen);

// Leaving a race, from the result screen or the pause menu: both cars stopped,
// the pause cursor back on resume, replay off, and the race flags set so that
// the next race starts with a setup frame and loads its stored run.
void StopRaceForLeaving();

// The result screen's leaving step: StopRaceForLeaving, and the cars faced
// right and left for the front end.
void LeaveRace();
