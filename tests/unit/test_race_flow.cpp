// Whole race frames through Game: setup, countdown, pausing, the end of a race, failures.
#include "gfx/draw.h"
#include "race/ghost_replay.h"
#include "race/track_table.h"
#include "test_race_support.h"

namespace {

using RaceFlow = RaceSceneTest;

TEST_F(RaceFlow, SetupOfSlot8InMode2) {
  WriteTextFile("data/check2.txt", "1,2 3,4 ");
  car[1].speed = 3.5f;
  PushKeys(0, 1);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Game(screen, 8, 2), 4);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "mapCnt=8\n");
  EXPECT_EQ(race.course, 2);
  EXPECT_EQ(race.readyFlg, 1);
  EXPECT_EQ(race.rCnt, 148);
  EXPECT_EQ(race.overTime, 300000);
  EXPECT_EQ(car[0].posX, 1388.0f);
  EXPECT_EQ(car[0].posY, 518.0f);
  EXPECT_EQ(car[1].posX, 1453.0f);
  EXPECT_EQ(car[1].posY, 518.0f);
  EXPECT_EQ(car[1].speed, 3.5f);  // the setup leaves the second car's speed alone
  EXPECT_EQ(race.checkX[1], 3);
  EXPECT_EQ(race.checkY[1], 4);
  EXPECT_EQ(race.secondCarFlg, 0);  // slot 8 has no best time: no rival
  EXPECT_EQ(race.wayColor, getpixel(img.checkImage, 0, 0));
}

TEST_F(RaceFlow, Course5TakesItsRoadColourFromThirdSamplePixel) {
  WriteTextFile("data/check5.txt", "");
  PushKeys(0, 1);
  Game(screen, 5, 1);
  EXPECT_EQ(race.wayColor, getpixel(img.checkImage, 2, 0));
  EXPECT_EQ(race.goalColor, getpixel(img.checkImage, 1, 0));
}

TEST_F(RaceFlow, CountdownFramesAndTheFirstClockedFrame) {
  PushKeys(0, 80);
  for (int frame = 1; frame <= 74; ++frame) {
    Game(screen, 0, 1);
    if (frame == 1) {
      EXPECT_EQ(race.rCnt, 148);
    }
    if (frame == 60) {
      EXPECT_EQ(race.rCnt, 30);
      EXPECT_EQ(race.readyFlg, 1);
      EXPECT_EQ(run.SaveFlg, 0);
    }
    if (frame == 61) {
      EXPECT_EQ(race.readyFlg, 2);
      EXPECT_EQ(race.rCnt, 26);
      EXPECT_EQ(run.SaveFlg, 1);
      EXPECT_EQ(run.AiFlg, 1);
      EXPECT_EQ(run.SaveCnt, 1);  // the first racing frame records
      EXPECT_EQ(race.Time, 0);
    }
    if (frame == 62) {
      EXPECT_EQ(race.Time, 16);
    }
    if (frame == 73) {
      EXPECT_EQ(race.rCnt, 2);
    }
  }
  EXPECT_EQ(race.rCnt, 0);
  EXPECT_EQ(race.Time, 16 * 13);
}

TEST_F(RaceFlow, KeysDoNothingDuringTheCountdown) {
  PushKeys(KEY_UP | KEY_RIGHT, 60);
  for (int i = 0; i < 60; ++i) Game(screen, 0, 1);
  EXPECT_EQ(car[0].speed, 0.0f);
  EXPECT_EQ(car[0].dir, 0.0f);
  PushKeys(KEY_UP | KEY_RIGHT, 1);
  Game(screen, 0, 1);
  EXPECT_EQ(car[0].speed, 0.25f);
  EXPECT_EQ(car[0].dir, 0.5f);  // latch never armed: no re-centring
}

