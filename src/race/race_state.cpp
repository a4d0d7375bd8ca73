// race_state.cpp -- storage of the race's program-wide records
#include "race/race_state.h"

#include <cstring>

RaceState race = {};
// Field order: SaveX SaveY SaveAng SaveCnt SaveFlg LoadX LoadY LoadAng LoadCnt
// RunCnt AiFlg LoadFlg. LoadFlg starts at 1 so the first race loads its run.
RunState run = {{}, {}, {}, 0, 0, {}, {}, {}, 0, 0, 0, 1};
SkidState skid = {};
RaceProgramState raceProgram = {};

void ResetRaceState() {
  race = RaceState{};
  std::memset(&run, 0, sizeof run);  // all integers; too big for a temporary
  skid = SkidState{};
  raceProgram = RaceProgramState{};
  run.LoadFlg = 1;
}
