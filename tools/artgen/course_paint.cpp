// course_paint.cpp -- courses: ground, run-off, kerbs, the flat road, goal stripe, grid marks and barrier.
#include "course_paint.h"

#include <algorithm>
#include <cmath>

#include "course_field.h"
#include "palette.h"
#include "race/car_state.h"

namespace artgen {

using coursekit::CentreLine;
using coursekit::CourseDescription;

namespace {

const float kBarrier = 6.0f;        // the barrier starts this far outside the road edge
const float kBarrierDepth = 10.0f;  // and is this deep

struct Theme {
  Rgb groundA, groundB;  // ground colours mixed by noise
  Rgb verge;             // just beyond the kerbs
  bool stripes;          // mown stripes
};

Theme ThemeOf(const CourseDescription& d) {
  if (d.ground == "sand") return {{222, 200, 150}, {204, 178, 126}, {196, 170, 120}, false};
  if (d.ground == "snow") return {{238, 242, 250}, {220, 228, 240}, {206, 214, 228}, false};
  if (d.ground == "city") return {{150, 152, 150}, {136, 138, 138}, {120, 124, 124}, false};
  return {{86, 150, 64}, {70, 130, 54}, {62, 116, 50}, true};
}

void PaintGround(Canvas& c, const CourseDescription& d, const Theme& th) {
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      float n = 0.55f * Noise(x / 70.0f, y / 70.0f, d.seed) + 0.3f * Noise(x / 17.0f, y / 17.0f, d.seed + 7) +
                0.15f * Noise(x / 4.0f, y / 4.0f, d.seed + 13);
      Rgb col = Mix(th.groundA, th.groundB, std::clamp((n - 0.25f) * 1.8f, 0.0f, 1.0f));
      if (th.stripes && ((x + y / 2) / 64) % 2) col = Shade(col, 1.05f);
      if (d.ground == "city" && (x % 96 == 0 || y % 96 == 0)) col = Shade(col, 0.9f);
      c.SetPixel(x, y, col);
    }
}

// The barrier's pixel at depth b (0..kBarrierDepth) into it and arc length s along the road;
// `shadow` is the ground under it, darkened.
using BarrierStyle = Rgb (*)(float b, float s, Rgb shadow);

const Rgb kRail = RgbOf(coursekit::kBarrierRail), kWall = RgbOf(coursekit::kBarrierWall);
const Rgb kTyres = RgbOf(coursekit::kBarrierTyres), kFence = RgbOf(coursekit::kBarrierFence);

// City: a concrete wall with a dark foot.
Rgb WallPixel(float b, float, Rgb shadow) {
  if (b <= 1.2f) return {64, 64, 70};
  if (b <= 7) return b <= 2.5f ? Shade(kWall, 1.15f) : kWall;
  return shadow;
}

// Sand: tyres every 9 pixels; the stack is black, each tyre with a red or white band.
Rgb TyrePixel(float b, float s, Rgb shadow) {
  float along = std::fmod(s, 9.0f) - 4.5f, across = b - 4.5f, r = std::hypot(along, across);
  if (b > 8.5f) return shadow;
  if (r > 1.6f && r < 3.0f) return (static_cast<int>(s / 9.0f) % 2) ? Rgb{220, 40, 36} : Rgb{240, 240, 240};
  return kTyres;
}

// Snow: an orange fence on posts every 18 pixels, on a bank with its shade.
Rgb FencePixel(float b, float s, Rgb) {
  bool post = std::fmod(s, 18.0f) < 2.0f;
  if (b > 3 && b <= 5.5f) return kFence;
  if (post && b > 1.5f && b <= 7) return {70, 50, 36};
  return Mix({214, 224, 240}, {140, 156, 190}, b / kBarrierDepth);
}

// Grass: Armco, the rail, its dark lower edge, posts under it every 24 pixels, a shadow.
Rgb RailPixel(float b, float s, Rgb shadow) {
  bool post = std::fmod(s, 24.0f) < 3.0f;
  if (b <= 1) return {60, 64, 72};
  if (b <= 5) return b <= 2.2f ? Shade(kRail, 1.25f) : kRail;
  if (b <= 6.5f || (post && b <= 8.5f)) return {70, 74, 84};
  return shadow;
}

BarrierStyle BarrierStyleOf(const CourseDescription& d) {
  if (d.ground == "city") return WallPixel;
  if (d.ground == "sand") return TyrePixel;
  if (d.ground == "snow") return FencePixel;
  return RailPixel;
}

// The barrier just outside every road edge, in a style that suits the ground: a steel rail
// on grass, a concrete wall in the city, a tyre stack on sand, an orange fence on a snow bank.
// Its colour band (a barrier colour of the course kit) is unbroken all the way round.
void PaintBarrier(Canvas& c, const Field& f, const CourseDescription& d) {
  const BarrierStyle style = BarrierStyleOf(d);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      size_t k = static_cast<size_t>(y) * kW + x;
      float b = f.ed[k] - kBarrier;
      if (b <= 0 || b > kBarrierDepth) continue;
      c.SetPixel(x, y, style(b, f.s[k], Shade(RgbOf(c.Pixel(x, y)), 0.6f)));
    }
}