TEST_F(RaceFlow, UnreadableCheckpointFileLeavesTheRace) {
  std::remove("data/check0.txt");
  PushKeys(0, 2);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Game(screen, 0, 1), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "mapCnt=0\nファイル書き込みエラー\n");
  EXPECT_EQ(race.readyFlg, 0);
  WriteCheckpointsAt(667, 984);
  EXPECT_EQ(Game(screen, 0, 1), 4);  // the next call sets up afresh
  EXPECT_EQ(race.readyFlg, 1);
}

TEST_F(RaceFlow, MissingImagesLeaveTheRace) {
  SDL_FreeSurface(img.mapImage);
  img.mapImage = nullptr;
  PushKeys(0, 3);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Game(screen, 0, 1), 1);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("course image missing"), std::string::npos);
  EXPECT_EQ(race.readyFlg, 0);
  img.mapImage = MakeCourse();
  SDL_FreeSurface(img.checkImage);
  img.checkImage = MakeSurface24(1, 1, 90, 90, 90);  // too small for three samples
  testing::internal::CaptureStdout();
  EXPECT_EQ(Game(screen, 0, 1), 1);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("colour sample image"), std::string::npos);
  EXPECT_EQ(race.readyFlg, 0);
}

TEST_F(RaceFlow, QuitFromAnyPhase) {
  PushKeys(KEY_QUIT, 1);
  EXPECT_EQ(Game(screen, 0, 1), 6);
  EXPECT_EQ(race.readyFlg, 0);  // nothing else ran
}

TEST_F(RaceFlow, UndersizedCourseImageIsWalledAtItsEdge) {
  SDL_FreeSurface(img.mapImage);
  img.mapImage = MakeSurface24(700, 1100, 90, 90, 90);  // road right up to x 699
  RunCountdown(0, 1);
  PushKeys(KEY_UP, 60);
  for (int i = 0; i < 60; ++i) Game(screen, 0, 1);
  EXPECT_LE(car[0].posX + 26, 699.0f);
  EXPECT_GE(car[0].posX + 26, 690.0f);
}

// ---- pausing ----

