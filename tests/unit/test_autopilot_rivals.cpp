// The shipped rivals: their key recordings replay through the race into exactly the stored runs.
#include <cstdlib>
#include <sstream>

#include "gfx/images.h"
#include "race/track_collision.h"
#include "race/track_table.h"
#include "race_run.h"
#include "records/data_files.h"
#include "records/record_tables.h"
#include "rivals.h"
#include "test_support.h"

namespace {

std::string SourcePath(const std::string& rel) { return std::string(VELKARO_SOURCE_DIR) + "/" + rel; }

class ShippedRival : public SceneTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
    // The shipped data set: checkpoints, rivals, best times.
    ASSERT_EQ(system(("cp '" + SourcePath("data") + "'/*.txt data/").c_str()), 0);
  }
};

TEST_P(ShippedRival, RecordingReplaysIntoTheStoredRunWithinTheRules) {
  const int course = GetParam();
  const int slot = autopilot::RivalSlot(course);
  const TrackRow& t = kTrack[course];

  autopilot::KeyRecording rec;
  std::string error;
  ASSERT_TRUE(autopilot::LoadRecording(SourcePath("tools/autopilot/rivals/rival" + std::to_string(slot) + ".keys"),
                                       &rec, &error))
      << error;
  // Driven from the rival's own grid place, facing the course's start heading.
  EXPECT_EQ(V(rec.course, rec.posX, rec.posY, rec.dir),
            V(course, static_cast<int32_t>(t.InitAX), static_cast<int32_t>(t.InitAY), t.InitAng));

  // The count file, the entry file and the time to beat agree.
  int32_t count = -1;
  ASSERT_TRUE(ReadRunCount(slot, &count));
  ASSERT_GT(count, 0);
  ASSERT_LE(count, RUN_CAPACITY);
  const std::string ghost = ReadTextFile("data/ghost" + std::to_string(slot) + ".txt");
  std::istringstream in(ghost);
  std::vector<autopilot::RunEntry> stored;
  for (autopilot::RunEntry e{}; in >> e.x >> e.y >> e.ang;) stored.push_back(e);
  EXPECT_TRUE(in.eof()) << "stray text in the entry file";
  ASSERT_EQ(static_cast<int32_t>(stored.size()), count);
  int32_t times[SLOT_COUNT] = {};
  ASSERT_TRUE(ReadBestTimes(times));
  EXPECT_EQ(times[slot], 16 * count);
  // The stored run starts where the race places the rival.
  EXPECT_EQ(V(stored[0].x, stored[0].y), V(rec.posX, rec.posY));

  // Replayed through the race: three laps inside the time limit, on the road,
  // every key used, the last one ending the race, and the very same run.
  autopilot::RaceOutcome out;
  ASSERT_TRUE(autopilot::ReplayRecording(screen, rec, &out));
  EXPECT_TRUE(out.finished);
  EXPECT_TRUE(out.stayedOnRoad);
  EXPECT_EQ(out.calls, static_cast<int>(rec.keys.size()));
  EXPECT_LE(out.Time, t.InitOverTime);
  EXPECT_GT(out.overTime, 0);
  EXPECT_EQ(out.Time, times[slot]);
  ASSERT_EQ(out.run.size(), stored.size());
  for (size_t i = 0; i < stored.size(); ++i)
    ASSERT_TRUE(out.run[i] == stored[i]) << "entry " << i << ": replay (" << out.run[i].x << ", " << out.run[i].y
                                         << ", " << out.run[i].ang << ") stored (" << stored[i].x << ", " << stored[i].y
                                         << ", " << stored[i].ang << ")";
  // Every stored position has its centre on road or goal colour.
  for (size_t i = 0; i < stored.size(); ++i)
    ASSERT_TRUE(IsDrivable(img.mapImage, stored[i].x + 26, stored[i].y + 38)) << "entry " << i;
}

INSTANTIATE_TEST_SUITE_P(Courses, ShippedRival, ::testing::Range(0, 6), [](const ::testing::TestParamInfo<int>& info) {
  return "course" + std::to_string(info.param);
});

TEST(ShippedRivals, GradedFromGentleToFierce) {
  // Times to beat fall, relative to the course, from course 0 to course 5:
  // the rivals' paces rise, and none is above the autopilot's full pace.
  const autopilot::Pace full = autopilot::FullPace();
  for (int course = 0; course < 6; ++course) {
    const autopilot::Pace p = autopilot::RivalPace(course);
    EXPECT_LT(p.topSpeed, full.topSpeed) << course;
    EXPECT_LE(p.turnRate, full.turnRate) << course;
    if (course > 0) {
      EXPECT_GT(p.topSpeed, autopilot::RivalPace(course - 1).topSpeed) << course;
    }
  }
}

TEST(KeyRecordingText, RoundTripsAndRejectsWhatIsNotARecording) {
  autopilot::KeyRecording rec;
  rec.course = 3;
  rec.posX = 86;
  rec.posY = 566;
  rec.dir = 18;
  for (int i = 0; i < 75; ++i) rec.keys.push_back(static_cast<uint8_t>(i * 37 % 256));
  const std::string text = autopilot::FormatRecording(rec);
  EXPECT_EQ(text.substr(0, text.find('\n')), "course 3 posX 86 posY 566 dir 18");
  autopilot::KeyRecording back;
  ASSERT_TRUE(autopilot::ParseRecording(text, &back));
  EXPECT_EQ(V(back.course, back.posX, back.posY, back.dir), V(3, 86, 566, 18));
  EXPECT_EQ(back.keys, rec.keys);
  // Keys may be separated by any white space.
  ASSERT_TRUE(autopilot::ParseRecording("course 0 posX 1 posY 2 dir 0\n1\t9\n\n 5 ", &back));
  EXPECT_EQ(back.keys, (std::vector<uint8_t>{1, 9, 5}));

  std::string error;
  EXPECT_FALSE(autopilot::ParseRecording("course 0 posX 1 posY 2\n1 2", &back, &error));
  EXPECT_FALSE(autopilot::ParseRecording("course 6 posX 1 posY 2 dir 0\n", &back, &error));
  EXPECT_FALSE(autopilot::ParseRecording("course 0 posX 1 posY 2 dir 24\n", &back, &error));
  EXPECT_FALSE(autopilot::ParseRecording("course 0 posX 1 posY 2 dir 0\n1 256", &back, &error));
  EXPECT_FALSE(autopilot::ParseRecording("course 0 posX 1 posY 2 dir 0\n1 -1", &back, &error));
  EXPECT_FALSE(autopilot::ParseRecording("course 0 posX 1 posY 2 dir 0\n1 x", &back, &error));
  EXPECT_NE(error.find("x"), std::string::npos);
}

}  // namespace
