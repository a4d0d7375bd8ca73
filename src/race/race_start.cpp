// race_start.cpp -- a race set up from the track table and files, the start countdown, pausing
#include "race/race_start.h"

#include <cstdio>

#include "core/keymask.h"
#include "core/track_table.h"
#include "race/car_state.h"
#include "race/ghost_replay.h"
#include "race/race_state.h"
#include "race/skid_marks.h"
#include "records/data_files.h"

enum {
  RCNT_START = 150,  // 60 countdown frames at 2 per frame down to below 30
  RCNT_GO = 30,
};

static void ResetRace(int32_t course) {
  const TrackRow& t = kTrack[course];
  race.rCnt = RCNT_START;
  race.checkCnt = 0;
  run.SaveCnt = 0;
  race.readyFlg = 1;
  race.ReTime = 0;
  race.timeUpFlg = 0;
  race.goalFlg = 0;
  race.overTime = t.InitOverTime;
  race.scoreCnt = 0;
  run.SaveFlg = 0;
  run.AiFlg = 0;
  car[0].speed = 0;
  car[0].posX = t.InitX;
  car[0].posY = t.InitY;
  race.Time = 0;
  race.checkOkCnt = 0;
  race.mapNum = 0;
}

void NameRace(int32_t mapCnt, int32_t mode) {
  race.mapCnt = mapCnt;
  race.mode = mode;
  race.course = CourseOfSlot(mapCnt);
  std::printf("mapCnt=%d\n", mapCnt);
}

bool StartRace() {
  ResetRace(race.course);
  const TrackRow& t = kTrack[race.course];
  car[1].posX = race.mode == 2 ? t.InitAX : car[0].posX;
  car[1].posY = race.mode == 2 ? t.InitAY : car[0].posY;
  if (!ReadCheckpoints(race.course, race.checkX, race.checkY)) return false;  // the reader printed why
  ClearSkidHistory();
  LoadStoredRun(race.mapCnt);
  return true;
}

void CountdownStep() {
  if (race.readyFlg == 1) {
    race.rCnt -= 2;
    if (race.rCnt < RCNT_GO) {
      race.readyFlg = 2;
      run.SaveFlg = 1;
      run.AiFlg = 1;
    }
  }
  if (race.readyFlg == 2) {
    race.rCnt -= 2;
    if (race.rCnt < 0) race.rCnt = 0;
  }
}

bool PauseKeyStep(uint8_t keys) {
  if (!(keys & KEY_X)) {
    latch.DownKeyFlg = 1;
    return false;
  }
  if (latch.DownKeyFlg == 1 && race.goalFlg != 1) {
    latch.DownKeyFlg = 0;
    return true;
  }
  return false;
}