TEST_F(RaceFlow, PauseDuringCountdownFreezesItAndResumes) {
  PushKeys(0, 10);
  for (int i = 0; i < 10; ++i) Game(screen, 0, 1);
  ASSERT_EQ(race.rCnt, 130);
  PushKeys(KEY_X, 1);
  EXPECT_EQ(Game(screen, 0, 1), 7);
  EXPECT_EQ(race.rCnt, 128);  // the pausing frame had already counted down
  PushKeys(KEY_X, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(GameSelect(screen), 7);
  EXPECT_EQ(race.rCnt, 128);
  PushKeys(KEY_X | KEY_Z, 1);
  EXPECT_EQ(GameSelect(screen), 4);
  PushKeys(KEY_X, 1);  // still held across the resume: no second pause
  EXPECT_EQ(Game(screen, 0, 1), 4);
  EXPECT_EQ(race.rCnt, 126);
  PushKeys(0, 1);
  Game(screen, 0, 1);
  PushKeys(KEY_X, 1);
  EXPECT_EQ(Game(screen, 0, 1), 7);
}

TEST_F(RaceFlow, ResumeContinuesWithTheSameClock) {
  RunCountdown(0, 1);
  PushKeys(KEY_UP, 20);
  for (int i = 0; i < 20; ++i) Game(screen, 0, 1);
  const int32_t time = race.Time;
  const float x = car[0].posX;
  const float speed = car[0].speed;
  PushKeys(KEY_X, 1);
  EXPECT_EQ(Game(screen, 0, 1), 7);
  EXPECT_EQ(race.Time, time + 16);  // the clock ran before the pause key
  EXPECT_EQ(car[0].posX, x);
  EXPECT_EQ(car[0].speed, speed);
  PushKeys(0, 30);
  for (int i = 0; i < 30; ++i) GameSelect(screen);
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(GameSelect(screen), 4);
  EXPECT_EQ(race.Time, time + 16);
  EXPECT_EQ(car[0].posX, x);
}

TEST_F(RaceFlow, ReturnFromThePauseMenuStartsTheNextRaceWithASetup) {
  RunCountdown(0, 1);
  PushKeys(KEY_X, 1);
  Game(screen, 0, 1);
  PushKeys(0, 1);  // arms the Up/Down latch
  EXPECT_EQ(GameSelect(screen), 7);
  PushKeys(KEY_DOWN | KEY_Z, 1);  // flip first, then confirm the return entry
  EXPECT_EQ(GameSelect(screen), 1);
  EXPECT_EQ(race.readyFlg, 0);
  EXPECT_EQ(run.LoadFlg, 1);
  EXPECT_EQ(run.AiFlg, 0);
  EXPECT_EQ(raceProgram.selectCnt, 0);
  PushKeys(0, 1);
  testing::internal::CaptureStdout();
  Game(screen, 0, 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "mapCnt=0\n");
  EXPECT_EQ(race.rCnt, 148);
  EXPECT_EQ(race.Time, 0);
}

TEST_F(RaceFlow, PauseKeyIsIgnoredOnceTheRaceIsOver) {
  RunCountdown(0, 1);
  PushKeys(KEY_UP, 10);
  for (int i = 0; i < 10; ++i) Game(screen, 0, 1);
  PushKeys(0, 1);
  Game(screen, 0, 1);
  race.overTime = 0;  // time-up in the next frame, car still rolling
  PushKeys(0, 1);
  EXPECT_EQ(Game(screen, 0, 1), 4);
  ASSERT_EQ(race.goalFlg, 1);
  PushKeys(KEY_X, 1);
  EXPECT_EQ(Game(screen, 0, 1), 4);
}

// ---- the end of a race ----

TEST_F(RaceFlow, TimeUpGoesToTheResultScreenAndWritesNothing) {
  RunCountdown(0, 1);
  race.overTime = 16;
  PushKeys(0, 1);
  EXPECT_EQ(Game(screen, 0, 1), 4);  // overTime 0: still racing
  EXPECT_EQ(race.goalFlg, 0);
  PushKeys(0, 1);
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(Game(screen, 0, 1), 1);  // standing still: result screen at once
  EXPECT_EQ(race.timeUpFlg, 1);
  EXPECT_EQ(race.ReTime, 0);
  EXPECT_EQ(PresentedFrames(), 0);  // z in the first result frame leaves before presenting
  EXPECT_EQ(race.scoreCnt, 1);
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt"), "<missing>");
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "<missing>");
  EXPECT_EQ(race.readyFlg, 0);
  EXPECT_EQ(car[1].dir, 12.0f);
}

TEST_F(RaceFlow, CoastingRunsTheSpeedDownBy015) {
  RunCountdown(0, 1);
  PushKeys(KEY_UP, 12);
  for (int i = 0; i < 12; ++i) Game(screen, 0, 1);
  ASSERT_EQ(car[0].speed, 3.0f);
  race.overTime = 0;
  PushKeys(0, 1);
  Game(screen, 0, 1);  // time-up frame: coast 3.0 -> 2.85 (the coast step has no key)
  EXPECT_EQ(car[0].speed, static_cast<float>(3.0f - 0.15));
  PushKeys(0, 20);
  PushKeys(KEY_Z, 1);
  int frames = 1;
  int32_t code;
  do {
    code = Game(screen, 0, 1);
    ++frames;
  } while (code == 4);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(frames, 14);  // 2.85 needs 13 more steps of 0.15 to drop below 1.0
}

