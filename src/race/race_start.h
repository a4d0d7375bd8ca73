// race_start.h -- the setup frame, the countdown and the pause key of a race
#pragma once
#include <cstdint>

// The setup frame of a race on slot mapCnt in mode 1 or 2 comes in two
// halves around the course colours, which the game takes from its images:
// NameRace records the slot, mode and course and prints "mapCnt=<slot>";
// StartRace resets the race, places both cars, reads the checkpoints, empties
// the skid history and loads the stored run. StartRace returns false when the
// checkpoint file cannot be read (the reader printed its line); the caller
// then leaves the race.
void NameRace(int32_t mapCnt, int32_t mode);
bool StartRace();

// rCnt -= 2 while counting down; below 30 racing starts (recording and replay
// on); while racing rCnt -= 2 down to 0.
void CountdownStep();

// The pause key x, latched on DownKeyFlg. True when the race must pause now
// (never once the race is over).
bool PauseKeyStep(uint8_t keys);
