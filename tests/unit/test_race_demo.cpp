// A recorded key sequence replayed through the scene loop: slot 0, mode 1, a first finish on an
// empty slot with a pause during the countdown. The race's summary must match the recorded one.
#include <fstream>
#include <sstream>

#include "app/scene_loop.h"
#include "test_race_support.h"

using RaceDemo = RaceSceneTest;

TEST_F(RaceDemo, RecordedKeySequenceGivesTheRecordedSummary) {
  const std::string path = std::string(VELKARO_SOURCE_DIR) + "/tests/replays/creep_slot0_mode1";
  std::ifstream keys(path + ".keys");
  for (std::string line; std::getline(keys, line);)  // one KeyMask a line; '#' starts a comment
    if (!line.empty() && line[0] != '#') KeyScript().push_back(static_cast<uint8_t>(std::stoi(line)));
  ASSERT_FALSE(KeyScript().empty());
  LoopState state = {SCENE_GAME, 0, 1};
  int calls = 0;
  for (; (state.sceneCode == SCENE_GAME || state.sceneCode == SCENE_PAUSE) && calls < 5000; ++calls)
    RunSceneOnce(screen, &state);
  std::ostringstream s;
  s << "scene " << state.sceneCode << "\nscene calls " << calls << "\nresult passes " << PresentedFrames() << "\nlaps "
    << race.mapNum << "\ntime " << race.Time << "\ntime up " << race.timeUpFlg << "\nrecord " << race.ReTime
    << "\nbest " << bestTime[0] << "\n";
  for (const char* f : {"saveCnt0", "bestTime", "clearFlg"})
    s << f << ".txt " << ReadTextFile("data/" + std::string(f) + ".txt") << "\n";
  std::istringstream ghost(ReadTextFile("data/ghost0.txt"));
  int entries = 0, x, y, a;
  while (ghost >> x >> y >> a) ++entries;
  s << "ghost entries " << entries << "\n";
  EXPECT_EQ(s.str(), ReadTextFile(path + ".expected"));
  EXPECT_TRUE(KeyScript().empty()) << "keys left over";
}
