// Recorded key sequences replayed through the scene loop; the race's summary must match.
#include <fstream>
#include <sstream>

#include "app/scene_loop.h"
#include "test_race_support.h"

namespace {

struct Demo {
  const char* name;  // tests/replays/<name>.keys and .expected
  int32_t slot, mode;
  int32_t best;        // the slot's best time before the race
  int32_t rivalCount;  // entries of the stored run written for the slot, 0 for none
};

const Demo kDemos[] = {
    {"creep_slot0_mode1", 0, 1, 0, 0},
    {"rival_wins_slot6_mode2", 6, 2, 600, 20},
};

std::string ReplayPath(const std::string& file) { return std::string(VELKARO_SOURCE_DIR) + "/tests/replays/" + file; }

// Reads one KeyMask per line; lines starting with '#' are comments.
std::deque<uint8_t> ReadKeys(const std::string& path) {
  std::deque<uint8_t> keys;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') keys.push_back(static_cast<uint8_t>(std::stoi(line)));
  return keys;
}

std::string Summary(int32_t scene, int calls, const Demo& d) {
  std::ostringstream s;
  s << "scene " << scene << "\n"
    << "scene calls " << calls << "\n"
    << "result passes " << PresentedFrames() << "\n"
    << "laps " << race.mapNum << "\n"
    << "time " << race.Time << "\n"
    << "time up " << race.timeUpFlg << "\n"
    << "record " << race.ReTime << "\n"
    << "best " << bestTime[d.slot] << "\n";
  for (const std::string& f :
       {"saveCnt" + std::to_string(d.slot) + ".txt", std::string("bestTime.txt"), std::string("clearFlg.txt")})
    s << f << " " << ReadTextFile("data/" + f) << "\n";
  std::istringstream ghost(ReadTextFile("data/ghost" + std::to_string(d.slot) + ".txt"));
  int entries = 0, x, y, a;
  while (ghost >> x >> y >> a) ++entries;
  s << "ghost entries " << entries << "\n";
  return s.str();
}

class RaceDemo : public RaceSceneTest, public ::testing::WithParamInterface<Demo> {};

TEST_P(RaceDemo, RecordedKeySequenceGivesTheRecordedSummary) {
  const Demo& d = GetParam();
  bestTime[d.slot] = d.best;
  if (d.rivalCount) WriteStoredRun(d.slot, d.rivalCount, 900, 984);
  KeyScript() = ReadKeys(ReplayPath(std::string(d.name) + ".keys"));
  ASSERT_FALSE(KeyScript().empty());
  LoopState state = {SCENE_GAME, d.slot, d.mode};
  int calls = 0;
  while ((state.sceneCode == SCENE_GAME || state.sceneCode == SCENE_PAUSE) && calls < 5000) {
    RunSceneOnce(screen, &state);
    ++calls;
  }
  const std::string expected = ReadTextFile(ReplayPath(std::string(d.name) + ".expected"));
  EXPECT_EQ(Summary(state.sceneCode, calls, d), expected);
  EXPECT_TRUE(KeyScript().empty()) << "keys left over";
}

INSTANTIATE_TEST_SUITE_P(RaceReplays, RaceDemo, ::testing::ValuesIn(kDemos),
                         [](const ::testing::TestParamInfo<Demo>& info) { return std::string(info.param.name); });

}  // namespace
