// pause_menu.cpp -- the pause menu: resume the race or give it up for the course select
#include "race_scene/pause_menu.h"

#include "core/keymask.h"
#include "core/scene_codes.h"
#include "core/sound_events.h"
#include "gfx/draw.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_result.h"
#include "race/race_state.h"

// Marker rows: resume at y 181, return 37 px lower.
enum { MARKER_Y = 181, MARKER_STEP = 37 };

int32_t GameSelect(SDL_Surface* screen) {
  const uint8_t keys = raceProgram.key_flg = GetMsg();
  if (keys == KEY_QUIT) return SCENE_QUIT;
  // Up and Down share one latch: either flips the selection once per press.
  if (keys & (KEY_UP | KEY_DOWN)) {
    if (latch.UpKeyFlg == 1) {
      latch.UpKeyFlg = 0;
      raceProgram.selectCnt = raceProgram.selectCnt == 1 ? 0 : 1;
      PostSound(SOUND_CURSOR);
    }
  } else {
    latch.UpKeyFlg = 1;
  }
  if (keys & KEY_Z) {  // z is not latched
    PostSound(SOUND_CONFIRM);
    if (raceProgram.selectCnt == 1) {
      StopRaceForLeaving();
      return SCENE_TITLE;
    }
    raceProgram.selectCnt = 0;
    return SCENE_GAME;
  }
  const int32_t y = MARKER_Y + MARKER_STEP * raceProgram.selectCnt;
  DrawBmp(screen, 115, 165, 250, 150, img.selectImage, 0, 0, 250, 150);
  DrawBmp(screen, 120, y, CAR_W, CAR_H, img.carImage, 0, 0, CAR_W, CAR_H);           // frame 0
  DrawBmp(screen, 308, y, CAR_W, CAR_H, img.carImage, 12 * CAR_W, 0, CAR_W, CAR_H);  // frame 12
  return SCENE_PAUSE;
}
