// The shipped rivals: their key recordings replay through the race into exactly the stored runs.
#include <cstdlib>

#include "core/track_table.h"
#include "gfx/images.h"
#include "race_run.h"
#include "records/data_files.h"
#include "records/record_tables.h"
#include "test_support.h"

namespace {

class ShippedRival : public SceneTest, public ::testing::WithParamInterface<int> {};

TEST_P(ShippedRival, RecordingReplaysIntoTheStoredRunWithinTheRules) {
  if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
  // The shipped data set: checkpoints, rivals, best times.
  ASSERT_EQ(system("cp '" VELKARO_SOURCE_DIR "/data'/*.txt data/"), 0);
  const int course = GetParam(), slot = autopilot::RivalSlot(course);
  const TrackRow& t = kTrack[course];
  autopilot::KeyRecording rec;
  std::string error;
  const std::string keys = VELKARO_SOURCE_DIR "/tools/autopilot/rivals/rival" + std::to_string(slot) + ".keys";
  ASSERT_TRUE(autopilot::LoadRecording(keys, &rec, &error)) << error;
  // Driven from the rival's own grid place, facing the course's start heading.
  EXPECT_EQ(V(rec.course, rec.posX, rec.posY, rec.dir), V(course, int32_t(t.InitAX), int32_t(t.InitAY), t.InitAng));
  int32_t times[SLOT_COUNT] = {};
  ASSERT_TRUE(ReadBestTimes(times));
  // Replayed through the race, which stores its run in slot `course`: three laps inside the time
  // limit, on the road, every key used (the last one ending the race), the time to beat, and the
  // very same files.
  autopilot::RaceOutcome out;
  ASSERT_TRUE(autopilot::ReplayRecording(screen, rec, &out));
  EXPECT_EQ(V(out.finished, out.stayedOnRoad, out.calls, out.overTime > 0, out.Time),
            V(1, 1, rec.keys.size(), 1, times[slot]));
  for (const std::string file : {"data/saveCnt", "data/ghost"})  // compared whole, named but not dumped
    EXPECT_TRUE(ReadTextFile(file + std::to_string(slot) + ".txt") ==
                ReadTextFile(file + std::to_string(course) + ".txt"))
        << file << slot << " differs";
}

INSTANTIATE_TEST_SUITE_P(Courses, ShippedRival, ::testing::Range(0, 6), [](const ::testing::TestParamInfo<int>& info) {
  return "course" + std::to_string(info.param);
});

TEST(KeyRecordingText, RoundTripsAndRejectsWhatIsNotARecording) {
  autopilot::KeyRecording rec, back;
  rec.course = 3, rec.posX = 86, rec.posY = 566, rec.dir = 18;
  for (int i = 0; i < 75; ++i) rec.keys.push_back(static_cast<uint8_t>(i * 37 % 256));
  ASSERT_TRUE(autopilot::ParseRecording(autopilot::FormatRecording(rec), &back));
  EXPECT_EQ(V(back.course, back.posX, back.posY, back.dir), V(3, 86, 566, 18));
  EXPECT_EQ(back.keys, rec.keys);
  // A short header, a course or facing out of range, a key that is no KeyMask.
  for (const char* bad :
       {"course 0 posX 1 posY 2\n1 2", "course 6 posX 1 posY 2 dir 0\n", "course 0 posX 1 posY 2 dir 24\n",
        "course 0 posX 1 posY 2 dir 0\n1 256", "course 0 posX 1 posY 2 dir 0\n1 x"})
    EXPECT_FALSE(autopilot::ParseRecording(bad, &back)) << bad;
}

}  // namespace
