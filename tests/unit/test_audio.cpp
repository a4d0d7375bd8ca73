// Sound: the generator's files, and a real race as SDL's disk driver writes it: cues in the
// frames they are drawn, an engine that follows the speed, mute, and a game that is the same
// with sound, without it or with a broken device.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "app/audio.h"
#include "core/sound_events.h"
#include "sounds.h"
#include "test_race_support.h"

using SoundGenerator = SceneTest;

TEST_F(SoundGenerator, TwoRunsSameWellFormedUnclippedSounds) {
  ASSERT_EQ(system(VELKARO_SOUNDGEN " one && " VELKARO_SOUNDGEN " two"), 0);
  for (int i = 0; i < soundgen::kSoundCount; ++i) {
    const soundgen::SoundDef& def = soundgen::kSounds[i];
    const std::string name = std::string("/sound/") + def.name + ".wav";
    EXPECT_EQ(ReadTextFile("one" + name), ReadTextFile("two" + name)) << name;
    // Read as SDL reads it: 16-bit mono at 44100 Hz, as long as the recipe says, loud enough to
    // hear, and every sample within the ceiling, below full scale: the recipe's own wave
    // already, not only because the writer holds it there.
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    ASSERT_NE(SDL_LoadWAV(("one" + name).c_str(), &spec, &data, &bytes), nullptr) << name;
    const auto [lo, hi] =
        std::minmax_element(reinterpret_cast<int16_t*>(data), reinterpret_cast<int16_t*>(data + bytes));
    const int peak = std::max(-*lo, int{*hi});
    SDL_FreeWAV(data);
    const soundgen::Wave wave = def.make();
    const float wavePeak = std::fabs(
        *std::max_element(wave.begin(), wave.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); }));
    EXPECT_EQ(V(spec.freq, spec.format, spec.channels, bytes, peak > 8000, peak <= 29490, wavePeak < 0.9f),
              V(44100, AUDIO_S16LSB, 1, 2 * int(def.seconds * 44100), 1, 1, 1))
        << name << " peak " << peak << ", recipe's " << wavePeak;
  }
  EXPECT_STREQ(SoundName(SOUND_ENGINE), "");  // made while playing, never read from a file
}

namespace {

const int kBuffer = 1024;  // sample frames per mixing buffer
const int kLoud = 12000;   // above anything the engine gives: a cue has started

// What one race gave, frame by frame.
struct Heard {
  std::vector<size_t> hash;  // the screen
  std::vector<size_t> at;    // sample frames written just before the frame's sounds are handed over
  std::vector<int> cues;     // frames that first draw a countdown digit or the start banner
  int bounce = 0;            // the first frame with Up held yet the speed negative: off the far wall; a cue too
  std::vector<int16_t> out;  // left channel of everything written
  std::string printed;       // standard output
};

Heard* heard = nullptr;

// Takes the frame as the scene loop presents it; paced like the game when sound is on.
void Watch(SDL_Surface* s) {
  static uint32_t next = 0;
  heard->hash.push_back(
      std::hash<std::string>{}(std::string(static_cast<char*>(s->pixels), static_cast<size_t>(s->h) * s->pitch)));
  if (!AudioActive()) return;
  while (SDL_GetTicks() < next) SDL_Delay(1);
  next = SDL_GetTicks() + 25;
}

double Rms(const Heard& h, int fromFrame, int toFrame) {
  const auto a = h.out.begin() + h.at[fromFrame], b = h.out.begin() + std::min(h.at[toFrame], h.out.size());
  return b > a ? std::sqrt(std::inner_product(a, b, a, 0.0) / (b - a)) : 0;
}

// The first loud sample at or after from.
size_t Onset(const Heard& h, size_t from) {
  while (from < h.out.size() && std::abs(h.out[from]) < kLoud) ++from;
  return from;
}

}  // namespace

class RaceSound : public RaceSceneTest {
 protected:
  // The countdown, then Up held down the test course into its far wall, on a fresh course picture.
  Heard Race(const char* driver, bool muted, int frames, const char* file = "out.raw") {
    Heard h;
    heard = &h;
    ResetProgramState();
    SDL_FreeSurface(img.bbMap), img.bbMap = MakeCourse();
    setenv("SDL_AUDIODRIVER", driver, 1), setenv("SDL_DISKAUDIOFILE", file, 1), setenv("SDL_DISKAUDIODELAY", "23", 1);
    testing::internal::CaptureStdout();
    AudioOpen(muted);
    SetPresenter(Watch);
    PushKeys(0, 60), PushKeys(KEY_UP, frames - 60);
    for (int i = 0, cue = -1; i < frames; ++i) {
      EXPECT_EQ(Game(screen, 0, 1), 4);
      const int drawn = race.readyFlg == 1 && race.rCnt > 30  ? 4 - race.rCnt / 30  // the digit's cell, 0..3
                        : race.readyFlg == 2 && race.rCnt > 0 ? 4                   // the start banner
                                                              : -1;
      if (drawn >= 0 && drawn != cue) h.cues.push_back(i);
      cue = drawn;
      if (!h.bounce && car[0].speed < 0) h.cues.push_back(h.bounce = i);
      // Read before the hand-over: nothing written up to here can hold the frame's sounds.
      h.at.push_back(std::filesystem::exists("out.raw") ? std::filesystem::file_size("out.raw") / 4 : 0);
      PresentFrame(screen);
    }
    AudioClose();
    h.printed = testing::internal::GetCapturedStdout();
    const size_t start = h.printed.find("mapCnt=0\n");  // the race's own start line
    if (start != std::string::npos) h.printed.erase(start, 9);
    std::ifstream raw("out.raw", std::ios::binary);
    for (int16_t lr[2]; raw.read(reinterpret_cast<char*>(lr), sizeof lr);) h.out.push_back(lr[0]);
    return h;
  }
};

