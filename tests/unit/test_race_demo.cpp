// Recorded key sequences replayed through the scene loop; the race's summary must match.
#include <fstream>
#include <sstream>

#include "app/scene_loop.h"
#include "test_race_support.h"

struct Demo {
  const char* name;                      // tests/replays/<name>.keys and .expected
  int32_t slot, mode, best, rivalCount;  // best time and stored-run entries before the race
};
const Demo kDemos[] = {{"creep_slot0_mode1", 0, 1, 0, 0}, {"rival_wins_slot6_mode2", 6, 2, 600, 20}};

class RaceDemo : public RaceSceneTest, public ::testing::WithParamInterface<Demo> {};

TEST_P(RaceDemo, RecordedKeySequenceGivesTheRecordedSummary) {
  const Demo& d = GetParam();
  const std::string path = std::string(VELKARO_SOURCE_DIR) + "/tests/replays/" + d.name, slot = std::to_string(d.slot);
  if (d.rivalCount) WriteStoredRun(d.slot, d.best, d.rivalCount, 900, 984);
  std::ifstream keys(path + ".keys");
  for (std::string line; std::getline(keys, line);)  // one KeyMask a line; '#' starts a comment
    if (!line.empty() && line[0] != '#') KeyScript().push_back(static_cast<uint8_t>(std::stoi(line)));
  ASSERT_FALSE(KeyScript().empty());
  LoopState state = {SCENE_GAME, d.slot, d.mode};
  int calls = 0;
  for (; (state.sceneCode == SCENE_GAME || state.sceneCode == SCENE_PAUSE) && calls < 5000; ++calls)
    RunSceneOnce(screen, &state);
  std::ostringstream s;
  s << "scene " << state.sceneCode << "\nscene calls " << calls << "\nresult passes " << PresentedFrames() << "\nlaps "
    << race.mapNum << "\ntime " << race.Time << "\ntime up " << race.timeUpFlg << "\nrecord " << race.ReTime
    << "\nbest " << bestTime[d.slot] << "\n";
  for (const std::string& f : {"saveCnt" + slot, std::string("bestTime"), std::string("clearFlg")})
    s << f << ".txt " << ReadTextFile("data/" + f + ".txt") << "\n";
  std::istringstream ghost(ReadTextFile("data/ghost" + slot + ".txt"));
  int entries = 0, x, y, a;
  while (ghost >> x >> y >> a) ++entries;
  s << "ghost entries " << entries << "\n";
  EXPECT_EQ(s.str(), ReadTextFile(path + ".expected"));
  EXPECT_TRUE(KeyScript().empty()) << "keys left over";
}

INSTANTIATE_TEST_SUITE_P(RaceReplays, RaceDemo, ::testing::ValuesIn(kDemos),
                         [](const ::testing::TestParamInfo<Demo>& info) { return std::string(info.param.name); });
