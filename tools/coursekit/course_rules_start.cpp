// course_rules_start.cpp -- the course checker's rules about the picture, the start and the goal.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/track_table.h"
#include "course_check.h"

namespace coursekit {

namespace {

const int kMapW = 1536, kMapH = 1152;
const int kBorderGap = 2;      // drivable pixels keep this far from the image border
const int kBarrierReach = 18;  // a barrier lies this close to every wall pixel at the road

// Flood fill from the player's start, four-connected as the car moves one axis at a time.
// Returns the region's size and its nearest distance to the image border.
size_t FillRegionFromStart(CourseCheck& c, int* nearest) {
  const RgbImage& map = c.map;
  c.region.assign(static_cast<size_t>(map.w) * map.h, 0);
  size_t regionSize = 0;
  *nearest = 1 << 30;
  if (!c.Drivable(c.sx, c.sy)) return 0;
  std::vector<int> stack{c.sy * map.w + c.sx};
  c.region[stack[0]] = 1;
  while (!stack.empty()) {
    const int i = stack.back();
    stack.pop_back();
    ++regionSize;
    const int x = i % map.w, y = i / map.w;
    *nearest = std::min({*nearest, x, y, map.w - 1 - x, map.h - 1 - y});
    const int nx[4] = {x + 1, x - 1, x, x}, ny[4] = {y, y, y + 1, y - 1};
    for (int k = 0; k < 4; ++k) {
      if (!c.Drivable(nx[k], ny[k])) continue;
      const int j = ny[k] * map.w + nx[k];
      if (!c.region[j]) {
        c.region[j] = 1;
        stack.push_back(j);
      }
    }
  }
  return regionSize;
}

bool BarrierNear(const RgbImage& map, int x, int y) {
  for (int yy = std::max(0, y - kBarrierReach); yy <= std::min(map.h - 1, y + kBarrierReach); ++yy)
    for (int xx = std::max(0, x - kBarrierReach); xx <= std::min(map.w - 1, x + kBarrierReach); ++xx)
      if (IsBarrierColour(map.At(xx, yy))) return true;
  return false;
}

// A wall pixel at the road: not drivable, with a neighbour in the region.
bool AtTheRoad(const CourseCheck& c, int x, int y) {
  if (c.Drivable(x, y)) return false;
  const size_t i = c.Index(x, y), w = c.map.w;
  return c.region[i - 1] || c.region[i + 1] || c.region[i - w] || c.region[i + w];
}

// What the goal stripe rule counts.
struct StripeCounts {
  int runs = 0, badColour = 0, badSpan = 0, stray = 0;
};

// The point at `across` on the cross-section `along` of the driving axis.
void CrossPoint(const StartAxes& fr, int along, int across, int* x, int* y) {
  if (fr.dx) {
    *x = along;
    *y = across;
  } else {
    *x = across;
    *y = along;
  }
}

// One step `a` through the goal: the drivable run across the road through the start's line.
void CountCrossSection(const CourseCheck& c, int a, StripeCounts* n) {
  const StartAxes& fr = c.axes;
  const int along = a * (fr.dx + fr.dy);  // undo the sign of a backward axis
  const int centre = fr.dx ? c.sy : c.sx;
  int x, y;
  CrossPoint(fr, along, centre, &x, &y);
  if (!c.Drivable(x, y)) {
    ++n->badSpan;
    return;
  }
  int lo = centre, hi = centre;
  for (;;) {
    CrossPoint(fr, along, lo - 1, &x, &y);
    if (!c.Drivable(x, y)) break;
    --lo;
  }
  for (;;) {
    CrossPoint(fr, along, hi + 1, &x, &y);
    if (!c.Drivable(x, y)) break;
    ++hi;
  }
  for (int p = lo; p <= hi; ++p) {
    CrossPoint(fr, along, p, &x, &y);
    if (c.map.At(x, y) != c.goal) ++n->badColour;
  }
  if (lo <= fr.p0 || hi >= fr.p1) ++n->badSpan;
  ++n->runs;
}

// Goal-coloured pixels of the region outside the goal rectangle.
int StrayGoalPixels(const CourseCheck& c) {
  const CourseStart& st = c.st;
  int stray = 0;
  for (int y = 0; y < c.map.h; ++y)
    for (int x = 0; x < c.map.w; ++x)
      if (c.map.At(x, y) == c.goal && c.region[c.Index(x, y)] &&
          !(x >= st.goalX && x <= st.goalX + st.goalW && y >= st.goalY && y <= st.goalY + st.goalH))
        ++stray;
  return stray;
}

}  // namespace

bool CheckImageSize(CourseCheck& c, std::string* detail) {
  *detail = Fmt("course %gx%g, colour sample %gx%g", c.map.w, c.map.h, c.colours.w, c.colours.h);
  return c.map.w == kMapW && c.map.h == kMapH && c.colours.w >= 3 && c.colours.h >= 1;
}

// Course 5 drives on the third sample colour (dirt); the others on the first.
bool CheckColourSample(CourseCheck& c, std::string* detail) {
  c.road = c.colours.At(c.course == 5 ? 2 : 0, 0);
  c.goal = c.colours.At(1, 0);
  c.otherRoad = c.colours.At(c.course == 5 ? 0 : 2, 0);
  char hex[96];
  std::snprintf(hex, sizeof hex, "road #%06x, goal #%06x, other road #%06x", static_cast<unsigned>(c.road),
                static_cast<unsigned>(c.goal), static_cast<unsigned>(c.otherRoad));
  *detail = hex;
  return c.road != c.goal && c.road != c.otherRoad && c.goal != c.otherRoad;
}

bool CheckStartOnRoad(CourseCheck& c, std::string* detail) {
  *detail = Fmt("player centre (%g, %g), rival centre (%g, %g)", c.sx, c.sy, c.ax, c.ay);
  return c.Drivable(c.sx, c.sy) && c.Drivable(c.ax, c.ay);
}

// Both cars have straight road from 30 px behind to 100 px ahead of their start.
bool CheckStartHeading(CourseCheck& c, std::string* detail) {
  const StartAxes& fr = c.axes;
  int bad = 0;
  for (int t = -30; t <= 100; ++t)
    if (!c.Drivable(c.sx + fr.dx * t, c.sy + fr.dy * t) || !c.Drivable(c.ax + fr.dx * t, c.ay + fr.dy * t)) ++bad;
  *detail = bad ? Fmt("%g pixels off the road within 100 px along the start heading", bad)
                : Fmt("road runs straight along frame %g for 130 px", c.st.initAng);
  return bad == 0;
}

bool CheckClosedRegion(CourseCheck& c, std::string* detail) {
  int nearest = 0;
  const size_t regionSize = FillRegionFromStart(c, &nearest);
  const bool rivalIn = c.Inside(c.ax, c.ay) && c.region[c.Index(c.ax, c.ay)];
  *detail = Fmt("%g drivable pixels, nearest %g px to the border (need %g), rival start ",
                static_cast<double>(regionSize), nearest, kBorderGap) +
            (rivalIn ? "connected" : "NOT connected");
  return regionSize > 0 && nearest >= kBorderGap && rivalIn;
}

// Every wall pixel beside the road has a barrier colour within reach, so the player sees
// the wall all the way round.
bool CheckBarrier(CourseCheck& c, std::string* detail) {
  int ring = 0, bare = 0, firstX = -1, firstY = -1;
  for (int y = 1; y + 1 < c.map.h; ++y)
    for (int x = 1; x + 1 < c.map.w; ++x) {
      if (!AtTheRoad(c, x, y)) continue;
      ++ring;
      if (!BarrierNear(c.map, x, y) && bare++ == 0) firstX = x, firstY = y;
    }
  *detail = bare ? Fmt("%g of %g wall pixels at the road have no barrier within %g px,", bare, ring, kBarrierReach) +
                       Fmt(" the first at (%g, %g)", firstX, firstY)
                 : Fmt("%g wall pixels at the road, each with a barrier within %g px", ring, kBarrierReach);
  return ring > 0 && bare == 0;
}

// Across the road at every step through the goal, the drivable run is all goal colour and
// lies strictly within the goal rectangle, so every car crossing counts.
bool CheckGoalStripe(CourseCheck& c, std::string* detail) {
  StripeCounts n;
  for (int a = c.axes.g0 + 1; a < c.axes.g1; ++a) CountCrossSection(c, a, &n);
  n.stray = StrayGoalPixels(c);
  *detail =
      Fmt("%g cross-sections; %g non-goal pixels on them, %g reaching outside the goal rectangle, "
          "%g goal pixels outside it",
          n.runs, n.badColour, n.badSpan, n.stray);
  return n.runs > 0 && n.badColour == 0 && n.badSpan == 0 && n.stray == 0;
}

// The race's goal probe at the player's start lies before the goal's far edge, and no more
// than 60 px before its near edge.
bool CheckGoalProbe(CourseCheck& c, std::string* detail) {
  const CourseStart& st = c.st;
  const StartAxes& fr = c.axes;
  int32_t px = 0, py = 0;
  GoalProbe(static_cast<float>(st.initX), static_cast<float>(st.initY), static_cast<float>(st.initAng), &px, &py);
  int along = fr.dx ? px * fr.dx : py * fr.dy;
  *detail = Fmt("probe (%g, %g) is %g px before the goal's far edge", px, py, fr.g1 - along);
  return along < fr.g1 && along >= fr.g0 - 60;
}

}  // namespace coursekit
