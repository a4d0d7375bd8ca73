// test_hud_legibility.cpp -- every HUD glyph keeps a dark ring between its fill and any ground
#include <cmath>
#include <utility>

#include "test_race_support.h"

namespace {

const int kHudH = 110, kN = 480 * kHudH;  // the HUD lies in the top rows

double Luminance(uint32_t rgb) {
  auto lin = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * lin((rgb >> 16 & 255) / 255.0) + 0.7152 * lin((rgb >> 8 & 255) / 255.0) +
         0.0722 * lin((rgb & 255) / 255.0);
}

// f(n) for every HUD pixel n at most r pixels from pixel j along each axis.
template <class F>
void Around(int j, int r, F f) {
  for (int y = std::max(0, j / 480 - r); y <= std::min(kHudH - 1, j / 480 + r); ++y)
    for (int x = std::max(0, j % 480 - r); x <= std::min(479, j % 480 + r); ++x) f(y * 480 + x);
}

using HudLegibility = SceneTest;

TEST_F(HudLegibility, DarkRingOnEveryCourseAndGoalStripe) {
  if (!LoadGeneratedImages()) SKIP_OR_FAIL_ON_CI("generated art not built yet");
  // The HUD rows at race start over course k's first view, or over a flat colour when k < 0.
  auto render = [this](int k, uint32_t flat) {
    race.overTime = 120000, race.mapNum = 0, race.Time = 5120, race.mapCnt = std::max(k, 0);
    bestTime[race.mapCnt] = 83456;
    FillRect(screen, 0, 0, 480, 480, flat >> 16, flat >> 8 & 255, flat & 255);
    if (k >= 0) {
      EXPECT_TRUE(LoadCoursePair(k));
      car[0].posX = kTrack[k].InitX, car[0].posY = kTrack[k].InitY;
      CameraStep();
      DrawCourse(screen);
    }
    DrawHud(screen);
    std::vector<uint32_t> v(kN);
    for (int i = 0; i < kN; ++i) v[i] = PixelRGB(screen, i % 480, i / 480);
    return v;
  };
  // Where the glyphs' fill is: HUD ink that is light, found over pure green.
  const std::vector<uint32_t> ink = render(-1, 0x00ff00);
  std::vector<char> fill(kN), taken(kN);
  for (int i = 0; i < kN; ++i) fill[i] = ink[i] != 0x00ff00 && Luminance(ink[i]) >= 0.3;
  // Each glyph (fill joined through its eight neighbours) with its ring: the pixels exactly two away.
  std::vector<std::pair<std::vector<int>, std::vector<int>>> glyphs;
  for (int i = 0; i < kN; ++i) {
    if (!fill[i] || taken[i]) continue;
    std::vector<int> glyph{i}, ring;
    taken[i] = 1;
    for (size_t k = 0; k < glyph.size(); ++k)
      Around(glyph[k], 1, [&](int n) {
        if (fill[n] && !taken[n]) taken[n] = 1, glyph.push_back(n);
      });
    std::vector<char> reach(kN, 0);
    for (int j : glyph) Around(j, 2, [&](int n) { reach[n] |= 2; });
    for (int j : glyph) Around(j, 1, [&](int n) { reach[n] |= 1; });
    for (int n = 0; n < kN; ++n)
      if (reach[n] == 2 && !fill[n]) ring.push_back(n);
    glyphs.emplace_back(glyph, ring);
  }
  ASSERT_GE(glyphs.size(), 20u) << "the HUD's glyphs were not found";
  // On every ground, at least 90% of every glyph's ring reaches a contrast ratio of 3 with its fill.
  const std::pair<int, uint32_t> grounds[] = {{0, 0}, {1, 0}, {2, 0},         {3, 0},
                                              {4, 0}, {5, 0}, {-1, 0xececE4}, {-1, 0xffffff}};
  for (const auto& [course, flat] : grounds) {
    const std::vector<uint32_t> ground = render(course, flat);
    for (const auto& [glyph, ring] : glyphs) {
      double lf = 0;
      for (int j : glyph) lf += Luminance(ground[j]) / glyph.size();
      const auto contrasts = [&](int n) {
        const double ln = Luminance(ground[n]);
        return (std::max(lf, ln) + 0.05) / (std::min(lf, ln) + 0.05) >= 3;
      };
      EXPECT_GE(std::count_if(ring.begin(), ring.end(), contrasts), std::max(1.0, 0.9 * ring.size()))
          << "course " << course << " ground " << std::hex << flat << " glyph at " << std::dec << glyph[0];
    }
  }
}

}  // namespace
