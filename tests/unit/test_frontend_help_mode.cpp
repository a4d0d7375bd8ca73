// test_frontend_help_mode.cpp -- the help screen's callouts and closing, the mode select's panels and choice
#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "race/car_state.h"
#include "test_frontend_support.h"

using HelpScreen = FrontEndTest;
using ModeSelect = FrontEndTest;

TEST_F(HelpScreen, CalloutsAppearOneStepGrownAndReachFullSize) {
  EnterSubScreen(1);
  int frames = 1;  // stage 7's first step ran in the transition's last frame
  while (fe.helpFlg == 0) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 8);  // 20 rows a frame past 142
  EXPECT_EQ(fe.keybordH, 142);
  EXPECT_EQ(fe.keybord[0].w, 51.0f + 8.3f);
  EXPECT_EQ(fe.keybord[1].w, 65.0f + 10.8f);
  EXPECT_EQ(fe.keybord[0].h, fe.keybord[0].w * 84.0f / 166.0f);
  EXPECT_EQ(fe.keybord[1].h, fe.keybord[1].w * 163.0f / 216.0f);
  EXPECT_EQ(fe.keybord[0].x, 60);
  EXPECT_EQ(fe.keybord[0].y, 200);
  int steps = 1;
  while (fe.helpFlg == 1) {
    Frame();
    ++steps;
  }
  EXPECT_EQ(steps, 14);
  EXPECT_EQ(fe.keybord[0].x, 99);
  EXPECT_EQ(fe.keybord[0].y, 291);
  EXPECT_EQ(fe.keybord[1].x, 330);
  EXPECT_EQ(fe.keybord[1].y, 305);
  EXPECT_GE(fe.keybord[0].w, 166.0f);
  EXPECT_GE(fe.keybord[1].w, 216.0f);
  // The help page fades in over 13 frames and covers the screen.
  EXPECT_EQ(fe.helpAlpha, 20);
  Frames(11);
  EXPECT_EQ(fe.helpAlpha, 240);
  Frame();
  EXPECT_EQ(fe.helpAlpha, 255);
  EXPECT_EQ(PixelRGB(screen, 240, 460), 0x969696u);
}

TEST_F(HelpScreen, ZHeldFromMenuClosesItAtOnce) {
  RunIntro();
  Frame();
  while (fe.titleCnt == 5 || fe.titleCnt == 6) Frame(KEY_Z);  // entry 1 chosen, z kept down
  EXPECT_EQ(fe.titleCnt, 8);
  EXPECT_EQ(fe.helpFlg, 0);
  EXPECT_EQ(fe.keybordH, 0);       // opened 20, closed 30 in the same frame
  EXPECT_EQ(fe.stickW, 480 - 55);  // the bar already shrinks
  EXPECT_EQ(fe.menuAlpha[1], 225);
}

TEST_F(HelpScreen, ClosingSlidesUpThenFadesHeadingAndBar) {
  EnterSubScreen(1);
  while (fe.helpFlg != 2) Frame();
  Frames(20);
  ASSERT_EQ(fe.helpAlpha, 255);
  Frame(KEY_X);
  EXPECT_EQ(fe.titleCnt, 8);
  EXPECT_EQ(fe.helpFlg, 0);
  EXPECT_EQ(fe.keybordH, 112);
  // The page and callouts are gone at once.
  EXPECT_EQ(PixelRGB(screen, 240, 460), kFrontEndBackground);
  int frames = 1;
  while (fe.keybordH > 0) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 5);
  EXPECT_EQ(fe.helpAlpha, 105);
  int fade = 1;
  while (fe.titleCnt == 8) {
    Frame();
    ++fade;
  }
  EXPECT_EQ(fade, 9);
  EXPECT_EQ(fe.stickW, 0);
  EXPECT_EQ(fe.helpAlpha, 0);  // fades in from 0 next time
  EXPECT_EQ(fe.menuAlpha[1], 255);
}

