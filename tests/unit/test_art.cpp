// test_art.cpp -- the generated art: sheet sizes, the rectangles the game draws from, the key colour,
// determinism, and the shipped checkpoints and course rules on each generated course
#include <SDL_rotozoom.h>

#include <algorithm>
#include <functional>

#include "course.h"
#include "course_rules.h"
#include "test_support.h"

namespace {

using namespace coursekit;

struct Sheet {
  const char* file;
  int w, h;
  bool keyed;
};
const Sheet kSheets[] = {
    {"car.bmp", 1248, 76, true},    {"Ecar.bmp", 1248, 76, true},        {"title.bmp", 466, 49, true},
    {"menu.bmp", 112, 63, true},    {"stick.bmp", 480, 8, true},         {"keybord.bmp", 480, 313, true},
    {"help.bmp", 480, 480, true},   {"mode.bmp", 450, 150, true},        {"SmallMap.bmp", 768, 96, true},
    {"finish.bmp", 376, 308, true}, {"frame.bmp", 256, 96, true},        {"colorCheck.bmp", 16, 16, true},
    {"full.bmp", 480, 480, false},  {"GameSelect.bmp", 250, 150, false}, {"num.bmp", 185, 112, true},
    {"kazu.bmp", 620, 211, true},   {"comment.bmp", 480, 1170, true},    {"../icon.bmp", 32, 32, false},
};

// The rectangles the game cuts from the sheets: `count` of them, each `step` from the last.
struct Rect {
  const char* file;
  int x, y, w, h, count, stepX, stepY;
};
const Rect kRects[] = {
    {"title.bmp", 0, 0, 466, 49, 1, 0, 0},        {"stick.bmp", 0, 0, 480, 8, 1, 0, 0},
    {"keybord.bmp", 0, 0, 480, 142, 1, 0, 0},     {"keybord.bmp", 0, 191, 166, 84, 1, 0, 0},
    {"keybord.bmp", 234, 150, 216, 163, 1, 0, 0}, {"help.bmp", 0, 0, 480, 480, 1, 0, 0},
    {"mode.bmp", 0, 0, 150, 150, 3, 150, 0},      {"finish.bmp", 0, 0, 376, 75, 1, 0, 0},
    {"finish.bmp", 0, 75, 376, 35, 1, 0, 0},      {"finish.bmp", 0, 111, 75, 56, 1, 0, 0},
    {"finish.bmp", 0, 167, 294, 46, 1, 0, 0},     {"finish.bmp", 0, 214, 294, 46, 1, 0, 0},
    {"finish.bmp", 0, 262, 294, 46, 1, 0, 0},     {"frame.bmp", 0, 0, 128, 96, 2, 128, 0},
    {"num.bmp", 0, 47, 185, 65, 1, 0, 0},         {"num.bmp", 0, 0, 31, 36, 4, 31, 0},
    {"kazu.bmp", 0, 0, 32, 42, 11, 32, 0},        {"kazu.bmp", 0, 42, 32, 42, 10, 32, 0},
    {"kazu.bmp", 352, 42, 32, 42, 1, 0, 0},       {"kazu.bmp", 0, 84, 32, 42, 11, 32, 0},
    {"kazu.bmp", 0, 126, 21, 22, 11, 21, 0},      {"kazu.bmp", 421, 43, 46, 20, 2, 0, 20},
    {"kazu.bmp", 0, 170, 187, 41, 2, 196, 0},     {"kazu.bmp", 417, 7, 197, 22, 1, 0, 0},
    {"menu.bmp", 0, 0, 112, 21, 3, 0, 21},        {"SmallMap.bmp", 0, 0, 128, 96, 6, 128, 0},
    {"comment.bmp", 0, 0, 480, 130, 9, 0, 130},   {"car.bmp", 0, 0, 52, 76, 24, 52, 0},
    {"Ecar.bmp", 0, 0, 52, 76, 24, 52, 0},
};

const std::string kImages = std::string(VELKARO_RUNTIME_DIR) + "/image/";

// Pixels of the rectangle that are not the key colour.
int Ink(SDL_Surface* s, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += PixelRGB(s, x, y) != 0xff00ff;
  return n;
}

using ArtSheets = SceneTest;  // the generator writes into its scratch directory

TEST_F(ArtSheets, SizesRectanglesAndKeyColourWithoutZoomFringes) {
  for (const Sheet& s : kSheets) {
    SDL_Surface* sheet = SDL_LoadBMP((kImages + s.file).c_str());
    ASSERT_NE(sheet, nullptr) << s.file;
    EXPECT_EQ(V(sheet->w, sheet->h, sheet->format->BitsPerPixel, sheet->format->Rmask), V(s.w, s.h, 24, 0xff0000))
        << s.file;
    for (const Rect& r : kRects)
      for (int i = 0; r.file == std::string(s.file) && i < r.count; ++i) {
        const int x = r.x + i * r.stepX, y = r.y + i * r.stepY;
        ASSERT_TRUE(x + r.w <= s.w && y + r.h <= s.h) << s.file << " " << i;
        EXPECT_GE(Ink(sheet, x, y, r.w, r.h), r.w * r.h / 40) << s.file << " (" << x << ", " << y << ")";
      }
    // The bar and the thumbnail strip are solid pictures; every other keyed sheet has clear parts.
    const std::string name = s.file;
    EXPECT_EQ(Ink(sheet, 0, 0, s.w, s.h) < s.w * s.h, s.keyed && name != "SmallMap.bmp" && name != "stick.bmp")
        << s.file;
    // Drawn as is and zoomed with smoothing as a scaled draw does, laid on grey: the art holds no
    // pink, so a pink pixel is the key bled into the picture or left opaque at its edge.
    SDL_SetColorKey(sheet, s.keyed ? SDL_SRCCOLORKEY : 0, 0xff00ff);
    for (double zoom : {1.0, 0.6, 1.7}) {
      SDL_Surface* zoomed = zoomSurface(sheet, zoom, zoom, SMOOTHING_ON);
      SDL_Surface* grey = SDL_CreateRGBSurface(SDL_SWSURFACE, zoomed->w, zoomed->h, 24, 0xff0000, 0xff00, 0xff, 0);
      SDL_FillRect(grey, nullptr, 0x808080);
      SDL_BlitSurface(zoomed, nullptr, grey, nullptr);
      int pink = 0;
      for (int y = 0; y < grey->h; ++y)
        for (int x = 0; x < grey->w; ++x) {
          const uint32_t v = PixelRGB(grey, x, y);
          pink += std::min(v >> 16, v & 255) > (v >> 8 & 255) + 60;
        }
      EXPECT_EQ(pink, 0) << s.file << " zoomed " << zoom;
      SDL_FreeSurface(grey), SDL_FreeSurface(zoomed);
    }
    SDL_FreeSurface(sheet);
  }
}

// A second run of the generator, into the scratch directory, writes the same bytes as the build's run.
TEST_F(ArtSheets, GeneratorIsDeterministic) {
  ASSERT_EQ(std::system("\"" VELKARO_ARTGEN "\" again --courses \"" VELKARO_SOURCE_DIR "/tools/courses\""), 0);
  // diff names each file that differs or that only one run wrote.
  const std::string compare =
      "diff -r again/image '" + kImages + "' && cmp again/icon.bmp '" + kImages + "../icon.bmp'";
  EXPECT_EQ(std::system(compare.c_str()), 0);
}

class ArtCourses : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { SDL_Init(0); }
  const int k = GetParam();
  const std::string shipped = ReadTextFile(VELKARO_SOURCE_DIR "/data/check" + std::to_string(k) + ".txt");
};

