// Whole-game playthroughs through the scene loop's dispatch, the autopilot at the wheel in the race.
#include <cstdlib>
#include <memory>
#include <sstream>

#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/scene_loop.h"
#include "frontend/frontend_state.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race_run.h"
#include "records/data_files.h"
#include "records/record_tables.h"
#include "test_support.h"

namespace {

// What the player at the keyboard wants, and the autopilot that drives for them.
struct Player {
  LoopState loop{};
  int mode = 1;       // 1 or 2
  int course = 0;     // to pick in the course select
  bool start = true;  // press z in the course select
  autopilot::Pace pace = autopilot::FullPace();
  coursekit::CentreLine lines[6];
  std::unique_ptr<autopilot::Driver> driver;
  uint8_t last = 0;  // the KeyMask given last time
};
Player* player = nullptr;

// A key to be pressed once: alternates with a release so every latch re-arms.
uint8_t Tap(uint8_t key) { return player->last == key ? 0 : key; }

uint8_t FrontEndKeys() {
  const FrontEndState& fe = FrontEndView();
  switch (fe.titleCnt) {
    case 5:  // main menu: the cursor opens on entry 1; entry 0 leads to the mode select
      if (fe.changeCnt != 0) return Tap(KEY_UP);
      return KEY_Z;
    case 7:
      if (fe.titleFlg != 0 || fe.modeFlg != 1) return 0;
      if (fe.modeCnt != player->mode - 1) return Tap(KEY_RIGHT);
      return KEY_Z;
    case 10: {
      if (fe.mapSelectFlg != 1) return 0;
      const int current = player->loop.mapCnt;
      if (current < player->course) return Tap(KEY_RIGHT);
      if (current > player->course) return Tap(KEY_LEFT);
      return player->start ? KEY_Z : 0;
    }
    default: return 0;
  }
}

uint8_t PlayerKeys() {
  uint8_t key = 0;
  if (player->loop.sceneCode != SCENE_GAME) {
    key = FrontEndKeys();
  } else if (race.readyFlg == 0) {
    // A new race: a fresh autopilot for its course.
    player->driver = std::make_unique<autopilot::Driver>(player->lines[player->loop.mapCnt % 6], player->pace);
    key = player->driver->Decide();
  } else if (race.goalFlg == 1) {
    key = KEY_Z;  // coasting ignores it; the result screen takes it at once
  } else {
    key = player->driver->Decide();
  }
  player->last = key;
  return key;
}

void NoPresent(SDL_Surface*) {}

class Playthrough : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
    // The data set as shipped: checkpoints, rivals, no records, nothing cleared.
    ASSERT_EQ(system(("cp '" + std::string(VELKARO_SOURCE_DIR) + "/data'/*.txt data/").c_str()), 0);
    for (int k = 0; k < 6; ++k)
      ASSERT_TRUE(autopilot::LoadCentreLine(std::string(VELKARO_SOURCE_DIR) + "/tools/courses", k, &me.lines[k]));
    ResetFrontEnd();
    ResetRaceState();
    car[0] = car[1] = CarState{};
    for (auto& t : bestTime) t = 0;
    for (auto& f : clearFlg) f = 0;
    me.loop = InitialLoopState();
    player = &me;
    SetKeySource(PlayerKeys);
    SetPresenter(NoPresent);
  }
  void TearDown() override {
    player = nullptr;
    SceneTest::TearDown();
  }
  // Runs the scene loop's dispatch frame by frame until done() holds; false
  // when it does not within maxFrames (or the program quits).
  template <class Done>
  bool RunUntil(Done done, int maxFrames = 12000) {
    for (int i = 0; i < maxFrames; ++i) {
      if (done()) return true;
      if (me.loop.sceneCode == SCENE_QUIT) return false;
      RunSceneOnce(screen, &me.loop);
    }
    return done();
  }
  bool InRace() const { return me.loop.sceneCode == SCENE_GAME; }
  bool RaceOver() const { return InRace() && race.goalFlg == 1; }
  bool BackInCourseSelect() const {
    return me.loop.sceneCode == SCENE_TITLE && FrontEndView().titleCnt == 10 && FrontEndView().mapSelectFlg == 1;
  }
  // Reads the slot's stored run from the working directory.
  static std::vector<autopilot::RunEntry> StoredRun(int slot) {
    std::vector<autopilot::RunEntry> entries;
    std::istringstream in(ReadTextFile("data/ghost" + std::to_string(slot) + ".txt"));
    for (autopilot::RunEntry e{}; in >> e.x >> e.y >> e.ang;) entries.push_back(e);
    return entries;
  }
  static int32_t BestTimeOnFile(int slot) {
    int32_t t[SLOT_COUNT] = {};
    ReadBestTimes(t);
    return t[slot];
  }

  Player me;
};

