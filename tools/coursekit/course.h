// course.h -- course descriptions: parsing, the smoothed centre line, lap length and checkpoints.
#pragma once

#include <string>
#include <vector>

namespace coursekit {

// One control point of the centre line; w is the road width there (0 = the course default).
struct CoursePoint {
  float x = 0, y = 0, w = 0;
};

// One scenery item: a keyword and its numbers, e.g. "lake 300 400 120 80".
struct CourseDecoration {
  std::string kind;
  std::vector<float> args;
};

struct CourseDescription {
  int index = -1;                   // course number 0..5
  std::string name;                 // shown on the course comment panel
  std::string surface = "asphalt";  // asphalt or dirt
  std::string ground = "grass";     // grass, sand, snow or city
  float width = 110;                // default road width in pixels
  unsigned seed = 1;                // seed for scattered scenery
  std::vector<CoursePoint> points;  // closed loop, in driving order
  std::vector<CourseDecoration> decorations;
  std::vector<std::string> comment;  // lines of the course comment panel
};

// The barrier along every road edge: each course draws one of these colours in an unbroken
// band a few pixels outside the drivable colour, so the player sees where the car will bounce.
const unsigned kBarrierRail = 0xc4cad4;   // steel rail (grass courses)
const unsigned kBarrierWall = 0xd6d2c8;   // concrete wall (city)
const unsigned kBarrierTyres = 0x141416;  // tyre stack (sand)
const unsigned kBarrierFence = 0xf0701e;  // orange fence on a snow bank (snow)
inline bool IsBarrierColour(unsigned rgb) {
  return rgb == kBarrierRail || rgb == kBarrierWall || rgb == kBarrierTyres || rgb == kBarrierFence;
}

// Reads a course description file. On failure returns false and puts a message into *error.
bool LoadCourseDescription(const std::string& path, CourseDescription* out, std::string* error = nullptr);

// The start of each course, taken from the race's track table (sprite top-left corners).
struct CourseStart {
  int initX, initY, initAX, initAY, overTime, goalX, goalY, goalW, goalH, initAng;
};
const CourseStart& StartOf(int course);

// A sample of the closed centre line, about every 2 pixels.
struct CentreSample {
  float x, y;    // position
  float w;       // road width
  float s;       // arc length from the first sample
  float tx, ty;  // unit tangent (driving direction)
  float curv;    // signed curvature, 1/pixels
};

struct CentreLine {
  std::vector<CentreSample> samples;
  float length = 0;  // total loop length
  // Index of the sample nearest to (x, y).
  size_t Nearest(float x, float y) const;
  // Position on the loop at arc length s (wraps around).
  CentreSample At(float s) const;
};

// Centripetal Catmull-Rom spline through the control points, resampled by arc length.
CentreLine BuildCentreLine(const CourseDescription& desc);

// Twenty checkpoints in driving order, as sprite top-left corners (centre minus 26, 38).
struct Checkpoint {
  int x, y;
};
std::vector<Checkpoint> DeriveCheckpoints(const CourseDescription& desc);

// The checkpoint file contents: twenty "%d,%d " pairs, no line break.
std::string FormatCheckpoints(const std::vector<Checkpoint>& cps);
// Parses a checkpoint file's contents; returns false if fewer than 20 pairs.
bool ParseCheckpoints(const std::string& text, std::vector<Checkpoint>* out);

// Arc length of the centre line from the goal line forward to the point nearest (x, y).
float ArcFromGoal(const CourseDescription& desc, const CentreLine& line, float x, float y);

}  // namespace coursekit
