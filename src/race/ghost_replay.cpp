// ghost_replay.cpp -- the recorded run, the stored run files and the second car's replay
#include "race/ghost_replay.h"

#include "core/track_table.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race/skid_marks.h"
#include "records/record_tables.h"

// A stored run is a text file anyone can edit. Its positions are kept within
// one course size beyond each edge and its facing among the 24 frames, so the
// screen positions, distances and sheet offsets worked out from the second
// car stay small; every entry the game itself writes is left as it is.
static float WithinReach(int32_t v, int32_t size) {
  if (v < -size) return static_cast<float>(-size);
  if (v > 2 * size) return static_cast<float>(2 * size);
  return static_cast<float>(v);
}

static float FacingFrame(int32_t ang) {
  const int32_t frame = ang % 24;
  return static_cast<float>(frame < 0 ? frame + 24 : frame);
}

static void PlaceSecondCar(int32_t entry) {
  car[1].posX = WithinReach(run.LoadX[entry], COURSE_W);
  car[1].posY = WithinReach(run.LoadY[entry], COURSE_H);
  car[1].dir = FacingFrame(run.LoadAng[entry]);
}

void LoadStoredRun(int32_t slot) {
  race.secondCarFlg = 0;
  if (bestTime[slot] == 0) return;  // no time stored: nothing to race against
  if (run.LoadFlg != 1) {
    // Still holding the run loaded at an earlier start of this race.
    race.secondCarFlg = run.LoadCnt > 0;
    return;
  }
  run.LoadFlg = 0;
  run.RunCnt = 0;
  run.LoadCnt = 0;
  int32_t count = 0;
  if (!ReadRunCount(slot, &count)) return;  // clamped to 0..RUN_CAPACITY by the reader
  if (!ReadRunEntries(slot, count, run.LoadX, run.LoadY, run.LoadAng)) return;
  run.LoadCnt = count;
  if (run.LoadCnt == 0) return;  // an empty run is no rival either
  race.secondCarFlg = 1;
  PlaceSecondCar(0);
}

void RecordStep() {
  if (run.SaveFlg != 1) return;
  if (run.SaveCnt < RUN_CAPACITY) {
    run.SaveX[run.SaveCnt] = static_cast<int32_t>(car[0].posX);
    run.SaveY[run.SaveCnt] = static_cast<int32_t>(car[0].posY);
    run.SaveAng[run.SaveCnt] = static_cast<int32_t>(car[0].dir);
  }
  run.SaveCnt += 1;
  SkidSpawnStep();
}

bool StoreRun(int32_t slot) {
  if (run.SaveFlg != 1) return false;
  run.SaveFlg = 0;
  run.SaveCnt -= 1;  // the goal frame's own entry is not part of the run
  // A run longer than the arrays keeps its first RUN_CAPACITY entries.
  const int32_t count = run.SaveCnt < RUN_CAPACITY ? run.SaveCnt : RUN_CAPACITY;
  return WriteRun(slot, count, run.SaveX, run.SaveY, run.SaveAng);
}

void ReplayStep() {
  if (run.AiFlg != 1 || !race.secondCarFlg) return;
  if (run.RunCnt < run.LoadCnt) {
    PlaceSecondCar(run.RunCnt);
    run.RunCnt += 1;
  } else if (race.mode == 2 && race.mapNum != 3) {
    race.timeUpFlg = 1;  // the rival finished first
    race.goalFlg = 1;
  }
}
