// checkpoints.h -- race clock, checkpoints, laps, the goal line and the authoring key
#pragma once
#include <cstdint>

// Race-clock milliseconds added per racing frame (a frame lasts 25 ms: the
// clock runs at 0.64 of wall time).
enum { CLOCK_STEP = 16 };

// While racing and not over: Time += 16, overTime -= 16; below 0 is time-up.
void RaceClockStep();

// Advances checkOkCnt (stopping at 19) when the player's position is within
// the truncated squared distance 7000 of checkpoint checkOkCnt.
void CheckpointStep();

// Once checkOkCnt is 19: a goal hit counts a lap; the third ends the race and
// runs the goal-time decisions (record, run files, cleared flag).
void GoalStep();

// Key a, with raceOptions.authorFlg 1 (the program started with --author): stores the car's position as point checkCnt;
// from the twentieth press on writes all 20 points to the checkpoint file of the course driven. With authorFlg 0 it
// does nothing at all.
void AuthoringKeyStep(uint8_t keys);
