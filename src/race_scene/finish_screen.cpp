// finish_screen.cpp -- the finish banner, the fade and the result screen's own frames
#include "race_scene/finish_screen.h"

#include "core/keymask.h"
#include "core/scene_codes.h"
#include "core/sound_events.h"
#include "gfx/digits.h"
#include "gfx/draw.h"
#include "gfx/images.h"
#include "gfx/present.h"
#include "race/car_state.h"
#include "race/race_result.h"
#include "race/race_state.h"
#include "race_scene/race_scene_state.h"
#include "records/record_tables.h"

enum { SCORE_CNT_MAX = 200 };

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

static SoundId BannerSound() {
  if (race.mode == 1) return race.timeUpFlg == 0 ? SOUND_FINISH : SOUND_TIMEUP;
  if (race.timeUpFlg == 1) return SOUND_LOSE;
  return race.ReTime == 1 ? SOUND_WIN : SOUND_FINISH;
}

void FinishStep(SDL_Surface* screen) {
  if (race.goalFlg != 1) {
    raceScene.bannerHeard = false;
    return;
  }
  if (!raceScene.bannerHeard) PostSound(BannerSound());
  raceScene.bannerHeard = true;
  const Banner b = FinishBanner();
  DrawBmp(screen, b.x, b.y, b.w, b.h, img.finishImage, b.sx, b.sy, b.w, b.h);
  // The race's coasting step has run this frame: the veil follows the slowed car.
  if (car[0].speed < 1.0f) DrawBmp2(screen, 0, 0, 480, 480, img.fullImage, 0, 0, 480, 480, 150);
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

int32_t ResultScreen(SDL_Surface* screen) {
  const int32_t shownBest = bestTime[race.mapCnt];
  for (;;) {
    raceProgram.key_flg = GetMsg();
    if (raceProgram.key_flg == KEY_QUIT) {
      SaveRecordTimeOnQuit();
      return SCENE_QUIT;
    }
    race.scoreCnt += 1;
    if (race.scoreCnt > SCORE_CNT_MAX) race.scoreCnt = SCORE_CNT_MAX;
    if (raceProgram.key_flg & KEY_Z) {  // not latched: held from before still confirms
      SaveRecordTime();
      PostSound(SOUND_CONFIRM);
      LeaveRace();
      return SCENE_TITLE;
    }
    // The record banner shows from result frame 76 on.
    if (race.scoreCnt == 76 && race.ReTime == 1 && race.mode == 1) PostSound(SOUND_RECORD);
    DrawResultRows(screen, shownBest);
    screen = PresentFrame(screen);
  }
}
