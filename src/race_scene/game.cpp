// game.cpp -- the race scene: the setup frame, the frame's rules, then what it shows
#include "race_scene/game.h"

#include <cstdio>

#include "core/keymask.h"
#include "core/scene_codes.h"
#include "gfx/images.h"
#include "race/race_frame.h"
#include "race/race_result.h"
#include "race/race_start.h"
#include "race/race_state.h"
#include "race_scene/course_colours.h"
#include "race_scene/finish_screen.h"
#include "race_scene/race_view.h"
#include "race_scene/skid_draw.h"

// The setup frame: the slot, the course colours from the colour sample, then
// the race's own start. False, after a line saying why, when the race cannot run.
static bool SetupRace(int32_t mapCnt, int32_t mode) {
  NameRace(mapCnt, mode);
  if (!img.mapImage || !img.bbMap) {
    std::puts("course image missing: leaving the race");
    return false;
  }
  if (!TakeCourseColours(img.checkImage, race.course, img.mapImage)) {
    std::puts("colour sample image missing or too small: leaving the race");
    return false;
  }
  return StartRace();
}

int32_t Game(SDL_Surface* screen, int32_t mapCnt, int32_t mode) {
  // Keyboard, once per frame.
  const uint8_t keys = raceProgram.key_flg = GetMsg();
  if (keys == KEY_QUIT) {
    SaveRecordTimeOnQuit();  // after a record's goal, its run keeps its time
    return SCENE_QUIT;
  }
  // Setup frame. A race that cannot run goes back to the course select, and
  // the next call tries the setup again.
  if (race.readyFlg == 0 && !SetupRace(mapCnt, mode)) {
    race.readyFlg = 0;
    return SCENE_TITLE;
  }
  // Clock, countdown, pause, keys, recording, checkpoints, goal, replay,
  // movement, contact, camera and coasting.
  if (RaceFrame(keys, CourseViewOf(img.mapImage)) == SCENE_PAUSE) return SCENE_PAUSE;
  // Course view, then this frame's skid marks into bbMap.
  DrawCourse(screen);
  if (race.readyFlg == 2) DrawSkidMarks(img.bbMap);
  // Cars and HUD.
  DrawCars(screen);
  DrawHud(screen);
  // Countdown digit and start banner.
  DrawCountdownAndBanner(screen);
  // Finish banner and fade.
  FinishStep(screen);
  // The result screen once the race is over and the car has all but stopped.
  if (ResultScreenDue()) return ResultScreen(screen);
  return SCENE_GAME;
}
