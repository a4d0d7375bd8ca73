// Headless drives on the generated courses: the car keeps to drivable pixels and inside the image.
#include "gfx/draw.h"
#include "race/track_collision.h"
#include "race/track_table.h"
#include "test_race_support.h"

namespace {

class RaceGeneratedCourse : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
    const std::string cmd = std::string("cp '") + VELKARO_RUNTIME_DIR + "/data/'check*.txt data/ 2>/dev/null";
    if (system(cmd.c_str()) != 0) GTEST_SKIP() << "generated checkpoints not laid out yet";
    ResetRaceState();
    for (auto& t : bestTime) t = 0;
    KeyScript().clear();
    SetKeySource(NextScriptedKey);
    SetPresenter(CountPresent);
  }
  void TearDown() override {
    KeyScript().clear();
    SceneTest::TearDown();
  }
  // As the course select leaves things before a race.
  void PrepareCourse(int course) {
    ASSERT_TRUE(LoadCoursePair(course));
    for (auto& c : car) {
      c = CarState{};
      c.dir = static_cast<float>(kTrack[course].InitAng);
      c.moveAng = 15 * kTrack[course].InitAng;
    }
    race.readyFlg = 0;
  }
  bool CentreDrivable() {
    return IsDrivable(img.mapImage, static_cast<int32_t>(car[0].posX + 26), static_cast<int32_t>(car[0].posY + 38));
  }
};

// A fixed-seed stream of driving keys, the same on every machine.
struct KeyDice {
  uint32_t state = 12345;
  uint8_t Next() {
    state = state * 1103515245u + 12345u;
    const uint32_t r = (state >> 16) % 8;
    static const uint8_t kMoves[8] = {
        KEY_UP, KEY_UP, KEY_UP | KEY_LEFT, KEY_UP | KEY_RIGHT, KEY_DOWN, KEY_DOWN | KEY_LEFT, KEY_LEFT, 0};
    return kMoves[r];
  }
};

TEST_F(RaceGeneratedCourse, HoldingUpOnCourse0DrivesRightAlongTheRoad) {
  PrepareCourse(0);
  PushKeys(0, 60);
  PushKeys(KEY_UP, 30);
  for (int i = 0; i < 90; ++i) {
    ASSERT_EQ(Game(screen, 0, 1), 4);
    ASSERT_TRUE(CentreDrivable()) << "frame " << i + 1;
  }
  EXPECT_GT(car[0].posX, kTrack[0].InitX + 40);
  EXPECT_NEAR(car[0].posY, kTrack[0].InitY, 2.0f);
}

TEST_F(RaceGeneratedCourse, RandomDrivingStaysOnTheRoadOfEveryCourse) {
  for (int course = 0; course < 6; ++course) {
    SCOPED_TRACE(course);
    PrepareCourse(course);
    ASSERT_TRUE(TakeCourseColours(img.checkImage, course));
    const TrackRow& t = kTrack[course];
    ASSERT_TRUE(IsDrivable(img.mapImage, static_cast<int32_t>(t.InitX) + 26, static_cast<int32_t>(t.InitY) + 38))
        << "start position off the road";
    KeyDice dice;
    PushKeys(0, 60);
    for (int i = 0; i < 600; ++i) {
      const uint8_t k = dice.Next();
      PushKeys(k, 1 + i % 5);  // held for one to five frames
    }
    int frame = 0;
    while (!KeyScript().empty()) {
      ASSERT_EQ(Game(screen, course, 1), 4) << "frame " << frame;
      ++frame;
      ASSERT_TRUE(CentreDrivable()) << "frame " << frame;
      ASSERT_GE(car[0].posX + 26, 0.0f);  // the sprite may overhang; its centre may not
      ASSERT_GE(car[0].posY + 38, 0.0f);
      ASSERT_LT(car[0].posX + 26, static_cast<float>(COURSE_W));
      ASSERT_LT(car[0].posY + 38, static_cast<float>(COURSE_H));
    }
    EXPECT_GT(frame, 1000);
  }
}

}  // namespace
