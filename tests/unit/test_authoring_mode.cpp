// The authoring key outside and inside the authoring mode, in a real race on a generated course.
#include <filesystem>
#include <map>

#include "app/keyboard.h"
#include "race/race_state.h"
#include "race_run.h"
#include "test_support.h"

namespace {

using AuthoringMode = SceneTest;

// Every file of data/ by name, after the shipped files were laid out afresh and rec was replayed.
std::map<std::string, std::string> Race(SDL_Surface* screen, const autopilot::KeyRecording& rec,
                                        autopilot::RaceOutcome* out) {
  EXPECT_EQ(system("rm -f data/* && cp '" VELKARO_SOURCE_DIR "/data'/*.txt data/"), 0);
  EXPECT_TRUE(autopilot::ReplayRecording(screen, rec, out));
  std::map<std::string, std::string> files;
  for (const auto& f : std::filesystem::directory_iterator("data")) files[f.path()] = ReadTextFile(f.path());
  return files;
}

TEST_F(AuthoringMode, StrayAInertInRaceAuthorsWithMode) {
  if (!LoadGeneratedImages()) SKIP_OR_FAIL_ON_CI("generated art not built yet");
  autopilot::KeyRecording clean, stray;
  ASSERT_TRUE(autopilot::LoadRecording(VELKARO_SOURCE_DIR "/tools/autopilot/rivals/rival6.keys", &clean));
  // a pressed and released twenty times on the grid during the countdown, as the stray presses
  // that once counted laps without driving.
  stray = clean;
  for (size_t i = 2; i <= 40; i += 2) stray.keys[i] |= KEY_A;
  autopilot::RaceOutcome plain, withA, authored;
  const auto plainFiles = Race(screen, clean, &plain);
  EXPECT_TRUE(Race(screen, stray, &withA) == plainFiles) << "a file differs";
  EXPECT_EQ(V(withA.finished, withA.Time, withA.calls, withA.run == plain.run), V(1, plain.Time, plain.calls, 1));
  // With the mode the same presses make every checkpoint the grid place, written at the
  // twentieth; the laps then count with far less driving.
  raceOptions.authorFlg = 1;
  Race(screen, stray, &authored);
  std::string grid;
  for (int i = 0; i < 20; ++i) grid += std::to_string(clean.posX) + "," + std::to_string(clean.posY) + " ";
  EXPECT_EQ(ReadTextFile("data/check0.txt"), grid);
  EXPECT_EQ(V(authored.finished, authored.Time < plain.Time), V(1, 1));
}

}  // namespace
