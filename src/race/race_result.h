// race_result.h -- what the end of a race decides: the goal time, the coasting stop, and leaving the race
#pragma once
#include <cstdint>

// In the frame the third lap completes. Mode 1: a record when the slot's best
// time is 0 or larger than Time (the run is stored at once). Mode 2: a win
// when the best time is larger than Time (the cleared flags are written at once).
void DecideGoalTime();

// While goalFlg is 1: the player's speed runs down by 0.15 toward 0.
void CoastStep();

// True once the race is over and the car has all but stopped: the race call
// must now run the result screen.
bool ResultScreenDue();

// The result screen's confirm: a record's time becomes the slot's best time
// and is written (the writer prints its message on failure; the player still
// leaves).
void SaveRecordTime();

// A quit request in a race frame: after the goal of a mode-1 record whose run
// was stored, the new best time is saved first, so the stored run keeps the
// time it was driven in (z would have saved it). A run that could not be
// stored leaves the old time, which still belongs to the old run.
void SaveRecordTimeOnQuit();
// Leaving a race, from the result screen or the pause menu: both cars stopped,
// the pause cursor back on resume, replay off, and the race flags set so that
// the next race starts with a setup frame and loads its stored run.
void StopRaceForLeaving();

// The result screen's leaving step: StopRaceForLeaving, and the cars faced
// right and left for the front end.
void LeaveRace();
