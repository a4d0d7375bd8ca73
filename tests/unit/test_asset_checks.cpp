// Pictures and sounds checked before SDL decodes them: every file the game ships or makes passes,
// the headers that crashed the decoders are refused and the game goes on without them.
#include <SDL_image.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/audio.h"
#include "app/wav_check.h"
#include "core/sound_events.h"
#include "gfx/bmp_check.h"
#include "gfx/images.h"
#include "records/file_gate.h"
#include "test_support.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadGatedFile(path.c_str(), GATE_IMAGE_BYTES, &bytes)) << path;
  return bytes;
}

void Put16(std::vector<uint8_t>* b, size_t at, uint32_t v) { (*b)[at] = v & 0xff, (*b)[at + 1] = (v >> 8) & 0xff; }
void Put32(std::vector<uint8_t>* b, size_t at, uint32_t v) { Put16(b, at, v & 0xffff), Put16(b, at + 2, v >> 16); }

// A check's problem, "" for none.
std::string Text(const char* problem) { return problem ? problem : ""; }
std::string Problem(const std::vector<uint8_t>& b, int32_t maxW = BMP_SHEET_MAX_SIDE,
                    int32_t maxH = BMP_SHEET_MAX_SIDE) {
  return Text(BmpProblem(b.data(), b.size(), maxW, maxH));
}
std::string WavIssue(const std::vector<uint8_t>& b) { return Text(WavProblem(b.data(), b.size())); }

// A WAV as the sound generator writes it: 44-byte header, 16-bit mono PCM at 44100 Hz, then samples.
std::vector<uint8_t> Wav(uint32_t samples = 100) {
  std::vector<uint8_t> b(44 + 2 * samples, 0);
  memcpy(b.data(), "RIFF", 4), memcpy(&b[8], "WAVEfmt ", 8), memcpy(&b[36], "data", 4);
  Put32(&b, 4, static_cast<uint32_t>(b.size() - 8)), Put32(&b, 16, 16), Put16(&b, 20, 1), Put16(&b, 22, 1);
  Put32(&b, 24, 44100), Put32(&b, 28, 88200), Put16(&b, 32, 2), Put16(&b, 34, 16), Put32(&b, 40, 2 * samples);
  return b;
}

// The six headers that crashed SDL's WAV loader (the last read a format past its short chunk).
std::vector<std::vector<uint8_t>> CrashingWavs() {
  std::vector<std::vector<uint8_t>> wavs(6, Wav());
  Put16(&wavs[0], 22, 0);                                                             // no channels
  Put32(&wavs[1], 24, 0), Put32(&wavs[1], 28, 0);                                     // 0 samples per second
  Put32(&wavs[2], 24, 1), Put32(&wavs[2], 28, 2);                                     // 1 sample per second
  Put16(&wavs[3], 20, 0x11), Put16(&wavs[3], 32, 0);                                  // IMA ADPCM, block size 0
  Put16(&wavs[4], 20, 2), Put16(&wavs[4], 32, 0);                                     // MS ADPCM, block size 0
  Put32(&wavs[5], 16, 2), wavs[5].erase(wavs[5].begin() + 22, wavs[5].begin() + 36);  // a 2-byte format
  Put32(&wavs[5], 4, static_cast<uint32_t>(wavs[5].size() - 8));
  return wavs;
}

// One header field overwritten: at offset at, bytes little-endian bytes of value, and the
// problem the check must name.
struct Case {
  size_t at;
  int bytes;
  uint32_t value;
  const char* problem;
};

// b with the case's field overwritten.
std::vector<uint8_t> Patched(std::vector<uint8_t> b, const Case& c) {
  c.bytes == 1   ? void(b[c.at] = static_cast<uint8_t>(c.value))
  : c.bytes == 2 ? Put16(&b, c.at, c.value)
                 : Put32(&b, c.at, c.value);
  return b;
}

}  // namespace

using AssetChecks = SceneTest;

TEST_F(AssetChecks, EveryGeneratedPictureLoadsWithoutALine) {
  EXPECT_EQ(Problem(Bytes(VELKARO_RUNTIME_DIR "/icon.bmp"), BMP_ICON_MAX_SIDE, BMP_ICON_MAX_SIDE), "");
  // The sheets and the courses through the game's own loading, with no line at all; the sounds and
  // the records pass their gates in every test that plays or reads them.
  bool loaded = false;
  EXPECT_EQ(Printed([&] {
              loaded = LoadGeneratedImages();
              for (int k = 0; k < 6; ++k) loaded = LoadCoursePair(k) && loaded;
            }),
            "");
  EXPECT_TRUE(loaded);
}

