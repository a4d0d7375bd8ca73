// race_end.cpp -- what happens once the race is over, up to the return to the course select
#include "race/race_end.h"

#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/sound_events.h"
#include "gfx/digits.h"
#include "gfx/draw.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/ghost_replay.h"
#include "race/race_state.h"
#include "records/record_tables.h"

enum { SCORE_CNT_MAX = 200 };

// True from the goal of a mode-1 record whose run was stored until the race
// is left: the slot's run files hold this race, its best time file not yet.
static bool recordRunStored = false;

void DecideGoalTime() {
  const int32_t best = bestTime[race.mapCnt];
  recordRunStored = false;
  if (race.mode == 1) {
    if (best == 0 || best > race.Time) {
      race.ReTime = 1;
      recordRunStored = StoreRun(race.mapCnt);
    }
  } else if (race.mode == 2) {
    if (best > race.Time) {  // a best time of 0 cannot be beaten
      race.ReTime = 1;
      clearFlg[race.course] = 1;
      WriteClearFlags(clearFlg);  // prints its message on failure; the race goes on
    }
  }
}

// Sheet position and screen rectangle of a finish banner.
struct Banner {
  int32_t x, y, w, h, sx, sy;
};

static Banner FinishBanner() {
  if (race.mode == 1 && race.timeUpFlg == 0) return {52, 100, 376, 75, 0, 0};
  if (race.mode == 1) return {93, 100, 294, 46, 0, 262};
  if (race.timeUpFlg == 0) return {93, 100, 294, 46, 0, 167};
  return {93, 100, 294, 46, 0, 214};
}

// The stinger of the banner in the frame it first shows. bannerHeard is only
// for the sound: set with the first banner frame, cleared in any race frame
// before the race is over.
static bool bannerHeard = false;

static SoundId BannerSound() {
  if (race.mode == 1) return race.timeUpFlg == 0 ? SOUND_FINISH : SOUND_TIMEUP;
  if (race.timeUpFlg == 1) return SOUND_LOSE;
  return race.ReTime == 1 ? SOUND_WIN : SOUND_FINISH;
}

void FinishStep(SDL_Surface* screen) {
  if (race.goalFlg != 1) {
    bannerHeard = false;
    return;
  }
  if (!bannerHeard) PostSound(BannerSound());
  bannerHeard = true;
  const Banner b = FinishBanner();
  DrawBmp(screen, b.x, b.y, b.w, b.h, img.finishImage, b.sx, b.sy, b.w, b.h);
  // Coasting: 0.15 per frame toward a standstill.
  float& speed = car[0].speed;
  if (speed > 0) {
    speed = static_cast<float>(speed - 0.15);
    if (speed < 0) speed = 0;
  } else if (speed < 0) {
    speed = static_cast<float>(speed + 0.15);
    if (speed > 0) speed = 0;
  }
  if (speed < 1.0f) DrawBmp2(screen, 0, 0, 480, 480, img.fullImage, 0, 0, 480, 480, 150);
}

bool ResultScreenDue() { return race.goalFlg == 1 && car[0].speed < 1.0f; }

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
  recordRunStored = false;
  StopRaceForLeaving();
  car[0].dir = 0;
  car[1].dir = 12;
}

// The rows revealed so far; the best time shown is the one from before this race.
static void DrawResultRows(SDL_Surface* screen, int32_t shownBest) {
  if (race.scoreCnt > 15) DrawBmp(screen, 0, 200, 187, 41, img.numImage2, 0, 170, 187, 41);
  if (race.scoreCnt > 30) DrawTime(screen, 162, 200, shownBest, 0);
  if (race.scoreCnt > 60) DrawBmp(screen, 0, 241, 187, 41, img.numImage2, 196, 170, 187, 41);
  if (race.scoreCnt > 75) {
    if (race.ReTime == 1) {
      if (race.mode == 1) DrawBmp(screen, 52, 350, 376, 35, img.finishImage, 0, 75, 376, 35);
      DrawTime(screen, 162, 241, race.Time, 4);
    } else {
      DrawTime(screen, 162, 241, race.Time, 0);
    }
  }
}

int32_t QuitRace() {
  // The run stored at the goal is only raced against with its own time: a
  // quit before z would leave the old, slower best time beside the new run.
  if (recordRunStored && race.goalFlg == 1 && race.ReTime == 1 && race.mode == 1) {
    const int32_t kept = bestTime[race.mapCnt];
    bestTime[race.mapCnt] = race.Time;
    if (!WriteBestTimes(bestTime)) bestTime[race.mapCnt] = kept;
  }
  recordRunStored = false;
  return 6;
}

int32_t ResultScreen(SDL_Surface* screen) {
  const int32_t shownBest = bestTime[race.mapCnt];
  for (;;) {
    raceProgram.key_flg = GetMsg();
    if (raceProgram.key_flg == KEY_QUIT) return QuitRace();
    race.scoreCnt += 1;
    if (race.scoreCnt > SCORE_CNT_MAX) race.scoreCnt = SCORE_CNT_MAX;
    if (raceProgram.key_flg & KEY_Z) {  // not latched: held from before still confirms
      if (race.ReTime == 1) {
        bestTime[race.mapCnt] = race.Time;
        // On failure the writer prints its message; the player still leaves.
        WriteBestTimes(bestTime);
      }
      PostSound(SOUND_CONFIRM);
      LeaveRace();
      return 1;
    }
    // The record banner shows from result frame 76 on.
    if (race.scoreCnt == 76 && race.ReTime == 1 && race.mode == 1) PostSound(SOUND_RECORD);
    DrawResultRows(screen, shownBest);
    screen = PresentFrame(screen);
  }
}
