// Faults injected into the game folder (data files missing, malformed, extreme or unwritable; images
// missing, undersized or of other pixel formats): whole sessions through the scene loop that must
// print the failure, leave the other records alone and stay playable back to the menu.
#include <SDL_image.h>

#include <set>
#include <vector>

#include "test_session.h"

namespace {

struct FaultCase {
  const char* name;
  std::function<void()> inject;  // breaks the game folder before the program starts
  int mode, raceFrames;          // on course 0: a race left after that many frames, or (0) finished
  const char* message;           // a line the failure must print; "" for a case that prints no error
  float minTravel = 0;           // how far the car must have got from its start
  int maxCheckpoint = 19;        // the highest checkpoint the car may have passed
  const char* mayChange = "";    // data files the session may rewrite
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
void Remove(const std::string& path) { std::remove(path.c_str()); }
std::string Repeat(const std::string& s, int n) { return n > 0 ? s + Repeat(s, n - 1) : ""; }

// Replaces image/<name> (a link to the generated sheet) with s saved at 24 bits, at 32 (alpha 255)
// or at 8 (a palette of its first 256 colours, every pixel mapped to the nearest).
void ReplaceImage(const std::string& name, SDL_Surface* s, int depth) {
  const std::string path = "image/" + name;
  Remove(path);
  if (depth == 8) {
    SDL_Surface* paletted = SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, s->h, 8, 0, 0, 0, 0);
    std::set<uint32_t> seen;
    for (int i = 0; i < s->w * s->h && seen.size() < 256; ++i) seen.insert(PixelRGB(s, i % s->w, i / s->w));
    SDL_Color colours[256];
    int n = 0;
    for (uint32_t c : seen)
      colours[n++] = {static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8), static_cast<Uint8>(c), 0};
    SDL_SetColors(paletted, colours, 0, n);
    SDL_BlitSurface(s, nullptr, paletted, nullptr);
    std::swap(s, paletted);
    SDL_FreeSurface(paletted);
  }
  if (depth != 32) {
    SDL_SaveBMP(s, path.c_str());
  } else {  // SDL saves 24 bits at most
    std::string bmp = "BM";
    auto put = [&bmp](uint32_t v) {
      bmp += {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    // File size, reserved, pixel offset; header size, width, height, 1 plane of 32 bits, no compression.
    for (int v : {54 + 4 * s->w * s->h, 0, 54, 40, s->w, s->h, 1 | 32 << 16, 0, 0, 0, 0, 0, 0}) put(v);
    for (int y = s->h - 1; y >= 0; --y)
      for (int x = 0; x < s->w; ++x) put(PixelRGB(s, x, y) | 0xff000000u);
    WriteTextFile(path, bmp);
  }
  SDL_FreeSurface(s);
}
SDL_Surface* Generated(const std::string& name) { return IMG_Load(("image/" + name).c_str()); }
const char* const kSheets[] = {"car.bmp",     "Ecar.bmp",       "title.bmp", "menu.bmp",       "stick.bmp",
                               "keybord.bmp", "help.bmp",       "mode.bmp",  "SmallMap.bmp",   "finish.bmp",
                               "frame.bmp",   "colorCheck.bmp", "full.bmp",  "GameSelect.bmp", "num.bmp",
                               "kazu.bmp",    "comment.bmp"};

const char kConverted[] = "colour sample image and course image differ in pixel format: colours converted";
const char kColourError[] = "colour sample image missing or too small: leaving the race";

std::function<void()> EverySheet(void (*replace)(const char* name)) {
  return [replace] {
    for (const char* name : kSheets) replace(name);
  };
}

// One case per distinct path through the readers, the writers, the image checks and the scenes.
const FaultCase kCases[] = {
    {"fresh_install_without_records",
     [] { ASSERT_EQ(system("find data -type f ! -name 'check*' -delete"), 0); },  // the checkpoints alone
     1, 0, "ファイル読み込みエラー", 0, 19, "bestTime.txt saveCnt0.txt ghost0.txt"},
    {"checkpoints_far_and_extreme",
     [] { WriteTextFile("data/check0.txt", Repeat("-2147483648,2147483647 60000,-60000 ", 10)); }, 1, 200, "", 0, 0},
    {"run_entries_extreme_ghost",  // slot 0 given a time, so a mode-1 race loads its run
     [] {
       const std::string best = ReadTextFile("data/bestTime.txt");
       WriteTextFile("data/bestTime.txt", "5000" + best.substr(best.find(' ')));
       WriteTextFile("data/saveCnt0.txt", "300");
       WriteTextFile("data/ghost0.txt", Repeat("2147483647 -2147483648 2147483647 -99999 99999 -7 ", 150));
     },
     1, 200, ""},
    {"run_entries_extreme_rival",
     [] {
       WriteTextFile("data/saveCnt6.txt", "300");
       WriteTextFile("data/ghost6.txt", Repeat("-2147483648 2147483647 -2147483648 99999 -99999 77 ", 150));
     },
     2, 200, ""},
    {"course_image_missing", [] { Remove("image/map0.bmp"); }, 1, 60, "cannot load course image image/map0.bmp"},
    {"course_image_undersized", [] { ReplaceImage("map0.bmp", MakeSurface24(800, 600, 90, 90, 90), 24); }, 1, 60,
     "course image image/map0.bmp is not 1536x1152"},
    {"course_image_8_bit", [] { ReplaceImage("map0.bmp", Generated("map0.bmp"), 8); }, 1, 60,
     "course image image/map0.bmp is in a pixel format the game cannot race on"},
    {"course_image_32_bit", [] { ReplaceImage("map0.bmp", Generated("map0.bmp"), 32); }, 1, 150, kConverted, 100},
    {"every_sheet_8_bit",  // the colour sample among them
     EverySheet([](const char* name) { ReplaceImage(name, Generated(name), 8); }), 2, 150, kConverted, 100},
    {"every_sheet_1x1", EverySheet([](const char* name) { ReplaceImage(name, MakeSurface24(1, 1, 255, 0, 255), 24); }),
     1, 60, kColourError},
    {"every_sheet_missing", EverySheet([](const char* name) { Remove(std::string("image/") + name); }), 1, 60,
     kColourError},
};

}  // namespace

class FaultMatrix : public GameSession, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultMatrix, NoCrashMessagePrintedStillPlayable) {
  const FaultCase& c = GetParam();
  c.inject();
  const std::map<std::string, std::string> before = DataFileHashes(c.mayChange);
  int sheetsMissing = 0;  // each is reported at start-up
  for (const char* name : kSheets) sheetsMissing += access((std::string("image/") + name).c_str(), F_OK) != 0;
  plan.mode = c.mode, plan.raceFrames = c.raceFrames;
  testing::internal::CaptureStdout();
  StartGame();
  // Played through: a race left back to the course select, or its start refused.
  EXPECT_TRUE(RunUntil(
      [&] { return (racesStarted > 0 && InCourseSelect()) || FrontEndView().zBlockedAfterLoadFailure; }, 15000));
  plan.quit = true;
  EXPECT_TRUE(RunUntil([&] { return loop.sceneCode == SCENE_QUIT; }, 3000)) << "keys no longer steer to the menu";
  const std::string out = testing::internal::GetCapturedStdout();
  if (*c.message)
    EXPECT_NE(out.find(c.message + std::string("\n")), std::string::npos) << c.message;
  else  // extreme values are read and clamped, never reported as a broken file
    EXPECT_EQ(out.find("エラー"), std::string::npos) << out;
  int notRead = 0;
  for (size_t at = 0; (at = out.find("NOT READ FILE\n", at) + 1) != 0;) ++notRead;
  EXPECT_EQ(V(notRead, maxTravel >= c.minTravel, maxCheckOkCnt <= c.maxCheckpoint), V(sheetsMissing, 1, 1));
  // A stored run with extreme entries still leaves the second car on sane ground.
  EXPECT_TRUE(car[1].dir >= 0 && car[1].dir < 24 && std::abs(car[1].posX - COURSE_W / 2.0f) <= 1.5 * COURSE_W &&
              std::abs(car[1].posY - COURSE_H / 2.0f) <= 1.5 * COURSE_H);
  // Every record file the case does not expect to be rewritten is byte for byte as it was.
  EXPECT_EQ(DataFileHashes(c.mayChange), before);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });
