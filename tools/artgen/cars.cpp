// cars.cpp -- the player's and the rival's car in 24 headings, and the window icon.
#include <cmath>
#include <utility>
#include <vector>

#include "palette.h"
#include "race/car_state.h"
#include "sheets.h"

namespace artgen {

namespace {

struct CarLook {
  Rgb body, bodyDark, stripe, glass;
  bool rival;  // boxier body, rear wing, bonnet scoop
};

const CarLook kPlayer{{214, 40, 34}, {120, 16, 14}, {250, 250, 248}, {40, 70, 110}, false};
const CarLook kRival{{34, 72, 170}, {14, 28, 80}, {252, 200, 40}, {24, 34, 50}, true};

// Draws in the car's own frame: local x points forward, local y to the car's right, in
// pixels at scale 1, placed at (cx, cy) and turned by the car's heading.
struct CarPen {
  Canvas& c;
  float cx, cy, ca, sa, scale, alpha;

  std::vector<Pt> Place(std::vector<Pt> pts) const {
    for (auto& p : pts) {
      float x = p.x * scale, y = p.y * scale;
      p = {cx + x * ca - y * sa, cy + x * sa + y * ca};
    }
    return pts;
  }
  void Fill(std::vector<Pt> pts, Rgb col, float shade = 1) const {
    c.FillPolygon(Place(std::move(pts)), col, alpha * shade);
  }
  void Rect(float x0, float y0, float x1, float y1, Rgb col, float shade = 1) const {
    Fill({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, col, shade);
  }
};

const Rgb kCarOutline{18, 16, 22};

// Wheels stick out a little beyond the body.
void Wheels(const CarPen& pen) {
  const Rgb tyre{26, 26, 30};
  for (float wx : {11.5f, -12.5f})
    for (float sgn : {-1.0f, 1.0f}) {
      pen.Rect(wx - 5.5f, sgn * 12.5f - 3.5f, wx + 5.5f, sgn * 12.5f + 3.5f, kCarOutline);
      pen.Rect(wx - 4.5f, sgn * 12.5f - 2.5f, wx + 4.5f, sgn * 12.5f + 2.5f, tyre);
    }
}

// The body's outline, half-width hw: the rival's boxier, the player's rounder.
std::vector<Pt> BodyShape(const CarLook& look, float hw) {
  return look.rival ? std::vector<Pt>{{21, -9},        {20.2f, -10.6f}, {16, -hw}, {-18, -hw},     {-20.5f, -10.6f},
                                      {-20.5f, 10.6f}, {-18, hw},       {16, hw},  {20.2f, 10.6f}, {21, 9}}
                    : std::vector<Pt>{{21.3f, -5}, {20, -8.4f}, {15, -hw}, {-17, -hw}, {-20.3f, -9}, {-20.8f, -6},
                                      {-20.8f, 6}, {-20.3f, 9}, {-17, hw}, {15, hw},   {20, 8.4f},   {21.3f, 5}};
}

// The body with its dark rim, flank shading and the stripes over the whole length.
void Body(const CarPen& pen, const CarLook& look, float hw) {
  const std::vector<Pt> body = BodyShape(look, hw);
  std::vector<Pt> outer;
  outer.reserve(body.size());
  for (auto p : body) {
    float len = std::hypot(p.x, p.y * 1.8f);
    outer.push_back({p.x + p.x / len * 1.2f, p.y + p.y * 1.8f / len * 1.2f});
  }
  pen.Fill(outer, kCarOutline);
  pen.Fill(body, look.body);
  // Side shading: darker flanks, lighter spine.
  pen.Rect(-17, -hw + 0.2f, 15, -hw + 2.4f, look.bodyDark, 0.55f);
  pen.Rect(-17, hw - 2.4f, 15, hw - 0.2f, look.bodyDark, 0.55f);
  if (look.rival) {
    pen.Rect(-20, -6.5f, 20.5f, -4.5f, look.stripe);
    pen.Rect(-20, 4.5f, 20.5f, 6.5f, look.stripe);
  } else {
    pen.Rect(-20.3f, -3.4f, 21, -1.2f, look.stripe);
    pen.Rect(-20.3f, 1.2f, 21, 3.4f, look.stripe);
  }
}

// Cabin: windscreen, roof, rear window.
void Cabin(const CarPen& pen, const CarLook& look) {
  pen.Fill({{9.5f, -7.6f}, {9.5f, 7.6f}, {3.5f, 8.4f}, {3.5f, -8.4f}}, look.glass);
  pen.Fill({{8.6f, -6.0f}, {8.6f, -2.0f}, {5.0f, -2.6f}, {5.0f, -6.8f}}, Shade(look.glass, 1.6f));
  pen.Rect(-8.5f, -8.4f, 3.5f, 8.4f, Shade(look.body, 0.86f));
  pen.Rect(-7.5f, -7.2f, 2.5f, 7.2f, look.body);
  if (!look.rival) {
    pen.Rect(-7.5f, -3.4f, 2.5f, -1.2f, look.stripe);
    pen.Rect(-7.5f, 1.2f, 2.5f, 3.4f, look.stripe);
  }
  pen.Fill({{-8.5f, -8.2f}, {-8.5f, 8.2f}, {-12.5f, 7.2f}, {-12.5f, -7.2f}}, look.glass);
}

// Head and tail lights; on the rival also the rear wing and bonnet scoop.
void LightsAndWing(const CarPen& pen, const CarLook& look, float hw) {
  pen.Rect(18.2f, -hw + 1.2f, 20.6f, -hw + 4.4f, {255, 244, 170});
  pen.Rect(18.2f, hw - 4.4f, 20.6f, hw - 1.2f, {255, 244, 170});
  pen.Rect(-20.6f, -hw + 1.2f, -19.0f, -hw + 4.2f, {255, 60, 40});
  pen.Rect(-20.6f, hw - 4.2f, -19.0f, hw - 1.2f, {255, 60, 40});
  if (!look.rival) return;
  pen.Rect(-21.4f, -hw - 0.6f, -17.6f, hw + 0.6f, kCarOutline);
  pen.Rect(-20.8f, -hw + 0.2f, -18.2f, hw - 0.2f, {40, 40, 48});
  pen.Rect(11, -2.6f, 16, 2.6f, kCarOutline);
  pen.Rect(11.6f, -1.8f, 15.4f, 1.8f, {60, 60, 70});
}

// Draws a car centred on (cx, cy) facing `deg` degrees (0 right, 90 down); the car is
// 43 x 23 pixels at scale 1.
void DrawCar(Canvas& c, float cx, float cy, float deg, const CarLook& look, float scale = 1, float alpha = 1) {
  const float a = deg * 3.14159265f / 180;
  const CarPen pen{c, cx, cy, std::cos(a), std::sin(a), scale, alpha};
  const float hw = look.rival ? 11.2f : 10.6f;  // half the body's width
  Wheels(pen);
  Body(pen, look, hw);
  Cabin(pen, look);
  LightsAndWing(pen, look, hw);
}

}  // namespace

Canvas DrawCarSheet(bool rival) {
  Canvas c(52 * 24, 76);
  for (int f = 0; f < 24; ++f) DrawCar(c, CAR_W * f + CAR_CENTRE_X, CAR_CENTRE_Y, 15.0f * f, rival ? kRival : kPlayer);
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
