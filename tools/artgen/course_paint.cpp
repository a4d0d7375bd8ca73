// course_paint.cpp -- courses: ground, scenery, kerbs, the flat road, goal stripe and grid marks.
#include "course_paint.h"

#include <algorithm>
#include <cmath>

#include "palette.h"

namespace artgen {

using coursekit::CentreLine;
using coursekit::CentreSample;
using coursekit::CourseDescription;

namespace {

const int kW = 1536, kH = 1152;
const float kFar = 1e9f;
const float kBand = 60;    // distance beyond the road edge that the field tracks
const float kKerb = 8.0f;  // kerb depth on bends
const float kTightBend = 1.0f / 330;
const float kBarrier = 6.0f;        // the barrier starts this far outside the road edge
const float kBarrierDepth = 10.0f;  // and is this deep

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

// Keeps shapes off the road: true where every pixel of a disc of radius r is clear by `gap`.
bool Clear(const Field& f, float x, float y, float r, float gap) {
  return f.Ed(static_cast<int>(x), static_cast<int>(y)) > r + gap;
}

void Tree(Canvas& c, float x, float y, float r, Rng& rng) {
  c.FillEllipse(x + r * 0.35f, y + r * 0.4f, r, r * 0.9f, {30, 60, 30}, 0.45f);
  c.FillEllipse(x, y, r + 1.5f, r + 1.5f, {26, 58, 30});
  Rgb leaf = Mix({48, 112, 46}, {70, 128, 40}, rng.Unit());
  c.FillEllipse(x, y, r, r, leaf);
  c.FillEllipse(x - r * 0.25f, y - r * 0.25f, r * 0.6f, r * 0.6f, Shade(leaf, 1.18f));
  c.FillEllipse(x - r * 0.35f, y - r * 0.4f, r * 0.25f, r * 0.25f, Shade(leaf, 1.35f));
}

void Pine(Canvas& c, float x, float y, float r) {
  c.FillEllipse(x + r * 0.4f, y + r * 0.45f, r, r * 0.8f, {150, 160, 186}, 0.6f);
  for (int layer = 0; layer < 3; ++layer) {
    float rr = r * (1.0f - layer * 0.28f);
    std::vector<Pt> star;
    for (int k = 0; k < 16; ++k) {
      float a = k * 3.14159265f / 8 + layer * 0.2f, rad = (k % 2) ? rr * 0.62f : rr;
      star.push_back({x + rad * std::cos(a), y + rad * std::sin(a)});
    }
    c.FillPolygon(star, layer == 0 ? Rgb{22, 64, 48} : (layer == 1 ? Rgb{34, 86, 62} : Rgb{52, 110, 78}));
  }
  c.FillEllipse(x - r * 0.2f, y - r * 0.3f, r * 0.22f, r * 0.18f, {240, 244, 250});
  c.FillEllipse(x + r * 0.3f, y + r * 0.1f, r * 0.16f, r * 0.14f, {240, 244, 250});
}

void Palm(Canvas& c, float x, float y, float r) {
  c.FillEllipse(x + r * 0.5f, y + r * 0.5f, r * 0.9f, r * 0.7f, {150, 130, 90}, 0.5f);
  for (int k = 0; k < 7; ++k) {
    float a = k * 6.2831853f / 7 + 0.3f;
    float ex = x + r * std::cos(a), ey = y + r * std::sin(a);
    c.Line(x, y, ex, ey, r * 0.42f, {36, 110, 44});
    c.Line(x, y, (x + ex) / 2, (y + ey) / 2, r * 0.2f, {84, 160, 64});
  }
  c.FillEllipse(x, y, r * 0.18f, r * 0.18f, {120, 84, 40});
}

void Building(Canvas& c, const Field& f, float x, float y, float w, float h, Rgb roof) {
  if (f.Ed(static_cast<int>(x + w / 2), static_cast<int>(y + h / 2)) < std::hypot(w, h) / 2 + 14) return;
  c.FillRect(x + 7, y + 7, w, h, {40, 40, 44}, 0.5f);
  c.FillRect(x, y, w, h, Shade(roof, 0.62f));
  c.FillRect(x + 3, y + 3, w - 6, h - 6, roof);
  c.FillRect(x + 3, y + 3, w - 6, 4, Shade(roof, 1.2f));
  // Roof units: vents and an air-conditioning box.
  c.FillRect(x + w * 0.2f, y + h * 0.3f, std::min(18.0f, w * 0.25f), std::min(12.0f, h * 0.2f), Shade(roof, 0.8f));
  c.FillEllipse(x + w * 0.7f, y + h * 0.65f, 5, 5, Shade(roof, 0.7f));
  c.FillEllipse(x + w * 0.7f, y + h * 0.65f, 3, 3, Shade(roof, 1.1f));
}

void Stand(Canvas& c, float x, float y, float w, float h, Rng& rng) {
  c.FillRect(x + 5, y + 5, w, h, {30, 30, 34}, 0.45f);
  c.FillRect(x, y, w, h, {70, 74, 86});
  const Rgb crowd[] = {{230, 60, 50}, {250, 210, 60}, {60, 120, 230}, {245, 245, 245}, {60, 180, 90}, {240, 150, 60}};
  bool wide = w >= h;
  // Heads every 5 px, counted in whole rows and seats.
  for (int row = 0; y + 4 + 5.0f * row < y + h - 3; ++row)
    for (int seat = 0; x + 4 + 5.0f * seat < x + w - 3; ++seat)
      c.FillEllipse(x + 4 + 5.0f * seat, y + 4 + 5.0f * row, 1.8f, 1.8f, crowd[rng.Next() % 6]);
  if (wide)
    c.FillRect(x - 2, y - 6, w + 4, 6, {200, 40, 36});
  else
    c.FillRect(x - 6, y - 2, 6, h + 4, {200, 40, 36});
}

void Water(Canvas& c, const Field& f, const CourseDescription& d, float cx, float cy, float rx, float ry) {
  int x0 = std::max(0, static_cast<int>(cx - rx - 30)), x1 = std::min(kW - 1, static_cast<int>(cx + rx + 30));
  int y0 = std::max(0, static_cast<int>(cy - ry - 30)), y1 = std::min(kH - 1, static_cast<int>(cy + ry + 30));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      float dx = (x - cx) / rx, dy = (y - cy) / ry;
      float r = std::sqrt(dx * dx + dy * dy) + (Noise(x / 50.0f, y / 50.0f, d.seed + 21) - 0.5f) * 0.18f;
      float ed = f.Ed(x, y);
      float shore = std::min((1.0f - r) * std::min(rx, ry), ed - 26);  // pixels inside the shore
      if (shore > 12) {
        float n = Noise(x / 14.0f, y / 6.0f, d.seed + 5);
        Rgb deep{34, 92, 158}, shallow{64, 146, 196};
        Rgb col = Mix(shallow, deep, std::clamp((shore - 12) / 60.0f, 0.0f, 1.0f));
        if (n > 0.78f) col = Shade(col, 1.15f);
        c.SetPixel(x, y, col);
      } else if (shore > 0) {
        c.SetPixel(x, y, Mix({226, 208, 160}, {206, 186, 136}, Noise(x / 5.0f, y / 5.0f, d.seed)));
      }
    }
}

void Gravel(Canvas& c, const Field& f, const CourseDescription& d, float cx, float cy, float r) {
  for (int y = std::max(0, static_cast<int>(cy - r)); y <= std::min(kH - 1, static_cast<int>(cy + r)); ++y)
    for (int x = std::max(0, static_cast<int>(cx - r)); x <= std::min(kW - 1, static_cast<int>(cx + r)); ++x) {
      float dd = std::hypot(x - cx, y - cy) / r + (Noise(x / 20.0f, y / 20.0f, d.seed + 3) - 0.5f) * 0.2f;
      if (dd < 1 && f.Ed(x, y) > kKerb + 3)
        c.SetPixel(x, y, Mix({214, 196, 156}, {196, 176, 134}, Noise(x / 3.0f, y / 3.0f, d.seed + 9)));
    }
}

void Tyre(Canvas& c, float x, float y, Rgb band) {
  c.FillEllipse(x, y, 5.5f, 5.5f, {18, 18, 20});
  c.FillEllipse(x, y, 3.6f, 3.6f, band);
  c.FillEllipse(x, y, 2.0f, 2.0f, {40, 40, 44});
}

void Rock(Canvas& c, float x, float y, float r, Rng& rng) {
  std::vector<Pt> poly;
  for (int k = 0; k < 9; ++k) {
    float a = k * 6.2831853f / 9, rr = r * rng.Range(0.75f, 1.1f);
    poly.push_back({x + rr * std::cos(a), y + rr * std::sin(a)});
  }
  std::vector<Pt> shadow = poly;
  for (auto& p : shadow) p.x += 4, p.y += 4;
  c.FillPolygon(shadow, {120, 130, 150}, 0.5f);
  c.FillPolygon(poly, {96, 96, 104});
  c.FillEllipse(x - r * 0.2f, y - r * 0.25f, r * 0.55f, r * 0.45f, {138, 138, 146});
  c.FillEllipse(x - r * 0.3f, y - r * 0.45f, r * 0.4f, r * 0.2f, {244, 246, 250});
}

void Scenery(Canvas& c, const Field& f, const CourseDescription& d) {
  Rng rng(d.seed * 31 + 7);
  auto scatter = [&](int count, float x0, float y0, float x1, float y1, float rmin, float rmax, auto draw) {
    int placed = 0;
    for (int tries = 0; tries < count * 40 && placed < count; ++tries) {
      float x = rng.Range(x0, x1), y = rng.Range(y0, y1), r = rng.Range(rmin, rmax);
      if (!Clear(f, x, y, r, 22)) continue;
      uint32_t under = c.Pixel(std::min(static_cast<int>(x), kW - 1), std::min(static_cast<int>(y), kH - 1));
      if ((under & 255) > ((under >> 16) & 255) + 40) continue;  // no trees in the water
      draw(x, y, r);
      ++placed;
    }
  };
  for (const auto& deco : d.decorations) {
    const auto& a = deco.args;
    auto arg = [&](size_t i, float def) { return i < a.size() ? a[i] : def; };
    if (deco.kind == "lake") {
      Water(c, f, d, arg(0, 0), arg(1, 0), arg(2, 100), arg(3, 100));
    } else if (deco.kind == "gravel") {
      Gravel(c, f, d, arg(0, 0), arg(1, 0), arg(2, 60));
    } else if (deco.kind == "trees" || deco.kind == "pines" || deco.kind == "palms") {
      // trees N [x0 y0 x1 y1]: N trees scattered in a box (the whole course by default).
      scatter(static_cast<int>(arg(0, 50)), arg(1, 0), arg(2, 0), arg(3, kW), arg(4, kH),
              deco.kind == "palms" ? 13 : 11, deco.kind == "palms" ? 18 : 22, [&](float x, float y, float r) {
                if (deco.kind == "pines")
                  Pine(c, x, y, r);
                else if (deco.kind == "palms")
                  Palm(c, x, y, r);
                else
                  Tree(c, x, y, r, rng);
              });
    } else if (deco.kind == "rocks") {
      scatter(static_cast<int>(arg(0, 20)), 0, 0, kW, kH, 7, 15,
              [&](float x, float y, float r) { Rock(c, x, y, r, rng); });
    } else if (deco.kind == "building") {
      const Rgb roofs[] = {{168, 166, 160}, {150, 84, 70}, {96, 128, 140}, {190, 180, 150}, {120, 120, 128}};
      Building(c, f, arg(0, 0), arg(1, 0), arg(2, 60), arg(3, 40), roofs[static_cast<int>(arg(4, rng.Next() % 5)) % 5]);
    } else if (deco.kind == "block") {
      // block x y w h: a city block filled with buildings of random sizes.
      float bx = arg(0, 0), by = arg(1, 0), bw = arg(2, 200), bh = arg(3, 200);
      const Rgb roofs[] = {{168, 166, 160}, {150, 84, 70}, {96, 128, 140}, {190, 180, 150}, {120, 120, 128}};
      for (float yy = by; yy < by + bh - 30;) {
        float rowH = std::min(rng.Range(44, 80), by + bh - yy);
        for (float xx = bx; xx < bx + bw - 30;) {
          float ww = std::min(rng.Range(46, 96), bx + bw - xx);
          Building(c, f, xx, yy, ww - 10, rowH - 10, roofs[rng.Next() % 5]);
          xx += ww;
        }
        yy += rowH;
      }
    } else if (deco.kind == "stand") {
      Stand(c, arg(0, 0), arg(1, 0), arg(2, 120), arg(3, 30), rng);
    } else if (deco.kind == "tyres") {
      // tyres x0 y0 x1 y1: a tyre wall along a line.
      float x0 = arg(0, 0), y0 = arg(1, 0), x1 = arg(2, 0), y1 = arg(3, 0);
      int n = std::max(1, static_cast<int>(std::hypot(x1 - x0, y1 - y0) / 10));
      for (int k = 0; k <= n; ++k) {
        float x = x0 + (x1 - x0) * k / n, y = y0 + (y1 - y0) * k / n;
        if (f.Ed(static_cast<int>(x), static_cast<int>(y)) > kKerb + 8) Tyre(c, x, y, (k / 2) % 2 ? kWhite : kRed);
      }
    }
  }
}

// Tyre walls on the outside of the tightest bends.
void BendTyres(Canvas& c, const Field& f, const CentreLine& line) {
  const auto& sm = line.samples;
  float next = 0;
  for (size_t i = 0; i < sm.size(); ++i) {
    const auto& p = sm[i];
    if (std::fabs(p.curv) < 1.0f / 200 || p.s < next) continue;
    float out = p.curv > 0 ? -1.0f : 1.0f;  // right bend: outside is to the left
    float nx = -p.ty * out, ny = p.tx * out;
    float dist = p.w / 2 + 44;
    float x = p.x + nx * dist, y = p.y + ny * dist;
    if (f.Ed(static_cast<int>(x), static_cast<int>(y)) > 36)
      Tyre(c, x, y, (static_cast<int>(p.s / 11) % 4) < 2 ? kWhite : kRed);
    next = p.s + 11;
  }
}

// The barrier just outside every road edge, in a style that suits the ground: a steel rail
// on grass, a concrete wall in the city, a tyre stack on sand, an orange fence on a snow bank.
// Its colour band (a barrier colour of the course kit) is unbroken all the way round.
void PaintBarrier(Canvas& c, const Field& f, const CourseDescription& d) {
  const Rgb rail = RgbOf(coursekit::kBarrierRail), wall = RgbOf(coursekit::kBarrierWall);
  const Rgb tyres = RgbOf(coursekit::kBarrierTyres), fence = RgbOf(coursekit::kBarrierFence);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      size_t k = static_cast<size_t>(y) * kW + x;
      float b = f.ed[k] - kBarrier, s = f.s[k];
      if (b <= 0 || b > kBarrierDepth) continue;
      Rgb under = RgbOf(c.Pixel(x, y)), shadow = Shade(under, 0.6f);
      if (d.ground == "city") {
        if (b <= 1.2f)
          c.SetPixel(x, y, {64, 64, 70});
        else if (b <= 7)
          c.SetPixel(x, y, b <= 2.5f ? Shade(wall, 1.15f) : wall);
        else
          c.SetPixel(x, y, shadow);
      } else if (d.ground == "sand") {
        // Tyres every 9 pixels; the stack is black, each tyre with a red or white band.
        float along = std::fmod(s, 9.0f) - 4.5f, across = b - 4.5f, r = std::hypot(along, across);
        if (b > 8.5f)
          c.SetPixel(x, y, shadow);
        else if (r > 1.6f && r < 3.0f)
          c.SetPixel(x, y, (static_cast<int>(s / 9.0f) % 2) ? Rgb{220, 40, 36} : Rgb{240, 240, 240});
        else
          c.SetPixel(x, y, tyres);
      } else if (d.ground == "snow") {
        bool post = std::fmod(s, 18.0f) < 2.0f;
        if (b > 3 && b <= 5.5f)
          c.SetPixel(x, y, fence);
        else if (post && b > 1.5f && b <= 7)
          c.SetPixel(x, y, {70, 50, 36});
        else
          c.SetPixel(x, y, Mix({214, 224, 240}, {140, 156, 190}, b / kBarrierDepth));  // the bank and its shade
      } else {
        // Armco: the rail, its dark lower edge, posts under it every 24 pixels, a shadow.
        bool post = std::fmod(s, 24.0f) < 3.0f;
        if (b <= 1)
          c.SetPixel(x, y, {60, 64, 72});
        else if (b <= 5)
          c.SetPixel(x, y, b <= 2.2f ? Shade(rail, 1.25f) : rail);
        else if (b <= 6.5f || (post && b <= 8.5f))
          c.SetPixel(x, y, {70, 74, 84});
        else
          c.SetPixel(x, y, shadow);
      }
    }
}

}  // namespace

