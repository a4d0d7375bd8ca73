// Demo regressions: key recordings (tests/demos/*.keys) replayed headless through the real scenes.
// Each writes a short summary that must equal tests/demos/*.expected. Those files are regression
// baselines, written from one replay (VELKARO_DEMO_RECORD=1 writes them again; the keys were
// recorded once from the session's autopilot player). What can be derived on its own (time = 16 x clocked
// frames, a stored run's length, laps, the outcome, which files change) is checked by derivation too.
// The records are the test's own: no shipped best time, cleared course or rival takes part.
#include <fstream>
#include <sstream>

#include "core/sound_events.h"
#include "core/track_table.h"
#include "records/data_files.h"
#include "test_session.h"

namespace {

// A rival of the test's own for slot 6 (course 0 in mode 2): parked a little ahead of the player's
// start for 150 frames, then far off the course until its run of `entries` ends.
void InstallRival(int entries) {
  std::string run;
  for (int i = 0; i < entries; ++i) run += i < 150 ? "720 1000 12 " : "-2000 -2000 0 ";
  WriteTextFile("data/ghost6.txt", run), WriteTextFile("data/saveCnt6.txt", std::to_string(entries));
  WriteTextFile("data/bestTime.txt", "0 0 0 0 0 0 " + std::to_string(16 * entries) + " 0 0 0 0 0 ");
}

struct DemoCase {
  const char* name;
  const char* outcome;  // of the last race: record, win, lose, time up or none (left through the pause menu)
  const char* changed;  // the data files the demo changes, in name order
};

const DemoCase kDemos[] = {
    {"mode2_contact_win", "win", "bestTime.txt clearFlg.txt"},
    {"mode2_loss", "lose", ""},
    {"pause_resume", "record", "bestTime.txt ghost0.txt saveCnt0.txt"},
    {"pause_quit", "none", ""},
    {"time_up", "time up", ""},
    {"abandon_then_finish", "record", "bestTime.txt ghost0.txt saveCnt0.txt"},
    {"frontend_every_course", "none", ""},
};

}  // namespace

class Demo : public GameSession, public ::testing::WithParamInterface<DemoCase> {
 protected:
  std::vector<uint8_t> keys;
  size_t next = 0;
  std::ostringstream summary;
  int frames = 0, clocked = 0, pauses = 0, knocks = 0, totalKnocks = 0, races = 0;
  bool wasRacing = false;
  std::string outcome = "none";

  std::string Path(const char* ext) const {
    return VELKARO_SOURCE_DIR "/tests/demos/" + std::string(GetParam().name) + ext;
  }
  // One line per race when it is left: slot, clocked frames, time, laps, outcome, both cars.
  void Observe() {
    SoundEvent events[SOUND_QUEUE_SIZE];
    for (int i = 0, n = TakeSoundEvents(events); i < n; ++i) knocks += events[i].id == SOUND_KNOCK;
    const bool racing = loop.sceneCode == SCENE_GAME || loop.sceneCode == SCENE_PAUSE;
    if (racing && !wasRacing) ++races, clocked = knocks = pauses = 0, outcome = "none";
    if (loop.sceneCode == SCENE_GAME && race.readyFlg == 2 && race.goalFlg != 1) ++clocked;
    pauses += loop.sceneCode == SCENE_PAUSE && last == KEY_X;  // the frame x paused in
    if (racing && race.goalFlg == 1)
      outcome = race.timeUpFlg ? (race.mode == 1 ? "time up" : "lose")
                : race.ReTime  ? (race.mode == 1 ? "record" : "win")
                               : "finish";
    if (racing) return void(wasRacing = true);
    if (!wasRacing) return;
    wasRacing = false;
    summary << "race " << races << ": slot " << loop.mapCnt << " mode " << loop.mode << ", " << clocked
            << " clocked frames, time " << race.Time << ", laps " << race.mapNum << ", " << outcome << ", " << knocks
            << " knocks, car at " << car[0].posX << "," << car[0].posY << ", rival at " << car[1].posX << ","
            << car[1].posY << "\n";
    // Derived: the clock runs 16 ms in every frame from the start until the race is over; a time-up
    // comes one frame past the limit; the rival wins after its 400 entries, 16 ms each.
    EXPECT_EQ(race.Time, 16 * clocked) << "race " << races;
    EXPECT_TRUE(outcome != "time up" || race.Time == kTrack[5].InitOverTime + 16) << race.Time;
    EXPECT_TRUE(outcome != "lose" || race.Time == 16 * 400) << race.Time;
    totalKnocks += knocks;
    // A stored run holds one entry per clocked frame but those x paused in (the clock runs before
    // the pause key is read); a finish is the third lap's end.
    EXPECT_TRUE(outcome != "record" || ReadTextFile("data/saveCnt0.txt") == std::to_string(clocked - pauses));
    EXPECT_TRUE((outcome != "record" && outcome != "win") || race.mapNum == 3) << race.mapNum;
  }
  uint8_t ChooseKeys() override {
    Observe(), ++frames;
    return last = next < keys.size() ? keys[next++] : uint8_t{KEY_QUIT};
  }
};

TEST_P(Demo, ReplaysToItsBaseline) {
  const std::string name = GetParam().name;
  WriteTextFile("data/bestTime.txt", "0 0 0 0 0 0 0 0 0 0 0 0 "), WriteTextFile("data/clearFlg.txt", "0 0 0 0 0 0 ");
  if (name == "frontend_every_course" || name == "time_up") WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 1 ");
  if (name.rfind("mode2", 0) == 0) InstallRival(name == "mode2_loss" ? 400 : RUN_CAPACITY);
  const std::map<std::string, std::string> before = DataFileHashes();
  std::ifstream in(Path(".keys"));
  for (int count, mask; in >> count >> mask;) keys.insert(keys.end(), count, static_cast<uint8_t>(mask));
  ASSERT_FALSE(keys.empty()) << "no recording " << Path(".keys");
  StartGame();
  RunUntil([] { return false; }, 1 << 20);
  Observe();
  std::string changed;
  for (const auto& [file, hash] : DataFileHashes())
    if (before.count(file) == 0 || before.at(file) != hash)
      changed += (changed.empty() ? "" : " ") + file, summary << file << " " << hash << "\n";
  summary << frames << " frames, " << races << " races, last " << outcome << "\n";
  EXPECT_EQ(V(loop.sceneCode, outcome == GetParam().outcome, changed == GetParam().changed, totalKnocks > 0),
            V(SCENE_QUIT, 1, 1, name.rfind("mode2", 0) == 0))
      << outcome << "; " << changed;
  const std::string baseline = "# regression baseline: the summary of one replay of " + name + ".keys\n";
  if (getenv("VELKARO_DEMO_RECORD")) std::ofstream(Path(".expected")) << baseline << summary.str();
  EXPECT_EQ(baseline + summary.str(), ReadTextFile(Path(".expected")));
}

INSTANTIATE_TEST_SUITE_P(, Demo, ::testing::ValuesIn(kDemos), [](const auto& p) { return std::string(p.param.name); });
