// course.cpp -- course description parser, centre-line spline and checkpoint derivation.
#include "course.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/track_table.h"

namespace coursekit {

namespace {

// A course's row of the game's track table in the course kit's whole pixels. A
// course description has to fit these numbers, never the other way round.
CourseStart StartFromTrack(const TrackRow& t) {
  return {static_cast<int>(t.InitX),
          static_cast<int>(t.InitY),
          static_cast<int>(t.InitAX),
          static_cast<int>(t.InitAY),
          t.InitOverTime,
          t.goalX,
          t.goalY,
          t.goalW,
          t.goalH,
          t.InitAng};
}

// Checkpoint 0 lies this far past the goal line, checkpoint 18 this far before it.
const float kFirstAfterGoal = 170.0f;
const float kLastBeforeGoal = 230.0f;
const float kSampleStep = 2.0f;

bool Fail(std::string* error, const std::string& msg) {
  if (error) *error = msg;
  return false;
}

struct Vec {
  double x, y;
};

Vec Lerp(Vec a, Vec b, double t0, double t1, double t) {
  if (t1 - t0 < 1e-9) return a;
  double u = (t - t0) / (t1 - t0);
  return {a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u};
}

// Barry-Goldman evaluation of the centripetal Catmull-Rom segment p1..p2 at u in [0, 1].
Vec CatmullRom(Vec p0, Vec p1, Vec p2, Vec p3, double u) {
  auto knot = [](Vec a, Vec b) { return std::pow(std::hypot(b.x - a.x, b.y - a.y), 0.5) + 1e-6; };
  double t0 = 0, t1 = t0 + knot(p0, p1), t2 = t1 + knot(p1, p2), t3 = t2 + knot(p2, p3);
  double t = t1 + (t2 - t1) * u;
  Vec a1 = Lerp(p0, p1, t0, t1, t), a2 = Lerp(p1, p2, t1, t2, t), a3 = Lerp(p2, p3, t2, t3, t);
  Vec b1 = Lerp(a1, a2, t0, t2, t), b2 = Lerp(a2, a3, t1, t3, t);
  return Lerp(b1, b2, t1, t2, t);
}

}  // namespace

const CourseStart& StartOf(int course) {
  static const CourseStart starts[COURSE_COUNT] = {StartFromTrack(kTrack[0]), StartFromTrack(kTrack[1]),
                                                   StartFromTrack(kTrack[2]), StartFromTrack(kTrack[3]),
                                                   StartFromTrack(kTrack[4]), StartFromTrack(kTrack[5])};
  return starts[CourseOfSlot(course)];
}

bool LoadCourseDescription(const std::string& path, CourseDescription* out, std::string* error) {
  std::ifstream in(path);
  if (!in) return Fail(error, "cannot open " + path);
  CourseDescription d;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream ls(line);
    std::string key;
    if (!(ls >> key)) continue;
    auto bad = [&](const std::string& why) { return Fail(error, path + ":" + std::to_string(lineNo) + ": " + why); };
    if (key == "course") {
      if (!(ls >> d.index) || d.index < 0 || d.index > 5) return bad("course needs a number 0..5");
    } else if (key == "name") {
      std::getline(ls >> std::ws, d.name);
    } else if (key == "comment") {
      std::string text;
      std::getline(ls >> std::ws, text);
      d.comment.push_back(text);
    } else if (key == "surface") {
      ls >> d.surface;
      if (d.surface != "asphalt" && d.surface != "dirt") return bad("surface is asphalt or dirt");
    } else if (key == "ground") {
      ls >> d.ground;
      if (d.ground != "grass" && d.ground != "sand" && d.ground != "snow" && d.ground != "city")
        return bad("ground is grass, sand, snow or city");
    } else if (key == "width") {
      if (!(ls >> d.width) || d.width < 40) return bad("width needs a number of at least 40");
    } else if (key == "seed") {
      if (!(ls >> d.seed)) return bad("seed needs a number");
    } else if (key == "point") {
      CoursePoint p;
      if (!(ls >> p.x >> p.y)) return bad("point needs x and y");
      if (!(ls >> p.w)) p.w = 0;
      d.points.push_back(p);
    } else {
      CourseDecoration deco;
      deco.kind = key;
      float v;
      while (ls >> v) deco.args.push_back(v);
      d.decorations.push_back(deco);
    }
  }
  if (d.index < 0) return Fail(error, path + ": missing 'course' line");
  if (d.points.size() < 4) return Fail(error, path + ": a course needs at least four points");
  for (auto& p : d.points)
    if (p.w <= 0) p.w = d.width;
  *out = d;
  return true;
}

