// race_result.cpp -- goal-time decisions, coasting to a stop, the record time, leaving the race
#include "race/race_result.h"

#include "race/car_state.h"
#include "race/ghost_replay.h"
#include "race/race_state.h"
#include "records/data_files.h"
#include "records/record_tables.h"

void DecideGoalTime() {
  const int32_t best = bestTime[race.mapCnt];
  run.storedFlg = 0;
  if (race.mode == 1) {
    if (best == 0 || best > race.Time) {
      race.ReTime = 1;
      run.storedFlg = StoreRun(race.mapCnt) ? 1 : 0;
    }
  } else if (race.mode == 2) {
    if (best > race.Time) {  // a best time of 0 cannot be beaten
      race.ReTime = 1;
      clearFlg[race.course] = 1;
      WriteClearFlags(clearFlg);  // prints its message on failure; the race goes on
    }
  }
}

void CoastStep() {
  if (race.goalFlg != 1) return;
  // 0.15 is a double constant: the step is formed in double and rounded to float.
  float& speed = car[0].speed;
  if (speed > 0) {
    speed = static_cast<float>(speed - 0.15);
    if (speed < 0) speed = 0;
  } else if (speed < 0) {
    speed = static_cast<float>(speed + 0.15);
    if (speed > 0) speed = 0;
  }
}

bool ResultScreenDue() { return race.goalFlg == 1 && car[0].speed < 1.0f; }

void SaveRecordTime() {
  if (race.ReTime != 1) return;
  bestTime[race.mapCnt] = race.Time;
  WriteBestTimes(bestTime);
}

void SaveRecordTimeOnQuit() {
  if (run.storedFlg == 1 && race.goalFlg == 1 && race.ReTime == 1 && race.mode == 1) {
    const int32_t kept = bestTime[race.mapCnt];
    bestTime[race.mapCnt] = race.Time;
    if (!WriteBestTimes(bestTime)) bestTime[race.mapCnt] = kept;
  }
  run.storedFlg = 0;
}

void StopRaceForLeaving() {
  car[0].speed = 0;
  car[1].speed = 0;
  raceProgram.selectCnt = 0;
  race.goalFlg = 0;
  race.readyFlg = 0;  // the next race starts with a setup frame
  run.LoadFlg = 1;    // and loads the slot's stored run again
  run.AiFlg = 0;
}

void LeaveRace() {
  run.storedFlg = 0;
  StopRaceForLeaving();
  car[0].dir = 0;
  car[1].dir = 12;
}
