// The sound generator: the same bytes on every run, each sound as long as intended, none clipped,
// and a file for every sound the game plays.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/sound_events.h"
#include "sounds.h"
#include "test_support.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

uint32_t Le(const std::string& b, size_t at, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
  return v;
}

}  // namespace

using SoundGenerator = SceneTest;

TEST_F(SoundGenerator, TwoRunsWriteTheSameWellFormedUnclippedSounds) {
  ASSERT_EQ(system(VELKARO_SOUNDGEN " one && " VELKARO_SOUNDGEN " two"), 0);
  for (int i = 0; i < soundgen::kSoundCount; ++i) {
    const soundgen::SoundDef& def = soundgen::kSounds[i];
    const std::string name = std::string("/sound/") + def.name + ".wav";
    const std::string b = Bytes("one" + name);
    ASSERT_GT(b.size(), 44u) << name;
    EXPECT_EQ(b, Bytes("two" + name)) << name;
    // 16-bit mono PCM at 44100 Hz, as long as the recipe says.
    EXPECT_EQ(b.compare(0, 4, "RIFF"), 0) << name;
    EXPECT_EQ(Le(b, 20, 2) | Le(b, 22, 2) << 8 | static_cast<uint64_t>(Le(b, 34, 2)) << 16, 1u | 1u << 8 | 16u << 16)
        << name;
    EXPECT_EQ(Le(b, 24, 4), 44100u) << name;
    const size_t samples = Le(b, 40, 4) / 2;
    EXPECT_EQ(samples, static_cast<size_t>(def.seconds * 44100)) << name;
    ASSERT_EQ(b.size(), 44 + samples * 2) << name;
    // Loud enough to hear, never at full scale.
    int peak = 0;
    for (size_t k = 0; k < samples; ++k) peak = std::max(peak, std::abs(static_cast<int16_t>(Le(b, 44 + 2 * k, 2))));
    EXPECT_GT(peak, 8000) << name;
    EXPECT_LT(peak, 32767) << name;
  }
  for (int id = 0; id < SOUND_FILE_COUNT; ++id)
    EXPECT_TRUE(std::ifstream(std::string("one/sound/") + SoundName(static_cast<SoundId>(id)) + ".wav")) << id;
}
