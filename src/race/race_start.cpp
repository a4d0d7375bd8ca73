// race_start.cpp -- race setup from the track table and files, the start countdown, pausing
#include "race/race_start.h"

#include <cstdio>

#include "app/keyboard.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/ghost_replay.h"
#include "race/race_state.h"
#include "race/skid_marks.h"
#include "race/track_collision.h"
#include "race/track_table.h"

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

bool SetupRace(int32_t mapCnt, int32_t mode) {
  const int32_t course = mapCnt % 6;
  race.mapCnt = mapCnt;
  race.mode = mode;
  race.course = course;
  std::printf("mapCnt=%d\n", mapCnt);
  if (!img.mapImage || !img.bbMap) {
    std::puts("course image missing: leaving the race");
    return false;
  }
  if (!TakeCourseColours(img.checkImage, course, img.mapImage)) {
    std::puts("colour sample image missing or too small: leaving the race");
    return false;
  }
  ResetRace(course);
  const TrackRow& t = kTrack[course];
  car[1].posX = mode == 2 ? t.InitAX : car[0].posX;
  car[1].posY = mode == 2 ? t.InitAY : car[0].posY;
  if (!ReadCheckpoints(course, race.checkX, race.checkY)) return false;  // the reader printed why
  ClearSkidHistory();
  LoadStoredRun(mapCnt);
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
    DownKeyFlg = 1;
    return false;
  }
  if (DownKeyFlg == 1 && race.goalFlg != 1) {
    DownKeyFlg = 0;
    return true;
  }
  return false;
}
