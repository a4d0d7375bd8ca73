// course_field.cpp -- the distance field round a course's road, from its centre line.
#include "course_field.h"

#include <algorithm>
#include <cmath>

namespace artgen {

using coursekit::CentreLine;
using coursekit::CentreSample;

static const float kBand = 60;  // distance beyond the road edge that the field tracks

Field BuildField(const CentreLine& line) {
  Field f;
  const size_t n = static_cast<size_t>(kW) * kH;
  f.ed.assign(n, kFar);
  f.s.assign(n, 0);
  f.curv.assign(n, 0);
  f.side.assign(n, 0);
  const auto& sm = line.samples;
  for (size_t i = 0; i < sm.size(); ++i) {
    const CentreSample& a = sm[i];
    const CentreSample& b = sm[(i + 1) % sm.size()];
    float ha = a.w / 2, hb = b.w / 2, reach = std::max(ha, hb) + kBand;
    int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - reach)));
    int x1 = std::min(kW - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + reach)));
    int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - reach)));
    int y1 = std::min(kH - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + reach)));
    float dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy, len = std::sqrt(len2);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        float px = x + 0.5f - a.x, py = y + 0.5f - a.y;
        float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
        float qx = px - t * dx, qy = py - t * dy;
        float e = std::sqrt(qx * qx + qy * qy) - (ha + (hb - ha) * t);
        size_t k = static_cast<size_t>(y) * kW + x;
        if (e < f.ed[k]) {
          f.ed[k] = e;
          f.s[k] = a.s + t * len;
          f.curv[k] = a.curv;
          f.side[k] = (a.tx * qy - a.ty * qx) >= 0 ? 1 : -1;
        }
      }
  }
  return f;
}

}  // namespace artgen
