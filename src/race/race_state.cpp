// race_state.cpp -- storage of the race's program-wide records
#include "race/race_state.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/keymask.h"
#include "core/sound_events.h"
#include "race/car_state.h"
#include "records/record_tables.h"

RaceState race = {};
// Field order: SaveX SaveY SaveAng SaveCnt SaveFlg LoadX LoadY LoadAng LoadCnt
// RunCnt AiFlg LoadFlg storedFlg. LoadFlg starts at 1 so the first race loads its run.
RunState run = {{}, {}, {}, 0, 0, {}, {}, {}, 0, 0, 0, 1, 0};
SkidState skid = {};
RaceProgramState raceProgram = {};
RaceOptions raceOptions = {};

void ResetRaceState() {
  race = RaceState{};
  std::memset(&run, 0, sizeof run);  // all integers; too big for a temporary
  skid = SkidState{};
  raceProgram = RaceProgramState{};
  run.LoadFlg = 1;
}

void ResetCoreState() {
  ResetRaceState();
  car[0] = car[1] = CarState{};
  ResetKeyLatches();
  std::fill(std::begin(bestTime), std::end(bestTime), 0);
  std::fill(std::begin(clearFlg), std::end(clearFlg), 0);
  SoundEvent drained[SOUND_QUEUE_SIZE];
  TakeSoundEvents(drained);
}
