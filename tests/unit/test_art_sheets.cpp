// test_art_sheets.cpp -- the generated sheets: sizes, layout rectangles, key colour, fringes, cars, digits.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "course_rules.h"

namespace {

using coursekit::LoadRgbImage;
using coursekit::RgbImage;

const uint32_t kKey = 0xff00ff;

struct SheetSpec {
  const char* file;
  int w, h;
  bool keyed;
};

// Every sheet with its size; the sizes are the smallest that hold the game's rectangles.
const SheetSpec kSheets[] = {
    {"car.bmp", 1248, 76, true},       {"Ecar.bmp", 1248, 76, true},     {"title.bmp", 466, 49, true},
    {"menu.bmp", 112, 63, true},       {"stick.bmp", 480, 8, true},      {"keybord.bmp", 480, 313, true},
    {"help.bmp", 480, 480, true},      {"mode.bmp", 450, 150, true},     {"SmallMap.bmp", 768, 96, true},
    {"finish.bmp", 376, 308, true},    {"frame.bmp", 256, 96, true},     {"colorCheck.bmp", 16, 16, true},
    {"full.bmp", 480, 480, false},     {"GameSelect.bmp", 250, 150, false}, {"num.bmp", 185, 112, true},
    {"kazu.bmp", 620, 211, true},      {"comment.bmp", 480, 1170, true},
};

struct Rect {
  const char* file;
  int x, y, w, h;
};

// Rectangles the game draws from; each must hold a picture.
std::vector<Rect> LayoutRects() {
  std::vector<Rect> r = {
      {"title.bmp", 0, 0, 466, 49},       {"stick.bmp", 0, 0, 480, 8},         {"keybord.bmp", 0, 0, 480, 142},
      {"keybord.bmp", 0, 191, 166, 84},   {"keybord.bmp", 234, 150, 216, 163}, {"help.bmp", 0, 0, 480, 480},
      {"mode.bmp", 0, 0, 150, 150},       {"mode.bmp", 150, 0, 150, 150},      {"mode.bmp", 300, 0, 150, 150},
      {"finish.bmp", 0, 0, 376, 75},      {"finish.bmp", 0, 75, 376, 35},      {"finish.bmp", 0, 111, 75, 56},
      {"finish.bmp", 0, 167, 294, 46},    {"finish.bmp", 0, 214, 294, 46},     {"finish.bmp", 0, 262, 294, 46},
      {"frame.bmp", 0, 0, 128, 96},       {"frame.bmp", 128, 0, 128, 96},      {"num.bmp", 0, 47, 185, 65},
      {"kazu.bmp", 320, 0, 32, 42},       {"kazu.bmp", 352, 42, 32, 42},       {"kazu.bmp", 320, 84, 32, 42},
      {"kazu.bmp", 210, 126, 21, 22},     {"kazu.bmp", 421, 43, 46, 20},       {"kazu.bmp", 421, 63, 46, 20},
      {"kazu.bmp", 0, 170, 187, 41},      {"kazu.bmp", 196, 170, 187, 41},     {"kazu.bmp", 417, 7, 197, 22},
  };
  for (int i = 0; i < 3; ++i) r.push_back({"menu.bmp", 0, 21 * i, 112, 21});
  for (int k = 0; k < 4; ++k) r.push_back({"num.bmp", 31 * k, 0, 31, 36});
  for (int k = 0; k < 6; ++k) r.push_back({"SmallMap.bmp", 128 * k, 0, 128, 96});
  for (int k = 0; k < 9; ++k) r.push_back({"comment.bmp", 0, 130 * k, 480, 130});
  for (int d = 0; d < 10; ++d) {
    for (int row : {0, 42, 84}) r.push_back({"kazu.bmp", 32 * d, row, 32, 42});
    r.push_back({"kazu.bmp", 21 * d, 126, 21, 22});
  }
  for (int f = 0; f < 24; ++f) {
    r.push_back({"car.bmp", 52 * f, 0, 52, 76});
    r.push_back({"Ecar.bmp", 52 * f, 0, 52, 76});
  }
  return r;
}

std::string ImagePath(const std::string& file) { return std::string(VELKARO_RUNTIME_DIR) + "/image/" + file; }

const RgbImage& Load(const std::string& file) {
  static std::map<std::string, RgbImage> cache;  // map: references stay valid as it grows
  auto it = cache.find(file);
  if (it != cache.end()) return it->second;
  RgbImage img;
  if (!LoadRgbImage(ImagePath(file), &img)) ADD_FAILURE() << "cannot load " << file;
  return cache[file] = img;
}

int Ink(const RgbImage& img, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += img.At(x, y) != kKey;
  return n;
}

class ArtSheets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_Init(0); }
};

