// checkpoints.cpp -- the race clock, checkpoint order, lap count and checkpoint authoring
#include "race/checkpoints.h"

#include "core/keymask.h"
#include "core/sound_events.h"
#include "core/track_table.h"
#include "race/car_model.h"
#include "race/race_result.h"
#include "race/race_state.h"

void RaceClockStep() {
  if (race.readyFlg != 2 || race.goalFlg == 1) return;
  race.Time += CLOCK_STEP;
  race.overTime -= CLOCK_STEP;
  if (race.overTime < 0) {  // exactly 0 is still racing; time-up comes a frame later
    race.overTime = 0;
    race.timeUpFlg = 1;
    race.goalFlg = 1;
  }
}

void CheckpointStep() {
  const int k = race.checkOkCnt;
  const float dx = car[0].posX - race.checkX[k];
  const float dy = car[0].posY - race.checkY[k];
  // Compared as a float: truncating first gives the same answer for every
  // distance that fits in 32 bits, and a point read from a damaged file far
  // off the course must not wrap round to a negative distance and count.
  const float d2 = dx * dx + dy * dy;
  if (d2 < 7000.0f) {  // a radius of about 83.7 px
    race.checkOkCnt += 1;
    if (race.checkOkCnt > 18) race.checkOkCnt = 19;  // point 19 is stored but never needed
  }
}

void GoalStep() {
  if (race.checkOkCnt != 19) return;
  int32_t px, py;
  GoalProbe(car[0].posX, car[0].posY, car[0].dir, &px, &py);
  if (!InGoalRect(race.course, px, py)) return;
  if (race.mapNum == 2) {
    race.mapNum = 3;
    race.goalFlg = 1;
    DecideGoalTime();
  }
  if (race.mapNum == 0 || race.mapNum == 1) {
    race.checkOkCnt = 0;
    race.mapNum += 1;
    PostSound(SOUND_LAP);
  }
}

void AuthoringKeyStep(uint8_t keys) {
  // The key sits beside z and x: outside the authoring mode a stray press
  // would move the checkpoints of the running race and overwrite the course's file.
  if (raceOptions.authorFlg != 1) return;
  if (!(keys & KEY_A)) {
    latch.checkKeyFlg = 1;
    return;
  }
  if (latch.checkKeyFlg != 1) return;
  latch.checkKeyFlg = 0;
  race.checkX[race.checkCnt] = static_cast<int32_t>(car[0].posX);
  race.checkY[race.checkCnt] = static_cast<int32_t>(car[0].posY);
  race.checkCnt += 1;
  if (race.checkCnt > 19) {
    race.checkCnt = 19;
    // The writer prints its message on failure; the race goes on either way.
    WriteCheckpoints(race.course, race.checkX, race.checkY);
  }
}
