// race_start.h -- the setup frame, the countdown and the pause key of a race
#pragma once
#include <cstdint>

// The setup frame of a race on slot mapCnt in mode 1 or 2: prints
// "mapCnt=<slot>", takes the course colours, resets the race, places both
// cars, reads the checkpoints, empties the skid history and loads the stored
// run. Returns false when the race cannot be run (course images or colour
// sample missing, checkpoint file unreadable); a line saying why has then been
// printed and the caller leaves the race.
bool SetupRace(int32_t mapCnt, int32_t mode);

// rCnt -= 2 while counting down; below 30 racing starts (recording and replay
// on); while racing rCnt -= 2 down to 0.
void CountdownStep();

// The pause key x, latched on DownKeyFlg. True when the race must pause now
// (never once the race is over).
bool PauseKeyStep(uint8_t keys);
