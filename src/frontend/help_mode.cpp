// help_mode.cpp -- the help screen with its zooming callouts, and the mode select
#include "core/keymask.h"
#include "core/sound_events.h"
#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "race/car_state.h"

static const int32_t kKeybordFullH = 142;  // rows of the keyboard panel
static const int32_t kModeFullH = 150;     // side of a mode panel
static const int32_t kSelectAlphaTop = 150;

// Puts a menu entry back where the menu shows it, at full alpha.
static void headingHome(int entry) {
  fe.menuAlpha[entry] = 255;
  fe.menu[entry] = ScreenPos{184, 328 + 21 * entry};
}

static void resetHighlight() {
  fe.selectAlpha = 0;
  fe.selectAlphaCnt = 15;
}

// Both callouts grow a step a frame until full size, bottom centre moving along
// a fixed path. The step and size constants are single precision.
static void growCallouts() {
  HelpCallout& c0 = fe.keybord[0];
  HelpCallout& c1 = fe.keybord[1];
  if (c0.w < 166.0f) {
    c0.y += 7;
    c0.x += 3;
    c0.w = c0.w + 8.3f;
  }
  c0.h = c0.w * 84.0f / 166.0f;
  if (c1.w < 216.0f) {
    c1.y += 8;
    c1.w = c1.w + 10.8f;
  }
  c1.h = c1.w * 163.0f / 216.0f;
  if (c0.w >= 166.0f && c1.w >= 216.0f) fe.helpFlg = 2;
}

static void helpStep(uint8_t key) {
  if (fe.helpFlg == 0) {
    fe.keybordH += 20;
    if (fe.keybordH > kKeybordFullH) {
      fe.keybordH = kKeybordFullH;
      fe.helpFlg = 1;
      fe.keybord[0].alpha = fe.keybord[1].alpha = 255;
      fe.keybord[0].x = 57;
      fe.keybord[0].y = 193;
      fe.keybord[0].w = 51.0f;
      fe.keybord[1].x = 330;
      fe.keybord[1].y = 193;
      fe.keybord[1].w = 65.0f;
    }
  }
  if (fe.helpFlg == 1) growCallouts();
  if (key & (KEY_Z | KEY_X)) {
    PostSound(SOUND_BACK);
    fe.titleCnt = 8;
    fe.helpFlg = 0;
  }
}

void HelpCloseStep() {
  fe.keybordH -= 30;
  if (fe.keybordH < 0) fe.keybordH = 0;
  fe.helpAlpha -= 30;
  if (fe.helpAlpha < 0) fe.helpAlpha = 0;
  if (fe.keybordH != 0) return;
  fe.stickW -= 55;
  if (fe.stickW < 0) fe.stickW = 0;
  fe.menuAlpha[1] -= 30;
  if (fe.menuAlpha[1] < 0) {
    headingHome(1);
    fe.titleCnt = 9;
  }
}

static void modeChooseStep(uint8_t key) {
  fe.selectX = fe.modeX[fe.modeCnt];
  fe.selectY = fe.modeY[fe.modeCnt];
  fe.selectAlpha += fe.selectAlphaCnt;
  if (fe.selectAlpha == kSelectAlphaTop || fe.selectAlpha == 0) fe.selectAlphaCnt = -fe.selectAlphaCnt;
  // Left and Right share the menu's latches; either just toggles the mode.
  const int32_t before = fe.modeCnt;
  if (LatchedPress(key, KEY_LEFT, &latch.UpKeyFlg) && --fe.modeCnt < 0) fe.modeCnt = 1;
  if (LatchedPress(key, KEY_RIGHT, &latch.DownKeyFlg) && ++fe.modeCnt > 1) fe.modeCnt = 0;
  if (fe.modeCnt != before) PostSound(SOUND_CURSOR);
  if (key & KEY_Z) fe.modeFlg = 3;
  if (key & KEY_X) fe.modeFlg = 2;  // x wins over z
  if (key & (KEY_Z | KEY_X)) PostSound(fe.modeFlg == 2 ? SOUND_BACK : SOUND_CONFIRM);
}

// Panels roll up; returns true in the frame they are closed.
static bool closePanels() {
  fe.modeH -= 10;
  fe.modeComAlpha -= 30;
  if (fe.modeComAlpha < 0) fe.modeComAlpha = 0;
  if (fe.modeH >= 0) return false;
  fe.modeH = 0;
  resetHighlight();
  return true;
}

static void modeBackStep() {
  car[0].alpha = car[1].alpha = 0.0f;
  closePanels();
  if (fe.modeH != 0) return;
  fe.stickW -= 50;
  if (fe.stickW < 0) fe.stickW = 0;
  fe.menuAlpha[0] -= 30;
  if (fe.menuAlpha[0] < 0) {
    headingHome(0);
    fe.modeFlg = 0;
    fe.stickW = 0;
    fe.keybordH = 0;
    fe.modeComAlpha = 255;
    fe.titleCnt = 9;
  }
}

static void modeSelectStep(uint8_t key) {
  if (fe.modeFlg == 0) {
    fe.modeH += 10;
    if (fe.modeH > kModeFullH) {
      fe.modeH = kModeFullH;
      fe.modeFlg = 1;
    }
  }
  if (fe.modeFlg == 1) modeChooseStep(key);
  if (fe.modeFlg == 3 && closePanels()) {
    fe.modeFlg = 0;
    fe.modeComAlpha = 255;
    fe.titleCnt = 10;
  }
  if (fe.modeFlg == 2) modeBackStep();
}

void SubScreenStep(uint8_t key) {
  if (fe.titleFlg == 1)
    helpStep(key);
  else
    modeSelectStep(key);
}