// Gravel run-off on the outside of tight bends.
void PaintRunOff(Canvas& c, const Field& f) {
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      size_t k = static_cast<size_t>(y) * kW + x;
      float e = f.ed[k];
      if (e <= kKerb || e > 34) continue;
      if (std::fabs(f.curv[k]) > kTightBend && f.side[k] * f.curv[k] < 0)
        c.SetPixel(x, y, Mix({214, 196, 156}, {198, 178, 136}, Noise(x / 3.0f, y / 3.0f, 17)));
    }
}

// The edge of a dirt road: a packed berm, then a bank of snow or loose earth.
void PaintDirtEdge(Canvas& c, int x, int y, float e, bool snow) {
  if (e <= 4)
    c.SetPixel(x, y, {138, 100, 66});  // packed berm
  else if (e <= 9)
    c.SetPixel(x, y, snow ? Rgb{250, 252, 255} : Rgb{150, 120, 84});
}

// A kerb along every edge of a paved road, long stripes on the straights and short ones in
// the bends, then the verge up to the barrier.
void PaintKerb(Canvas& c, const Field& f, const Theme& th, int x, int y) {
  const size_t k = static_cast<size_t>(y) * kW + x;
  const float e = f.ed[k];
  const bool bend = std::fabs(f.curv[k]) > kTightBend;
  const float stripe = bend ? 14.0f : 28.0f;
  if (e <= (bend ? kKerb : 5.0f)) {
    bool red = (static_cast<int>(f.s[k] / stripe)) % 2;
    c.SetPixel(x, y, red ? Rgb{208, 40, 36} : Rgb{244, 244, 244});
  } else if (e <= kBarrier) {
    c.SetPixel(x, y, th.verge);
  }
}

// The road, its edge and the kerbs.
void PaintRoad(Canvas& c, const Field& f, const CourseDescription& d, const Theme& th) {
  const bool dirt = d.surface == "dirt";
  const Rgb road = dirt ? kDirtRoad : kRoad;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const float e = f.ed[static_cast<size_t>(y) * kW + x];
      if (e > 14) continue;
      if (e <= 0)
        c.SetPixel(x, y, road);
      else if (dirt)
        PaintDirtEdge(c, x, y, e, d.ground == "snow");
      else
        PaintKerb(c, f, th, x, y);
    }
}

bool Horizontal(const coursekit::CourseStart& st) { return st.initAng == 0 || st.initAng == 12; }

// The goal stripe on the road and chequered boards beside it.
void PaintGoal(Canvas& c, const Field& f, const coursekit::CourseStart& st) {
  const bool horiz = Horizontal(st);
  for (int y = std::max(0, st.goalY - 40); y <= std::min(kH - 1, st.goalY + st.goalH + 40); ++y)
    for (int x = std::max(0, st.goalX - 40); x <= std::min(kW - 1, st.goalX + st.goalW + 40); ++x) {
      float e = f.Ed(x, y);
      bool inAlong = horiz ? (x > st.goalX && x < st.goalX + st.goalW) : (y > st.goalY && y < st.goalY + st.goalH);
      if (!inAlong) continue;
      if (e <= 0) {
        c.SetPixel(x, y, kGoal);
      } else if (e > 17 && e <= 30) {
        int a = horiz ? x - st.goalX : y - st.goalY, p = horiz ? y : x;
        bool dark = ((a / 7) + (p / 7)) % 2;
        c.SetPixel(x, y, dark ? Rgb{24, 24, 28} : Rgb{250, 250, 250});
      }
    }
}

