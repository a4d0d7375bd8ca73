// The authoring key outside and inside the authoring mode, in a real race on a generated course.
#include <cstdlib>
#include <filesystem>
#include <map>

#include "app/keyboard.h"
#include "race/checkpoints.h"
#include "race_run.h"
#include "test_support.h"

namespace {

class AuthoringMode : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
    std::string error;
    ASSERT_TRUE(autopilot::LoadRecording(VELKARO_SOURCE_DIR "/tools/autopilot/rivals/rival6.keys", &clean, &error))
        << error;
  }
  // Every file of data/ by name, after the shipped files were laid out afresh and rec was replayed.
  std::map<std::string, std::string> Race(const autopilot::KeyRecording& rec, autopilot::RaceOutcome* out) {
    EXPECT_EQ(system("rm -f data/* && cp '" VELKARO_SOURCE_DIR "/data'/*.txt data/"), 0);
    EXPECT_TRUE(autopilot::ReplayRecording(screen, rec, out));
    std::map<std::string, std::string> files;
    for (const auto& f : std::filesystem::directory_iterator("data"))
      files[f.path().string()] = ReadTextFile(f.path().string());
    return files;
  }
  // The recording with a pressed and released twenty times on the grid during the countdown,
  // as the stray presses that once counted laps without driving.
  autopilot::KeyRecording WithStrayA() const {
    autopilot::KeyRecording rec = clean;
    for (size_t i = 2; i <= 40; i += 2) rec.keys[i] |= KEY_A;
    return rec;
  }
  autopilot::KeyRecording clean;
};

TEST_F(AuthoringMode, AStrayAInANormalRaceChangesNothingOnDiskOrInTheRace) {
  autopilot::RaceOutcome plain, stray;
  const auto plainFiles = Race(clean, &plain);
  const auto strayFiles = Race(WithStrayA(), &stray);
  EXPECT_EQ(V(stray.finished, stray.Time, stray.calls, stray.overTime), V(1, plain.Time, plain.calls, plain.overTime));
  EXPECT_TRUE(stray.run == plain.run) << "the stored run differs";
  EXPECT_EQ(strayFiles.size(), plainFiles.size());
  for (const auto& [name, text] : plainFiles) EXPECT_TRUE(strayFiles.at(name) == text) << name << " differs";
}

TEST_F(AuthoringMode, WithTheModeTheSamePressesStoreCheckpointsAndWriteTheCourse) {
  authorFlg = 1;
  autopilot::RaceOutcome plain, authored;
  const std::string shipped = ReadTextFile(VELKARO_SOURCE_DIR "/data/check0.txt");
  Race(clean, &plain);
  EXPECT_EQ(ReadTextFile("data/check0.txt"), shipped);  // without a, authoring changes nothing
  Race(WithStrayA(), &authored);
  // Twenty presses on the grid make every checkpoint the grid place, written at the twentieth;
  // the laps then count with far less driving.
  std::string grid;
  for (int i = 0; i < 20; ++i) grid += std::to_string(clean.posX) + "," + std::to_string(clean.posY) + " ";
  EXPECT_EQ(ReadTextFile("data/check0.txt"), grid);
  EXPECT_EQ(V(authored.finished, authored.Time < plain.Time), V(1, 1));
}

}  // namespace
