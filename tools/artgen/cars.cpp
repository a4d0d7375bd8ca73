// cars.cpp -- the player's and the rival's car in 24 headings, and the window icon.
#include <cmath>

#include "palette.h"
#include "sheets.h"

namespace artgen {

namespace {

struct CarLook {
  Rgb body, bodyDark, stripe, glass;
  bool rival;  // boxier body, rear wing, bonnet scoop
};

const CarLook kPlayer{{214, 40, 34}, {120, 16, 14}, {250, 250, 248}, {40, 70, 110}, false};
const CarLook kRival{{34, 72, 170}, {14, 28, 80}, {252, 200, 40}, {24, 34, 50}, true};

// Draws a car centred on (cx, cy) facing `deg` degrees (0 right, 90 down). Local x points
// forward, local y to the car's right; the car is 43 x 23 pixels at scale 1.
void DrawCar(Canvas& c, float cx, float cy, float deg, const CarLook& look, float scale = 1, float alpha = 1) {
  const float a = deg * 3.14159265f / 180, ca = std::cos(a), sa = std::sin(a);
  auto tr = [&](std::vector<Pt> pts) {
    for (auto& p : pts) {
      float x = p.x * scale, y = p.y * scale;
      p = {cx + x * ca - y * sa, cy + x * sa + y * ca};
    }
    return pts;
  };
  auto rect = [&](float x0, float y0, float x1, float y1) { return tr({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}); };
  const Rgb outline{18, 16, 22}, tyre{26, 26, 30};
  // Wheels stick out a little beyond the body.
  for (float wx : {11.5f, -12.5f})
    for (float sgn : {-1.0f, 1.0f}) {
      c.FillPolygon(rect(wx - 5.5f, sgn * 12.5f - 3.5f, wx + 5.5f, sgn * 12.5f + 3.5f), outline, alpha);
      c.FillPolygon(rect(wx - 4.5f, sgn * 12.5f - 2.5f, wx + 4.5f, sgn * 12.5f + 2.5f), tyre, alpha);
    }
  float hw = look.rival ? 11.2f : 10.6f;
  std::vector<Pt> body =
      look.rival ? std::vector<Pt>{{21, -9},        {20.2f, -10.6f}, {16, -hw}, {-18, -hw},     {-20.5f, -10.6f},
                                   {-20.5f, 10.6f}, {-18, hw},       {16, hw},  {20.2f, 10.6f}, {21, 9}}
                 : std::vector<Pt>{{21.3f, -5}, {20, -8.4f}, {15, -hw}, {-17, -hw}, {-20.3f, -9}, {-20.8f, -6},
                                   {-20.8f, 6}, {-20.3f, 9}, {-17, hw}, {15, hw},   {20, 8.4f},   {21.3f, 5}};
  std::vector<Pt> outer;
  for (auto p : body) {
    float len = std::hypot(p.x, p.y * 1.8f);
    outer.push_back({p.x + p.x / len * 1.2f, p.y + p.y * 1.8f / len * 1.2f});
  }
  c.FillPolygon(tr(outer), outline, alpha);
  c.FillPolygon(tr(body), look.body, alpha);
  // Side shading: darker flanks, lighter spine.
  c.FillPolygon(rect(-17, -hw + 0.2f, 15, -hw + 2.4f), look.bodyDark, alpha * 0.55f);
  c.FillPolygon(rect(-17, hw - 2.4f, 15, hw - 0.2f), look.bodyDark, alpha * 0.55f);
  // Stripes over the whole length.
  if (look.rival) {
    c.FillPolygon(rect(-20, -6.5f, 20.5f, -4.5f), look.stripe, alpha);
    c.FillPolygon(rect(-20, 4.5f, 20.5f, 6.5f), look.stripe, alpha);
  } else {
    c.FillPolygon(rect(-20.3f, -3.4f, 21, -1.2f), look.stripe, alpha);
    c.FillPolygon(rect(-20.3f, 1.2f, 21, 3.4f), look.stripe, alpha);
  }
  // Cabin: windscreen, roof, rear window.
  c.FillPolygon(tr({{9.5f, -7.6f}, {9.5f, 7.6f}, {3.5f, 8.4f}, {3.5f, -8.4f}}), look.glass, alpha);
  c.FillPolygon(tr({{8.6f, -6.0f}, {8.6f, -2.0f}, {5.0f, -2.6f}, {5.0f, -6.8f}}), Shade(look.glass, 1.6f), alpha);
  c.FillPolygon(rect(-8.5f, -8.4f, 3.5f, 8.4f), Shade(look.body, 0.86f), alpha);
  c.FillPolygon(rect(-7.5f, -7.2f, 2.5f, 7.2f), look.body, alpha);
  if (!look.rival) {
    c.FillPolygon(rect(-7.5f, -3.4f, 2.5f, -1.2f), look.stripe, alpha);
    c.FillPolygon(rect(-7.5f, 1.2f, 2.5f, 3.4f), look.stripe, alpha);
  }
  c.FillPolygon(tr({{-8.5f, -8.2f}, {-8.5f, 8.2f}, {-12.5f, 7.2f}, {-12.5f, -7.2f}}), look.glass, alpha);
  // Lights.
  c.FillPolygon(rect(18.2f, -hw + 1.2f, 20.6f, -hw + 4.4f), {255, 244, 170}, alpha);
  c.FillPolygon(rect(18.2f, hw - 4.4f, 20.6f, hw - 1.2f), {255, 244, 170}, alpha);
  c.FillPolygon(rect(-20.6f, -hw + 1.2f, -19.0f, -hw + 4.2f), {255, 60, 40}, alpha);
  c.FillPolygon(rect(-20.6f, hw - 4.2f, -19.0f, hw - 1.2f), {255, 60, 40}, alpha);
  if (look.rival) {
    // Rear wing and bonnet scoop.
    c.FillPolygon(rect(-21.4f, -hw - 0.6f, -17.6f, hw + 0.6f), outline, alpha);
    c.FillPolygon(rect(-20.8f, -hw + 0.2f, -18.2f, hw - 0.2f), {40, 40, 48}, alpha);
    c.FillPolygon(rect(11, -2.6f, 16, 2.6f), outline, alpha);
    c.FillPolygon(rect(11.6f, -1.8f, 15.4f, 1.8f), {60, 60, 70}, alpha);
  }
}

}  // namespace

Canvas DrawCarSheet(bool rival) {
  Canvas c(52 * 24, 76);
  for (int f = 0; f < 24; ++f) DrawCar(c, 52 * f + 26, 38, 15.0f * f, rival ? kRival : kPlayer);
  return c;
}

// Used by the mode panels and the pause marker art.
void DrawCarAt(Canvas& c, float cx, float cy, float deg, bool rival, float scale, float alpha) {
  DrawCar(c, cx, cy, deg, rival ? kRival : kPlayer, scale, alpha);
}

// Drawn on a 32-unit grid and scaled, so the desktop icons at every size are the
// same picture as the window icon rather than blown-up pixels.
Canvas DrawIcon(int size) {
  const float u = size / 32.0f;
  Canvas c(size, size);
  c.Clear(kNavyDark, 255);
  c.FillRoundRect(1 * u, 1 * u, 30 * u, 30 * u, 6 * u, kGold);
  c.FillRoundRect(3 * u, 3 * u, 26 * u, 26 * u, 4 * u, kNavy);
  for (int i = 0; i < 4; ++i) c.FillRect((4 + i * 6) * u, 22 * u, 3 * u, 3 * u, kWhite);
  DrawCar(c, 16 * u, 14 * u, -35, kPlayer, 0.62f * u);
  return c;
}

}  // namespace artgen