TEST_F(RaceFlow, FirstFinishStoresTheRunAndTheNextRaceReplaysItFrameExactly) {
  ScriptCreepingFinish();
  std::vector<float> playerX, playerY;
  int32_t code = 4;
  for (int frame = 1; code == 4 && frame < 500; ++frame) {
    code = Game(screen, 0, 1);
    if (race.readyFlg == 2) {
      playerX.push_back(car[0].posX);
      playerY.push_back(car[0].posY);
    }
  }
  ASSERT_EQ(code, 1);
  EXPECT_EQ(race.mapNum, 3);
  EXPECT_EQ(race.Time, 672);
  EXPECT_EQ(race.ReTime, 1);
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt"), "42");
  EXPECT_EQ(bestTime[0], 672);  // saved by z on the result screen
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "672 0 0 0 0 0 0 0 0 0 0 0 ");
  // Entries are the positions at the start of each racing frame.
  const std::string ghost = ReadTextFile("data/ghost0.txt");
  EXPECT_EQ(ghost.substr(0, 24), "667 984 0 667 984 0 667 ");
  ASSERT_GE(playerX.size(), 42u);
  // 6 px under throttle, then 9 coasting: the tenth coasting step leaves the
  // float speed at 0.99999976, which moves nothing.
  EXPECT_EQ(playerX[41], 682.0f);
  EXPECT_NE(ghost.find("682 984 0 "), std::string::npos);
  EXPECT_EQ(ghost.find("683 "), std::string::npos);

  // The second race: the ghost shows entry n in racing frame n + 1.
  ScriptCreepingFinish();
  std::vector<float> ghostX, ghostY;
  code = 4;
  for (int frame = 1; code == 4 && frame < 500; ++frame) {
    code = Game(screen, 0, 1);
    if (frame == 1) {
      EXPECT_EQ(race.secondCarFlg, 1);
      EXPECT_EQ(car[1].posX, 667.0f);  // placed on entry 0 at setup
    }
    if (race.readyFlg == 2) {
      ghostX.push_back(car[1].posX);
      ghostY.push_back(car[1].posY);
    }
  }
  ASSERT_EQ(code, 1);
  ASSERT_EQ(ghostX.size(), playerX.size());
  EXPECT_EQ(ghostX[0], 667.0f);
  for (size_t k = 1; k < ghostX.size(); ++k) {
    EXPECT_EQ(ghostX[k], playerX[k - 1]) << k;
    EXPECT_EQ(ghostY[k], playerY[k - 1]) << k;
  }
  EXPECT_EQ(race.Time, 672);
  EXPECT_EQ(race.ReTime, 0);  // equal to the best: not a record
}

TEST_F(RaceFlow, NonRecordFinishWritesNothing) {
  bestTime[0] = 600;
  WriteStoredRun(0, 5, 667, 984);
  ScriptCreepingFinish();
  ASSERT_EQ(RunRace(0, 1), 1);
  EXPECT_EQ(race.mapNum, 3);
  EXPECT_EQ(race.ReTime, 0);
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt"), "5");
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "<missing>");
  EXPECT_EQ(bestTime[0], 600);
}

TEST_F(RaceFlow, Mode2WinWritesClearedFlagsNeverRunFiles) {
  bestTime[6] = 1000;
  WriteStoredRun(6, 300, 900, 984);  // far ahead of the player, never in the way
  ScriptCreepingFinish();
  ASSERT_EQ(RunRace(6, 2), 1);
  EXPECT_EQ(race.ReTime, 1);
  EXPECT_EQ(clearFlg[0], 1);
  EXPECT_EQ(ReadTextFile("data/clearFlg.txt"), "1 0 0 0 0 0 ");
  EXPECT_EQ(ReadTextFile("data/saveCnt6.txt"), "300");
  EXPECT_EQ(bestTime[6], 672);  // the time to beat is now the player's
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "0 0 0 0 0 0 672 0 0 0 0 0 ");
}

TEST_F(RaceFlow, Mode2LossWhenTheRivalsPathRunsOut) {
  bestTime[6] = 1000;
  WriteStoredRun(6, 30, 900, 984);
  ScriptCreepingFinish();
  ASSERT_EQ(RunRace(6, 2), 1);
  EXPECT_EQ(race.Time, 16 * 30);  // racing frame 31: the path is exhausted
  EXPECT_EQ(race.timeUpFlg, 1);
  EXPECT_LT(race.mapNum, 3);
  EXPECT_EQ(clearFlg[0], 0);
}

