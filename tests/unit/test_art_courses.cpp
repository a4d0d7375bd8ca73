// test_art_courses.cpp -- shipped checkpoints and the course rules on each generated course
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "course.h"
#include "course_rules.h"

namespace {

using namespace coursekit;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ArtCourses : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { SDL_Init(0); }
  const int k = GetParam();
  const std::string shipped = Slurp(VELKARO_SOURCE_DIR "/data/check" + std::to_string(k) + ".txt");
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
TEST_P(ArtCourses, RulesPassTheGeneratedCourseAndCatchASpoiltCopy) {
  RgbImage map, colours;
  std::vector<Checkpoint> cps;
  ASSERT_TRUE(LoadRgbImage(VELKARO_RUNTIME_DIR "/image/map" + std::to_string(k) + ".bmp", &map));
  ASSERT_TRUE(LoadRgbImage(VELKARO_RUNTIME_DIR "/image/colorCheck.bmp", &colours));
  ASSERT_TRUE(ParseCheckpoints(shipped, &cps));
  EXPECT_TRUE(CheckCourse(map, colours, k, &cps).AllPass());
  const uint32_t road = colours.At(k == 5 ? 2 : 0, 0);
  const CourseStart& st = StartOf(k);
  auto set = [](RgbImage& m, int x, int y, uint32_t c) { m.px[size_t(y) * m.w + x] = c; };
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
         c[7] = {2, 2};
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
