// course_rules_loop.cpp -- the course checker's rules about the way round: the shortest
// path, the checkpoints along it and the lap length.
#include <algorithm>
#include <cmath>
#include <queue>
#include <utility>

#include "course_check.h"
#include "race/car_state.h"

namespace coursekit {

namespace {

const float kMinWidth = 90, kMaxWidth = 150;

bool RoadOnly(const CourseCheck& c, int x, int y) {
  return c.Inside(x, y) && c.region[c.Index(x, y)] && c.map.At(x, y) == c.road;
}

// Shortest drivable paths (eight-connected, no corner cutting) from just past the goal, with
// the goal stripe closed, into c.dist.
void MeasurePathsFromGoal(CourseCheck& c) {
  const RgbImage& map = c.map;
  const StartAxes& fr = c.axes;
  c.dist.assign(static_cast<size_t>(map.w) * map.h, -1.0f);
  using Node = std::pair<float, int>;
  std::priority_queue<Node, std::vector<Node>, std::greater<Node>> pq;
  for (int p = fr.p0 + 1; p < fr.p1; ++p) {
    const int along = (fr.g1 + 2) * (fr.dx + fr.dy);
    const int x = fr.dx ? along : p, y = fr.dx ? p : along;
    if (RoadOnly(c, x, y)) {
      c.dist[y * map.w + x] = 0;
      pq.push({0.0f, y * map.w + x});
    }
  }
  while (!pq.empty()) {
    auto [d, i] = pq.top();
    pq.pop();
    if (d > c.dist[i]) continue;
    const int x = i % map.w, y = i / map.w;
    for (int ddy = -1; ddy <= 1; ++ddy)
      for (int ddx = -1; ddx <= 1; ++ddx) {
        if (!ddx && !ddy) continue;
        const int nx = x + ddx, ny = y + ddy;
        if (!RoadOnly(c, nx, ny)) continue;
        if (ddx && ddy && !(RoadOnly(c, x + ddx, y) && RoadOnly(c, x, y + ddy))) continue;
        const float nd = d + ((ddx && ddy) ? 1.41421356f : 1.0f);
        const int j = ny * map.w + nx;
        if (c.dist[j] < 0 || nd < c.dist[j]) {
          c.dist[j] = nd;
          pq.push({nd, j});
        }
      }
  }
}

// The narrowest drivable chord through (cx, cy) over 36 directions, less one pixel.
float RoadWidthAt(const CourseCheck& c, int cx, int cy) {
  float best = 1e9f;
  for (int k = 0; k < 36; ++k) {
    const double ang = k * 3.14159265358979 / 36, ux = std::cos(ang), uy = std::sin(ang);
    float len = 0;
    for (int sgn = -1; sgn <= 1; sgn += 2)
      for (int step = 1;; ++step) {
        const float t = 0.5f * step;  // half-pixel steps out from the centre
        if (!c.Drivable(static_cast<int>(std::floor(cx + 0.5 + sgn * t * ux)),
                        static_cast<int>(std::floor(cy + 0.5 + sgn * t * uy)))) {
          len += t;
          break;
        }
      }
    best = std::min(best, len - 1.0f);
  }
  return best;
}

// A checkpoint's centre on the road colour and in the region reachable from the start.
enum class CheckpointPlace { OnRoad, OffRoad, Unconnected };

CheckpointPlace PlaceOf(const CourseCheck& c, const Checkpoint& cp) {
  const int cx = cp.x + CAR_CENTRE_X, cy = cp.y + CAR_CENTRE_Y;
  if (!c.Drivable(cx, cy) || c.map.At(cx, cy) != c.road) return CheckpointPlace::OffRoad;
  if (!c.region[c.Index(cx, cy)]) return CheckpointPlace::Unconnected;
  return CheckpointPlace::OnRoad;
}

// Distance of each checkpoint from the goal along the shortest path, -1 where unreached.
std::vector<float> DistancesFromGoal(const CourseCheck& c) {
  std::vector<float> d;
  d.reserve(c.checkpoints->size());
  for (const auto& cp : *c.checkpoints) {
    const int cx = cp.x + CAR_CENTRE_X, cy = cp.y + CAR_CENTRE_Y;
    d.push_back(c.Inside(cx, cy) ? c.dist[c.Index(cx, cy)] : -1.0f);
  }
  return d;
}

// What is wrong with the order of the checkpoints along the loop; empty if nothing is.
std::string OrderFaults(const std::vector<float>& d, float lap) {
  std::string note;
  for (size_t i = 0; i < d.size(); ++i)
    if (d[i] < 0) note += Fmt(" #%g unreachable", static_cast<double>(i));
  for (size_t i = 1; i < 19 && i < d.size(); ++i)
    if (d[i] <= d[i - 1]) note += Fmt(" #%g not after #%g", static_cast<double>(i), static_cast<double>(i) - 1);
  if (d.size() == 20 && d[19] < d[18]) note += " #19 before #18";
  if (note.empty() && d.size() == 20) {
    if (d[0] > 400) note += Fmt(" #0 is %g px past the goal (max 400)", d[0]);
    if (lap - d[18] > 600) note += Fmt(" #18 is %g px before the goal (max 600)", lap - d[18]);
  }
  return note;
}

// Goal centre to each of checkpoints 0..18 in turn and back to the goal, in straight lines.
float CheckpointPathLength(const CourseCheck& c) {
  const CourseStart& s = c.st;
  const std::vector<Checkpoint>& cps = *c.checkpoints;
  const float gx = s.goalX + s.goalW * 0.5f, gy = s.goalY + s.goalH * 0.5f;
  float px = gx, py = gy, path = 0;
  for (size_t i = 0; i < 19 && i < cps.size(); ++i) {
    const float cx = static_cast<float>(cps[i].x + CAR_CENTRE_X), cy = static_cast<float>(cps[i].y + CAR_CENTRE_Y);
    path += std::hypot(cx - px, cy - py);
    px = cx;
    py = cy;
  }
  return path + std::hypot(gx - px, gy - py);
}

}  // namespace

bool CheckClosedLoop(CourseCheck& c, std::string* detail) {
  MeasurePathsFromGoal(c);
  const StartAxes& fr = c.axes;
  const float back = c.Drivable(c.sx, c.sy) ? c.dist[c.Index(c.sx, c.sy)] : -1;
  const int startAlong = fr.dx ? c.sx * fr.dx : c.sy * fr.dy;
  c.rep->pathLength = back < 0 ? 0 : back + (fr.g1 + 2 - startAlong);
  *detail = back < 0 ? std::string("no way round: the road past the goal does not lead back to the start")
                     : Fmt("shortest way round %g px", c.rep->pathLength);
  return back > 1000;
}

bool CheckCheckpointsOnRoad(CourseCheck& c, std::string* detail) {
  int off = 0, outside = 0;
  for (const auto& cp : *c.checkpoints) {
    const CheckpointPlace place = PlaceOf(c, cp);
    off += place == CheckpointPlace::OffRoad;
    outside += place == CheckpointPlace::Unconnected;
  }
  c.checkpointsOffRoad = off;
  *detail = Fmt("%g checkpoints, %g off the road colour, %g not connected to the start",
                static_cast<double>(c.checkpoints->size()), off, outside);
  return c.checkpoints->size() == 20 && off == 0 && outside == 0;
}

// Road width at checkpoints 0..18 (the last one sits in the goal), where they are on the road.
bool CheckRoadWidth(CourseCheck& c, std::string* detail) {
  const std::vector<Checkpoint>& cps = *c.checkpoints;
  float wmin = 1e9f, wmax = 0;
  std::string widthNote;
  for (size_t i = 0; i < 19 && i < cps.size(); ++i) {
    if (PlaceOf(c, cps[i]) != CheckpointPlace::OnRoad) continue;
    const float width = RoadWidthAt(c, cps[i].x + CAR_CENTRE_X, cps[i].y + CAR_CENTRE_Y);
    wmin = std::min(wmin, width);
    wmax = std::max(wmax, width);
    if (width < kMinWidth || width > kMaxWidth) widthNote += Fmt(" #%g:%g", static_cast<double>(i), width);
  }
  c.rep->minWidth = wmin;
  c.rep->maxWidth = wmax;
  *detail = Fmt("%g..%g px (need %g..%g)", wmin, wmax, kMinWidth, kMaxWidth) + widthNote;
  return widthNote.empty() && c.checkpointsOffRoad == 0;
}

// The distance from the goal grows from checkpoint to checkpoint.
bool CheckCheckpointOrder(CourseCheck& c, std::string* detail) {
  const std::vector<float> d = DistancesFromGoal(c);
  const float lap = c.rep->pathLength;
  const std::string note = OrderFaults(d, lap);
  *detail = note.empty() ? Fmt("#0 %g px past the goal, #18 %g px before it", d.empty() ? 0 : d[0],
                               d.size() > 18 ? lap - d[18] : 0)
                         : note;
  return note.empty() && d.size() == 20;
}

// The lap is the longer of the shortest path and the straight lines through the checkpoints.
bool CheckLapLength(CourseCheck& c, std::string* detail) {
  CourseReport& rep = *c.rep;
  const float cpPath = c.checkpoints ? CheckpointPathLength(c) : 0;
  rep.lapLength = std::max(rep.pathLength, cpPath);
  const float limit = MaxLapLength(c.course);
  *detail = Fmt("%g px (shortest path %g, via checkpoints %g); limit %g", rep.lapLength, rep.pathLength, cpPath, limit);
  return rep.lapLength > 0 && rep.lapLength <= limit;
}

}  // namespace coursekit