TEST_F(ArtSheets, EverySheetIs24BitWithItsExactSize) {
  for (const auto& s : kSheets) {
    SDL_Surface* surf = SDL_LoadBMP(ImagePath(s.file).c_str());
    ASSERT_NE(surf, nullptr) << s.file;
    EXPECT_EQ(surf->w, s.w) << s.file;
    EXPECT_EQ(surf->h, s.h) << s.file;
    EXPECT_EQ(surf->format->BitsPerPixel, 24) << s.file;
    EXPECT_EQ(surf->format->Rmask, 0xff0000u) << s.file;
    EXPECT_EQ(surf->format->Bmask, 0x0000ffu) << s.file;
    SDL_FreeSurface(surf);
  }
  SDL_Surface* icon = SDL_LoadBMP((std::string(VELKARO_RUNTIME_DIR) + "/icon.bmp").c_str());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->w, 32);
  EXPECT_EQ(icon->h, 32);
  EXPECT_EQ(icon->format->BitsPerPixel, 24);
  SDL_FreeSurface(icon);
}

TEST_F(ArtSheets, EveryLayoutRectangleHoldsAPicture) {
  for (const auto& r : LayoutRects()) {
    const RgbImage& img = Load(r.file);
    ASSERT_LE(r.x + r.w, img.w) << r.file;
    ASSERT_LE(r.y + r.h, img.h) << r.file;
    int ink = Ink(img, r.x, r.y, r.w, r.h);
    EXPECT_GE(ink, r.w * r.h / 40) << r.file << " (" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
  }
}

TEST_F(ArtSheets, KeyedSheetsUseMagentaAndOpaqueSheetsDoNot) {
  for (const auto& s : kSheets) {
    const RgbImage& img = Load(s.file);
    int key = Ink(img, 0, 0, img.w, img.h);
    key = img.w * img.h - key;
    // The bar and the thumbnail strip are solid pictures; every other keyed sheet has clear parts.
    std::string name = s.file;
    if (s.keyed && name != "SmallMap.bmp" && name != "stick.bmp") {
      EXPECT_GT(key, 0) << s.file << " has no transparent pixel";
    }
    if (!s.keyed) {
      EXPECT_EQ(key, 0) << s.file << " must be opaque";
    }
  }
}

// Anti-aliasing against magenta would leave pink pixels around every keyed shape.
TEST_F(ArtSheets, NoPinkFringeNextToTransparentPixels) {
  for (const auto& s : kSheets) {
    if (!s.keyed) continue;
    const RgbImage& img = Load(s.file);
    int fringe = 0;
    for (int y = 0; y < img.h; ++y)
      for (int x = 0; x < img.w; ++x) {
        uint32_t v = img.At(x, y);
        if (v == kKey) continue;
        bool nextToKey = false;
        const int nx[4] = {x - 1, x + 1, x, x}, ny[4] = {y, y, y - 1, y + 1};
        for (int k = 0; k < 4; ++k)
          if (nx[k] >= 0 && ny[k] >= 0 && nx[k] < img.w && ny[k] < img.h && img.At(nx[k], ny[k]) == kKey)
            nextToKey = true;
        int r = v >> 16, g = (v >> 8) & 255, b = v & 255;
        if (nextToKey && std::min(r, b) - g > 60) ++fringe;
      }
    EXPECT_EQ(fringe, 0) << s.file;
  }
}

TEST_F(ArtSheets, ColourSampleHoldsThreeDistinctDrivableColours) {
  const RgbImage& c = Load("colorCheck.bmp");
  uint32_t road = c.At(0, 0), goal = c.At(1, 0), dirt = c.At(2, 0);
  EXPECT_NE(road, goal);
  EXPECT_NE(road, dirt);
  EXPECT_NE(goal, dirt);
  for (uint32_t v : {road, goal, dirt}) EXPECT_NE(v, kKey);
}

// Each frame's ink: centred on (26, 38), clear of the cell border, long axis at 15 degrees a frame.
TEST_F(ArtSheets, CarFramesAreCentredFitTheCellAndTurnFifteenDegreesAFrame) {
  for (const char* file : {"car.bmp", "Ecar.bmp"}) {
    const RgbImage& img = Load(file);
    for (int f = 0; f < 24; ++f) {
      double n = 0, sx = 0, sy = 0;
      int x0 = 52 * f;
      for (int y = 0; y < 76; ++y)
        for (int x = 0; x < 52; ++x) {
          if (img.At(x0 + x, y) == kKey) continue;
          EXPECT_TRUE(x > 0 && x < 51 && y > 0 && y < 75) << file << " frame " << f << " touches the cell edge";
          n += 1;
          sx += x;
          sy += y;
        }
      ASSERT_GT(n, 500) << file << " frame " << f;
      double cx = sx / n, cy = sy / n;
      EXPECT_NEAR(cx, 25.5, 1.5) << file << " frame " << f;
      EXPECT_NEAR(cy, 37.5, 1.5) << file << " frame " << f;
      double sxx = 0, syy = 0, sxy = 0;
      for (int y = 0; y < 76; ++y)
        for (int x = 0; x < 52; ++x)
          if (img.At(x0 + x, y) != kKey) {
            sxx += (x - cx) * (x - cx);
            syy += (y - cy) * (y - cy);
            sxy += (x - cx) * (y - cy);
          }
      double axis = 0.5 * std::atan2(2 * sxy, sxx - syy) * 180 / M_PI;  // -90..90
      double want = std::fmod(15.0 * f + 90, 180) - 90;
      double diff = std::fabs(axis - want);
      diff = std::min(diff, 180 - diff);
      EXPECT_LT(diff, 6) << file << " frame " << f << ": long axis at " << axis << " degrees";
    }
  }
}

