// course_scenery.cpp -- a course's scenery: trees, water, gravel, buildings, stands and tyres.
#include <algorithm>
#include <cmath>
#include <string>

#include "course_field.h"
#include "palette.h"

namespace artgen {

using coursekit::CentreLine;
using coursekit::CourseDescription;

namespace {

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

}  // namespace

namespace {

// One scenery item's numbers, with a default for each one left out.
struct DecoArgs {
  const std::vector<float>& a;
  float operator()(size_t i, float def) const { return i < a.size() ? a[i] : def; }
};

// Scatters up to `count` shapes of radius rmin..rmax in a box, off the road and out of
// the water; `draw` paints one at (x, y, r).
template <typename Draw>
void Scatter(Canvas& c, const Field& f, Rng& rng, int count, float x0, float y0, float x1, float y1, float rmin,
             float rmax, Draw draw) {
  int placed = 0;
  for (int tries = 0; tries < count * 40 && placed < count; ++tries) {
    float x = rng.Range(x0, x1), y = rng.Range(y0, y1), r = rng.Range(rmin, rmax);
    if (!Clear(f, x, y, r, 22)) continue;
    uint32_t under = c.Pixel(std::min(static_cast<int>(x), kW - 1), std::min(static_cast<int>(y), kH - 1));
    if ((under & 255) > ((under >> 16) & 255) + 40) continue;  // no trees in the water
    draw(x, y, r);
    ++placed;
  }
}

// trees|pines|palms N [x0 y0 x1 y1]: N trees scattered in a box (the whole course by default).
void Trees(Canvas& c, const Field& f, Rng& rng, const std::string& kind, DecoArgs arg) {
  Scatter(c, f, rng, static_cast<int>(arg(0, 50)), arg(1, 0), arg(2, 0), arg(3, kW), arg(4, kH),
          kind == "palms" ? 13 : 11, kind == "palms" ? 18 : 22, [&](float x, float y, float r) {
            if (kind == "pines")
              Pine(c, x, y, r);
            else if (kind == "palms")
              Palm(c, x, y, r);
            else
              Tree(c, x, y, r, rng);
          });
}

const Rgb kRoofs[] = {{168, 166, 160}, {150, 84, 70}, {96, 128, 140}, {190, 180, 150}, {120, 120, 128}};

// block x y w h: a city block filled with buildings of random sizes.
void Block(Canvas& c, const Field& f, Rng& rng, DecoArgs arg) {
  float bx = arg(0, 0), by = arg(1, 0), bw = arg(2, 200), bh = arg(3, 200);
  for (float yy = by; yy < by + bh - 30;) {
    float rowH = std::min(rng.Range(44, 80), by + bh - yy);
    for (float xx = bx; xx < bx + bw - 30;) {
      float ww = std::min(rng.Range(46, 96), bx + bw - xx);
      Building(c, f, xx, yy, ww - 10, rowH - 10, kRoofs[rng.Next() % 5]);
      xx += ww;
    }
    yy += rowH;
  }
}

// tyres x0 y0 x1 y1: a tyre wall along a line.
void TyreWall(Canvas& c, const Field& f, DecoArgs arg) {
  float x0 = arg(0, 0), y0 = arg(1, 0), x1 = arg(2, 0), y1 = arg(3, 0);
  int n = std::max(1, static_cast<int>(std::hypot(x1 - x0, y1 - y0) / 10));
  for (int k = 0; k <= n; ++k) {
    float x = x0 + (x1 - x0) * k / n, y = y0 + (y1 - y0) * k / n;
    if (f.Ed(static_cast<int>(x), static_cast<int>(y)) > kKerb + 8) Tyre(c, x, y, (k / 2) % 2 ? kWhite : kRed);
  }
}

}  // namespace

void Scenery(Canvas& c, const Field& f, const CourseDescription& d) {
  Rng rng(d.seed * 31 + 7);
  for (const auto& deco : d.decorations) {
    const DecoArgs arg{deco.args};
    if (deco.kind == "lake") {
      Water(c, f, d, arg(0, 0), arg(1, 0), arg(2, 100), arg(3, 100));
    } else if (deco.kind == "gravel") {
      Gravel(c, f, d, arg(0, 0), arg(1, 0), arg(2, 60));
    } else if (deco.kind == "trees" || deco.kind == "pines" || deco.kind == "palms") {
      Trees(c, f, rng, deco.kind, arg);
    } else if (deco.kind == "rocks") {
      Scatter(c, f, rng, static_cast<int>(arg(0, 20)), 0.0f, 0.0f, static_cast<float>(kW), static_cast<float>(kH), 7.0f,
              15.0f, [&](float x, float y, float r) { Rock(c, x, y, r, rng); });
    } else if (deco.kind == "building") {
      Building(c, f, arg(0, 0), arg(1, 0), arg(2, 60), arg(3, 40),
               kRoofs[static_cast<int>(arg(4, rng.Next() % 5)) % 5]);
    } else if (deco.kind == "block") {
      Block(c, f, rng, arg);
    } else if (deco.kind == "stand") {
      Stand(c, arg(0, 0), arg(1, 0), arg(2, 120), arg(3, 30), rng);
    } else if (deco.kind == "tyres") {
      TyreWall(c, f, arg);
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

}  // namespace artgen
