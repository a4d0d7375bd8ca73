// ghost_replay.h -- recording the player's run, storing it, and replaying the slot's stored run
#pragma once
#include <cstdint>

// Setup step: when LoadFlg is 1 and the slot has a best time, reads the
// slot's run into LoadX/LoadY/LoadAng and places the second car on entry 0.
// Sets secondCarFlg: 1 only when a non-empty run was read (or, with LoadFlg
// 0, one is still held from before). A file that cannot be read prints its
// message (the reader does) and the race goes on without a second car.
void LoadStoredRun(int32_t slot);

// While SaveFlg is 1: stores the player's truncated posX, posY, dir as entry
// SaveCnt (only while it fits the capacity) and counts it; then the skid spawn.
void RecordStep();

// Mode-1 record at the goal, while SaveFlg is 1: recording stops, the goal
// frame's entry is dropped and the run (at most RUN_CAPACITY entries) is
// written to the slot's files. A failed write is printed and the race goes on.
// True when the run's files now hold this run.
bool StoreRun(int32_t slot);

// While AiFlg is 1 and the race has a second car: places it on entry RunCnt.
// An exhausted path in mode 2 ends the race as a loss unless the third lap
// is already complete.
void ReplayStep();
