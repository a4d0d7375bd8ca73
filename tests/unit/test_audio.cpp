// The sound of a real race, as SDL's disk driver writes it: cues in the frames they are drawn,
// an engine that follows the speed, mute, and a game that is the same with sound, without it
// or with a broken device or broken sound files.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/audio.h"
#include "test_race_support.h"

namespace {

const int kBuffer = 1024;  // sample frames per mixing buffer
const int kLoud = 12000;   // above anything the engine gives: a cue has started

// What one race gave, frame by frame.
struct Heard {
  std::vector<uint64_t> hash;  // the screen
  std::vector<size_t> at;      // sample frames written just before the frame's sounds are handed over
  std::vector<float> speed;    // the player's after the frame
  std::vector<int> cue;        // countdown cell drawn (0..3), 4 the start banner, -1 neither
  std::vector<int16_t> out;    // left channel of everything written
  std::string printed;         // standard output
};

Heard* heard = nullptr;
const char kDiskFile[] = "out.raw";

size_t WrittenFrames() {
  std::error_code ec;
  const auto bytes = std::filesystem::file_size(kDiskFile, ec);
  return ec ? 0 : bytes / 4;
}

// Takes the frame as the scene loop presents it; paced like the game when sound is on.
void Watch(SDL_Surface* s) {
  static uint32_t next = 0;
  heard->hash.push_back(std::hash<std::string>{}(std::string(static_cast<char*>(s->pixels), s->h * s->pitch)));
  if (!AudioActive()) return;
  while (SDL_GetTicks() < next) SDL_Delay(1);
  next = SDL_GetTicks() + 25;
}

double Rms(const Heard& h, int fromFrame, int toFrame) {
  double sum = 0;
  const size_t a = h.at[fromFrame], b = std::min(h.at[toFrame], h.out.size());
  for (size_t i = a; i < b; ++i) sum += static_cast<double>(h.out[i]) * h.out[i];
  return b > a ? std::sqrt(sum / (b - a)) : 0;
}

}  // namespace

class RaceSound : public RaceSceneTest {
 protected:
  void SetUp() override {
    RaceSceneTest::SetUp();
    // Checkpoints out of reach: no lap chime over the engine.
    std::string far;
    for (int i = 0; i < 20; ++i) far += "100,100 ";
    WriteTextFile("data/check0.txt", far);
    const std::string link = std::string("ln -s '") + VELKARO_RUNTIME_DIR + "/sound' sound";
    ASSERT_EQ(system(link.c_str()), 0);
  }
  void TearDown() override {
    AudioClose();
    RaceSceneTest::TearDown();
  }
  // The countdown, then Up held down the test course into its far wall.
  Heard Race(const char* driver, bool muted, int frames, const char* file = kDiskFile) {
    Heard h;
    heard = &h;
    ResetRaceState();  // a fresh race on a fresh course picture
    car[0] = car[1] = CarState{};
    SDL_FreeSurface(img.bbMap);
    img.bbMap = MakeCourse();
    setenv("SDL_AUDIODRIVER", driver, 1), setenv("SDL_DISKAUDIOFILE", file, 1), setenv("SDL_DISKAUDIODELAY", "23", 1);
    testing::internal::CaptureStdout();
    AudioOpen(muted);
    SetPresenter(Watch);
    PushKeys(0, 60), PushKeys(KEY_UP, frames - 60);
    for (int i = 0; i < frames; ++i) {
      EXPECT_EQ(Game(screen, 0, 1), 4);
      h.cue.push_back(race.readyFlg == 1 && race.rCnt > 30  ? 4 - race.rCnt / 30
                      : race.readyFlg == 2 && race.rCnt > 0 ? 4
                                                            : -1);
      h.speed.push_back(car[0].speed);
      // Read before the hand-over: nothing written up to here can hold the frame's sounds.
      h.at.push_back(WrittenFrames());
      PresentFrame(screen);
    }
    AudioClose();
    h.printed = testing::internal::GetCapturedStdout();
    const size_t start = h.printed.find("mapCnt=0\n");  // the race's own start line
    if (start != std::string::npos) h.printed.erase(start, 9);
    std::ifstream raw(kDiskFile, std::ios::binary);
    for (int16_t lr[2]; raw.read(reinterpret_cast<char*>(lr), sizeof lr);) h.out.push_back(lr[0]);
    return h;
  }
  // The first loud sample at or after from.
  static size_t Onset(const Heard& h, size_t from) {
    while (from < h.out.size() && std::abs(h.out[from]) < kLoud) ++from;
    return from;
  }
};

