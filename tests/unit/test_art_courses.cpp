// test_art_courses.cpp -- course descriptions, shipped checkpoints and the course checker.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
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

std::string CourseFile(int k) {
  return std::string(VELKARO_SOURCE_DIR) + "/tools/courses/course" + std::to_string(k) + ".txt";
}

std::string WriteTemp(const std::string& text) {
  char name[] = "/tmp/velkaro-course-XXXXXX";
  int fd = mkstemp(name);
  EXPECT_GE(fd, 0);
  FILE* f = fdopen(fd, "w");
  std::fputs(text.c_str(), f);
  std::fclose(f);
  return name;
}

// ---- descriptions and centre lines -------------------------------------------------------

TEST(CourseDescriptions, ParserReadsPointsWidthsAndScenery) {
  std::string path = WriteTemp(
      "# test\ncourse 3\nname TEST LOOP\nwidth 100\nsurface dirt\nground snow\n"
      "point 0 0\npoint 100 0 120\npoint 100 100\npoint 0 100\nlake 1 2 3 4\n");
  CourseDescription d;
  std::string err;
  ASSERT_TRUE(LoadCourseDescription(path, &d, &err)) << err;
  EXPECT_EQ(d.index, 3);
  EXPECT_EQ(d.name, "TEST LOOP");
  EXPECT_EQ(d.surface, "dirt");
  ASSERT_EQ(d.points.size(), 4u);
  EXPECT_FLOAT_EQ(d.points[0].w, 100);  // default width
  EXPECT_FLOAT_EQ(d.points[1].w, 120);  // width given on the point
  ASSERT_EQ(d.decorations.size(), 1u);
  EXPECT_EQ(d.decorations[0].kind, "lake");
  EXPECT_EQ(d.decorations[0].args.size(), 4u);
  std::remove(path.c_str());
}

TEST(CourseDescriptions, ParserRejectsBrokenFiles) {
  CourseDescription d;
  std::string err;
  for (const char* text : {"point 0 0\npoint 1 0\npoint 1 1\npoint 0 1\n",          // no course line
                           "course 9\npoint 0 0\npoint 1 0\npoint 1 1\npoint 0 1\n",  // course out of range
                           "course 1\npoint 0 0\npoint 1 0\n",                          // too few points
                           "course 1\nsurface ice\npoint 0 0\npoint 1 0\npoint 1 1\npoint 0 1\n"}) {
    std::string path = WriteTemp(text);
    EXPECT_FALSE(LoadCourseDescription(path, &d, &err)) << text;
    EXPECT_FALSE(err.empty());
    std::remove(path.c_str());
  }
  EXPECT_FALSE(LoadCourseDescription("/nonexistent/course.txt", &d, &err));
}

TEST(CourseDescriptions, CentreLineOfARegularPolygonIsNearlyACircle) {
  CourseDescription d;
  d.index = 0;
  const double r = 400;
  for (int i = 0; i < 12; ++i)
    d.points.push_back({(float)(700 + r * std::cos(i * M_PI / 6)), (float)(576 + r * std::sin(i * M_PI / 6)), 100});
  CentreLine line = BuildCentreLine(d);
  EXPECT_NEAR(line.length, 2 * M_PI * r, 2 * M_PI * r * 0.01);
  for (const auto& s : line.samples) {
    EXPECT_NEAR(std::hypot(s.x - 700, s.y - 576), r, 4);
    EXPECT_NEAR(std::fabs(s.curv), 1 / r, 0.3 / r);
  }
}

TEST(CourseDescriptions, CheckpointFileFormatRoundTrips) {
  std::vector<Checkpoint> cps;
  for (int i = 0; i < 20; ++i) cps.push_back({i * 7 - 3, 1000 - i});
  std::string text = FormatCheckpoints(cps);
  EXPECT_EQ(text.substr(0, 13), "-3,1000 4,999");
  EXPECT_EQ(text.back(), ' ');
  EXPECT_EQ(text.find('\n'), std::string::npos);
  std::vector<Checkpoint> back;
  ASSERT_TRUE(ParseCheckpoints(text, &back));
  ASSERT_EQ(back.size(), 20u);
  EXPECT_EQ(back[19].x, cps[19].x);
  EXPECT_EQ(back[19].y, cps[19].y);
  EXPECT_FALSE(ParseCheckpoints("1,2 3,4", &back));
}

// ---- shipped data ------------------------------------------------------------------------

TEST(ShippedData, CheckpointFilesEqualWhatTheCourseDescriptionsGive) {
  for (int k = 0; k < 6; ++k) {
    CourseDescription d;
    std::string err;
    ASSERT_TRUE(LoadCourseDescription(CourseFile(k), &d, &err)) << err;
    EXPECT_EQ(d.index, k);
    std::string shipped = Slurp(std::string(VELKARO_SOURCE_DIR) + "/data/check" + std::to_string(k) + ".txt");
    EXPECT_EQ(shipped, FormatCheckpoints(DeriveCheckpoints(d))) << "data/check" << k << ".txt is stale";
  }
}

TEST(ShippedData, RecordFilesStartEmpty) {
  EXPECT_EQ(Slurp(std::string(VELKARO_SOURCE_DIR) + "/data/clearFlg.txt"), "0 0 0 0 0 0 ");
  std::string best = Slurp(std::string(VELKARO_SOURCE_DIR) + "/data/bestTime.txt");
  long v[12];
  int n = std::sscanf(best.c_str(), "%ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld", &v[0], &v[1], &v[2], &v[3],
                      &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11]);
  ASSERT_EQ(n, 12);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(v[i], 0) << "mode 1 slot " << i;
}

// ---- the generated courses and the checker -------------------------------------------------

