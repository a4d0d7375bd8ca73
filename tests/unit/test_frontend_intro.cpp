// test_frontend_intro.cpp -- the title sequence, the frame skeleton and the diagnostics
#include <cstdio>
#include <string>

#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "gfx/images.h"
#include "gfx/palette.h"
#include "race/car_state.h"
#include "test_frontend_support.h"

using TitleIntro = FrontEndTest;
using TitleFrame = FrontEndTest;

TEST_F(TitleIntro, FirstFrameInitialisesAndDrivesIn) {
  EXPECT_EQ(Frame(), 1);
  EXPECT_EQ(fe.titleCnt, 1);
  EXPECT_EQ(fe.title.x, 8);
  EXPECT_EQ(fe.title.y, -80);
  EXPECT_EQ(fe.title.alpha, 255);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(fe.menu[i].y, 328 + 21 * i);
  EXPECT_EQ(car[0].dispX, 50);
  EXPECT_EQ(car[1].dispX, 378);
  for (const CarState& c : car) {
    EXPECT_EQ(c.dispY, 8);
    EXPECT_EQ(static_cast<int>(c.dir), 6);  // facing down
    EXPECT_EQ(c.alpha, 255.0f);
  }
  // The cars are drawn on the background; the menu is still fully hidden.
  EXPECT_EQ(PixelRGB(screen, 60, 20), 0xC8C8C8u);
  EXPECT_EQ(PixelRGB(screen, 240, 340), kFrontEndBackground);
  EXPECT_EQ(LineColor, SDL_MapRGB(screen->format, 100, 100, 100));
}

TEST_F(TitleIntro, TitleComesToRestInFrame23) {
  Frames(22);
  EXPECT_EQ(fe.titleCnt, 1);
  EXPECT_EQ(fe.title.y, 88);
  EXPECT_EQ(car[0].dispY, 176);
  Frame();
  EXPECT_EQ(fe.titleCnt, 2);
  EXPECT_EQ(fe.title.y, 96);
  RunIntro();
  Frames(30);
  EXPECT_EQ(fe.title.x, 8);
  EXPECT_EQ(fe.title.y, 96);
}

TEST_F(TitleIntro, EndsInMenuWithCarsBesideIt) {
  const int frames = RunIntro();
  EXPECT_NEAR(frames, 90, 3);  // a little over two seconds
  EXPECT_EQ(fe.changeCnt, 1);
  EXPECT_EQ(fe.menuSX, 0);
  for (const ScreenPos& m : fe.menu) EXPECT_EQ(m.x, 184);
  EXPECT_EQ(car[0].dispX, 121);
  EXPECT_EQ(car[1].dispX, 307);
  EXPECT_EQ(static_cast<int>(car[0].dir), 0);   // facing right
  EXPECT_EQ(static_cast<int>(car[1].dir), 12);  // facing left
  EXPECT_EQ(car[0].speed, 0.0f);
  EXPECT_EQ(car[1].speed, 0.0f);
  // Both stand on the cursor row of entry 1 and stay there.
  Frames(10);
  EXPECT_EQ(car[0].dispX, 121);
  EXPECT_EQ(car[0].dispY, 349 - 29);
  EXPECT_EQ(car[1].dispY, 349 - 29);
  // The whole 112-pixel entries show between the cars.
  EXPECT_EQ(PixelRGB(screen, 185, 330), 0xB4B4B4u);
  EXPECT_EQ(PixelRGB(screen, 295, 390), 0xB4B4B4u);
  EXPECT_EQ(PixelRGB(screen, 297, 390), kFrontEndBackground);
}

TEST_F(TitleIntro, CarsMirrorEachOtherThroughout) {
  for (int f = 0; f < 100; ++f) {
    Frame();
    ASSERT_EQ(car[0].dispX + CAR_W / 2 + car[1].dispX + CAR_W / 2, 480) << "frame " << f;
    ASSERT_EQ(car[0].dispY, car[1].dispY) << "frame " << f;
    ASSERT_EQ(static_cast<int>(car[1].dir), static_cast<int>(MirroredDir(car[0].dir)) % 24) << "frame " << f;
  }
}

TEST_F(TitleIntro, MirrorRuleReflectsEveryFrame) {
  EXPECT_EQ(MirroredDir(0.0f), 12.0f);
  EXPECT_EQ(MirroredDir(5.7f), 7.0f);
  EXPECT_EQ(MirroredDir(12.0f), 0.0f);
  EXPECT_EQ(MirroredDir(12.5f), 24.0f);  // stage 4 wraps this one to 0
  EXPECT_EQ(MirroredDir(21.47f), 15.0f);
}

TEST_F(TitleIntro, KeysCannotSkipOrChangeIt) {
  const int plain = RunIntro();
  const int32_t x0 = car[0].dispX, y0 = car[0].dispY;
  TearDown();
  SetUp();
  int frames = 0;
  while (fe.titleCnt != 5 && frames < 1000) {
    Frame(KEY_UP | KEY_DOWN | KEY_LEFT | KEY_X);
    ++frames;
  }
  EXPECT_EQ(frames, plain);
  EXPECT_EQ(car[0].dispX, x0);
  EXPECT_EQ(car[0].dispY, y0);
}

TEST_F(TitleFrame, QuitRequestReturnsBeforeAnything) {
  EXPECT_EQ(Frame(KEY_QUIT), 6);
  EXPECT_EQ(fe.titleCnt, 0);
  EXPECT_EQ(printed, "");
  Frames(30);
  const FrontEndState before = fe;
  EXPECT_EQ(Frame(KEY_QUIT), 6);
  EXPECT_EQ(fe.titleCnt, before.titleCnt);
  EXPECT_EQ(fe.title.y, before.title.y);
  EXPECT_EQ(printed, "");
}

TEST_F(TitleFrame, PrintsHelpStateAndCalloutWidthsEveryFrame) {
  Frame();
  EXPECT_EQ(printed, "0\n0.000000    0.000000");
  // In the help screen the widths are those of the callouts.
  EnterSubScreen(1);
  while (fe.helpFlg != 1) Frame();
  char expected[64];
  snprintf(expected, sizeof expected, "1\n%3f    %3f", static_cast<double>(51.0f + 8.3f),
           static_cast<double>(65.0f + 10.8f));
  EXPECT_EQ(printed, expected);
}

TEST_F(TitleFrame, DrawsFromMissingSheetsWithoutFailing) {
  ImageRelease();  // every sheet holds nothing
  RunIntro();
  EXPECT_EQ(PixelRGB(screen, 240, 240), kFrontEndBackground);
  EXPECT_EQ(fe.titleCnt, 5);
}