Canvas PaintCourse(const CourseDescription& d) {
  Canvas c(kW, kH);
  const CentreLine line = coursekit::BuildCentreLine(d);
  const Field f = BuildField(line);
  const Theme th = ThemeOf(d);
  const bool dirt = d.surface == "dirt";
  const Rgb road = dirt ? kDirtRoad : kRoad;

  PaintGround(c, d, th);
  // Gravel run-off on the outside of tight bends.
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      size_t k = static_cast<size_t>(y) * kW + x;
      float e = f.ed[k];
      if (e <= kKerb || e > 34 || dirt) continue;
      if (std::fabs(f.curv[k]) > kTightBend && f.side[k] * f.curv[k] < 0)
        c.SetPixel(x, y, Mix({214, 196, 156}, {198, 178, 136}, Noise(x / 3.0f, y / 3.0f, 17)));
    }
  Scenery(c, f, d);
  if (!dirt) BendTyres(c, f, line);

  // The road, its edge and the kerbs.
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      size_t k = static_cast<size_t>(y) * kW + x;
      float e = f.ed[k];
      if (e > 14) continue;
      if (e <= 0) {
        c.SetPixel(x, y, road);
        continue;
      }
      bool bend = std::fabs(f.curv[k]) > kTightBend;
      if (dirt) {
        if (e <= 4)
          c.SetPixel(x, y, {138, 100, 66});  // packed berm
        else if (e <= 9)
          c.SetPixel(x, y, d.ground == "snow" ? Rgb{250, 252, 255} : Rgb{150, 120, 84});
        continue;
      }
      // A kerb along every edge: long stripes on the straights, short ones in the bends.
      float stripe = bend ? 14.0f : 28.0f;
      if (e <= (bend ? kKerb : 5.0f)) {
        bool red = (static_cast<int>(f.s[k] / stripe)) % 2;
        c.SetPixel(x, y, red ? Rgb{208, 40, 36} : Rgb{244, 244, 244});
      } else if (e <= kBarrier) {
        c.SetPixel(x, y, th.verge);
      }
    }

  // Start: goal stripe on the road, chequered boards beside it, grid marks for both cars.
  const coursekit::CourseStart& st = coursekit::StartOf(d.index);
  bool horiz = st.initAng == 0 || st.initAng == 12;
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
  for (int car = 0; car < 2; ++car) {
    int cx = (car ? st.initAX : st.initX) + 26, cy = (car ? st.initAY : st.initY) + 38;
    int dx = horiz ? (st.initAng == 0 ? 1 : -1) : 0, dy = horiz ? 0 : (st.initAng == 6 ? 1 : -1);
    // Find the road edge nearest this car, across the driving direction.
    int best = 0;
    for (int side = -1; side <= 1; side += 2)
      for (int t = 1; t < 120; ++t) {
        int x = cx + (horiz ? 0 : side * t), y = cy + (horiz ? side * t : 0);
        if (f.Ed(x, y) > 0) {
          if (!best || t < std::abs(best)) best = side * t;
          break;
        }
      }
    int side = best > 0 ? 1 : -1, edge = std::abs(best);
    for (int along = -30; along <= 30; ++along)
      for (int t = edge + 2; t <= edge + 8; ++t) {
        bool bar = along <= -26 || (along >= 26) || (t >= edge + 6);
        if (!bar) continue;
        int x = cx + dx * along + (horiz ? 0 : side * t), y = cy + dy * along + (horiz ? side * t : 0);
        if (f.Ed(x, y) > 0 && f.Ed(x, y) <= kBarrier) c.SetPixel(x, y, {250, 250, 250});
      }
  }
  PaintBarrier(c, f, d);

  // Nothing beside the road may share a drivable colour.
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      if (f.ed[static_cast<size_t>(y) * kW + x] <= 0) continue;
      uint32_t v = c.Pixel(x, y) & 0xffffff;
      for (Rgb r : {kRoad, kGoal, kDirtRoad})
        if (v == ((static_cast<uint32_t>(r.r) << 16) | (r.g << 8) | r.b))
          c.SetPixel(x, y, {r.r, r.g, static_cast<uint8_t>(r.b ^ 1)});
    }
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
