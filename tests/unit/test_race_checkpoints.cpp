// Race clock, checkpoint radius, the goal probe, lap counting and the authoring key.
#include "app/keyboard.h"
#include "race/car_state.h"
#include "race/checkpoints.h"
#include "race/race_state.h"
#include "race/track_table.h"
#include "records/record_tables.h"
#include "test_support.h"

namespace {

class RaceCheckpoints : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ResetRaceState();
    car[0] = car[1] = CarState{};
    race.mode = 1;
    race.mapCnt = 0;
    race.course = 0;
  }
};

TEST_F(RaceCheckpoints, TimeUpComesOneFrameAfterOverTimeReachesZero) {
  race.readyFlg = 2;
  race.overTime = kTrack[0].InitOverTime;
  for (int frame = 1; frame <= 7500; ++frame) RaceClockStep();
  EXPECT_EQ(race.overTime, 0);
  EXPECT_EQ(race.Time, 120000);
  EXPECT_EQ(race.goalFlg, 0);
  RaceClockStep();  // clocked frame 7501
  EXPECT_EQ(race.Time, 120016);
  EXPECT_EQ(race.overTime, 0);
  EXPECT_EQ(race.timeUpFlg, 1);
  EXPECT_EQ(race.goalFlg, 1);
  RaceClockStep();  // over: the clock stands
  EXPECT_EQ(race.Time, 120016);
}

TEST_F(RaceCheckpoints, ClockRunsOnlyWhileRacing) {
  race.readyFlg = 1;
  race.overTime = 100;
  RaceClockStep();
  EXPECT_EQ(race.Time, 0);
  race.readyFlg = 2;
  RaceClockStep();
  EXPECT_EQ(race.Time, 16);
  EXPECT_EQ(race.overTime, 84);
}

TEST_F(RaceCheckpoints, RadiusIsTheTruncatedSquaredDistanceBelow7000) {
  race.checkX[0] = 500;
  race.checkY[0] = 400;
  car[0].posX = 500 + 83.5f;  // 6972.25
  car[0].posY = 400 + 5.25f;  // + 27.5625 = 6999.8125
  CheckpointStep();
  EXPECT_EQ(race.checkOkCnt, 1);
  race.checkOkCnt = 0;
  car[0].posY = 400 + 5.3f;  // about 7000.34: truncates to 7000, not reached
  CheckpointStep();
  EXPECT_EQ(race.checkOkCnt, 0);
  car[0].posX = 500 - 83.5f;  // either side
  car[0].posY = 400 - 5.25f;
  CheckpointStep();
  EXPECT_EQ(race.checkOkCnt, 1);
}

TEST_F(RaceCheckpoints, CheckpointsCountInOrderAndStopAt19) {
  for (int i = 0; i < 20; ++i) {
    race.checkX[i] = 100 * i;
    race.checkY[i] = 0;
  }
  car[0].posX = 500;  // on checkpoint 5, which is not next
  CheckpointStep();
  EXPECT_EQ(race.checkOkCnt, 0);
  race.checkOkCnt = 18;
  car[0].posX = 1800;
  CheckpointStep();
  EXPECT_EQ(race.checkOkCnt, 19);
  car[0].posX = 1900;
  CheckpointStep();
  EXPECT_EQ(race.checkOkCnt, 19);  // point 19 never advances anything
}

TEST_F(RaceCheckpoints, GoalProbeUsesOffset24AndAStrictRectangle) {
  int32_t px, py;
  GoalProbe(0, 0, 0, &px, &py);
  EXPECT_EQ(px, 42);
  EXPECT_EQ(py, 38);
  GoalProbe(10.0f, 20.0f, 6.0f, &px, &py);  // facing down: 18 px below the centre line
  EXPECT_EQ(px, 34);
  EXPECT_EQ(py, 76);
  GoalProbe(0, 0, 0.5f, &px, &py);  // the unrounded dir counts: 7.5 degrees
  EXPECT_EQ(px, 41);                // 24 + 17.846
  EXPECT_EQ(py, 40);                // 38 + 2.349
  // Slot 8 (course 2): x strictly between 1390 and 1503, y between 576 and 619.
  EXPECT_FALSE(InGoalRect(2, 1390, 600));
  EXPECT_TRUE(InGoalRect(2, 1391, 600));
  EXPECT_TRUE(InGoalRect(2, 1502, 600));
  EXPECT_FALSE(InGoalRect(2, 1503, 600));
  EXPECT_FALSE(InGoalRect(2, 1400, 576));
  EXPECT_TRUE(InGoalRect(2, 1400, 577));
  EXPECT_FALSE(InGoalRect(2, 1400, 619));
}

// Puts the goal probe of course 0 at x = 709 + dx, inside the rectangle's y range.
void ProbeAtGoal(int dx) {
  car[0].dir = 0;
  car[0].posX = static_cast<float>(709 + dx - 42);
  car[0].posY = 1050 - 38;
}

TEST_F(RaceCheckpoints, LapsCountOnlyAfterCheckpoint18) {
  ProbeAtGoal(5);
  race.checkOkCnt = 18;
  GoalStep();  // driving through the goal early counts nothing
  EXPECT_EQ(race.mapNum, 0);
  race.checkOkCnt = 19;
  GoalStep();
  EXPECT_EQ(race.mapNum, 1);
  EXPECT_EQ(race.checkOkCnt, 0);
  ProbeAtGoal(0);  // on the edge: outside
  race.checkOkCnt = 19;
  GoalStep();
  EXPECT_EQ(race.mapNum, 1);
  EXPECT_EQ(race.checkOkCnt, 19);
}

TEST_F(RaceCheckpoints, Checkpoint18AndGoalInOneFrameCompleteTheLap) {
  ProbeAtGoal(5);
  race.checkOkCnt = 18;
  race.checkX[18] = static_cast<int32_t>(car[0].posX);
  race.checkY[18] = static_cast<int32_t>(car[0].posY);
  race.mapNum = 1;
  CheckpointStep();
  GoalStep();
  EXPECT_EQ(race.mapNum, 2);
  EXPECT_EQ(race.checkOkCnt, 0);
}

TEST_F(RaceCheckpoints, ThirdLapEndsTheRaceAndLaterHitsChangeNothing) {
  ProbeAtGoal(5);
  race.mapNum = 2;
  race.checkOkCnt = 19;
  race.Time = 4000;
  bestTime[0] = 5000;
  run.SaveFlg = 0;  // nothing to store
  GoalStep();
  EXPECT_EQ(race.mapNum, 3);
  EXPECT_EQ(race.goalFlg, 1);
  EXPECT_EQ(race.checkOkCnt, 19);
  EXPECT_EQ(race.ReTime, 1);
  race.ReTime = 0;
  GoalStep();
  EXPECT_EQ(race.mapNum, 3);
  EXPECT_EQ(race.ReTime, 0);  // no second decision
  bestTime[0] = 0;
}

TEST_F(RaceCheckpoints, AuthoringKeyStoresOnePointPerPressAndWritesTheDrivenCourse) {
  race.course = 2;
  checkKeyFlg = 0;
  car[0].posX = 10.7f;
  car[0].posY = 20.2f;
  AuthoringKeyStep(KEY_A);  // held since before: latch not armed
  EXPECT_EQ(race.checkCnt, 0);
  for (int i = 0; i < 20; ++i) {
    car[0].posX = 10.7f + i;
    AuthoringKeyStep(0);
    AuthoringKeyStep(KEY_A);
    AuthoringKeyStep(KEY_A);  // held: still one point
  }
  EXPECT_EQ(race.checkCnt, 19);
  EXPECT_EQ(race.checkX[0], 10);
  EXPECT_EQ(race.checkY[0], 20);
  EXPECT_EQ(race.checkX[19], 29);
  const std::string written = ReadTextFile("data/check2.txt");
  EXPECT_EQ(written.substr(0, 12), "10,20 11,20 ");
  EXPECT_NE(written.find("29,20 "), std::string::npos);
  EXPECT_EQ(ReadTextFile("data/check5.txt"), "<missing>");
  // A further press replaces point 19 and writes again.
  car[0].posX = 77;
  AuthoringKeyStep(0);
  AuthoringKeyStep(KEY_A);
  EXPECT_EQ(race.checkX[19], 77);
  EXPECT_NE(ReadTextFile("data/check2.txt").find("77,20 "), std::string::npos);
}

}  // namespace
