// test_hud_legibility.cpp -- every HUD glyph keeps a dark ring between its fill and any ground
#include <cmath>
#include <vector>

#include "test_race_support.h"

namespace {

double Luminance(uint32_t rgb) {
  auto lin = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * lin((rgb >> 16 & 255) / 255.0) + 0.7152 * lin((rgb >> 8 & 255) / 255.0) +
         0.0722 * lin((rgb & 255) / 255.0);
}

const int kHudH = 110;  // the HUD lies in the top rows

class HudLegibility : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    if (!LoadGeneratedImages()) GTEST_SKIP() << "generated art not built yet";
    race.overTime = 120000, race.mapNum = 0, race.Time = 5120;
  }
  // The HUD at race start over course k's first view, or over a flat colour when k < 0.
  void Render(int k, uint32_t flat) {
    race.mapCnt = k < 0 ? 0 : k;
    bestTime[race.mapCnt] = 83456;
    if (k < 0) {
      FillRect(screen, 0, 0, 480, 480, flat >> 16, flat >> 8 & 255, flat & 255);
    } else {
      ASSERT_TRUE(LoadCoursePair(k));
      car[0].posX = kTrack[k].InitX, car[0].posY = kTrack[k].InitY;
      CameraStep();
      DrawCourse(screen);
    }
    DrawHud(screen);
  }
  // Contrast of each glyph's fill with the ring two pixels outside it, on `ground`: the worst
  // glyph's share of ring pixels at a contrast ratio of 3 or more.
  double WorstRingShare(const std::vector<uint32_t>& ground) {
    std::vector<int> label(480 * kHudH, 0);
    std::vector<std::vector<int>> glyphs;
    for (int i = 0; i < 480 * kHudH; ++i) {
      if (label[i] || !fill[i]) continue;
      glyphs.emplace_back();
      std::vector<int> stack{i};
      label[i] = (int)glyphs.size();
      while (!stack.empty()) {
        int j = stack.back();
        stack.pop_back();
        glyphs.back().push_back(j);
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            int x = j % 480 + dx, y = j / 480 + dy, n = y * 480 + x;
            if (x >= 0 && x < 480 && y >= 0 && y < kHudH && fill[n] && !label[n])
              label[n] = label[i], stack.push_back(n);
          }
      }
    }
    EXPECT_GE(glyphs.size(), 20u) << "the HUD's glyphs were not found";
    double worst = 1;
    for (size_t g = 0; g < glyphs.size(); ++g) {
      double lf = 0;
      for (int j : glyphs[g]) lf += Luminance(ground[j]);
      lf /= glyphs[g].size();
      int ring = 0, good = 0;
      std::vector<char> seen(480 * kHudH, 0);
      for (int j : glyphs[g])
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -2; dx <= 2; ++dx) {
            int x = j % 480 + dx, y = j / 480 + dy, n = y * 480 + x;
            if ((std::abs(dx) < 2 && std::abs(dy) < 2) || x < 0 || x >= 480 || y < 0 || y >= kHudH || seen[n]) continue;
            seen[n] = 1;
            bool nearFill = false;  // pixels closer than two to this glyph are not ring
            for (int ey = -1; ey <= 1; ++ey)
              for (int ex = -1; ex <= 1; ++ex) {
                int m = (y + ey) * 480 + x + ex;
                nearFill |= y + ey >= 0 && y + ey < kHudH && x + ex >= 0 && x + ex < 480 && label[m] == (int)g + 1;
              }
            if (nearFill || fill[n]) continue;
            ++ring;
            good += (std::max(lf, Luminance(ground[n])) + 0.05) / (std::min(lf, Luminance(ground[n])) + 0.05) >= 3;
          }
      worst = std::min(worst, ring ? (double)good / ring : 0.0);
    }
    return worst;
  }
  std::vector<uint32_t> Grab() {
    std::vector<uint32_t> v(480 * kHudH);
    for (int i = 0; i < 480 * kHudH; ++i) v[i] = PixelRGB(screen, i % 480, i / 480);
    return v;
  }
  std::vector<char> fill;
};

TEST_F(HudLegibility, EveryGlyphHasADarkRingOnEveryCourseAndOnTheGoalStripe) {
  // Where the glyphs' fill is: HUD ink that is light, found over pure green.
  Render(-1, 0x00ff00);
  for (uint32_t v : Grab()) fill.push_back(v != 0x00ff00 && Luminance(v) >= 0.3);
  struct Ground {
    int course;
    uint32_t flat;
  };
  const Ground grounds[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {-1, 0xececE4}, {-1, 0xffffff}};
  for (const Ground& g : grounds) {
    Render(g.course, g.flat);
    EXPECT_GE(WorstRingShare(Grab()), 0.9) << "course " << g.course << " ground " << std::hex << g.flat;
  }
}

}  // namespace
