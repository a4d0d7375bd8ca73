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

std::string ShippedCheckpoints(int k) {
  return Slurp(std::string(VELKARO_SOURCE_DIR) + "/data/check" + std::to_string(k) + ".txt");
}

RgbImage Image(const std::string& file) {
  RgbImage m;
  EXPECT_TRUE(LoadRgbImage(std::string(VELKARO_RUNTIME_DIR) + "/image/" + file, &m)) << file;
  return m;
}

class ArtCourses : public ::testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() { SDL_Init(0); }
  void SetUp() override {
    map = Image("map" + std::to_string(GetParam()) + ".bmp");
    colours = Image("colorCheck.bmp");
    ASSERT_TRUE(ParseCheckpoints(ShippedCheckpoints(GetParam()), &cps));
  }
  std::string Failures(const CourseReport& r) const {
    std::string s;
    for (const auto& v : r.verdicts)
      if (!v.pass) s += v.rule + ": " + v.detail + "\n";
    return s;
  }
  RgbImage map, colours;
  std::vector<Checkpoint> cps;
};

TEST_P(ArtCourses, ShippedCheckpointsAreTheDerivedOnes) {
  CourseDescription d;
  std::string err;
  const std::string file =
      std::string(VELKARO_SOURCE_DIR) + "/tools/courses/course" + std::to_string(GetParam()) + ".txt";
  ASSERT_TRUE(LoadCourseDescription(file, &d, &err)) << err;
  EXPECT_EQ(d.index, GetParam());
  EXPECT_EQ(ShippedCheckpoints(GetParam()), FormatCheckpoints(DeriveCheckpoints(d))) << "stale checkpoints";
}

TEST_P(ArtCourses, GeneratedCourseKeepsTheRules) {
  const CourseReport rep = CheckCourse(map, colours, GetParam(), &cps);
  EXPECT_TRUE(rep.AllPass()) << Failures(rep);
  EXPECT_GE(rep.minWidth, 90);
  EXPECT_LE(rep.maxWidth, 150);
  EXPECT_LE(rep.lapLength, MaxLapLength(GetParam()));
}

// The same rules catch a spoilt copy of the course, so a pass above means something.
TEST_P(ArtCourses, RulesCatchASpoiltCourse) {
  const int k = GetParam();
  const uint32_t road = colours.At(k == 5 ? 2 : 0, 0);
  const CourseStart& st = StartOf(k);
  const struct {
    const char* rule;
    std::function<void(RgbImage&, std::vector<Checkpoint>&)> spoil;
  } cases[] = {
      {"closed region",
       [&](RgbImage& m, std::vector<Checkpoint>&) {  // a lane from the start to the bottom edge
         for (int y = st.initY + 38; y < m.h; ++y)
           for (int x = st.initX + 20; x < st.initX + 24; ++x) m.px[size_t(y) * m.w + x] = road;
       }},
      {"goal stripe",
       [&](RgbImage& m, std::vector<Checkpoint>& c) {  // goal colour away from the goal
         m.px[size_t(c[8].y + 38) * m.w + c[8].x + 26] = colours.At(1, 0);
       }},
      {"checkpoint order", [](RgbImage&, std::vector<Checkpoint>& c) { std::swap(c[4], c[5]); }},
      {"barrier",
       [](RgbImage& m, std::vector<Checkpoint>& c) {  // the barrier taken away beside checkpoint 8
         for (int y = std::max(0, c[8].y - 100); y < std::min(m.h, c[8].y + 176); ++y)
           for (int x = std::max(0, c[8].x - 100); x < std::min(m.w, c[8].x + 152); ++x)
             if (IsBarrierColour(m.px[size_t(y) * m.w + x])) m.px[size_t(y) * m.w + x] = 0x406030;
       }},
      {"checkpoints on road",
       [](RgbImage&, std::vector<Checkpoint>& c) {
         c[7] = {2, 2};
       }},
  };
  for (const auto& c : cases) {
    RgbImage m = map;
    std::vector<Checkpoint> spoilt = cps;
    c.spoil(m, spoilt);
    const CourseReport rep = CheckCourse(m, colours, k, &spoilt);
    bool failed = false;
    for (const auto& v : rep.verdicts) failed |= v.rule == c.rule && !v.pass;
    EXPECT_TRUE(failed) << c.rule;
  }
}

INSTANTIATE_TEST_SUITE_P(Course, ArtCourses, ::testing::Range(0, 6));

}  // namespace
