// The sound generator: the same bytes on every run, each sound as long as intended, none clipped,
// and a file for every sound the game plays.
#include <cstdlib>

#include "app/sound_events.h"
#include "sounds.h"
#include "test_support.h"

using SoundGenerator = SceneTest;

TEST_F(SoundGenerator, TwoRunsWriteTheSameWellFormedUnclippedSounds) {
  ASSERT_EQ(system(VELKARO_SOUNDGEN " one && " VELKARO_SOUNDGEN " two"), 0);
  for (int i = 0; i < soundgen::kSoundCount; ++i) {
    const soundgen::SoundDef& def = soundgen::kSounds[i];
    const std::string name = std::string("/sound/") + def.name + ".wav";
    EXPECT_EQ(ReadTextFile("one" + name), ReadTextFile("two" + name)) << name;
    // Read as the game reads it: 16-bit mono at 44100 Hz, as long as the recipe says.
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    ASSERT_NE(SDL_LoadWAV(("one" + name).c_str(), &spec, &data, &bytes), nullptr) << name;
    EXPECT_EQ(V(spec.freq, spec.format, spec.channels, bytes), V(44100, AUDIO_S16LSB, 1, 2 * int(def.seconds * 44100)))
        << name;
    // Loud enough to hear, never at full scale.
    int peak = 0;
    for (Uint32 k = 0; k < bytes / 2; ++k) peak = std::max(peak, std::abs(int(reinterpret_cast<int16_t*>(data)[k])));
    SDL_FreeWAV(data);
    EXPECT_GT(peak, 8000) << name;
    EXPECT_LT(peak, 32767) << name;
  }
  for (int id = 0; id < SOUND_FILE_COUNT; ++id)
    EXPECT_NE(ReadTextFile(std::string("one/sound/") + SoundName(static_cast<SoundId>(id)) + ".wav"), "<missing>");
}