TEST_P(ArtCourses, ShippedCheckpointsAreTheDerivedOnes) {
  CourseDescription d;
  std::string err;
  ASSERT_TRUE(LoadCourseDescription(VELKARO_SOURCE_DIR "/tools/courses/course" + std::to_string(k) + ".txt", &d, &err))
      << err;
  EXPECT_EQ(d.index, k);
  EXPECT_EQ(shipped, FormatCheckpoints(DeriveCheckpoints(d))) << "stale checkpoints";
}

// The generated course passes the rules with the shipped checkpoints (the build's coursecheck runs
// say which), and each rule catches a copy spoilt against it.
TEST_P(ArtCourses, RulesPassAndCatchASpoiltCopy) {
  RgbImage map, colours;
  std::vector<Checkpoint> cps;
  ASSERT_TRUE(LoadRgbImage(VELKARO_RUNTIME_DIR "/image/map" + std::to_string(k) + ".bmp", &map));
  ASSERT_TRUE(LoadRgbImage(VELKARO_RUNTIME_DIR "/image/colorCheck.bmp", &colours));
  ASSERT_TRUE(ParseCheckpoints(shipped, &cps));
  EXPECT_TRUE(CheckCourse(map, colours, k, &cps).AllPass());
  const uint32_t road = colours.At(k == 5 ? 2 : 0, 0);
  const CourseStart& st = StartOf(k);
  auto set = [](RgbImage& m, int x, int y, uint32_t c) { m.px[static_cast<size_t>(y) * m.w + x] = c; };
  const std::pair<const char*, std::function<void(RgbImage&, std::vector<Checkpoint>&)>> cases[] = {
      {"closed region",
       [&](RgbImage& m, std::vector<Checkpoint>&) {  // a lane from the start to the bottom edge
         for (int y = st.initY + 38; y < m.h; ++y)
           for (int x = st.initX + 20; x < st.initX + 24; ++x) set(m, x, y, road);
       }},
      {"goal stripe",  // goal colour away from the goal
       [&](RgbImage& m, std::vector<Checkpoint>& c) { set(m, c[8].x + 26, c[8].y + 38, colours.At(1, 0)); }},
      {"checkpoint order", [](RgbImage&, std::vector<Checkpoint>& c) { std::swap(c[4], c[5]); }},
      {"barrier",
       [&](RgbImage& m, std::vector<Checkpoint>& c) {  // the barrier taken away beside checkpoint 8
         for (int y = std::max(0, c[8].y - 100); y < std::min(m.h, c[8].y + 176); ++y)
           for (int x = std::max(0, c[8].x - 100); x < std::min(m.w, c[8].x + 152); ++x)
             if (IsBarrierColour(m.At(x, y))) set(m, x, y, 0x406030);
       }},
      {"checkpoints on road",
       [](RgbImage&, std::vector<Checkpoint>& c) {
         c[7] = Checkpoint{2, 2};
       }},
  };
  for (const auto& [rule, spoil] : cases) {
    RgbImage m = map;
    std::vector<Checkpoint> spoilt = cps;
    spoil(m, spoilt);
    bool failed = false;
    for (const auto& v : CheckCourse(m, colours, k, &spoilt).verdicts) failed |= v.rule == rule && !v.pass;
    EXPECT_TRUE(failed) << rule;
  }
}

INSTANTIATE_TEST_SUITE_P(Course, ArtCourses, ::testing::Range(0, 6));

}  // namespace
