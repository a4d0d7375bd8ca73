// Whole-game playthroughs through the scene loop's dispatch, the autopilot at the wheel in the race.
#include <sstream>

#include "records/data_files.h"
#include "test_session.h"

class Playthrough : public GameSession {
 protected:
  bool RaceOver() const { return InRace() && race.goalFlg == 1; }
  static int32_t BestOnFile(int slot) {
    int32_t t[SLOT_COUNT] = {};
    ReadBestTimes(t);
    return t[slot];
  }
};

TEST_F(Playthrough, Mode1OnCourse0RecordThenGhostFollowsIt) {
  StartGame();
  // The goal frame on course 0 in mode 1: a record, and the run files written at once; the best time waits for z.
  ASSERT_TRUE(RunUntil([&] { return RaceOver(); }));
  EXPECT_EQ(V(loop.mapCnt, loop.mode, race.mapNum, race.timeUpFlg, race.ReTime, BestOnFile(0)), V(0, 1, 3, 0, 1, 0));
  const int32_t time = race.Time;
  std::vector<autopilot::RunEntry> stored;
  std::istringstream in(ReadTextFile("data/ghost0.txt"));
  for (autopilot::RunEntry e{}; in >> e.x >> e.y >> e.ang;) stored.push_back(e);
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(V(ReadTextFile("data/saveCnt0.txt") == std::to_string(stored.size()), time), V(1, 16 * stored.size()));
  // z writes it; the course select reads it back from the file.
  ASSERT_TRUE(RunUntil([&] { return loop.sceneCode == SCENE_TITLE; }));
  EXPECT_EQ(BestOnFile(0), time);
  for (int slot = 6; slot < 12; ++slot) EXPECT_GT(BestOnFile(slot), 0) << "rival time lost, slot " << slot;
  bestTime[0] = 0, plan.start = false;
  ASSERT_TRUE(RunUntil([&] { return InCourseSelect(); }));
  EXPECT_EQ(bestTime[0], time);
  // The next race on slot 0 loads the run, and the ghost follows it entry for entry.
  plan.start = true;
  ASSERT_TRUE(RunUntil([&] { return InRace() && race.readyFlg == 1; }));
  ASSERT_EQ(V(race.secondCarFlg, run.LoadCnt, car[1].posX, car[1].posY), V(1, stored.size(), stored[0].x, stored[0].y));
  int followed = 0;
  ASSERT_TRUE(RunUntil([&] {
    if (run.RunCnt > followed) {  // an entry was replayed in the frame just run
      const autopilot::RunEntry& e = stored[followed++];
      EXPECT_EQ(V(car[1].posX, car[1].posY, car[1].dir), V(e.x, e.y, e.ang)) << "entry " << followed - 1;
    }
    return RaceOver();
  }));
  EXPECT_EQ(followed, static_cast<int>(stored.size()));
}

TEST_F(Playthrough, Mode2WinsOnCourses0To2UnlockCourse3) {
  plan.mode = 2;
  StartGame();
  for (int course = 0; course < 3; ++course) {
    SCOPED_TRACE(course);
    plan.course = course;
    ASSERT_TRUE(RunUntil([&] { return InRace(); }));
    EXPECT_EQ(V(loop.mapCnt, loop.mode, FrontEndView().mapRunFlg[3]), V(course + 6, 2, 0));
    const int32_t toBeat = BestOnFile(course + 6);
    ASSERT_TRUE(RunUntil([&] { return RaceOver(); }));
    ASSERT_EQ(V(race.mapNum, race.timeUpFlg, race.ReTime), V(3, 0, 1)) << "the rival's path ran out first";
    EXPECT_LT(race.Time, toBeat);
    int32_t flags[COURSE_COUNT] = {};
    ASSERT_TRUE(ReadClearFlags(flags));
    for (int k = 0; k < COURSE_COUNT; ++k) EXPECT_EQ(flags[k], k <= course ? 1 : 0) << "course " << k;
    const std::string count = "/data/saveCnt" + std::to_string(course + 6) + ".txt";
    EXPECT_EQ(ReadTextFile(count.substr(1)), ReadTextFile(VELKARO_SOURCE_DIR + count)) << "mode 2 wrote a run";
    ASSERT_TRUE(RunUntil([&] { return loop.sceneCode == SCENE_TITLE; }));
  }
  plan.start = false;
  ASSERT_TRUE(RunUntil([&] { return InCourseSelect(); }));
  EXPECT_EQ(V(FrontEndView().clearCnt, FrontEndView().mapRunFlg[3], FrontEndView().mapRunFlg[4]), V(3, 1, 0));
}