TEST_F(Playthrough, Mode1OnCourse0RecordThenGhostFollowsIt) {
  me.mode = 1;
  me.course = 0;
  ASSERT_TRUE(RunUntil([&] { return InRace(); }));
  EXPECT_EQ(me.loop.mapCnt, 0);
  EXPECT_EQ(me.loop.mode, 1);
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt"), "<missing>");

  // The goal frame: a record, and the run files written at once.
  ASSERT_TRUE(RunUntil([&] { return RaceOver(); }));
  ASSERT_EQ(race.mapNum, 3);
  EXPECT_EQ(race.timeUpFlg, 0);
  EXPECT_EQ(race.ReTime, 1);
  const int32_t time = race.Time;
  const std::vector<autopilot::RunEntry> stored = StoredRun(0);
  ASSERT_FALSE(stored.empty());
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt"), std::to_string(stored.size()));
  EXPECT_EQ(time, 16 * static_cast<int32_t>(stored.size()));
  EXPECT_EQ(BestTimeOnFile(0), 0);  // the best time waits for z on the result screen

  // z on the result screen writes it; the course select reads it back.
  ASSERT_TRUE(RunUntil([&] { return me.loop.sceneCode == SCENE_TITLE; }));
  EXPECT_EQ(BestTimeOnFile(0), time);
  for (int slot = 6; slot < 12; ++slot) EXPECT_GT(BestTimeOnFile(slot), 0) << "rival time lost, slot " << slot;
  bestTime[0] = 0;  // forget it: the course select must take it from the file
  me.start = false;
  ASSERT_TRUE(RunUntil([&] { return BackInCourseSelect(); }));
  EXPECT_EQ(me.loop.mapCnt, 0);
  EXPECT_EQ(bestTime[0], time);

  // The next race on slot 0 loads the run, and the ghost follows it frame for frame.
  me.start = true;
  ASSERT_TRUE(RunUntil([&] { return InRace() && race.readyFlg == 1; }));
  EXPECT_EQ(race.secondCarFlg, 1);
  ASSERT_EQ(run.LoadCnt, static_cast<int32_t>(stored.size()));
  EXPECT_EQ(car[1].posX, static_cast<float>(stored[0].x));
  EXPECT_EQ(car[1].posY, static_cast<float>(stored[0].y));
  int followed = 0;
  ASSERT_TRUE(RunUntil([&] {
    if (run.RunCnt > followed) {  // an entry was replayed in the frame just run
      const autopilot::RunEntry& e = stored[run.RunCnt - 1];
      EXPECT_EQ(car[1].posX, static_cast<float>(e.x)) << "entry " << run.RunCnt - 1;
      EXPECT_EQ(car[1].posY, static_cast<float>(e.y)) << "entry " << run.RunCnt - 1;
      EXPECT_EQ(car[1].dir, static_cast<float>(e.ang)) << "entry " << run.RunCnt - 1;
      ++followed;
    }
    return RaceOver();
  }));
  EXPECT_EQ(followed, static_cast<int>(stored.size()));
}

TEST_F(Playthrough, Mode2WinsOnCourses0To2UnlockCourse3) {
  me.mode = 2;
  for (int course = 0; course < 3; ++course) {
    SCOPED_TRACE(course);
    me.course = course;
    ASSERT_TRUE(RunUntil([&] { return InRace(); }));
    EXPECT_EQ(me.loop.mapCnt, course + 6);
    EXPECT_EQ(me.loop.mode, 2);
    EXPECT_EQ(FrontEndView().mapRunFlg[3], 0);
    const int32_t toBeat = BestTimeOnFile(course + 6);
    ASSERT_TRUE(RunUntil([&] { return RaceOver(); }));
    ASSERT_EQ(race.mapNum, 3) << "the rival's path ran out first";
    EXPECT_EQ(race.timeUpFlg, 0);
    EXPECT_EQ(race.ReTime, 1);
    EXPECT_LT(race.Time, toBeat);
    // Marked at the goal.
    int32_t flags[COURSE_COUNT] = {};
    ASSERT_TRUE(ReadClearFlags(flags));
    for (int k = 0; k < COURSE_COUNT; ++k) EXPECT_EQ(flags[k], k <= course ? 1 : 0) << "course " << k;
    EXPECT_EQ(ReadTextFile("data/saveCnt" + std::to_string(course + 6) + ".txt"),
              ReadTextFile(std::string(VELKARO_SOURCE_DIR) + "/data/saveCnt" + std::to_string(course + 6) + ".txt"))
        << "a mode-2 race never writes run files";
    ASSERT_TRUE(RunUntil([&] { return me.loop.sceneCode == SCENE_TITLE; }));
  }
  me.start = false;
  ASSERT_TRUE(RunUntil([&] { return BackInCourseSelect(); }));
  EXPECT_EQ(FrontEndView().clearCnt, 3);
  EXPECT_EQ(FrontEndView().mapRunFlg[3], 1);
  EXPECT_EQ(FrontEndView().mapRunFlg[4], 0);
}

TEST_F(Playthrough, Mode2TooSlowLosesWhenTheRivalsPathRunsOutAndWritesNothing) {
  me.mode = 2;
  me.course = 0;
  me.pace.topSpeed = 3.5f;
  const std::string files[] = {"bestTime.txt", "clearFlg.txt", "saveCnt0.txt",
                               "ghost0.txt",   "saveCnt6.txt", "ghost6.txt"};
  std::vector<std::string> before;
  for (const std::string& f : files) before.push_back(ReadTextFile("data/" + f));
  int32_t rivalCount = 0;
  ASSERT_TRUE(ReadRunCount(6, &rivalCount));

  ASSERT_TRUE(RunUntil([&] { return InRace(); }));
  ASSERT_TRUE(RunUntil([&] { return RaceOver(); }));
  EXPECT_EQ(race.timeUpFlg, 1);
  EXPECT_LT(race.mapNum, 3);
  EXPECT_EQ(race.ReTime, 0);
  EXPECT_EQ(run.RunCnt, rivalCount);  // the path ran out in the frame after its last entry
  EXPECT_EQ(race.Time, 16 * rivalCount);
  ASSERT_TRUE(RunUntil([&] { return me.loop.sceneCode == SCENE_TITLE; }));
  me.start = false;
  ASSERT_TRUE(RunUntil([&] { return BackInCourseSelect(); }));
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(ReadTextFile("data/" + files[i]), before[i]) << files[i];
  EXPECT_EQ(clearFlg[0], 0);
}

}  // namespace