// Dense polyline through the spline, with the width interpolated per segment.
static std::vector<CentreSample> DenseSpline(const std::vector<CoursePoint>& pts) {
  const size_t n = pts.size();
  std::vector<CentreSample> dense;
  for (size_t i = 0; i < n; ++i) {
    const CoursePoint& q0 = pts[(i + n - 1) % n];
    const CoursePoint& q1 = pts[i];
    const CoursePoint& q2 = pts[(i + 1) % n];
    const CoursePoint& q3 = pts[(i + 2) % n];
    Vec p0{q0.x, q0.y}, p1{q1.x, q1.y}, p2{q2.x, q2.y}, p3{q3.x, q3.y};
    int steps = std::max(8, static_cast<int>(std::hypot(p2.x - p1.x, p2.y - p1.y) / 0.5));
    for (int k = 0; k < steps; ++k) {
      double u = static_cast<double>(k) / steps;
      Vec v = CatmullRom(p0, p1, p2, p3, u);
      // Smoothstep between the widths so that width changes do not kink the road edge.
      double su = u * u * (3 - 2 * u);
      dense.push_back({static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(q1.w + (q2.w - q1.w) * su),
                       0, 0, 0, 0});
    }
  }
  return dense;
}

// Resamples the closed polyline by arc length into line->samples (positions, widths, arc
// lengths) and line->length; returns the sample spacing.
static double ResampleByArcLength(const std::vector<CentreSample>& dense, CentreLine* line) {
  double total = 0;
  std::vector<double> acc(dense.size() + 1, 0.0);
  for (size_t i = 0; i < dense.size(); ++i) {
    const auto& a = dense[i];
    const auto& b = dense[(i + 1) % dense.size()];
    total += std::hypot(b.x - a.x, b.y - a.y);
    acc[i + 1] = total;
  }
  int count = std::max(16, static_cast<int>(std::lround(total / kSampleStep)));
  double step = total / count;
  size_t j = 0;
  for (int k = 0; k < count; ++k) {
    double s = k * step;
    while (j + 1 < acc.size() - 1 && acc[j + 1] < s) ++j;
    const auto& a = dense[j];
    const auto& b = dense[(j + 1) % dense.size()];
    double segLen = acc[j + 1] - acc[j];
    double u = segLen > 1e-9 ? (s - acc[j]) / segLen : 0.0;
    CentreSample cs{};
    cs.x = static_cast<float>(a.x + (b.x - a.x) * u);
    cs.y = static_cast<float>(a.y + (b.y - a.y) * u);
    cs.w = static_cast<float>(a.w + (b.w - a.w) * u);
    cs.s = static_cast<float>(s);
    line->samples.push_back(cs);
  }
  line->length = static_cast<float>(total);
  return step;
}

// Tangents and curvature from neighbours a few samples apart (smooths the 2 px grid).
static void TangentsAndCurvature(CentreLine* line, double step) {
  const int m = static_cast<int>(line->samples.size());
  const int span = 3;
  for (int k = 0; k < m; ++k) {
    auto& c = line->samples[k];
    const auto& a = line->samples[(k - span + m) % m];
    const auto& b = line->samples[(k + span) % m];
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    c.tx = static_cast<float>(dx / len);
    c.ty = static_cast<float>(dy / len);
  }
  for (int k = 0; k < m; ++k) {
    auto& c = line->samples[k];
    const auto& a = line->samples[(k - 2 * span + m) % m];
    const auto& b = line->samples[(k + 2 * span) % m];
    double ang = std::atan2(a.tx * b.ty - a.ty * b.tx, a.tx * b.tx + a.ty * b.ty);
    c.curv = static_cast<float>(ang / (4 * span * step));
  }
}

