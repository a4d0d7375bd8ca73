// course_check.h -- what the course checker's rules share: the inputs of one check and what
// earlier rules measured for later ones. Private to the course kit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "course_rules.h"

namespace coursekit {

// The start seen along the driving direction, so one test serves all four headings.
struct StartAxes {
  int dx, dy;  // driving direction at the start
  int g0, g1;  // goal along the driving axis: near and far edge (in driving order)
  int p0, p1;  // goal across the driving axis (exclusive bounds)
};
StartAxes AxesOf(const CourseStart& st);

// One run of the checker. The rules run in table order; the later ones read what the
// earlier ones measured (colours, the region reachable from the start, path lengths).
struct CourseCheck {
  CourseCheck(const RgbImage& map, const RgbImage& colours, int course, const std::vector<Checkpoint>* checkpoints,
              CourseReport* rep);

  const RgbImage& map;
  const RgbImage& colours;
  int course;
  const std::vector<Checkpoint>* checkpoints;  // null: the checkpoint rules are skipped
  const CourseStart& st;
  StartAxes axes;
  int sx, sy;                                  // player's centre point at the start
  int ax, ay;                                  // rival's centre point at the start
  uint32_t road = 0, goal = 0, otherRoad = 0;  // from the colour sample
  std::vector<uint8_t> region;                 // 1 where reachable from the start (closed region)
  std::vector<float> dist;                     // path length from just past the goal, -1 unreached (closed loop)
  int checkpointsOffRoad = 0;                  // from checkpoints on road
  CourseReport* rep;                           // the verdicts and the measured lengths go here

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < map.w && y < map.h; }
  bool Drivable(int x, int y) const {
    if (!Inside(x, y)) return false;
    const uint32_t c = map.At(x, y);
    return c == road || c == goal;
  }
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * map.w + x; }
};

// printf into a string; every number is passed as a double (%g).
std::string Fmt(const char* f, double a = 0, double b = 0, double c = 0, double d = 0);

// The rules, one function each: true if the course passes, with what was measured in *detail.
bool CheckImageSize(CourseCheck& c, std::string* detail);
bool CheckColourSample(CourseCheck& c, std::string* detail);
bool CheckStartOnRoad(CourseCheck& c, std::string* detail);
bool CheckStartHeading(CourseCheck& c, std::string* detail);
bool CheckClosedRegion(CourseCheck& c, std::string* detail);
bool CheckBarrier(CourseCheck& c, std::string* detail);
bool CheckGoalStripe(CourseCheck& c, std::string* detail);
bool CheckGoalProbe(CourseCheck& c, std::string* detail);
bool CheckClosedLoop(CourseCheck& c, std::string* detail);
bool CheckCheckpointsOnRoad(CourseCheck& c, std::string* detail);
bool CheckRoadWidth(CourseCheck& c, std::string* detail);
bool CheckCheckpointOrder(CourseCheck& c, std::string* detail);
bool CheckLapLength(CourseCheck& c, std::string* detail);

}  // namespace coursekit
