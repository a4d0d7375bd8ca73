// Checkpoint radius, the goal probe, lap counting and the authoring key.
#include "test_race_support.h"

using RaceCheckpoints = RaceSceneTest;

TEST_F(RaceCheckpoints, CheckpointRadiusAndOrder) {
  for (int i = 1; i < 20; ++i) race.checkX[i] = 100 * i;
  race.checkX[0] = 500, race.checkY[0] = 400;
  auto step = [](float x, float y, int32_t before) {
    return car[0] = CarAt(0, 0, 0, x, y), race.checkOkCnt = before, CheckpointStep(), race.checkOkCnt;
  };
  // A squared distance of 6999.8125 from point 0, on either side, reaches it; 68 by 48.744232
  // makes exactly 7000.0 in float and does not. Only the next point counts; 19 advances nothing.
  EXPECT_EQ(V(step(583.5f, 405.25f, 0), step(416.5f, 394.75f, 0), step(568, 448.744232f, 0)), V(1, 1, 0));
  EXPECT_EQ(V(step(1800, 0, 0), step(1800, 0, 18), step(1900, 0, 19)), V(0, 19, 19));
}

TEST_F(RaceCheckpoints, GoalProbeAndStrictRectangle) {
  // Offset 24, 18 px ahead along the unrounded dir.
  int32_t p[6];
  GoalProbe(0, 0, 0, &p[0], &p[1]), GoalProbe(10, 20, 6, &p[2], &p[3]), GoalProbe(0, 0, 0.5f, &p[4], &p[5]);
  EXPECT_EQ(V(p[0], p[1], p[2], p[3], p[4], p[5]), V(42, 38, 34, 76, 41, 40));
  // Strictly inside on every edge of course 2's goal rectangle.
  const TrackRow& t = kTrack[2];
  const int32_t x = t.goalX, y = t.goalY + 1, r = t.goalX + t.goalW, b = t.goalY + t.goalH;
  EXPECT_EQ(V(InGoalRect(2, x + 1, y), InGoalRect(2, x, y), InGoalRect(2, r, y), InGoalRect(2, r - 1, b - 1),
              InGoalRect(2, x + 1, y - 1), InGoalRect(2, x + 1, b)),
            V(1, 0, 0, 1, 0, 0));
}

TEST_F(RaceCheckpoints, LapsCountFrom19OnAndTheThirdEndsTheRace) {
  // The goal probe of course 0 at x = 709 + dx, inside the rectangle's y range; the laps and
  // the points each hit leaves.
  std::vector<double> seen;
  auto goalAt = [&seen](int dx, int32_t checkOkCnt) {
    car[0] = CarAt(0, 0, 0, static_cast<float>(709 + dx - 42), 1050 - 38), race.checkOkCnt = checkOkCnt, GoalStep();
    seen.insert(seen.end(), {static_cast<double>(race.mapNum), static_cast<double>(race.checkOkCnt),
                             static_cast<double>(race.ReTime)});
  };
  race.mode = 1, bestTime[0] = 5000, race.Time = 4000;
  // Through the goal early: nothing; on the edge: outside. The third lap ends the race with a
  // record; later hits decide nothing.
  goalAt(5, 18), goalAt(0, 19), goalAt(5, 19), goalAt(5, 19), goalAt(5, 19);
  race.ReTime = 0, goalAt(5, 19);
  EXPECT_EQ(seen, V(0, 18, 0, 0, 19, 0, 1, 0, 0, 2, 0, 0, 3, 19, 1, 3, 19, 0));
  EXPECT_EQ(race.goalFlg, 1);
}

TEST_F(RaceCheckpoints, AuthoringKeyStoresOnePointPerPressAndWrites) {
  race.course = 2, car[0].posY = 20.2f, raceOptions.authorFlg = 1;
  EXPECT_EQ((AuthoringKeyStep(KEY_A), race.checkCnt), 0);  // held since before: latch not armed
  for (int i = 0; i < 21; ++i) {
    car[0].posX = i < 20 ? 10.7f + i : 77;
    AuthoringKeyStep(0), AuthoringKeyStep(KEY_A), AuthoringKeyStep(KEY_A);  // held: still one point
    if (i == 18) {                                                          // written from the twentieth press on
      EXPECT_EQ(ReadTextFile("data/check2.txt"), "<missing>");
    }
  }
  // The twenty-first press replaces point 19 and writes the file again.
  const std::string written = ReadTextFile("data/check2.txt");
  EXPECT_EQ(V(race.checkCnt, ReadTextFile("data/check5.txt") == "<missing>"), V(19, 1));
  EXPECT_EQ(written.substr(0, 12) + written.substr(18 * size_t{6}), "10,20 11,20 28,20 77,20 ");  // points 0, 1, 18, 19
}