// The road edge nearest (cx, cy) across the driving direction: signed distance, 0 if none
// within 120 px.
int NearestEdgeAcross(const Field& f, int cx, int cy, bool horiz) {
  int best = 0;
  for (int side = -1; side <= 1; side += 2)
    for (int t = 1; t < 120; ++t) {
      int x = cx + (horiz ? 0 : side * t), y = cy + (horiz ? side * t : 0);
      if (f.Ed(x, y) > 0) {
        if (!best || t < std::abs(best)) best = side * t;
        break;
      }
    }
  return best;
}

// A car's grid mark: a white bracket on the verge beside its start.
void PaintGridMark(Canvas& c, const Field& f, const coursekit::CourseStart& st, int car) {
  const bool horiz = Horizontal(st);
  int cx = (car ? st.initAX : st.initX) + CAR_CENTRE_X, cy = (car ? st.initAY : st.initY) + CAR_CENTRE_Y;
  int dx = horiz ? (st.initAng == 0 ? 1 : -1) : 0, dy = horiz ? 0 : (st.initAng == 6 ? 1 : -1);
  const int best = NearestEdgeAcross(f, cx, cy, horiz);
  int side = best > 0 ? 1 : -1, edge = std::abs(best);
  for (int along = -30; along <= 30; ++along)
    for (int t = edge + 2; t <= edge + 8; ++t) {
      bool bar = along <= -26 || (along >= 26) || (t >= edge + 6);
      if (!bar) continue;
      int x = cx + dx * along + (horiz ? 0 : side * t), y = cy + dy * along + (horiz ? side * t : 0);
      if (f.Ed(x, y) > 0 && f.Ed(x, y) <= kBarrier) c.SetPixel(x, y, {250, 250, 250});
    }
}

// Nothing beside the road may share a drivable colour.
void KeepDrivableColoursOnTheRoad(Canvas& c, const Field& f) {
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      if (f.ed[static_cast<size_t>(y) * kW + x] <= 0) continue;
      uint32_t v = c.Pixel(x, y) & 0xffffff;
      for (Rgb r : {kRoad, kGoal, kDirtRoad})
        if (v == ((static_cast<uint32_t>(r.r) << 16) | (r.g << 8) | r.b))
          c.SetPixel(x, y, {r.r, r.g, static_cast<uint8_t>(r.b ^ 1)});
    }
}

}  // namespace

Canvas PaintCourse(const CourseDescription& d) {
  Canvas c(kW, kH);
  const CentreLine line = coursekit::BuildCentreLine(d);
  const Field f = BuildField(line);
  const Theme th = ThemeOf(d);
  const bool dirt = d.surface == "dirt";

  PaintGround(c, d, th);
  if (!dirt) PaintRunOff(c, f);
  Scenery(c, f, d);
  if (!dirt) BendTyres(c, f, line);
  PaintRoad(c, f, d, th);
  const coursekit::CourseStart& st = coursekit::StartOf(d.index);
  PaintGoal(c, f, st);
  for (int car = 0; car < 2; ++car) PaintGridMark(c, f, st, car);
  PaintBarrier(c, f, d);
  KeepDrivableColoursOnTheRoad(c, f);
  return c;
}

Canvas Thumbnail(const Canvas& course) {
  const int f = 12;
  Canvas t(course.w() / f, course.h() / f);
  for (int y = 0; y < t.h(); ++y)
    for (int x = 0; x < t.w(); ++x) {
      int r = 0, g = 0, b = 0;
      for (int yy = 0; yy < f; ++yy)
        for (int xx = 0; xx < f; ++xx) {
          uint32_t v = course.Pixel(x * f + xx, y * f + yy);
          r += (v >> 16) & 255;
          g += (v >> 8) & 255;
          b += v & 255;
        }
      t.SetPixel(
          x, y,
          {static_cast<uint8_t>(r / (f * f)), static_cast<uint8_t>(g / (f * f)), static_cast<uint8_t>(b / (f * f))});
    }
  return t;
}

}  // namespace artgen
