// Frame pacing: the first frame is free, a long frame is not made up, the FPS report.
#include <cstdio>

#include "app/pacing.h"
#include "test_support.h"

class PacingTest : public SceneTest {};

TEST_F(PacingTest, WaitSleepsAtLeastTheTimeAndReturnsAtOnceForNothing) {
  Uint32 t0 = SDL_GetTicks();
  wait(0);
  wait(-5);
  EXPECT_LE(SDL_GetTicks() - t0, 1u);
  t0 = SDL_GetTicks();
  wait(10);
  EXPECT_GE(SDL_GetTicks() - t0, 10u);
}

TEST_F(PacingTest, FramesAreSpacedByTheBudgetAndALongFrameIsNotMadeUp) {
  // The first call measures from 0 (the video system's start): more than 25 ms
  // have passed by now, so it does not wait.
  SDL_Delay(30);
  Uint32 t0 = SDL_GetTicks();
  fps_wait(40);
  EXPECT_LE(SDL_GetTicks() - t0, 2u);
  // A frame with little work is held to about 25 ms.
  t0 = SDL_GetTicks();
  fps_wait(40);
  const Uint32 quickFrame = SDL_GetTicks() - t0;
  EXPECT_GE(quickFrame, 24u);
  EXPECT_LE(quickFrame, 30u);
  // A frame whose work took 40 ms gets no wait, and the next frame is measured
  // from its end rather than catching up.
  SDL_Delay(40);
  t0 = SDL_GetTicks();
  fps_wait(40);
  EXPECT_LE(SDL_GetTicks() - t0, 2u);
  t0 = SDL_GetTicks();
  fps_wait(40);
  EXPECT_GE(SDL_GetTicks() - t0, 24u);
}

TEST_F(PacingTest, ReportComesOnceASecondWithTheFrameCount) {
  // The first report counts the frames since the video system started (or since
  // an earlier test in this process); from then on each counts one second.
  const Uint32 start = SDL_GetTicks();
  while (fps_no() == 0 && SDL_GetTicks() - start < 1500) fps_wait(40);
  int reports = 0;
  const Uint32 aligned = SDL_GetTicks();
  while (SDL_GetTicks() - aligned < 2100) {
    fps_wait(40);
    const int32_t reported = fps_no();
    if (reported) {
      ++reports;
      EXPECT_GE(reported, 36);
      EXPECT_LE(reported, 42);
    }
  }
  EXPECT_EQ(reports, 2);
}