class CourseImages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SDL_Init(0); }
  static RgbImage Map(int k) {
    RgbImage m;
    EXPECT_TRUE(LoadRgbImage(std::string(VELKARO_RUNTIME_DIR) + "/image/map" + std::to_string(k) + ".bmp", &m));
    return m;
  }
  static RgbImage Colours() {
    RgbImage c;
    EXPECT_TRUE(LoadRgbImage(std::string(VELKARO_RUNTIME_DIR) + "/image/colorCheck.bmp", &c));
    return c;
  }
  static std::vector<Checkpoint> Shipped(int k) {
    std::vector<Checkpoint> cps;
    EXPECT_TRUE(ParseCheckpoints(Slurp(std::string(VELKARO_SOURCE_DIR) + "/data/check" + std::to_string(k) + ".txt"),
                                 &cps));
    return cps;
  }
  static std::string Failures(const CourseReport& r) {
    std::string s;
    for (const auto& v : r.verdicts)
      if (!v.pass) s += v.rule + ": " + v.detail + "\n";
    return s;
  }
  static bool Failed(const CourseReport& r, const std::string& rule) {
    for (const auto& v : r.verdicts)
      if (v.rule == rule) return !v.pass;
    return false;
  }
};

TEST_F(CourseImages, EveryCoursePassesTheChecker) {
  RgbImage colours = Colours();
  for (int k = 0; k < 6; ++k) {
    RgbImage map = Map(k);
    auto cps = Shipped(k);
    CourseReport rep = CheckCourse(map, colours, k, &cps);
    EXPECT_TRUE(rep.AllPass()) << "course " << k << ":\n" << Failures(rep);
    EXPECT_GE(rep.minWidth, 90) << k;
    EXPECT_LE(rep.maxWidth, 150) << k;
    EXPECT_LE(rep.lapLength, MaxLapLength(k)) << k;
  }
}

// The road is one flat colour: no wall speck sits inside it.
TEST_F(CourseImages, RoadHasNoSpecksOfOtherColours) {
  RgbImage colours = Colours();
  for (int k = 0; k < 6; ++k) {
    RgbImage m = Map(k);
    uint32_t road = colours.At(k == 5 ? 2 : 0, 0), goal = colours.At(1, 0);
    auto drive = [&](int x, int y) { return m.At(x, y) == road || m.At(x, y) == goal; };
    int specks = 0;
    for (int y = 1; y < m.h - 1; ++y)
      for (int x = 1; x < m.w - 1; ++x)
        if (!drive(x, y) && drive(x - 1, y) && drive(x + 1, y) && drive(x, y - 1) && drive(x, y + 1)) ++specks;
    EXPECT_EQ(specks, 0) << "course " << k;
  }
}

TEST_F(CourseImages, CheckerFlagsARoadThatLeaksToTheBorder) {
  RgbImage map = Map(0), colours = Colours();
  auto cps = Shipped(0);
  const uint32_t road = colours.At(0, 0);
  // A road-coloured lane from the start straight down to the bottom edge.
  for (int y = 1022; y < map.h; ++y)
    for (int x = 600; x < 604; ++x) map.px[(size_t)y * map.w + x] = road;
  EXPECT_TRUE(Failed(CheckCourse(map, colours, 0, &cps), "closed region"));
}

TEST_F(CourseImages, CheckerFlagsAGapInTheGoalStripe) {
  RgbImage map = Map(0), colours = Colours();
  auto cps = Shipped(0);
  const CourseStart& st = StartOf(0);
  map.px[(size_t)(st.initY + 38) * map.w + st.goalX + 10] = colours.At(0, 0);
  EXPECT_TRUE(Failed(CheckCourse(map, colours, 0, &cps), "goal stripe"));
}

TEST_F(CourseImages, CheckerFlagsABlockedLoop) {
  RgbImage map = Map(2), colours = Colours();
  auto cps = Shipped(2);
  // A wall across the road around checkpoint 9.
  int cx = cps[9].x + 26, cy = cps[9].y + 38;
  for (int y = cy - 90; y <= cy + 90; ++y)
    for (int x = cx - 90; x <= cx + 90; ++x)
      if (std::abs((x - cx) - (y - cy)) < 3 || std::abs((x - cx) + (y - cy)) < 3)
        map.px[(size_t)y * map.w + x] = 0x202020;
  CourseReport rep = CheckCourse(map, colours, 2, &cps);
  EXPECT_TRUE(Failed(rep, "closed loop")) << Failures(rep);
}

TEST_F(CourseImages, CheckerFlagsCheckpointsOutOfOrderOrOffTheRoad) {
  RgbImage map = Map(1), colours = Colours();
  auto cps = Shipped(1);
  std::swap(cps[4], cps[5]);
  EXPECT_TRUE(Failed(CheckCourse(map, colours, 1, &cps), "checkpoint order"));
  cps = Shipped(1);
  cps[7] = {2, 2};
  EXPECT_TRUE(Failed(CheckCourse(map, colours, 1, &cps), "checkpoints on road"));
}

TEST_F(CourseImages, CheckerFlagsTheWrongRoadColour) {
  // Course 5 is on dirt; read as course 4 (asphalt) its start is a wall.
  RgbImage map = Map(5), colours = Colours();
  EXPECT_TRUE(Failed(CheckCourse(map, colours, 4, nullptr), "start on road"));
}

TEST(CourseRules, LapLimitFollowsTheTimeLimitAndTheRunCapacity) {
  EXPECT_FLOAT_EQ(MaxLapLength(5), 0.6f * 100000 / 16 / 3 * 5);  // 6250 px
  EXPECT_FLOAT_EQ(MaxLapLength(0), 7500);
  EXPECT_FLOAT_EQ(MaxLapLength(2), 8000.0f / 3 * 5);  // the stored run caps it
}

}  // namespace
