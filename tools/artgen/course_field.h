// course_field.h -- what the course painters share: the picture's size, the distance field
// round the road, and the scenery painter. Private to the art generator.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"
#include "course.h"

namespace artgen {

const int kW = 1536, kH = 1152;  // a course picture
const float kFar = 1e9f;         // "no road near": the field's value away from the road
const float kKerb = 8.0f;        // kerb depth on bends
const float kTightBend = 1.0f / 330;

// Per-pixel distance to the road edge and the nearest centre-line sample.
struct Field {
  std::vector<float> ed;     // distance outside the road edge (<= 0 on the road)
  std::vector<float> s;      // arc length of the nearest centre-line point
  std::vector<float> curv;   // curvature there
  std::vector<int8_t> side;  // +1 right of the driving direction, -1 left
  float Ed(int x, int y) const {
    if (x < 0 || y < 0 || x >= kW || y >= kH) return kFar;
    return ed[static_cast<size_t>(y) * kW + x];
  }
};

// The field for a centre line, within 60 px of the road edge.
Field BuildField(const coursekit::CentreLine& line);

// The description's scenery (lakes, gravel, trees, rocks, buildings, stands, tyre walls).
void Scenery(Canvas& c, const Field& f, const coursekit::CourseDescription& d);
// Tyre walls on the outside of the tightest bends.
void BendTyres(Canvas& c, const Field& f, const coursekit::CentreLine& line);

}  // namespace artgen