TEST_F(AssetChecks, BmpHeadersOutsideWhatTheGameDrawsAreRefused) {
  const std::vector<uint8_t> menu = Bytes(VELKARO_RUNTIME_DIR "/image/menu.bmp");  // 112 x 63, 24 bits
  ASSERT_EQ(Problem(menu, 112, 63), "");                                           // at exactly the size allowed
  const Case cases[] = {
      {0, 1, 'X', "not a BMP"},
      {14, 4, 12, "unknown header size"},  // OS/2's, never written by the game
      {14, 4, 64, "unknown header size"},
      {18, 4, 0, "width or height out of range"},
      {22, 4, 0x80000000u, "width or height out of range"},                 // -2147483648: crashed the course copy
      {22, 4, static_cast<uint32_t>(-63), "width or height out of range"},  // top-down
      {18, 4, BMP_SHEET_MAX_SIDE + 1, "width or height out of range"},
      {26, 2, 2, "plane count not 1"},
      {28, 2, 7, "unsupported bits per pixel"},
      {28, 2, 0, "unsupported bits per pixel"},
      {30, 4, 1, "compressed"},  // RLE8
      {30, 4, 3, "compressed"},  // colour masks on a 24-bit picture
      {10, 4, 20, "header and palette overlap the pixels"},
      {10, 4, 55, "pixels past the end of the file"},
      {22, 4, 64, "pixels past the end of the file"},
  };
  for (const Case& c : cases) EXPECT_EQ(Problem(Patched(menu, c)), c.problem) << c.at << " = " << c.value;
  EXPECT_EQ(Problem(std::vector<uint8_t>(menu.begin(), menu.end() - 1)), "pixels past the end of the file");
  EXPECT_EQ(Problem(std::vector<uint8_t>(menu.begin(), menu.begin() + 53)), "too short for a BMP header");
  // Limits per kind: a course may be twice the course size, no more.
  EXPECT_EQ(Problem(menu, 111, 63), "width or height out of range");
  EXPECT_EQ(Problem(menu, 112, 62), "width or height out of range");
}

