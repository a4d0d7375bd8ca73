// course_rules.h -- checks a painted course image against the rules the race relies on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "course.h"

namespace coursekit {

// A picture as plain 0xRRGGBB values, row by row.
struct RgbImage {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

// Loads a BMP (or anything SDL_image reads) into plain RGB; false if it cannot be read.
bool LoadRgbImage(const std::string& path, RgbImage* out);

struct RuleVerdict {
  std::string rule;  // short name, e.g. "closed loop"
  bool pass = false;
  std::string detail;  // what was measured, or what is wrong
};

struct CourseReport {
  std::vector<RuleVerdict> verdicts;
  float lapLength = 0;               // the longer of the driven-path and checkpoint-path estimates
  float pathLength = 0;              // shortest drivable path around the loop
  float minWidth = 0, maxWidth = 0;  // road width measured at the checkpoints
  bool AllPass() const;
};

// Checks course `course` (0..5). `checkpoints` may be null; then the checkpoint rules are skipped.
CourseReport CheckCourse(const RgbImage& map, const RgbImage& colours, int course,
                         const std::vector<Checkpoint>* checkpoints);

// Lap length allowed for a course: three laps at 5 pixels a frame within 60 % of the
// time limit (16 clock ms a frame) and within 8000 frames.
float MaxLapLength(int course);

}  // namespace coursekit
