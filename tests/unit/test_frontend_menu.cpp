// test_frontend_menu.cpp -- the main menu's cursor and latches, the glide out and the fade back
#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "race/car_state.h"
#include "test_frontend_support.h"

using MenuCursor = FrontEndTest;
using MenuTransition = FrontEndTest;

TEST_F(MenuCursor, ArrowHeldFromProgramStartActsOnlyAfterRelease) {
  int frames = 0;
  while (fe.titleCnt != 5 && frames++ < 1000) Frame(KEY_UP);
  EXPECT_EQ(fe.changeCnt, 1);
  Frames(5, KEY_UP);
  EXPECT_EQ(fe.changeCnt, 1);
  Frame();
  Frame(KEY_UP);
  EXPECT_EQ(fe.changeCnt, 0);
}

TEST_F(MenuCursor, HeldKeyMovesOnceAndWrapsBothWays) {
  RunIntro();
  Frame();
  Frames(10, KEY_UP);
  EXPECT_EQ(fe.changeCnt, 0);
  Frame();
  Frame(KEY_UP);  // from entry 0 to entry 2
  EXPECT_EQ(fe.changeCnt, 2);
  EXPECT_EQ(car[0].dispY, 328 - 29);  // the cars take the row before the keys are read
  Frame();
  EXPECT_EQ(car[0].dispY, 370 - 29);
  Frames(10, KEY_DOWN);  // from entry 2 to entry 0
  EXPECT_EQ(fe.changeCnt, 0);
  Frame();
  EXPECT_EQ(car[1].dispY, 328 - 29);
}

TEST_F(MenuCursor, UpAndDownTogetherEndWhereTheyStarted) {
  RunIntro();
  Frame();
  Frame(KEY_UP | KEY_DOWN);
  EXPECT_EQ(fe.changeCnt, 1);
  EXPECT_EQ(UpKeyFlg, 0);
  EXPECT_EQ(DownKeyFlg, 0);
}

TEST_F(MenuCursor, ZOnThirdEntryQuitsAtOnce) {
  RunIntro();
  Frame();
  Frame(KEY_DOWN);
  ASSERT_EQ(fe.changeCnt, 2);
  EXPECT_EQ(Frame(KEY_Z), 6);
  EXPECT_EQ(fe.titleCnt, 5);
  EXPECT_EQ(printed, "");  // a frame that returns early prints nothing
}

TEST_F(MenuTransition, GlideFadeAndStickBarTimings) {
  RunIntro();
  Frame();
  Frame(KEY_UP);
  ASSERT_EQ(fe.changeCnt, 0);
  Frame(KEY_Z);  // the first transition frame runs in this one
  EXPECT_EQ(fe.titleCnt, 6);
  EXPECT_EQ(fe.titleFlg, 0);
  EXPECT_EQ(fe.menu[0].x, 166);
  int frame = 1;
  for (; fe.titleCnt == 6; ++frame) {
    if (frame == 16) {
      EXPECT_EQ(fe.title.alpha, 0);
      EXPECT_EQ(car[0].alpha, 0.0f);
      EXPECT_EQ(fe.menuAlpha[1], 0);
      EXPECT_EQ(fe.menuAlpha[0], 255);  // the chosen entry never fades
      EXPECT_EQ(fe.stickW, 0);
    }
    if (frame == 17) {
      EXPECT_EQ(fe.stickW, 50);
    }
    if (frame == 18) {
      EXPECT_EQ(fe.menu[0].x, 31);
      EXPECT_EQ(fe.menu[0].y, 72);
    }
    Frame(KEY_DOWN);  // keys are not read during the transition
  }
  EXPECT_EQ(frame, 26);
  EXPECT_EQ(fe.titleCnt, 7);
  EXPECT_EQ(fe.stickW, 480);
  EXPECT_EQ(fe.changeCnt, 0);
}

TEST_F(MenuTransition, HelpHeadingEndsHigher) {
  EnterSubScreen(1);
  EXPECT_EQ(fe.titleFlg, 1);
  EXPECT_EQ(fe.menu[1].x, 31);
  EXPECT_EQ(fe.menu[1].y, 68);
  // The props are no longer drawn once the sub-screen is up.
  EXPECT_EQ(PixelRGB(screen, 130, 330), kFrontEndBackground);
}

TEST_F(MenuTransition, ReturnFadesBackInSixteenFrames) {
  EnterSubScreen(1);
  Frame(KEY_X);  // close the help
  while (fe.titleCnt == 8) Frame();
  ASSERT_EQ(fe.titleCnt, 9);
  EXPECT_EQ(fe.menu[1].x, 184);
  EXPECT_EQ(fe.menu[1].y, 349);
  EXPECT_EQ(car[0].alpha, 16.0f);  // the return's first step ran in the frame the help closed
  int frames = 1;
  while (fe.titleCnt == 9 && frames < 100) {
    Frame(KEY_UP);  // not read while returning
    ++frames;
    if (fe.titleCnt == 9) {
      EXPECT_EQ(PixelRGB(screen, 130, 330), kFrontEndBackground);
    }
  }
  EXPECT_EQ(frames, 16);
  EXPECT_EQ(fe.titleCnt, 5);
  EXPECT_EQ(fe.changeCnt, 1);  // the cursor stays on the chosen entry
  EXPECT_EQ(car[0].alpha, 255.0f);
  EXPECT_EQ(fe.title.alpha, 255);
  EXPECT_EQ(car[0].dir, 0.0f);
  EXPECT_EQ(car[1].dir, 12.0f);
  EXPECT_EQ(car[0].dispY, 349 - 29);
  // The cars reappear in the frame the return ends.
  EXPECT_EQ(PixelRGB(screen, 130, 330), 0xC8C8C8u);
}