TEST_F(RaceFlow, Mode2FinishInTheFrameThePathRunsOutAtAnEqualTime) {
  bestTime[6] = 672;
  WriteStoredRun(6, 42, 900, 984);  // runs out in racing frame 43, the player's goal frame
  ScriptCreepingFinish();
  ASSERT_EQ(RunRace(6, 2), 1);
  EXPECT_EQ(race.mapNum, 3);
  EXPECT_EQ(race.timeUpFlg, 0);  // goal banner of mode 2, not the lost one
  EXPECT_EQ(race.ReTime, 0);     // equal time does not beat the rival
  EXPECT_EQ(clearFlg[0], 0);
  EXPECT_EQ(ReadTextFile("data/clearFlg.txt"), "<missing>");
}

TEST_F(RaceFlow, Mode2WithoutAStoredRivalHasNoSecondCar) {
  run.LoadCnt = 5;  // left over from an earlier race, already exhausted
  run.RunCnt = 5;
  PushKeys(0, 300);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(Game(screen, 6, 2), 4);
  EXPECT_EQ(race.secondCarFlg, 0);
  EXPECT_EQ(race.goalFlg, 0);  // not ended by the old path
}

TEST_F(RaceFlow, UnreadableRunFileRacesOnWithoutASecondCar) {
  bestTime[0] = 5000;
  PushKeys(0, 70);
  testing::internal::CaptureStdout();
  EXPECT_EQ(Game(screen, 0, 1), 4);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "mapCnt=0\nsaveCntファイル書き込みエラー\n");
  EXPECT_EQ(race.secondCarFlg, 0);
  for (int i = 0; i < 69; ++i) EXPECT_EQ(Game(screen, 0, 1), 4);
  EXPECT_EQ(race.readyFlg, 2);
}

TEST_F(RaceFlow, FailedWritesAtTheGoalAndOnTheResultScreenStillLeave) {
  // Directories where the files should be: every write fails.
  ASSERT_EQ(system("mkdir data/saveCnt0.txt data/bestTime.txt"), 0);
  ScriptCreepingFinish();
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunRace(0, 1), 1);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("saveCntファイル書き込みエラー"), std::string::npos);
  EXPECT_NE(out.find("bestTimeファイル書き込みエラー"), std::string::npos);
  EXPECT_EQ(race.readyFlg, 0);  // the leaving step ran
  EXPECT_EQ(run.LoadFlg, 1);
}

TEST_F(RaceFlow, FailedClearedFlagWriteStillReachesTheResultScreen) {
  ASSERT_EQ(system("mkdir data/clearFlg.txt"), 0);
  bestTime[6] = 1000;
  WriteStoredRun(6, 300, 900, 984);
  ScriptCreepingFinish();
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunRace(6, 2), 1);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("clearFlgファイル書き込みエラー"), std::string::npos);
  EXPECT_EQ(clearFlg[0], 1);
}

// ---- capacity ----

TEST_F(RaceFlow, RecordingPastCapacityKeepsTheFirst10000Entries) {
  RunCountdown(0, 1);
  run.SaveCnt = RUN_CAPACITY - 2;
  PushKeys(0, 5);
  for (int i = 0; i < 5; ++i) Game(screen, 0, 1);
  EXPECT_EQ(run.SaveCnt, RUN_CAPACITY + 3);
  EXPECT_EQ(run.SaveX[RUN_CAPACITY - 1], 667);
  StoreRun(0);
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt"), "10000");
  EXPECT_EQ(run.SaveFlg, 0);
}

TEST_F(RaceFlow, LoadingClampsTheCount) {
  bestTime[0] = 5000;
  WriteStoredRun(0, 3, 600, 984);
  WriteTextFile("data/saveCnt0.txt", "20000");
  run.LoadFlg = 1;
  LoadStoredRun(0);
  EXPECT_EQ(run.LoadCnt, RUN_CAPACITY);
  EXPECT_EQ(run.LoadX[2], 600);
  EXPECT_EQ(race.secondCarFlg, 1);
  EXPECT_EQ(run.LoadFlg, 0);
}

}  // namespace