TEST_F(RaceSound, CuesEngineAndSameFramesWithoutSound) {
  LayCheckpoints(100, 100);  // out of reach: no lap chime over the engine
  ASSERT_EQ(system("ln -s '" VELKARO_RUNTIME_DIR "/sound' sound"), 0);
  const int frames = 140;
  const Heard h = Race("disk", false, frames);
  EXPECT_EQ(h.printed, "");  // every sound the game plays was generated and read
  ASSERT_GT(h.out.size(), h.at[frames - 1]);
  // Every countdown digit, the start banner and the wall: the cue starts in the buffer after
  // the one being mixed when the frame that first draws it is shown: not before that frame,
  // and within one buffer (plus the 1 ms attack before it is loud) after it.
  ASSERT_EQ(h.cues.size(), 6u);
  ASSERT_GT(h.bounce, 100);
  for (int k : h.cues) {
    const size_t onset = Onset(h, h.at[k] > 2 * size_t{kBuffer} ? h.at[k] - 2 * size_t{kBuffer} : 0);
    EXPECT_EQ(V(onset >= h.at[k], onset <= h.at[k] + kBuffer + 64), V(1, 1)) << "frame " << k << ", onset " << onset;
  }
  // The engine idles during the countdown and rises with the speed, without a click.
  const double idle = Rms(h, 50, 59), mid = Rms(h, 82, 86), full = Rms(h, 100, h.bounce - 1);
  EXPECT_EQ(V(idle > 300, mid > idle * 1.5, full > mid * 1.15), V(1, 1, 1)) << idle << " " << mid << " " << full;
  int jump = 0;
  for (size_t i = h.at[82]; i < h.at[h.bounce - 1]; ++i) jump = std::max(jump, std::abs(h.out[i] - h.out[i - 1]));
  EXPECT_LT(jump, 2500);

  // The same race without a device, muted and with a device that fails once the race is on: each
  // says so in one line (a broken sound file's line is the asset checks'), and all give the very same frames.
  const Heard none = Race("no-such-driver", false, frames);
  EXPECT_EQ(none.printed, "no sound (No available audio device): the game runs without sound\n");
  EXPECT_EQ(none.hash, h.hash);
  const Heard muted = Race("disk", true, 70);
  ASSERT_GT(muted.out.size(), 40000u);
  EXPECT_EQ(std::count(muted.out.begin(), muted.out.end(), 0), static_cast<long>(muted.out.size()));
  const Heard failed = Race("disk", false, 70, "/dev/full");
  EXPECT_EQ(failed.printed, "sound device failed: the game runs on without sound\n");
  const std::vector<size_t> first(none.hash.begin(), none.hash.begin() + 70);
  for (const Heard* run : {&muted, &failed}) EXPECT_EQ(run->hash, first);
}

// One-shots straight through the mixer: each knock after the last has sounded out is heard again,
// and a wall's thump at a standstill is a quarter as loud as at top speed.
TEST_F(RaceSound, KnocksRepeatAndAThumpGrowsWithTheImpact) {
  ASSERT_EQ(system("cp -r '" VELKARO_RUNTIME_DIR "/sound' ."), 0);
  setenv("SDL_AUDIODRIVER", "disk", 1), setenv("SDL_DISKAUDIOFILE", "shots.raw", 1);
  setenv("SDL_DISKAUDIODELAY", "23", 1);
  testing::internal::CaptureStdout();
  ASSERT_TRUE(AudioOpen(false));
  const std::pair<SoundId, float> shots[] = {
      {SOUND_KNOCK, 0}, {SOUND_KNOCK, 0}, {SOUND_KNOCK, 0}, {SOUND_THUMP, 0}, {SOUND_THUMP, -9}};
  for (const auto& [id, value] : shots) SDL_Delay(150), PostSound(id, value), AudioFrame(), SDL_Delay(600);
  AudioClose();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  // The peak of each burst: samples of 1000 or more after a tenth of a second below.
  std::vector<int> peaks;
  std::ifstream raw("shots.raw", std::ios::binary);
  for (int16_t lr[2], quiet = 4410; raw.read(reinterpret_cast<char*>(lr), sizeof lr);) {
    if (std::abs(lr[0]) < 1000) {
      quiet = static_cast<int16_t>(std::min(quiet + 1, 4410));
      continue;
    }
    if (quiet == 4410) peaks.push_back(0);
    quiet = 0, peaks.back() = std::max(peaks.back(), std::abs(int{lr[0]}));
  }
  ASSERT_EQ(peaks.size(), 5u);
  EXPECT_NEAR(static_cast<double>(peaks[4]) / peaks[3], 4.0, 0.04);
}
