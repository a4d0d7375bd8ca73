// main_menu.cpp -- the three-entry menu, the glide out into a sub-screen and the fade back in
#include "core/keymask.h"
#include "core/scene_codes.h"
#include "core/sound_events.h"
#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "race/car_state.h"

static const int32_t kQuitEntry = 2;
static const int32_t kFadeStep = 16;   // 16 frames from 255 to 0
static const int32_t kStickStep = 50;  // the bar fills in 10 frames
static const int32_t kStickFull = 480;

// The prop cars stand level with the cursor's entry, one on each side.
static void carsToCursorRow() {
  car[1].dispY = fe.menu[fe.changeCnt].y - 29;
  car[0].dispY = car[1].dispY;
}

int32_t MainMenuStep(uint8_t key) {
  carsToCursorRow();
  const int32_t before = fe.changeCnt;
  if (LatchedPress(key, KEY_UP, &latch.UpKeyFlg) && --fe.changeCnt < 0) fe.changeCnt = 2;
  if (LatchedPress(key, KEY_DOWN, &latch.DownKeyFlg) && ++fe.changeCnt > 2) fe.changeCnt = 0;
  if (fe.changeCnt != before) PostSound(SOUND_CURSOR);
  if (key & KEY_Z) {  // z acts while held, no latch
    PostSound(SOUND_CONFIRM);
    if (fe.changeCnt == kQuitEntry) return SCENE_QUIT;
    fe.titleFlg = fe.changeCnt;
    fe.titleCnt = 6;
  }
  return 0;
}

static int32_t floorAtZero(int32_t v) { return v < 0 ? 0 : v; }
static int32_t capAt255(int32_t v) { return v > 255 ? 255 : v; }

// Stage 6: the chosen entry glides to the top-left as the heading while
// everything else fades; then the stick bar grows under it.
void MenuLeaveStep() {
  ScreenPos& heading = fe.menu[fe.titleFlg];
  if (heading.x > 33) heading.x -= heading.x / 10;
  if (heading.y > 73) heading.y -= heading.y / 10;
  fe.title.alpha = floorAtZero(fe.title.alpha - kFadeStep);
  car[0].alpha = static_cast<float>(car[0].alpha - 16.0);
  if (car[0].alpha < 0) car[0].alpha = 0.0f;
  car[1].alpha = car[0].alpha;
  for (int32_t& a : fe.menuAlpha) a = floorAtZero(a - kFadeStep);
  fe.menuAlpha[fe.titleFlg] = 255;
  if (fe.title.alpha == 0 && heading.x <= 34) {
    fe.stickW += kStickStep;
    if (fe.stickW > kStickFull) {
      fe.stickW = kStickFull;
      fe.titleCnt = 7;
    }
  }
}

// Stage 9: the cars turn to face the menu and everything fades back in.
void MenuReturnStep() {
  car[0].dir = 0.0f;   // facing right
  car[1].dir = 12.0f;  // facing left
  car[0].alpha = static_cast<float>(car[0].alpha + 16.0);
  if (car[0].alpha > 255) car[0].alpha = 255.0f;
  car[1].alpha = car[0].alpha;
  fe.title.alpha = capAt255(fe.title.alpha + kFadeStep);
  for (int32_t& a : fe.menuAlpha) a = capAt255(a + kFadeStep);
  if (car[0].alpha == 255) {
    fe.titleCnt = 5;
    carsToCursorRow();
  }
}
