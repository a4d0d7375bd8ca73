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
  std::memset(&race, 0, sizeof race);
  std::memset(&run, 0, sizeof run);
  std::memset(&skid, 0, sizeof skid);
  std::memset(&raceProgram, 0, sizeof raceProgram);
  run.LoadFlg = 1;
}