TEST_F(AssetChecks, PalettedAndMaskedBmpsPassWhenTheirTablesFit) {
  // 8 bits: 2 pixels wide (rows of 4 bytes), 2 high, 3 colours used.
  std::vector<uint8_t> b(54 + 12 + 8, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(&b, 2, static_cast<uint32_t>(b.size())), Put32(&b, 10, 66), Put32(&b, 14, 40), Put32(&b, 18, 2);
  Put32(&b, 22, 2), Put16(&b, 26, 1), Put16(&b, 28, 8), Put32(&b, 46, 3);
  EXPECT_EQ(Problem(b), "");
  Put32(&b, 46, 257);
  EXPECT_EQ(Problem(b), "palette larger than its bits allow");
  Put32(&b, 46, 4);  // one more colour than the space between header and pixels holds
  EXPECT_EQ(Problem(b), "header and palette overlap the pixels");
  Put32(&b, 46, 0);  // 0 means all 256
  EXPECT_EQ(Problem(b), "header and palette overlap the pixels");
  // 32 bits with masks after a 40-byte header.
  std::vector<uint8_t> m(54 + 12 + 16, 0);
  m[0] = 'B', m[1] = 'M';
  Put32(&m, 10, 66), Put32(&m, 14, 40), Put32(&m, 18, 2), Put32(&m, 22, 2), Put16(&m, 26, 1), Put16(&m, 28, 32);
  Put32(&m, 30, 3), Put32(&m, 54, 0xff0000), Put32(&m, 58, 0xff00), Put32(&m, 62, 0xff);
  EXPECT_EQ(Problem(m), "");
  Put32(&m, 10, 65);  // pixels from one byte before the masks end
  EXPECT_EQ(Problem(m), "header and palette overlap the pixels");
  // Decoded by SDL_image as the game decodes it.
  SDL_Surface* s = IMG_Load_RW(SDL_RWFromConstMem(b.data(), static_cast<int>(b.size())), 1);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(V(s->w, s->h, s->format->BitsPerPixel), V(2, 2, 8));
  SDL_FreeSurface(s);
}

TEST_F(AssetChecks, CourseWithHugeNegativeHeightIsNotLoaded) {
  ASSERT_TRUE(LoadGeneratedImages());
  ASSERT_EQ(system("rm image && mkdir image && cp '" VELKARO_RUNTIME_DIR "'/image/map0.bmp image/"), 0);
  std::vector<uint8_t> b = Bytes("image/map0.bmp");
  Put32(&b, 22, 0x80000000u);
  WriteTextFile("image/map0.bmp", std::string(b.begin(), b.end()));
  EXPECT_EQ(Printed([] { EXPECT_FALSE(LoadCoursePair(0)); }), "cannot load course image image/map0.bmp\n");
  EXPECT_EQ(img.mapImage, nullptr);
}

TEST_F(AssetChecks, WavsUnlikeTheGeneratorsAreRefused) {
  EXPECT_EQ(WavIssue(Wav()), "");
  const char* const crashed[] = {
      "not 1 or 2 channels",   "sample rate out of range", "sample rate out of range", "not PCM", "not PCM",
      "format chunk too short"};
  const std::vector<std::vector<uint8_t>> wavs = CrashingWavs();
  for (size_t i = 0; i < wavs.size(); ++i) EXPECT_EQ(WavIssue(wavs[i]), crashed[i]) << i;
  const Case cases[] = {
      {0, 4, 0x46464952 + 1, "not a RIFF WAVE file"},
      {4, 4, 300, "RIFF length past the end of the file"},
      {40, 4, 202, "chunk past the RIFF length"},
      {22, 2, 3, "not 1 or 2 channels"},
      {34, 2, 24, "not 8 or 16 bits"},
      {24, 4, 7999, "sample rate out of range"},
      {24, 4, 192001, "sample rate out of range"},
      {32, 2, 4, "block size or byte rate wrong"},
      {28, 4, 44100, "block size or byte rate wrong"},
      {12, 4, 0x61746164, "samples before the format"},  // "data" where "fmt " was
      {12, 4, 0x4b4e554a, "samples before the format"},  // "JUNK" is skipped, and then come the samples
      {12, 4, 0x64636261, "unexpected chunk before the format"},
      {16, 4, 17, "chunk of odd length"},
  };
  for (const Case& c : cases) EXPECT_EQ(WavIssue(Patched(Wav(), c)), c.problem) << c.at << " = " << c.value;
  // A LIST chunk before the format and 8-bit stereo at 8000 Hz are fine.
  std::vector<uint8_t> list = Wav();
  const uint8_t listChunk[] = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
  list.insert(list.begin() + 12, listChunk, listChunk + 12);
  Put32(&list, 4, static_cast<uint32_t>(list.size() - 8));
  EXPECT_EQ(WavIssue(list), "");
  std::vector<uint8_t> small = Wav();
  Put16(&small, 22, 2), Put32(&small, 24, 8000), Put32(&small, 28, 16000), Put16(&small, 32, 2), Put16(&small, 34, 8);
  EXPECT_EQ(WavIssue(small), "");
  EXPECT_EQ(WavIssue(std::vector<uint8_t>(small.begin(), small.begin() + 44)), "RIFF length past the end of the file");
}

TEST_F(AssetChecks, TheSixCrashingSoundsAreNotReadAndTheRestPlays) {
  ASSERT_EQ(system("mkdir sound && cp '" VELKARO_RUNTIME_DIR "'/sound/*.wav sound/"), 0);
  const std::vector<std::vector<uint8_t>> wavs = CrashingWavs();
  std::string expected;
  for (size_t i = 0; i < wavs.size(); ++i) {
    const std::string path = std::string("sound/") + SoundName(static_cast<SoundId>(i)) + ".wav";
    WriteTextFile(path, std::string(wavs[i].begin(), wavs[i].end()));
    expected += "NOT READ FILE " + path + "\n";
  }
  setenv("SDL_AUDIODRIVER", "disk", 1), setenv("SDL_DISKAUDIOFILE", "out.raw", 1),
      setenv("SDL_DISKAUDIODELAY", "23", 1);
  for (bool muted : {false, true}) {
    bool opened = false;
    EXPECT_EQ(Printed([&] { opened = AudioOpen(muted); }), expected) << muted;
    EXPECT_TRUE(opened);
    AudioClose();
  }
}
