// course_select.cpp -- the course strip: unlocking, scrolling, and the zoom into the chosen course
#include <cstdio>

#include "core/keymask.h"
#include "core/scene_codes.h"
#include "core/sound_events.h"
#include "core/track_table.h"
#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "records/data_files.h"
#include "records/file_gate.h"
#include "records/record_tables.h"

static const int32_t kStripOpenH = 96;   // thumbnail height: the strip is open
static const int32_t kThumbPitch = 152;  // 128-pixel thumbnail plus a 24-pixel gap
static const int32_t kRestThumbX = 176;  // screen x of the selected thumbnail at rest
static const int32_t kStripY = 100;

// Every cleared course opens the next one in order; courses 0..2 are always open.
static void unlockCourses() {
  int32_t cleared = 0;
  for (int k = 0; k < COURSE_COUNT; ++k) cleared += clearFlg[k] != 0 ? 1 : 0;
  fe.clearCnt = cleared > 5 ? 5 : cleared;
  for (int k = 0; k <= fe.clearCnt; ++k) fe.mapRunFlg[k] = 1;
}

static void openStrip(int32_t* mapCnt) {
  if (fe.mapIH == 0) fe.recordReadErrorShown = false;  // a new opening
  fe.mapIH += 15;
  car[0].dispX = 121;  // the race may have moved the props; put them back beside the menu
  car[1].dispX = 307;
  // A record file that is missing (a fresh install) or unreadable is reported
  // once per opening of the strip; its values stay as they are.
  ReadClearFlagsOnce(clearFlg, &fe.recordReadErrorShown);
  unlockCourses();
  if (fe.mapIH > kStripOpenH) {
    fe.mapIH = kStripOpenH;
    fe.mapSelectFlg = 1;
    *mapCnt = CourseOfSlot(*mapCnt);
    fe.mapTX = fe.mapIX = kThumbPitch * *mapCnt;
    ReadBestTimesOnce(bestTime, &fe.recordReadErrorShown);
  }
}

// Moves the strip towards its target: 20 a frame from afar, then a fifth of
// the rest, snapping within 4 pixels. One course settles in 20 frames.
static void scrollStrip() {
  const int32_t d = fe.mapIX - fe.mapTX;
  if (d >= -4 && d <= 4) {
    fe.mapIX = fe.mapTX;
    return;
  }
  const int32_t distance = d < 0 ? -d : d;
  const int32_t step = distance >= 105 ? 20 : distance / 5;
  fe.mapIX += d < 0 ? step : -step;
}

// Cursor, confirm, back, and the refusal of z on a locked course.
static void hearChoice(uint8_t key, int32_t before, int32_t mapCnt) {
  if (mapCnt != before) PostSound(SOUND_CURSOR);
  if (fe.mapSelectFlg == 3) PostSound(SOUND_CONFIRM);
  if (fe.mapSelectFlg == 2) PostSound(SOUND_BACK);
  const bool zDown = (key & KEY_Z) != 0;
  if (zDown && !fe.zHeardDown && fe.mapSelectFlg == 1 && fe.mapRunFlg[CourseOfSlot(mapCnt)] != 1)
    PostSound(SOUND_REFUSE);
  fe.zHeardDown = zDown;
}

static void chooseCourse(uint8_t key, int32_t* mapCnt) {
  const int32_t before = *mapCnt;
  if (LatchedPress(key, KEY_LEFT, &latch.UpKeyFlg) && *mapCnt > 0) *mapCnt -= 1;
  if (LatchedPress(key, KEY_RIGHT, &latch.DownKeyFlg) && *mapCnt < 5) *mapCnt += 1;
  if (!(key & KEY_Z)) fe.zBlockedAfterLoadFailure = false;
  if ((key & KEY_Z) && !fe.zBlockedAfterLoadFailure && fe.mapRunFlg[CourseOfSlot(*mapCnt)] == 1) fe.mapSelectFlg = 3;
  if ((key & KEY_X) && fe.mapSelectFlg != 3) fe.mapSelectFlg = 2;
  hearChoice(key, before, *mapCnt);
  fe.mapTX = kThumbPitch * *mapCnt;
  scrollStrip();
}