// Frame 0 faces right: the nose (headlights) lies in the right half.
TEST_F(ArtSheets, CarFrameZeroFacesRightAndTwelveFacesLeft) {
  const RgbImage& img = Load("car.bmp");
  auto lightsX = [&](int f) {
    double n = 0, s = 0;
    for (int y = 0; y < 76; ++y)
      for (int x = 0; x < 52; ++x) {
        uint32_t v = img.At(52 * f + x, y);
        if ((v >> 16) > 240 && ((v >> 8) & 255) > 220 && (v & 255) < 200) n += 1, s += x;  // pale yellow
      }
    return n ? s / n : -1;
  };
  EXPECT_GT(lightsX(0), 30);
  EXPECT_LT(lightsX(12), 22);
}

TEST_F(ArtSheets, PlayerAndRivalAreClearlyDifferentCars) {
  const RgbImage& a = Load("car.bmp");
  const RgbImage& b = Load("Ecar.bmp");
  long diff = 0, px = 0;
  for (int y = 0; y < 76; ++y)
    for (int x = 0; x < 52; ++x) {
      uint32_t u = a.At(x, y), v = b.At(x, y);
      if (u == kKey && v == kKey) continue;
      ++px;
      diff += std::abs((int)(u >> 16) - (int)(v >> 16)) + std::abs((int)(u & 255) - (int)(v & 255));
    }
  EXPECT_GT(diff / px, 80);
}

// Small digits are drawn 16 pixels apart although the cells are 21 wide.
TEST_F(ArtSheets, SmallDigitInkFitsTheSixteenPixelSpacing) {
  const RgbImage& img = Load("kazu.bmp");
  for (int d = 0; d <= 10; ++d)
    for (int y = 126; y < 148; ++y)
      for (int x = 16; x < 21; ++x) EXPECT_EQ(img.At(21 * d + x, y), kKey) << "glyph " << d << " column " << x;
}

TEST_F(ArtSheets, TheFourDigitRowsAreDistinct) {
  const RgbImage& img = Load("kazu.bmp");
  auto mean = [&](int x0, int y0, int w, int h) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) {
        uint32_t v = img.At(x, y);
        if (v == kKey) continue;
        r += v >> 16, g += (v >> 8) & 255, b += v & 255, ++n;
      }
    return std::vector<long>{r / n, g / n, b / n, n};
  };
  for (int d = 0; d < 10; ++d) {
    auto r0 = mean(32 * d, 0, 32, 42), r1 = mean(32 * d, 42, 32, 42), r2 = mean(32 * d, 84, 32, 42);
    auto dist = [](const std::vector<long>& a, const std::vector<long>& b) {
      return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    };
    EXPECT_GT(dist(r0, r1), 40) << d;
    EXPECT_GT(dist(r0, r2), 40) << d;
    EXPECT_GT(dist(r1, r2), 40) << d;
    auto small = mean(21 * d, 126, 21, 22);
    EXPECT_LT(small[3], r0[3] / 2) << "small digit " << d << " should be the small style";
  }
}

// The thumbnails are the courses scaled down by 12.
TEST_F(ArtSheets, ThumbnailsAreTheCoursesScaledDown) {
  const RgbImage& strip = Load("SmallMap.bmp");
  for (int k = 0; k < 6; ++k) {
    const RgbImage& map = Load("map" + std::to_string(k) + ".bmp");
    int off = 0;
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 128; ++x) {
        int r = 0, g = 0, b = 0;
        for (int yy = 0; yy < 12; ++yy)
          for (int xx = 0; xx < 12; ++xx) {
            uint32_t v = map.At(x * 12 + xx, y * 12 + yy);
            r += v >> 16, g += (v >> 8) & 255, b += v & 255;
          }
        uint32_t t = strip.At(128 * k + x, y);
        if (std::abs((int)(t >> 16) - r / 144) > 1 || std::abs((int)((t >> 8) & 255) - g / 144) > 1 ||
            std::abs((int)(t & 255) - b / 144) > 1)
          ++off;
      }
    EXPECT_EQ(off, 0) << "thumbnail " << k;
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
  std::string dir = tmpl;
  std::string cmd = std::string("\"") + VELKARO_ARTGEN + "\" \"" + dir + "\" --courses \"" + VELKARO_SOURCE_DIR +
                    "/tools/courses\"";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::vector<std::string> files = {"icon.bmp"};
  for (const auto& s : kSheets) files.push_back(std::string("image/") + s.file);
  for (int k = 0; k < 6; ++k) files.push_back("image/map" + std::to_string(k) + ".bmp");
  for (const auto& f : files) {
    std::string a = Slurp(dir + "/" + f), b = Slurp(std::string(VELKARO_RUNTIME_DIR) + "/" + f);
    EXPECT_FALSE(a.empty()) << f;
    EXPECT_TRUE(a == b) << f << " differs between runs";
  }
  std::system(("rm -rf \"" + dir + "\"").c_str());
}

}  // namespace
