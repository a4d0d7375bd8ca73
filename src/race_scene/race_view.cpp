// race_view.cpp -- what one race frame shows: course view, cars, HUD, countdown and banner
#include "race_scene/race_view.h"

#include "core/sound_events.h"
#include "core/track_table.h"
#include "gfx/digits.h"
#include "gfx/draw.h"
#include "gfx/images.h"
#include "race/camera.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race_scene/race_scene_state.h"
#include "records/record_tables.h"

void DrawCourse(SDL_Surface* screen) {
  DrawBmp(screen, 0, 0, RACE_VIEW, RACE_VIEW, img.bbMap, race.mapX, race.mapY, RACE_VIEW, RACE_VIEW);
}

void DrawCars(SDL_Surface* screen) {
  const CarState& p = car[0];
  if (race.secondCarFlg && bestTime[race.mapCnt] != 0) {
    CarState& s = car[1];
    const int32_t frame = static_cast<int32_t>(s.dir);
    if (race.mode == 1) {
      const int32_t dx = p.dispX - s.dispX;
      const int32_t dy = p.dispY - s.dispY;
      const int32_t d2 = dx * dx + dy * dy;
      // The ghost fades in with distance and is at most 150 opaque.
      s.alpha = d2 / 20.0f;
      if (s.alpha > 150.0f) s.alpha = 150.0f;
      DrawBmp2(screen, s.dispX, s.dispY, CAR_W, CAR_H, img.carImage, CAR_W * frame, 0, CAR_W, CAR_H,
               static_cast<uint8_t>(static_cast<int32_t>(s.alpha)));
    } else {
      DrawBmp(screen, s.dispX, s.dispY, CAR_W, CAR_H, img.EcarImage, CAR_W * frame, 0, CAR_W, CAR_H);
    }
  }
  const int32_t frame = static_cast<int32_t>(p.dir);
  DrawBmp2(screen, p.dispX, p.dispY, CAR_W, CAR_H, img.carImage, CAR_W * frame, 0, CAR_W, CAR_H, 255);
}

void DrawHud(SDL_Surface* screen) {
  draw_number(screen, 150, 0, 2, 100, race.overTime / 1000, 1);
  draw_number(screen, 0, 0, 3, 10, race.mapNum, 1);
  DrawBmp(screen, 32, 0, 32, 42, img.numImage2, 352, 42, 32, 42);  // slash
  draw_number(screen, 64, 0, 3, 10, 3, 1);                         // three laps in all
  DrawBmp(screen, 320, 15, 46, 20, img.numImage2, 421, 43, 46, 20);
  DrawTime(screen, 300, 35, bestTime[race.mapCnt], 1);
  DrawBmp(screen, 320, 57, 46, 20, img.numImage2, 421, 63, 46, 20);
  DrawTime(screen, 300, 77, race.Time, 1);
}

CountdownDigit CountdownDigitFor(int32_t rCnt, int32_t dispX, int32_t dispY) {
  CountdownDigit d;
  d.m = rCnt % 31;  // 31, not 30: the zoom runs out of step with the cells
  d.cell = 4 - rCnt / 30;
  d.w = 90 - 3 * d.m;
  d.h = (3240 - 108 * d.m) / 31;
  d.x = dispX - d.w / 2;
  d.y = dispY - (3240 - 108 * d.m) / 62;
  return d;
}

static void HearCue(int32_t cue) {
  if (cue == raceScene.heardCue) return;
  raceScene.heardCue = cue;
  PostSound(cue == 4 ? SOUND_GO : SOUND_TICK);
}

void DrawCountdownAndBanner(SDL_Surface* screen) {
  const CarState& p = car[0];
  if (race.readyFlg == 1 && race.rCnt > 30) {
    const CountdownDigit d = CountdownDigitFor(race.rCnt, p.dispX, p.dispY);
    HearCue(d.cell);
    DrawBmp(screen, d.x, d.y, d.w, d.h, img.numImage, 31 * d.cell, 0, 31, 36);
  }
  if (race.readyFlg == 2 && race.rCnt > 0) {
    HearCue(4);
    const TrackRow& t = kTrack[race.course];
    // Fixed to the course at (InitX - 82, InitY - 33): it scrolls away with the start.
    const int32_t x = static_cast<int32_t>(p.dispX + t.InitX - p.posX - 82.0);
    const int32_t y = static_cast<int32_t>(p.dispY + t.InitY - p.posY - 33.0);
    DrawBmp2(screen, x, y, 185, 65, img.numImage, 0, 47, 185, 65, static_cast<uint8_t>(StartBannerAlpha(race.rCnt)));
  }
}
