// Whole race frames through Game: setup, countdown, pausing, the end of a race, failures. That a
// time-up writes nothing the time-up demo checks.
#include "core/scene_codes.h"
#include "test_race_support.h"

using RaceFlow = RaceSceneTest;

TEST_F(RaceFlow, SetupFailuresLeaveTheRaceWithTheirLine) {
  const std::pair<void (*)(), const char*> cases[] = {
      {[] { remove("data/check0.txt"); }, "ファイル書き込みエラー"},
      {[] { SDL_FreeSurface(img.bbMap), img.bbMap = nullptr; }, "course image missing: leaving the race"},
      {[] { SDL_FreeSurface(img.checkImage), img.checkImage = MakeSurface24(2, 1, 90, 90, 90); },  // 3 pixels needed
       "colour sample image missing or too small: leaving the race"}};
  for (const auto& [inject, line] : cases) {
    Renew(), inject(), PushKeys(0, 1);
    EXPECT_EQ(Printed([&] { EXPECT_EQ(Game(screen, 0, 1), SCENE_TITLE); }), "mapCnt=0\n" + std::string(line) + "\n");
    EXPECT_EQ(race.readyFlg, 0);
  }
}

TEST_F(RaceFlow, CountdownIgnoresKeysAndTheClockStartsInFrame62) {
  const uint8_t keys = KEY_UP | KEY_RIGHT;
  EXPECT_EQ(Seq() << Frames(60, keys) << race.rCnt << race.readyFlg << run.SaveFlg << car[0].speed, V(4, 30, 1, 0, 0));
  // Racing and recording; the right latch was never armed: no re-centring.
  Frames(1, keys);
  EXPECT_EQ(V(race.rCnt, race.readyFlg, run.SaveCnt, race.Time, car[0].speed, car[0].dir), V(26, 2, 1, 0, 0.25, 0.5));
  EXPECT_EQ((Frames(1, keys), race.Time), 16);
}

TEST_F(RaceFlow, PauseFreezesCountdownAndRaceAndReturnsToSetup) {
  EXPECT_EQ(Seq() << Frames(10) << Frames(1, KEY_X), V(4, 7));  // the pausing frame has counted down: rCnt 128
  // X held through the menu and the resume: no second pause.
  EXPECT_EQ(Seq() << Selects(5, KEY_X) << Selects(1, KEY_X | KEY_Z) << Frames(1, KEY_X) << race.rCnt, V(7, 4, 4, 126));
  Frames(50, KEY_UP);
  const std::vector<double> before = V(race.Time + 16, car[0].posX, car[0].speed);  // the clock runs before the X
  EXPECT_EQ(Seq() << Frames(1, KEY_X) << Selects(30) << Selects(1, KEY_Z), V(7, 7, 4));
  EXPECT_EQ(V(race.Time, car[0].posX, car[0].speed), before);
  // Return: the first menu frame arms the Up/Down latch; Down and z in one frame flip first,
  // then confirm; the next call sets up a race.
  Frames(1, KEY_X);
  EXPECT_EQ(Seq() << Selects(1) << Selects(1, KEY_DOWN | KEY_Z), V(7, 1));
  EXPECT_EQ(V(race.readyFlg, run.LoadFlg, raceProgram.selectCnt), V(0, 1, 0));
  EXPECT_EQ(Seq() << Frames(1) << race.readyFlg << race.rCnt << race.Time, V(4, 1, 148, 0));
}

TEST_F(RaceFlow, TimeUpCoastsToTheResultAndIgnoresPause) {
  RunCountdown();
  Frames(11, KEY_UP);
  EXPECT_EQ(race.overTime + race.Time, 120000);  // course 0's two minutes
  race.overTime = 16;
  EXPECT_EQ(Seq() << Frames(1, KEY_UP) << race.goalFlg << car[0].speed, V(4, 0, 3.0f));  // overTime 0: still racing
  // Time-up, the time left shown as 0, still rolling: coasting by 0.15; no pause once over.
  EXPECT_EQ(Seq() << Frames(1) << race.timeUpFlg << race.overTime << car[0].speed << Frames(1, KEY_X),
            V(4, 1, 0, 2.85f, 4));
  // 2.70 needs 12 more steps to drop below 1.0, then the result screen: z in its first frame
  // leaves before presenting.
  PushKeys(0, 12), PushKeys(KEY_Z, 1);
  EXPECT_EQ(RunRace(), 1);
  EXPECT_EQ(V(KeyScript().size(), presentedFrames, race.ReTime, race.readyFlg, car[1].dir), V(0, 0, 0, 0, 12));
}

