// test_frontend_menu.cpp -- title sequence, main menu, help screen and mode select, with the diagnostics
#include <cstdio>
#include <utility>

#include "frontend/frontend_steps.h"
#include "test_frontend_support.h"

using TitleIntro = FrontEndTest;
using MenuScreen = FrontEndTest;
using HelpScreen = FrontEndTest;
using ModeSelect = FrontEndTest;

TEST_F(TitleIntro, DrivesInMirroredAndStopsBesideTheMenu) {
  EXPECT_EQ(Frame(KEY_QUIT), 6);  // a frame that returns early changes and prints nothing
  EXPECT_EQ(fe.titleCnt, 0);
  EXPECT_EQ(printed, "");
  EXPECT_EQ(Frame(), 1);
  EXPECT_EQ(printed, "0\n0.000000    0.000000");  // help state, then both callout widths
  // x is checked in every frame below; the other car mirrors it, checked below
  EXPECT_EQ(V(fe.title.y, fe.title.alpha, car[0].dispY, car[0].alpha), V(-80, 255, 8, 255.0f));
  int frames = 1;
  for (; fe.titleCnt != 5 && frames < 200; ++frames) {
    ASSERT_EQ(car[0].dispX + car[1].dispX + CAR_W, 480) << "frame " << frames;
    ASSERT_EQ(car[0].dispY, car[1].dispY) << "frame " << frames;
    ASSERT_EQ(int(car[1].dir), int(MirroredDir(car[0].dir)) % 24) << "frame " << frames;
    ASSERT_EQ(fe.title.x, 8) << "frame " << frames;
    if (frames == 22 || frames == 23) {  // the title comes to rest in frame 23
      EXPECT_EQ(fe.title.y, frames == 22 ? 88 : 96);
      EXPECT_EQ(fe.titleCnt, frames - 21);
    }
    Frame();
  }
  EXPECT_NEAR(frames, 89, 1);
  // facing right; facing left; on the row of entry 1
  EXPECT_EQ(V(car[0].dispX, car[1].dispX, int(car[0].dir), int(car[1].dir), car[0].dispY, fe.changeCnt),
            V(121, 307, 0, 12, 349 - 29, 1));
  const float mirror[][2] = {{0, 12}, {5.7f, 7}, {12, 0}, {12.5f, 24}, {21.47f, 15}};
  for (const auto& m : mirror) EXPECT_EQ(MirroredDir(m[0]), m[1]) << m[0];
}

TEST_F(MenuScreen, CursorLatchesWrapsAndQuits) {
  Until([] { return fe.titleCnt == 5; }, KEY_UP);  // held from program start
  Frames(5, KEY_UP);
  EXPECT_EQ(fe.changeCnt, 1);  // acts only after a release
  const KeyStep steps[] = {{KEY_UP, 0},  {KEY_UP, 2}, {KEY_DOWN, 0}, {KEY_DOWN, 1}, {KEY_UP | KEY_DOWN, 1},
                           {KEY_DOWN, 2}};
  for (const auto& s : steps) {
    Frame();
    Frames(3, s.key);  // held: one move only
    EXPECT_EQ(fe.changeCnt, s.to) << "keys " << int(s.key);
  }
  EXPECT_EQ(Frame(KEY_Z), 6);  // the third entry quits at once
  EXPECT_EQ(fe.titleCnt, 5);
  EXPECT_EQ(printed, "");
}