static void closeStrip() {
  fe.mapIH -= 45;
  if (fe.mapIH >= 0) return;
  fe.mapIH = 0;
  fe.selectAlpha = 0;
  fe.selectAlphaCnt = 15;
  fe.modeComAlpha = 255;
  fe.mapSelectFlg = 0;
  fe.titleCnt = 7;  // the mode select opens again next frame
}

// Loads the course pair and sets the zoom up from the selected thumbnail. A
// course image that cannot be used leaves the player choosing.
static void startZoom(int32_t mapCnt) {
  const int32_t course = CourseOfSlot(mapCnt);
  const bool loaded = LoadCoursePair(course);
  if (!loaded || !CoursePairUsable()) {
    if (loaded) printf("course image image/map%d.bmp is not %dx%d\n", course, COURSE_W, COURSE_H);
    fe.mapSelectFlg = 1;
    fe.zBlockedAfterLoadFailure = true;
    return;
  }
  fe.mapAnimeX = fe.mapTX - fe.mapIX + kRestThumbX;
  fe.mapAnimeY = kStripY;
  fe.mapAnimeW = 128;
  fe.mapAnimeH = 96;
  fe.mapCenterX = kTrack[course].mapCenterInitX;
  fe.mapCenterY = kTrack[course].mapCenterInitY;
  // The thumbnail is the course at 1/8 scale.
  fe.centerX = fe.mapAnimeX + fe.mapCenterX / 8;
  fe.centerY = fe.mapAnimeY + fe.mapCenterY / 8;
  fe.mapSelectFlg = 4;
}

// Halves the distance to the screen centre, snapping once under a pixel.
static void approachCentre(float* c) {
  if (static_cast<int32_t>(*c - 240) == 0)
    *c = 240.0f;
  else
    *c = *c + (240 - *c) / 2;
}

// One zoom frame; returns 4 once the course shows at full size, centred as the
// race's first frame will show it.
static int32_t zoomStep(int32_t* mapCnt, int32_t* mode) {
  approachCentre(&fe.centerX);
  approachCentre(&fe.centerY);
  fe.mapAnimeW += fe.mapAnimeW / 4;
  fe.mapAnimeH = 3 * fe.mapAnimeW / 4;
  if (fe.mapAnimeW > COURSE_W) {
    fe.mapAnimeW = COURSE_W;
    fe.mapAnimeH = COURSE_H;
  }
  if (fe.centerX != 240 || fe.centerY != 240 || fe.mapAnimeW != COURSE_W) return 0;
  fe.mapAnimeW = 0;
  fe.centerX = fe.centerY = 0.0f;
  fe.mapIH = 0;
  fe.selectAlpha = 0;
  fe.selectAlphaCnt = 15;
  const int32_t course = CourseOfSlot(*mapCnt);
  for (CarState& c : car) {
    c.dir = static_cast<float>(kTrack[course].InitAng);
    c.moveAng = 15 * static_cast<int32_t>(c.dir);
  }
  *mapCnt = course + 6 * fe.modeCnt;  // record slot: one per course and mode
  fe.modeComAlpha = 255;
  fe.mapSelectFlg = 0;
  *mode = fe.modeCnt + 1;
  return SCENE_GAME;
}

int32_t CourseSelectStep(uint8_t key, int32_t* mapCnt, int32_t* mode) {
  if (fe.mapSelectFlg == 0) openStrip(mapCnt);
  if (fe.mapSelectFlg == 1) chooseCourse(key, mapCnt);
  if (fe.mapSelectFlg == 2) closeStrip();
  if (fe.mapSelectFlg == 3) startZoom(*mapCnt);
  if (fe.mapSelectFlg == 4) return zoomStep(mapCnt, mode);
  return 0;
}
