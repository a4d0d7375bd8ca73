// test_art_sheets.cpp -- the generated sheets: sizes, layout rectangles, key colour, fringes, determinism
#include <SDL.h>
#include <SDL_rotozoom.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "course_rules.h"

namespace {

using coursekit::RgbImage;
const uint32_t kKey = 0xff00ff;

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
    {"kazu.bmp", 620, 211, true},   {"comment.bmp", 480, 1170, true},
};

std::string RuntimePath(const std::string& file) { return std::string(VELKARO_RUNTIME_DIR) + "/" + file; }

const RgbImage& Load(const std::string& file) {
  static std::map<std::string, RgbImage> cache;  // map: references stay valid as it grows
  auto it = cache.find(file);
  if (it != cache.end()) return it->second;
  RgbImage img;
  if (!coursekit::LoadRgbImage(RuntimePath("image/" + file), &img)) ADD_FAILURE() << "cannot load " << file;
  return cache[file] = img;
}

int Ink(const RgbImage& img, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += img.At(x, y) != kKey;
  return n;
}

bool Pink(uint32_t v) { return std::min(v >> 16, v & 255) > ((v >> 8) & 255) + 60; }

// Opaque pixels beside a transparent one that lean to magenta: the trace of anti-aliasing against the key.
int Fringe(const RgbImage& img) {
  auto key = [&](int x, int y) { return x >= 0 && y >= 0 && x < img.w && y < img.h && img.At(x, y) == kKey; };
  int fringe = 0;
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x)
      fringe += !key(x, y) && Pink(img.At(x, y)) && (key(x - 1, y) || key(x + 1, y) || key(x, y - 1) || key(x, y + 1));
  return fringe;
}

class ArtSheets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_Init(0); }
};

TEST_F(ArtSheets, EverySheetIs24BitWithItsExactSize) {
  std::vector<Sheet> all(std::begin(kSheets), std::end(kSheets));
  all.push_back({"../icon.bmp", 32, 32, false});
  for (const auto& s : all) {
    SDL_Surface* surf = SDL_LoadBMP(RuntimePath(std::string("image/") + s.file).c_str());
    ASSERT_NE(surf, nullptr) << s.file;
    EXPECT_EQ(surf->w, s.w) << s.file;
    EXPECT_EQ(surf->h, s.h) << s.file;
    EXPECT_EQ(surf->format->BitsPerPixel, 24) << s.file;
    EXPECT_EQ(surf->format->Rmask, 0xff0000u) << s.file;
    SDL_FreeSurface(surf);
  }
}

TEST_F(ArtSheets, EveryDrawnRectangleHoldsAPicture) {
  struct Rect {
    const char* file;
    int x, y, w, h, count, stepX, stepY;  // `count` rectangles, each `step` from the last
  };
  const Rect rects[] = {
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
  for (const Rect& r : rects)
    for (int i = 0; i < r.count; ++i) {
      const RgbImage& img = Load(r.file);
      const int x = r.x + i * r.stepX, y = r.y + i * r.stepY;
      ASSERT_TRUE(x + r.w <= img.w && y + r.h <= img.h) << r.file << " " << i;
      EXPECT_GE(Ink(img, x, y, r.w, r.h), r.w * r.h / 40) << r.file << " (" << x << ", " << y << ")";
    }
}

TEST_F(ArtSheets, KeyColourAndNoMagentaFringeEvenAfterASmoothedZoom) {
  for (const auto& s : kSheets) {
    const RgbImage& img = Load(s.file);
    const int key = img.w * img.h - Ink(img, 0, 0, img.w, img.h);
    const std::string name = s.file;
    if (!s.keyed) {
      EXPECT_EQ(key, 0) << s.file << " must be opaque";
      continue;
    }
    // The bar and the thumbnail strip are solid pictures; every other keyed sheet has clear parts.
    EXPECT_TRUE(key > 0 || name == "SmallMap.bmp" || name == "stick.bmp") << s.file;
    EXPECT_EQ(Fringe(img), 0) << s.file;
    // Zoomed with smoothing as a scaled draw does and laid on grey: the art holds no pink, so any pink
    // pixel is the key bled into the picture or left opaque.
    SDL_Surface* sheet = SDL_LoadBMP(RuntimePath("image/" + name).c_str());
    ASSERT_NE(sheet, nullptr);
    SDL_SetColorKey(sheet, SDL_SRCCOLORKEY, SDL_MapRGB(sheet->format, 255, 0, 255));
    for (double zoom : {0.6, 1.7}) {
      SDL_Surface* zoomed = zoomSurface(sheet, zoom, zoom, SMOOTHING_ON);
      ASSERT_NE(zoomed, nullptr);
      SDL_Surface* grey = SDL_CreateRGBSurface(SDL_SWSURFACE, zoomed->w, zoomed->h, 24, 0xff0000, 0xff00, 0xff, 0);
      SDL_FillRect(grey, nullptr, SDL_MapRGB(grey->format, 128, 128, 128));
      SDL_BlitSurface(zoomed, nullptr, grey, nullptr);
      int pink = 0;
      for (int y = 0; y < grey->h; ++y)
        for (int x = 0; x < grey->w; ++x) {
          const uint8_t* p = static_cast<uint8_t*>(grey->pixels) + y * grey->pitch + 3 * x;
          pink += Pink(p[0] | p[1] << 8 | p[2] << 16);
        }
      EXPECT_EQ(pink, 0) << s.file << " zoomed " << zoom;
      SDL_FreeSurface(grey);
      SDL_FreeSurface(zoomed);
    }
    SDL_FreeSurface(sheet);
  }
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A second run of the generator writes the same bytes as the build's run.
TEST_F(ArtSheets, GeneratorIsDeterministic) {
  char tmpl[] = "/tmp/velkaro-art-XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string dir = tmpl;
  ASSERT_EQ(std::system(
                ("\"" VELKARO_ARTGEN "\" \"" + dir + "\" --courses \"" VELKARO_SOURCE_DIR "/tools/courses\"").c_str()),
            0);
  std::vector<std::string> files = {"icon.bmp"};
  for (const auto& s : kSheets) files.push_back(std::string("image/") + s.file);
  for (int k = 0; k < 6; ++k) files.push_back("image/map" + std::to_string(k) + ".bmp");
  for (const auto& f : files) {
    const std::string again = Slurp(dir + "/" + f);
    EXPECT_FALSE(again.empty()) << f;
    EXPECT_TRUE(again == Slurp(RuntimePath(f))) << f << " differs between runs";
  }
  EXPECT_EQ(0, std::system(("rm -rf \"" + dir + "\"").c_str()));
}

}  // namespace