CentreLine BuildCentreLine(const CourseDescription& desc) {
  CentreLine line;
  const double step = ResampleByArcLength(DenseSpline(desc.points), &line);
  TangentsAndCurvature(&line, step);
  return line;
}

size_t CentreLine::Nearest(float x, float y) const {
  size_t best = 0;
  float bestD = 1e30f;
  for (size_t i = 0; i < samples.size(); ++i) {
    float dx = samples[i].x - x, dy = samples[i].y - y, d = dx * dx + dy * dy;
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  return best;
}

CentreSample CentreLine::At(float s) const {
  float L = length;
  s = std::fmod(s, L);
  if (s < 0) s += L;
  const size_t m = samples.size();
  double step = L / m;
  size_t i = static_cast<size_t>(s / step) % m;
  const auto& a = samples[i];
  const auto& b = samples[(i + 1) % m];
  double u = (s - i * step) / step;
  CentreSample c = a;
  c.x = static_cast<float>(a.x + (b.x - a.x) * u);
  c.y = static_cast<float>(a.y + (b.y - a.y) * u);
  c.s = s;
  return c;
}

float ArcFromGoal(const CourseDescription& desc, const CentreLine& line, float x, float y) {
  const CourseStart& st = StartOf(desc.index);
  float gx = st.goalX + st.goalW * 0.5f, gy = st.goalY + st.goalH * 0.5f;
  float sGoal = line.samples[line.Nearest(gx, gy)].s;
  float s = line.samples[line.Nearest(x, y)].s - sGoal;
  if (s < 0) s += line.length;
  return s;
}

std::vector<Checkpoint> DeriveCheckpoints(const CourseDescription& desc) {
  CentreLine line = BuildCentreLine(desc);
  const CourseStart& st = StartOf(desc.index);
  float gx = st.goalX + st.goalW * 0.5f, gy = st.goalY + st.goalH * 0.5f;
  float sGoal = line.samples[line.Nearest(gx, gy)].s;
  std::vector<Checkpoint> cps;
  float first = kFirstAfterGoal, last = line.length - kLastBeforeGoal;
  for (int i = 0; i < 19; ++i) {
    float s = sGoal + first + (last - first) * i / 18.0f;
    CentreSample c = line.At(s);
    cps.push_back({static_cast<int>(std::lround(c.x)) - 26, static_cast<int>(std::lround(c.y)) - 38});
  }
  // Point 19 never advances a lap; it sits between checkpoint 18 and the goal.
  CentreSample c = line.At(sGoal + line.length - kLastBeforeGoal * 0.5f);
  cps.push_back({static_cast<int>(std::lround(c.x)) - 26, static_cast<int>(std::lround(c.y)) - 38});
  return cps;
}

std::string FormatCheckpoints(const std::vector<Checkpoint>& cps) {
  std::string out;
  char buf[64];
  for (const auto& c : cps) {
    std::snprintf(buf, sizeof buf, "%d,%d ", c.x, c.y);
    out += buf;
  }
  return out;
}

bool ParseCheckpoints(const std::string& text, std::vector<Checkpoint>* out) {
  std::vector<Checkpoint> cps;
  const char* p = text.c_str();
  for (int i = 0; i < 20; ++i) {
    int x, y, used = 0;
    if (std::sscanf(p, " %d,%d%n", &x, &y, &used) != 2) return false;
    cps.push_back({x, y});
    p += used;
  }
  *out = cps;
  return true;
}

}  // namespace coursekit
