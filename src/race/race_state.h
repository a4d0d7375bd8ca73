// race_state.h -- the race's program-wide variables, grouped by when they are reset
#pragma once
#include <cstdint>

#include "records/data_files.h"

// What one race start resets (the setup frame), plus the race phase and the
// slot being raced. Lives for the program; every race rewrites it at setup.
struct RaceState {
  int32_t readyFlg;    // 0 not set up (next call runs the setup), 1 countdown, 2 racing
  int32_t rCnt;        // countdown counter, 150 at setup, 2 less per frame, never below 0
  int32_t goalFlg;     // 1: the race is over (goal, time-up or the rival finished)
  int32_t timeUpFlg;   // 1: the race ended without the player's goal
  int32_t Time;        // race clock, +16 per racing frame
  int32_t overTime;    // time left, never below 0
  int32_t checkOkCnt;  // next checkpoint to reach, 0..19
  int32_t mapNum;      // laps completed, 0..3
  int32_t checkCnt;    // next point the authoring key stores, 0..19
  int32_t checkX[CHECKPOINT_COUNT];
  int32_t checkY[CHECKPOINT_COUNT];
  int32_t ReTime;      // 1: the goal time is a record (mode 1) or beat the rival (mode 2)
  int32_t scoreCnt;    // result-screen frames shown, capped at 200
  uint32_t wayColor;   // raw road pixel of the course
  uint32_t goalColor;  // raw goal-stripe pixel
  int32_t mapX, mapY;  // world position of the view's top-left corner
  int32_t mapCnt;      // record slot of this race (as passed to Game)
  int32_t mode;        // 1 ghost, 2 rival
  int32_t course;      // CourseOfSlot(mapCnt)
  // 1 when this race has a second car: the slot has a best time and its stored
  // run was read. Without one there is nothing to draw, hit or lose against.
  int32_t secondCarFlg;
};

// The recorded run and the stored run. The arrays and LoadFlg live for the
// program; SaveCnt, SaveFlg and AiFlg are reset at setup, RunCnt and LoadCnt
// when a stored run is loaded.
struct RunState {
  int32_t SaveX[RUN_CAPACITY], SaveY[RUN_CAPACITY], SaveAng[RUN_CAPACITY];
  // Racing frames recorded so far. Keeps counting past RUN_CAPACITY, but only
  // the first RUN_CAPACITY entries are kept.
  int32_t SaveCnt;
  int32_t SaveFlg;  // recording is on
  int32_t LoadX[RUN_CAPACITY], LoadY[RUN_CAPACITY], LoadAng[RUN_CAPACITY];
  int32_t LoadCnt;  // entries of the stored run, 0..RUN_CAPACITY
  int32_t RunCnt;   // next entry to replay
  int32_t AiFlg;    // replay is on
  int32_t LoadFlg;  // a stored run may be loaded at the next race start; 1 at program start
  // 1 from the goal of a mode-1 record whose run files were written until the
  // race is left: the run is on disk, its best time not yet.
  int32_t storedFlg;
};

// Skid-mark history: entry 0 the newest point, entry 1 the one before.
// Emptied at every race start.
struct SkidState {
  int32_t RDAnimeGX[2], RDAnimeGY[2];  // world, wheel at heading + 195
  int32_t LDAnimeGX[2], LDAnimeGY[2];  // world, wheel at heading + 165
  float DAnimeFlg[2];                  // 1.0 when the entry holds a point
  int32_t DAnimeLen;                   // filled entries from entry 0
  int32_t RDAnimeLX[2], RDAnimeLY[2];  // screen positions, every frame
  int32_t LDAnimeLX[2], LDAnimeLY[2];
};

// Kept for the whole program, never reset by a race.
struct RaceProgramState {
  uint8_t key_flg;    // this frame's KeyMask, for the race and the pause menu
  int32_t selectCnt;  // pause-menu entry: 0 resume, 1 back to the course select
  float dmgAng;       // last push direction of the rival contact, degrees
  float textkaku;     // slope between rival and player that gave dmgAng
};

// How the program was started, set once from the command line; no reset
// touches it.
struct RaceOptions {
  // 1 with --author: only then does key a store checkpoints. 0 by default,
  // so a stray a in a normal race does nothing.
  int32_t authorFlg;
};

extern RaceState race;
extern RunState run;
extern SkidState skid;
extern RaceProgramState raceProgram;
extern RaceOptions raceOptions;

// Puts every race record back to its program-start value (readyFlg 0,
// LoadFlg 1, everything else 0).
void ResetRaceState();

// Puts everything the core keeps between frames back to program start: the
// race records, both cars, the edge latches, the best times and cleared flags,
// and the sound queue (emptied). The game itself never calls it; tests, the
// bench and the autopilot start from it (through ResetProgramState when they
// run the whole game).
void ResetCoreState();