TEST_F(RaceSound, CuesEngineAndWallAsDrawnAndDriven) {
  const int frames = 140;
  const Heard h = Race("disk", false, frames);
  EXPECT_EQ(h.printed, "");
  ASSERT_GT(h.out.size(), h.at[frames - 1]);
  // Every countdown digit and the start banner: the cue starts in the buffer after the one
  // being mixed when the frame that first draws it is shown: not before that frame, and
  // within one buffer (plus the 1 ms attack before it is loud) after it.
  std::vector<int> cueFrames;
  for (int k = 0; k < frames; ++k)
    if (h.cue[k] >= 0 && (k == 0 || h.cue[k] != h.cue[k - 1])) cueFrames.push_back(k);
  ASSERT_EQ(cueFrames.size(), 5u);
  // The first wall bounce: Up held, yet the speed turns negative.
  int bounce = 0;
  while (bounce < frames && h.speed[bounce] >= 0) ++bounce;
  ASSERT_LT(bounce, frames);
  cueFrames.push_back(bounce);
  for (int k : cueFrames) {
    const size_t onset = Onset(h, h.at[k] > 2 * kBuffer ? h.at[k] - 2 * kBuffer : 0);
    EXPECT_GE(onset, h.at[k]) << "frame " << k;
    EXPECT_LE(onset, h.at[k] + kBuffer + 64) << "frame " << k;
  }
  // The engine idles during the countdown and rises with the speed, without a click.
  const double idle = Rms(h, 50, 59), mid = Rms(h, 82, 86), full = Rms(h, 100, bounce - 1);
  EXPECT_GT(idle, 300);
  EXPECT_GT(mid, idle * 1.5);
  EXPECT_GT(full, mid * 1.15);
  int jump = 0;
  for (size_t i = h.at[82]; i < h.at[bounce - 1]; ++i) jump = std::max(jump, std::abs(h.out[i] - h.out[i - 1]));
  EXPECT_LT(jump, 2500);

  // The same race without a device: one line, and the very same frames.
  const Heard none = Race("no-such-driver", false, frames);
  EXPECT_EQ(none.printed, "no sound (No available audio device): the game runs without sound\n");
  EXPECT_EQ(none.hash, h.hash);
}

TEST_F(RaceSound, MutedFailingAndBrokenRunsGiveTheFramesOfOneWithoutDevice) {
  const Heard none = Race("no-such-driver", false, 70);
  const Heard muted = Race("disk", true, 70);
  ASSERT_GT(muted.out.size(), 40000u);
  EXPECT_EQ(std::count(muted.out.begin(), muted.out.end(), 0), static_cast<long>(muted.out.size()));
  // A device whose stream fails once the race is on.
  const Heard failed = Race("disk", false, 70, "/dev/full");
  EXPECT_EQ(failed.printed, "sound device failed: the game runs on without sound\n");
  // A missing and a damaged sound: each named once, the rest plays.
  ASSERT_EQ(system("rm sound && mkdir sound && cp '" VELKARO_RUNTIME_DIR "'/sound/*.wav sound/"), 0);
  ASSERT_EQ(system("rm sound/tick.wav && echo RIFF-garbage > sound/go.wav"), 0);
  const Heard broken = Race("disk", false, 70);
  EXPECT_EQ(broken.printed, "NOT READ FILE sound/tick.wav\nNOT READ FILE sound/go.wav\n");
  EXPECT_EQ(Onset(broken, 0), broken.out.size()) << "neither the ticks nor the start tone";
  EXPECT_GT(Rms(broken, 50, 59), 300) << "the engine still runs";
  for (const Heard* run : {&muted, &failed, &broken}) EXPECT_EQ(run->hash, none.hash);
}