TEST_F(ModeSelect, PanelsOpenThenHighlightPulses) {
  EnterSubScreen(0);
  int frames = 1;
  while (fe.modeFlg == 0) {
    EXPECT_EQ(PixelRGB(screen, 240, 400), kFrontEndBackground);  // no comment while opening
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 16);
  EXPECT_EQ(fe.modeH, 150);
  EXPECT_EQ(fe.selectAlpha, 15);  // first drawn at 15
  EXPECT_EQ(fe.selectX, fe.modeX[fe.modeCnt]);
  int peak = 0;
  for (int f = 1; f <= 20; ++f) {
    Frame();
    if (fe.selectAlpha == 150) peak = f;
  }
  EXPECT_EQ(peak, 9);
  EXPECT_EQ(fe.selectAlpha, 15);  // period 20
  EXPECT_EQ(fe.selectAlphaCnt, 15);
  EXPECT_EQ(PixelRGB(screen, 240, 400), CommentRowRGB(0));
}

TEST_F(ModeSelect, LeftAndRightToggleOncePerPress) {
  EnterSubScreen(0);
  while (fe.modeFlg != 1) Frame();
  ASSERT_EQ(fe.modeCnt, 0);
  Frames(5, KEY_RIGHT);
  EXPECT_EQ(fe.modeCnt, 1);
  Frame();
  Frames(3, KEY_RIGHT);
  EXPECT_EQ(fe.modeCnt, 0);
  Frame();
  Frame(KEY_LEFT);
  EXPECT_EQ(fe.modeCnt, 1);
  Frame();
  EXPECT_EQ(fe.selectX, fe.modeX[1]);
  Frame(KEY_LEFT);
  EXPECT_EQ(fe.modeCnt, 0);
}

TEST_F(ModeSelect, ZAndXTogetherGoBackToMenu) {
  EnterSubScreen(0);
  while (fe.modeFlg != 1) Frame();
  Frame(KEY_Z | KEY_X);
  EXPECT_EQ(fe.modeFlg, 2);
  EXPECT_EQ(car[0].alpha, 0.0f);
  int frames = 1;
  while (fe.titleCnt == 7 && frames < 100) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(fe.titleCnt, 9);
  // The panels are shut in the 15th frame, which already fades the heading: 9 fades.
  EXPECT_EQ(frames, 15 + 8);
  EXPECT_EQ(fe.menu[0].x, 184);
  EXPECT_EQ(fe.menu[0].y, 328);
  EXPECT_EQ(fe.stickW, 0);
  EXPECT_EQ(fe.modeFlg, 0);
  EXPECT_EQ(fe.modeComAlpha, 255);
  EXPECT_EQ(fe.selectAlpha, 0);
  while (fe.titleCnt != 5) Frame();
  EXPECT_EQ(fe.changeCnt, 0);
}

TEST_F(ModeSelect, ZGoesOnToCourseSelectAndKeepsTheMode) {
  EnterSubScreen(0);
  while (fe.modeFlg != 1) Frame();
  Frame(KEY_RIGHT);
  Frame(KEY_Z);
  EXPECT_EQ(fe.modeFlg, 3);
  EXPECT_EQ(fe.modeComAlpha, 225);
  int frames = 1;
  while (fe.titleCnt == 7) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 16);
  EXPECT_EQ(fe.titleCnt, 10);
  EXPECT_EQ(fe.modeFlg, 0);
  EXPECT_EQ(fe.modeH, 0);
  EXPECT_EQ(fe.modeComAlpha, 255);
  EXPECT_EQ(fe.modeCnt, 1);
  EXPECT_EQ(fe.mapIH, 15);  // the strip's first opening step ran in the same frame
}

TEST_F(ModeSelect, ZHeldFromMenuTakesModeOnceOpen) {
  RunIntro();
  Frame();
  Frame(KEY_UP);
  ASSERT_EQ(fe.changeCnt, 0);
  int frames = 0;
  while (fe.modeFlg != 3 && frames++ < 200) Frame(KEY_Z);
  EXPECT_EQ(fe.modeH, 140);  // taken in the frame the panels opened
}