TEST_F(MenuScreen, GlidesToTheHeadingAndFadesBack) {
  RunIntro();
  Frame();
  Frame(KEY_UP);
  Frame(KEY_Z);  // the first transition frame runs in this one
  int frame = 1;
  for (; fe.titleCnt == 6 && frame < 100; ++frame) {
    if (frame == 16) {
      // the chosen entry never fades
      EXPECT_EQ(V(fe.title.alpha, car[0].alpha, fe.menuAlpha[1], fe.menuAlpha[0]), V(0, 0.0f, 0, 255));
    }
    if (frame == 18) {
      EXPECT_EQ(V(fe.menu[0].x, fe.menu[0].y), V(31, 72));
    }
    Frame(KEY_DOWN);  // keys are not read during the transition
  }
  EXPECT_EQ(V(frame, fe.stickW, fe.changeCnt), V(26, 480, 0));
  // The help heading ends higher; x closes the help and the menu fades back in.
  ResetFrontEnd();
  EnterSubScreen(1);
  EXPECT_EQ(V(fe.menu[1].x, fe.menu[1].y), V(31, 68));
  Frame(KEY_X);
  Until([] { return fe.titleCnt != 8; });
  ASSERT_EQ(fe.titleCnt, 9);
  EXPECT_EQ(Until([] { return fe.titleCnt != 9; }, KEY_UP), 15);  // plus the frame the help closed
  // the cars are drawn again
  EXPECT_EQ(V(fe.titleCnt, fe.changeCnt, car[0].alpha, PixelRGB(screen, 130, 330)), V(5, 1, 255.0f, 0xC8C8C8u));
}

TEST_F(HelpScreen, CalloutsGrowThenThePageFadesIn) {
  EnterSubScreen(1);
  EXPECT_EQ(Until([] { return fe.helpFlg != 0; }), 7);
  EXPECT_EQ(V(fe.keybordH, fe.keybord[0].w, fe.keybord[1].w), V(142, 51.0f + 8.3f, 65.0f + 10.8f));
  char expected[64];
  snprintf(expected, sizeof expected, "1\n%3f    %3f", double(51.0f + 8.3f), double(65.0f + 10.8f));
  EXPECT_EQ(printed, expected);
  EXPECT_EQ(Until([] { return fe.helpFlg != 1; }), 13);  // 14 steps with the first
  EXPECT_EQ(std::make_pair(fe.keybord[0].x, fe.keybord[0].y), std::make_pair(99, 291));
  EXPECT_EQ(std::make_pair(fe.keybord[1].x, fe.keybord[1].y), std::make_pair(330, 305));
  EXPECT_GE(fe.keybord[0].w, 166.0f);
  EXPECT_GE(fe.keybord[1].w, 216.0f);
  EXPECT_EQ(fe.helpAlpha, 20);
  Frames(11);
  EXPECT_EQ(fe.helpAlpha, 240);
  Frame();
  // 13 frames
  EXPECT_EQ(V(fe.helpAlpha, PixelRGB(screen, 240, 460)), V(255, 0x969696u));
}

TEST_F(HelpScreen, ZHeldFromTheMenuClosesItAtOnce) {
  RunIntro();
  Frame();
  Until([] { return fe.titleCnt != 5 && fe.titleCnt != 6; }, KEY_Z);
  // opened 20, closed 30 in the same frame
  EXPECT_EQ(V(fe.titleCnt, fe.helpFlg, fe.keybordH, fe.stickW), V(8, 0, 0, 480 - 55));
}

TEST_F(ModeSelect, HighlightPulsesAndArrowsToggle) {
  EnterSubScreen(0);
  Until([] { return fe.modeFlg != 0; });
  EXPECT_EQ(fe.selectAlpha, 15);  // first drawn at 15
  int peak = 0;
  for (int f = 1; f <= 20; ++f) Frame(), peak = fe.selectAlpha == 150 ? f : peak;
  // period 20
  EXPECT_EQ(V(peak, fe.selectAlpha), V(9, 15));
  const KeyStep steps[] = {{KEY_RIGHT, 1}, {KEY_RIGHT, 0}, {KEY_LEFT, 1}, {KEY_LEFT, 0}};
  for (const auto& s : steps) {
    Frames(3, s.key);  // held: one toggle only
    EXPECT_EQ(fe.modeCnt, s.to);
    Frame();
    EXPECT_EQ(fe.selectX, fe.modeX[s.to]);
  }
}

TEST_F(ModeSelect, ZAndXTogetherGoBackToTheMenu) {
  EnterSubScreen(0);
  Until([] { return fe.modeFlg != 0; });
  Frame(KEY_Z | KEY_X);
  EXPECT_EQ(fe.modeFlg, 2);
  Until([] { return fe.titleCnt == 5; });  // through the return to the menu
  EXPECT_EQ(V(fe.titleCnt, fe.changeCnt), V(5, 0));
}