TEST_F(RaceFlow, FirstFinishStoresTheRunTheNextRaceReplaysIt) {
  std::vector<float> pos[2];  // the player's x and y in the first race, the ghost's in the second
  for (int raceNo = 0; raceNo < 2; ++raceNo) {
    ScriptCreepingFinish();
    int32_t code = 4;
    for (int frame = 1; code == 4 && frame < 500; ++frame) {
      code = Game(screen, 0, 1);
      if (race.readyFlg == 2) pos[raceNo].insert(pos[raceNo].end(), {car[raceNo].posX, car[raceNo].posY});
    }
    // Equal to the best the second time: not a record. The goal frame's entry is dropped.
    EXPECT_EQ(V(code, race.mapNum, race.Time, race.ReTime), V(1, 3, 672, 1 - raceNo));
    EXPECT_EQ(ReadTextFile("data/saveCnt0.txt") + ReadTextFile("data/bestTime.txt"), "42672 0 0 0 0 0 0 0 0 0 0 0 ");
  }
  // Entries are the positions at the start of each racing frame: entry n shows in racing frame n + 1.
  ASSERT_EQ(pos[1].size(), pos[0].size());
  EXPECT_EQ(std::vector<float>(pos[1].begin() + 2, pos[1].end()), std::vector<float>(pos[0].begin(), pos[0].end() - 2));
}

TEST_F(RaceFlow, FinishOutcomesAndTheFilesTheyWrite) {
  // A mode-1 finish slower than the best; a mode-2 win (the rival far ahead, never in the way)
  // writes cleared flags but never run files; the rival's path running out in racing frame 31
  // is a loss; running out in the goal frame lets the goal count, but an equal time is no win, nor
  // a record; a rival slot without a best time has no rival to beat.
  const std::string no = "<missing>";
  const struct {
    int slot, mode, best, entries, time, record;
    std::string files;  // saveCnt, bestTime, clearFlg, run together
  } cases[] = {{0, 1, 600, 5, 672, 0, "5" + no + no},
               {6, 2, 1000, 300, 672, 1, "3000 0 0 0 0 0 672 0 0 0 0 0 1 0 0 0 0 0 "},
               {6, 2, 1000, 30, 16 * 30, 0, "30" + no + no},
               {6, 2, 672, 42, 672, 0, "42" + no + no},
               {0, 1, 672, 5, 672, 0, "5" + no + no},
               {6, 2, 0, 300, 672, 0, "300" + no + no}};
  for (const auto& t : cases) {
    Renew();
    // The stored run: entries at (x, 984 + i), facing frame 0.
    std::string ghost, slot = std::to_string(t.slot);
    for (int i = 0; i < t.entries; ++i) ghost += (t.slot ? "900 " : "667 ") + std::to_string(984 + i) + " 0 ";
    WriteTextFile("data/saveCnt" + slot + ".txt", std::to_string(t.entries));
    WriteTextFile("data/ghost" + slot + ".txt", ghost), bestTime[t.slot] = t.best;
    ScriptCreepingFinish();
    ASSERT_EQ(RunRace(t.slot, t.mode), 1);
    EXPECT_EQ(V(race.Time, race.mapNum == 3, race.timeUpFlg, race.ReTime),
              V(t.time, t.time == 672, t.time != 672, t.record))
        << t.slot << " " << t.entries;
    EXPECT_EQ(ReadTextFile("data/saveCnt" + slot + ".txt") + ReadTextFile("data/bestTime.txt") +
                  ReadTextFile("data/clearFlg.txt"),
              t.files);
  }
}

TEST_F(RaceFlow, UnreadableOrExhaustedRunsAreNoSecondCar) {
  bestTime[0] = 900, WriteTextFile("data/saveCnt0.txt", "5");  // and no data/ghost0.txt
  EXPECT_EQ(Printed([&] { Frames(1); }), "mapCnt=0\nghostファイル書き込みエラー\n");
  EXPECT_EQ(V(race.secondCarFlg, run.LoadCnt), V(0, 0));
  Renew();
  run.LoadCnt = run.RunCnt = 5;  // left by an earlier race; slot 6 has no best time: no rival
  EXPECT_EQ(Frames(300, 0, 6, 2), 4);
  EXPECT_EQ(V(race.secondCarFlg, race.goalFlg), V(0, 0));  // not ended by the old path
}
