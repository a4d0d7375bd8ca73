// sheets.cpp -- lettering, panels, banners, digits and thumbnails of the front end and HUD.
//
// Sheet sizes (the smallest that hold every rectangle the game draws from them):
//   car, Ecar 1248 x 76      title 466 x 49      menu 112 x 63       stick 480 x 8
//   keybord 480 x 313        help 480 x 480      mode 450 x 150      SmallMap 768 x 96
//   finish 376 x 308         frame 256 x 96      colorCheck 16 x 16  full 480 x 480
//   GameSelect 250 x 150     num 185 x 112       kazu 620 x 211      comment 480 x 1170
#include "sheets.h"

#include <cmath>
#include <sstream>

#include "palette.h"

namespace artgen {

void DrawCarAt(Canvas& c, float cx, float cy, float deg, bool rival, float scale, float alpha);

namespace {

const Rgb kOutline{18, 16, 24};

// Splits text into lines no wider than maxW.
std::vector<std::string> Wrap(const std::string& text, int size, const std::string& font, int maxW) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string word, line;
  while (in >> word) {
    std::string t = line.empty() ? word : line + " " + word;
    if (Canvas::TextWidth(t, size, font) > maxW && !line.empty()) {
      lines.push_back(line);
      line = word;
    } else {
      line = t;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Writes wrapped text and returns the y below it.
float Paragraph(Canvas& c, const std::string& text, float x, float y, int maxW, int size, Rgb col,
                const std::string& font = "regular", float lead = 1.25f) {
  for (auto& l : Wrap(text, size, font, maxW)) {
    c.Text(l, x, y, size, col, font);
    y += size * lead + 2;
  }
  return y;
}

// Text filled with a vertical gradient, with a dark outline.
void GradientText(Canvas& c, const std::string& s, float x, float y, int size, Rgb top, Rgb bottom,
                  const std::string& font, int align, int outline) {
  int w = Canvas::TextWidth(s, size, font), h = Canvas::TextHeight(size, font);
  Canvas tmp(w + 4, h + 4);
  tmp.Text(s, 2, 2, size, kWhite, font);
  float left = align == 1 ? x - w / 2.0f : (align == 2 ? x - w : x);
  if (outline) {
    c.Text(s, left, y, size, kOutline, font, 0, outline, kOutline);
    c.Text(s, left + 1, y + 2, size, kOutline, font, 0, outline, kOutline);
  }
  for (int yy = 0; yy < tmp.h(); ++yy) {
    Rgb col = Mix(top, bottom, std::min(1.0f, std::max(0.0f, (yy - 2.0f - h * 0.2f) / (h * 0.65f))));
    for (int xx = 0; xx < tmp.w(); ++xx) {
      uint32_t v = tmp.Pixel(xx, yy);
      if (v >> 24)
        c.Blend(static_cast<int>(std::lround(left)) - 2 + xx, static_cast<int>(std::lround(y)) - 2 + yy, col,
                (v >> 24) / 255.0f);
    }
  }
}

// Lettering that holds on any ground: a dark outline `outline` pixels wide all round,
// a further pixel of it down and to the right as a shadow, then the fill.
void InkText(Canvas& c, const std::string& s, float x, float y, int size, Rgb fill, const std::string& font = "bold",
             int align = 0, int outline = 2) {
  c.Text(s, x + 1, y + 1, size, kOutline, font, align, outline, kOutline);
  c.Text(s, x, y, size, fill, font, align, outline, kOutline);
}

// Outlined lettering squeezed sideways, when needed, to fit maxW; (x, y) is the centre of the
// line's left edge (align 0) or of the line itself (align 1).
void FitText(Canvas& c, const std::string& s, float x, float y, int size, Rgb fill, float maxW, int align = 1,
             int outline = 2, const std::string& font = "bold") {
  int tw = Canvas::TextWidth(s, size, font) + 2 * outline + 1, th = Canvas::TextHeight(size, font) + 2 * outline + 1;
  Canvas tmp(tw, th);
  InkText(tmp, s, outline, outline, size, fill, font, 0, outline);
  float k = std::min(1.0f, maxW / tw);
  int ow = static_cast<int>(std::ceil(tw * k));
  float left = align == 1 ? x - ow / 2.0f : x;
  int ox = static_cast<int>(std::lround(left)), oy = static_cast<int>(std::lround(y - th / 2.0f));
  for (int yy = 0; yy < th; ++yy)
    for (int xx = 0; xx < ow; ++xx) {
      // Box filter over the source span of this column, with premultiplied colour.
      float a0 = xx / k, a1 = std::min(static_cast<float>(tw), (xx + 1) / k), r = 0, g = 0, b = 0, a = 0;
      for (float sx = a0; sx < a1;) {
        int ix = static_cast<int>(sx);
        float next = std::min(a1, static_cast<float>(ix) + 1), wgt = next - sx;
        uint32_t v = tmp.Pixel(ix, yy);
        float al = (v >> 24) / 255.0f * wgt;
        r += ((v >> 16) & 255) * al, g += ((v >> 8) & 255) * al, b += (v & 255) * al, a += al;
        sx = next;
      }
      a /= (a1 - a0);
      if (a <= 0) continue;
      float n = a * (a1 - a0);
      c.Blend(ox + xx, oy + yy,
              {static_cast<uint8_t>(std::lround(r / n)), static_cast<uint8_t>(std::lround(g / n)),
               static_cast<uint8_t>(std::lround(b / n))},
              a);
    }
}

// A dark label plate with a gold rim, readable on snow, sand, the goal stripe and asphalt alike.
void Plate(Canvas& c, float x, float y, float w, float h, const std::string& s, Rgb ink, float r = 5) {
  c.FillRoundRect(x, y, w, h, r, kOutline);
  c.GradientRoundRect(x + 1, y + 1, w - 2, h - 2, r - 1, {58, 68, 110}, kNavyDark);
  c.StrokeRoundRect(x + 1, y + 1, w - 2, h - 2, r - 1, 1, {150, 120, 50});
  FitText(c, s, x + w / 2, y + h / 2 + 0.5f, static_cast<int>(h * 0.55f), ink, w - 6, 1, 1);
}

// The house panel: navy gradient, gold rim.
void Panel(Canvas& c, float x, float y, float w, float h, float r = 10) {
  c.FillRoundRect(x, y, w, h, r, kOutline);
  c.GradientRoundRect(x + 2, y + 2, w - 4, h - 4, r - 1, {44, 54, 92}, kNavyDark);
  c.StrokeRoundRect(x + 2, y + 2, w - 4, h - 4, r - 1, 2, kGold);
}

// A keyboard key with a label (text or an arrow: "^", "v", "<", ">").
void Key(Canvas& c, float x, float y, float s, const std::string& label, Rgb cap = {236, 236, 232}) {
  c.FillRoundRect(x, y, s, s, s * 0.18f, kOutline);
  c.FillRoundRect(x + 1.5f, y + 1.5f, s - 3, s - 3, s * 0.15f, Shade(cap, 0.72f));
  c.FillRoundRect(x + 1.5f, y + 1.5f, s - 3, s - 3 - s * 0.1f, s * 0.15f, cap);
  float cx = x + s / 2, cy = y + s / 2 - s * 0.05f, a = s * 0.22f;
  if (label == "^")
    c.FillPolygon({{cx, cy - a}, {cx + a, cy + a * 0.7f}, {cx - a, cy + a * 0.7f}}, kInk);
  else if (label == "v")
    c.FillPolygon({{cx, cy + a}, {cx + a, cy - a * 0.7f}, {cx - a, cy - a * 0.7f}}, kInk);
  else if (label == "<")
    c.FillPolygon({{cx - a, cy}, {cx + a * 0.7f, cy - a}, {cx + a * 0.7f, cy + a}}, kInk);
  else if (label == ">")
    c.FillPolygon({{cx + a, cy}, {cx - a * 0.7f, cy - a}, {cx - a * 0.7f, cy + a}}, kInk);
  else {
    int size = static_cast<int>(s * 0.5f);
    c.Text(label, cx, cy - Canvas::TextHeight(size) / 2.0f, size, kInk, "bold", 1);
  }
}

void Checker(Canvas& c, float x, float y, int cols, int rows, float sq) {
  c.FillRect(x - 1, y - 1, cols * sq + 2, rows * sq + 2, kOutline);
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < cols; ++i) c.FillRect(x + i * sq, y + j * sq, sq, sq, (i + j) % 2 ? kInk : kWhite);
}

void Padlock(Canvas& c, float cx, float cy, float s) {
  c.StrokeRoundRect(cx - s * 0.32f, cy - s * 0.75f, s * 0.64f, s * 0.9f, s * 0.32f, s * 0.14f, kOutline);
  c.StrokeRoundRect(cx - s * 0.27f, cy - s * 0.7f, s * 0.54f, s * 0.8f, s * 0.27f, s * 0.06f, {200, 204, 214});
  c.FillRoundRect(cx - s * 0.5f, cy - s * 0.2f, s, s * 0.75f, s * 0.12f, kOutline);
  c.FillRoundRect(cx - s * 0.45f, cy - s * 0.15f, s * 0.9f, s * 0.65f, s * 0.1f, kGold);
  c.FillEllipse(cx, cy + s * 0.08f, s * 0.09f, s * 0.09f, kOutline);
  c.FillRect(cx - s * 0.04f, cy + s * 0.1f, s * 0.08f, s * 0.2f, kOutline);
}

// ---------------------------------------------------------------------------------------

Canvas Title() {
  Canvas c(466, 49);
  // Speed streaks to the left of the name, a chequered flag to the right.
  for (int i = 0; i < 3; ++i) {
    c.FillRoundRect(8 + i * 10, 12 + i * 10, 70 - i * 16, 6, 3, kOutline);
    c.FillRoundRect(9 + i * 10, 13 + i * 10, 68 - i * 16, 4, 2, i == 1 ? kGold : kRed);
  }
  GradientText(c, "VELKARO", 236, 1, 38, {255, 226, 90}, {236, 74, 30}, "oblique", 1, 2);
  Checker(c, 392, 10, 6, 4, 7);
  c.Line(389, 8, 389, 46, 3, kOutline);
  return c;
}

Canvas Menu() {
  Canvas c(112, 63);
  // The largest lettering whose cap height, outline and shadow fit the 21-pixel row; the
  // longest entry is squeezed a little to the cell's width.
  const char* items[3] = {"START", "HOW TO PLAY", "QUIT"};
  for (int i = 0; i < 3; ++i) FitText(c, items[i], 56, 21 * i + 11.5f, 17, kWhite, 111);
  return c;
}

Canvas Stick() {
  Canvas c(480, 8);
  for (int x = 0; x < 480; ++x) {
    c.SetPixel(x, 0, kOutline);
    c.SetPixel(x, 7, kOutline);
    for (int y = 1; y < 7; ++y) c.SetPixel(x, y, ((x / 6) + (y >= 4)) % 2 ? kInk : kWhite);
  }
  for (int y = 0; y < 8; ++y) c.SetPixel(0, y, kOutline);
  return c;
}

// A speech bubble with tails whose tips reach up (or down) to the given x positions.
void Bubble(Canvas& c, float x, float y, float w, float h, const std::vector<float>& tipXs, bool tipUp) {
  const Rgb paper{252, 248, 236};
  std::vector<std::vector<Pt>> tips;
  for (float tipX : tipXs)
    tips.push_back(tipUp ? std::vector<Pt>{{tipX - 9, y + 6}, {tipX, y - 12}, {tipX + 9, y + 6}}
                         : std::vector<Pt>{{tipX - 9, y + h - 6}, {tipX, y + h + 12}, {tipX + 9, y + h - 6}});
  for (auto tip : tips) {
    for (auto& p : tip) p.y += tipUp ? -2.5f : 2.5f;
    tip[0].x -= 2.5f, tip[2].x += 2.5f;
    c.FillPolygon(tip, kOutline);
  }
  c.FillRoundRect(x, y, w, h, 12, kOutline);
  c.FillRoundRect(x + 2.5f, y + 2.5f, w - 5, h - 5, 10, paper);
  for (const auto& tip : tips) c.FillPolygon(tip, paper);
}

// Screen rectangles, at full size, of the two callouts over the keyboard panel (whose sheet
// y is the screen y less 100): callout 0 covers x 16..182, y 207..291, and callout 1 covers
// x 222..438, y 142..305. The keys and labels they describe sit above them, clear of both.
Canvas Keybord() {
  Canvas c(480, 313);
  const Rgb arrowCap{255, 226, 120};
  // The keyboard panel (0, 0, 480, 142); its top rows stay clear for the bar above it.
  Panel(c, 4, 10, 472, 130, 12);
  c.Text("CONTROLS", 20, 16, 13, kGold, "bold");
  c.FillRoundRect(20, 36, 196, 66, 8, {22, 28, 50});
  Key(c, 38, 40, 40, "Z");
  Key(c, 130, 40, 40, "X");
  c.Text("CONFIRM", 58, 84, 10, kWhite, "bold", 1);
  c.Text("BACK / PAUSE", 150, 84, 10, kWhite, "bold", 1);
  c.FillRoundRect(250, 12, 214, 30, 8, {22, 28, 50});
  Key(c, 258, 14, 26, "<", arrowCap);
  Key(c, 288, 14, 26, "^", arrowCap);
  Key(c, 318, 14, 26, "v", arrowCap);
  Key(c, 348, 14, 26, ">", arrowCap);
  c.Text("DRIVE", 412, 20, 12, kWhite, "bold", 1);
  // Callout 0 (0, 191, 166, 84): what Z and X do; its tails reach up to the two keys.
  Bubble(c, 2, 203, 162, 70, {44, 134}, true);
  Key(c, 12, 212, 24, "Z");
  c.Text("choose, go on", 42, 216, 12, kInk, "bold");
  Key(c, 12, 242, 24, "X");
  c.Text("back, or pause", 42, 246, 12, kInk, "bold");
  // Callout 1 (234, 150, 216, 163): the arrows; its tail reaches up to the arrow keys.
  Bubble(c, 236, 164, 212, 146, {316}, true);
  Key(c, 246, 174, 28, "^", arrowCap);
  c.Text("ACCELERATE", 282, 180, 13, kInk, "bold");
  Key(c, 246, 208, 28, "v", arrowCap);
  c.Text("BRAKE / REVERSE", 282, 214, 13, kInk, "bold");
  Key(c, 246, 242, 28, "<", arrowCap);
  Key(c, 278, 242, 28, ">", arrowCap);
  c.Text("STEER", 314, 248, 13, kInk, "bold");
  c.Text("Slide through the bends!", 342, 282, 11, {120, 60, 30}, "oblique", 1);
  return c;
}

// The race screen's HUD in small, with every part named.
void HudDiagram(Canvas& c, float y) {
  c.FillRoundRect(16, y, 448, 62, 8, kOutline);
  c.FillRoundRect(18, y + 2, 444, 58, 7, {70, 130, 54});
  c.FillRect(18, y + 40, 444, 20, kRoad);
  c.FillRect(18, y + 38, 444, 2, {244, 244, 244});
  InkText(c, "0/3", 28, y + 6, 26, kGold, "bold", 0, 2);
  InkText(c, "120", 150, y + 6, 26, {130, 220, 255}, "bold", 0, 2);
  Plate(c, 300, y + 5, 46, 20, "TO BEAT", kGold);
  InkText(c, "0:21:344", 352, y + 6, 14, kWhite, "bold", 0, 2);
  Plate(c, 300, y + 33, 46, 20, "TIME", kWhite);
  InkText(c, "0:05:120", 352, y + 34, 14, kWhite, "bold", 0, 2);
  auto note = [&](float x, float lineX, const std::string& a, const std::string& b) {
    c.Line(lineX, y + 60, lineX, y + 70, 2, kGold);
    c.Text(a, x, y + 72, 11, kGold, "bold");
    c.Text(b, x, y + 86, 11, {220, 226, 240}, "regular");
  };
  note(22, 50, "LAPS DONE / 3", "of three laps");
  note(130, 172, "SECONDS LEFT", "until time runs out");
  note(290, 322, "TO BEAT / TIME", "best or rival's / yours");
}

Canvas Help() {
  Canvas c(480, 480);
  // One page over the whole keyboard panel below the bar: the heading and the bar stay clear.
  c.FillRect(0, 110, 480, 370, kOutline);
  c.GradientRoundRect(2, 112, 476, 366, 10, {44, 54, 92}, kNavyDark);
  c.StrokeRoundRect(2, 112, 476, 366, 10, 2, kGold);
  float y = 120;
  auto heading = [&](const std::string& s) {
    c.Text(s, 18, y, 13, kGold, "bold");
    y += 19;
  };
  heading("THE RACE SCREEN");
  HudDiagram(c, y);
  y += 106;
  heading("RULES");
  auto bullet = [&](const std::string& text) {
    c.FillEllipse(24, y + 8, 2.5f, 2.5f, kGold);
    y = Paragraph(c, text, 32, y, 430, 12, kWhite, "regular", 1.15f) + 2;
  };
  bullet("Three laps. A lap counts only when you have driven the whole course round to the line.");
  bullet("Anything that is not road is a wall: the car bounces off kerbs, fences and the ground.");
  bullet(
      "TIME ATTACK: beat your own best run, shown as a ghost car. RIVAL BATTLE: beat the blue car's "
      "time to clear the course.");
  bullet("Courses 1 to 3 are open. 3 courses cleared open course 4, 4 open course 5, 5 open course 6.");
  y += 2;
  const Rgb cap{255, 226, 120};
  Key(c, 18, y, 20, "^", cap);
  c.Text("speed", 41, y + 3, 11, kWhite, "regular");
  Key(c, 86, y, 20, "v", cap);
  c.Text("brake", 109, y + 3, 11, kWhite, "regular");
  Key(c, 152, y, 20, "<", cap);
  Key(c, 174, y, 20, ">", cap);
  c.Text("steer", 197, y + 3, 11, kWhite, "regular");
  Key(c, 240, y, 20, "Z");
  c.Text("choose", 263, y + 3, 11, kWhite, "regular");
  Key(c, 318, y, 20, "X");
  c.Text("back / pause", 341, y + 3, 11, kWhite, "regular");
  c.Text("Press Z or X to return", 240, 454, 12, kGold, "bold", 1);
  return c;
}

Canvas Mode() {
  Canvas c(450, 150);
  // Panels and frame keep the top 10 rows clear: they are drawn at the bar's height.
  for (int i = 0; i < 2; ++i) {
    float x = 150 * i;
    Panel(c, x + 4, 14, 142, 132, 12);
    c.Text(i ? "MODE 2" : "MODE 1", x + 75, 21, 11, kGold, "bold", 1);
    InkText(c, i ? "RIVAL" : "TIME", x + 75, 34, 18, kWhite, "bold", 1, 1);
    InkText(c, i ? "BATTLE" : "ATTACK", x + 75, 54, 18, kWhite, "bold", 1, 1);
    // Little scene: the player's car and its opponent.
    c.FillRoundRect(x + 16, 82, 118, 54, 6, kRoad);
    c.FillRect(x + 16, 107, 118, 3, {230, 230, 220});
    if (i == 0) {
      DrawCarAt(c, x + 56, 95, 0, false, 0.95f, 0.4f);  // the ghost
      DrawCarAt(c, x + 92, 122, 0, false, 0.95f, 1);
      for (int k = 0; k < 3; ++k) c.Line(x + 22, 116 + k * 6, x + 42 - k * 4, 116 + k * 6, 2, {200, 200, 210});
    } else {
      DrawCarAt(c, x + 96, 95, 0, true, 0.95f, 1);
      DrawCarAt(c, x + 72, 122, 0, false, 0.95f, 1);
    }
  }
  // Highlight frame (300, 0, 150, 150): a broad gold frame with corner brackets.
  c.StrokeRoundRect(300, 10, 150, 140, 14, 9, kOutline);
  c.StrokeRoundRect(301, 11, 148, 138, 13, 7, {255, 220, 80});
  c.StrokeRoundRect(303, 13, 144, 134, 11, 2, {255, 250, 200});
  return c;
}

Canvas SmallMap(const std::vector<Canvas>& thumbs) {
  Canvas c(768, 96);
  for (size_t k = 0; k < thumbs.size(); ++k) c.Blit(thumbs[k], 128 * static_cast<int>(k), 0);
  return c;
}

Canvas Frame() {
  Canvas c(256, 96);
  c.StrokeRoundRect(0, 0, 128, 96, 6, 6, kOutline);
  c.StrokeRoundRect(1, 1, 126, 94, 5, 4, kGold);
  for (float x : {1.0f, 111.0f})
    for (float y : {1.0f, 79.0f}) c.FillRect(x, y, 16, 16, {255, 236, 120});
  c.StrokeRoundRect(128, 0, 128, 96, 6, 5, kOutline);
  c.StrokeRoundRect(129, 1, 126, 94, 5, 3, {150, 156, 170});
  Padlock(c, 192, 44, 34);
  c.Text("LOCKED", 192, 68, 12, kWhite, "bold", 1, 1, kOutline);
  return c;
}

// The goal banners stay on screen under the result veil, which keeps 105/255 of them: they
// are white-hot lettering with a heavy black outline on a dark plate, so that what the veil
// leaves is still bright on dark.
Canvas Finish() {
  Canvas c(376, 308);
  // Goal banner of mode 1 (0, 0, 376, 75).
  Checker(c, 6, 14, 4, 6, 8);
  Checker(c, 338, 14, 4, 6, 8);
  GradientText(c, "FINISH!", 188, 6, 46, {255, 255, 235}, {255, 206, 60}, "oblique", 1, 4);
  // Record banner (0, 75, 376, 35).
  c.FillRoundRect(20, 77, 336, 31, 8, kOutline);
  c.GradientRoundRect(22, 79, 332, 27, 7, {236, 60, 48}, {150, 20, 20});
  InkText(c, "NEW RECORD!", 188, 81, 18, kWhite, "oblique", 1, 1);
  // Cleared badge (0, 111, 75, 56).
  c.FillPolygon({{14, 146}, {26, 146}, {22, 166}, {16, 160}, {10, 166}}, kOutline);
  c.FillPolygon({{48, 146}, {60, 146}, {64, 166}, {58, 160}, {52, 166}}, kOutline);
  c.FillPolygon({{15, 146}, {25, 146}, {21.5f, 163}, {16, 158}, {11, 163}}, kRed);
  c.FillPolygon({{49, 146}, {59, 146}, {63, 163}, {58, 158}, {53, 163}}, kRed);
  c.FillEllipse(37, 136, 25, 24, kOutline);
  c.FillEllipse(37, 136, 23, 22, kGold);
  c.FillEllipse(37, 136, 18, 17, {255, 226, 110});
  c.Text("CLEAR", 37, 129, 11, kDeepRed, "bold", 1);
  c.FillPolygon({{27, 147}, {47, 147}, {37, 152}}, kDeepRed);
  auto banner = [&](float y, const std::string& s, Rgb rim, Rgb ink) {
    c.FillRoundRect(1, y + 1, 292, 44, 10, kOutline);
    c.GradientRoundRect(4, y + 4, 286, 38, 8, {34, 38, 58}, {8, 10, 18});
    c.StrokeRoundRect(4, y + 4, 286, 38, 8, 3, rim);
    GradientText(c, s, 147, y + 5, 29, {255, 255, 255}, ink, "oblique", 1, 3);
  };
  banner(167, "YOU WIN!", {255, 200, 40}, {255, 226, 90});    // goal banner of mode 2
  banner(214, "YOU LOSE", {150, 170, 220}, {200, 214, 255});  // lost banner of mode 2
  banner(262, "TIME UP", {250, 80, 60}, {255, 170, 150});     // time-up banner of mode 1
  return c;
}

Canvas ColorCheck() {
  Canvas c(16, 16);
  c.SetPixel(0, 0, kRoad);
  c.SetPixel(1, 0, kGoal);
  c.SetPixel(2, 0, kDirtRoad);
  return c;
}

// The veil drawn at alpha 150 over the finished race. A lighter band lies behind the goal
// banners (y 100..175) so they keep their contrast, and the way on is written at the bottom.
// Its top-left corner (2, 0, 128, 96) also veils a locked course's thumbnail: it stays plain.
Canvas Full() {
  Canvas c(480, 480);
  c.Clear({10, 12, 22}, 255);
  c.FillRect(0, 92, 480, 92, {104, 110, 140});
  c.FillRect(0, 92, 480, 3, {230, 180, 60});
  c.FillRect(0, 181, 480, 3, {230, 180, 60});
  c.FillRoundRect(150, 432, 180, 36, 10, {40, 46, 76});
  c.StrokeRoundRect(150, 432, 180, 36, 10, 2, {230, 180, 60});
  Key(c, 162, 437, 26, "Z");
  c.Text("CONTINUE", 196, 440, 18, kWhite, "bold");
  return c;
}

Canvas GameSelect() {
  Canvas c(250, 150);
  c.Clear(kOutline, 255);
  c.GradientRoundRect(2, 2, 246, 146, 10, {44, 54, 92}, kNavyDark);
  c.StrokeRoundRect(2, 2, 246, 146, 10, 2, kGold);
  c.Text("PAUSE", 125, 8, 14, kGold, "bold", 1);
  // Entries centred where the car markers stand (rows 37 pixels apart).
  c.Text("RESUME", 125, 54 - 9, 15, kWhite, "bold", 1, 1, kOutline);
  c.Text("QUIT RACE", 125, 91 - 9, 15, kWhite, "bold", 1, 1, kOutline);
  c.Text("UP/DOWN choose   Z confirm", 125, 126, 10, kGrey, "bold", 1);
  return c;
}

// A digit (or separator) centred in a cell, ink kept inside `inkW` from the cell's left.
void Glyph(Canvas& c, const std::string& s, float cellX, float cellY, float cellW, float cellH, int size, Rgb fill,
           int outline, float inkW = 0) {
  // The digits' height (about 0.73 of the size, their top 0.2 below the line's) is centred,
  // not the line's, which holds room for descenders.
  const float asc = size * 0.93f, cap = size * 0.73f;
  float cx = inkW > 0 ? cellX + inkW / 2 : cellX + cellW / 2;
  InkText(c, s, cx - 0.5f, cellY + (cellH - cap) / 2 - (asc - cap) - 0.5f, size, fill, "bold", 1, outline);
}

Canvas Num() {
  Canvas c(185, 112);
  // Countdown: each cell is a whole start-light board, dark with a bright digit, so the
  // smoothed zoom keeps a hard edge between them at every size it is drawn.
  const char* cells[4] = {"4", "3", "2", "1"};
  for (int k = 0; k < 4; ++k) {
    float x = 31.0f * k;
    c.FillRoundRect(x, 0, 31, 36, 4, kOutline);
    c.GradientRoundRect(x + 2, 2, 27, 32, 3, {70, 76, 110}, {24, 26, 44});
    Rgb fill = k == 3 ? Rgb{120, 255, 120} : (k == 2 ? Rgb{255, 150, 60} : kGold);
    c.Text(cells[k], x + 15.5f, 18 - 0.73f * 28 / 2 - 0.2f * 28, 28, fill, "bold", 1, 1, kOutline);
  }
  // Start banner (0, 47, 185, 65).
  for (int i = 0; i < 3; ++i) {
    c.FillRoundRect(4, 62 + i * 12, 34 - i * 6, 5, 2, kOutline);
    c.FillRoundRect(5, 63 + i * 12, 32 - i * 6, 3, 1, kWhite);
  }
  GradientText(c, "GO!", 104, 48, 46, {200, 255, 120}, {40, 190, 60}, "oblique", 1, 3);
  return c;
}

Canvas Kazu() {
  Canvas c(620, 211);
  const Rgb rows[3] = {kWhite, kGold, {130, 220, 255}};
  for (int r = 0; r < 3; ++r)
    for (int d = 0; d <= 10; ++d) {
      if (d == 10 && r == 1) continue;
      Glyph(c, d == 10 ? ":" : std::string(1, static_cast<char>('0' + d)), 32 * d, 42 * r, 32, 42, 30, rows[r], 3);
    }
  // The slash between lap and lap total, drawn as a shape: a clean bar, outline and shadow.
  auto bar = [&](float ox, float oy, float grow, Rgb col) {
    c.FillPolygon({{357 + ox - grow, 80 + oy + grow},
                   {373 + ox - grow, 50 + oy - grow},
                   {380 + ox + grow, 50 + oy - grow},
                   {364 + ox + grow, 80 + oy + grow}},
                  col);
  };
  bar(1, 1, 3, kOutline);
  bar(0, 0, 3, kOutline);
  bar(0, 0, 0, kGold);
  // Small digits: 21 wide cells drawn 16 apart; the fill stays within 15 pixels, the outline
  // reaches into the next place, whose own outline lies over it.
  for (int d = 0; d <= 10; ++d)
    Glyph(c, d == 10 ? ":" : std::string(1, static_cast<char>('0' + d)), 21 * d, 126, 21, 22, 16, kWhite, 3, 17);
  // HUD labels: the upper time is the one to beat (the best run, or the rival's time), the
  // lower one this race's clock.
  Plate(c, 421, 43, 46, 20, "TO BEAT", kGold);
  Plate(c, 421, 63, 46, 20, "TIME", kWhite);
  // Course select tag (417, 7, 197, 22), drawn 1.42 times as wide: it ends in a point at
  // x 97 (138 on screen), and the time drawn from x 140 stands beside it on the menu ground.
  c.FillPolygon({{421, 7}, {503, 7}, {514, 18}, {503, 29}, {421, 29}, {417, 25}, {417, 11}}, kOutline);
  c.FillPolygon({{421, 8.5f}, {502, 8.5f}, {512, 18}, {502, 27.5f}, {421, 27.5f}, {418.5f, 25}, {418.5f, 11}},
                {40, 48, 84});
  c.FillRect(419, 9, 3, 18, kGold);
  FitText(c, "BEST TIME", 461, 18.5f, 13, kGold, 80, 1, 1);
  // Result screen row labels (0, 170, 187, 41) and (196, 170, 187, 41); the upper row shows the
  // best time in a time attack and the rival's time in a rival battle.
  FitText(c, "TIME TO BEAT", 93, 190.5f, 22, kGold, 183, 1, 2);
  FitText(c, "YOUR TIME", 289, 190.5f, 22, kWhite, 183, 1, 2);
  return c;
}

Canvas Comment(const std::vector<coursekit::CourseDescription>& courses) {
  Canvas c(480, 1170);
  // pointX > 0: a pointer on the panel's top edge that points up at the chosen mode's panel,
  // so the choice reads even while the highlight frame is at its faintest.
  auto row = [&](int r, const std::string& kicker, const std::string& title, const std::vector<std::string>& lines,
                 const std::string& footer, float pointX = 0) {
    float y = 130.0f * r, top = pointX > 0 ? y + 20 : y + 4;
    Panel(c, 4, top, 472, y + 126 - top, 12);
    if (pointX > 0) {
      c.FillPolygon({{pointX - 27, top + 3}, {pointX, y + 0.5f}, {pointX + 27, top + 3}}, kOutline);
      c.FillPolygon({{pointX - 22, top + 2.5f}, {pointX, y + 4}, {pointX + 22, top + 2.5f}}, kGold);
    }
    float ty = pointX > 0 ? top + 4 : top + 8;
    c.Text(kicker, 20, ty, 11, kGold, "bold");
    InkText(c, title, 20, ty + 13, 20, kWhite, "oblique", 0, 1);
    float ly = ty + 42;
    for (const auto& l : lines) {
      c.Text(l, 20, ly, 12, {220, 226, 240}, "regular");
      ly += 17;
    }
    if (!footer.empty()) c.Text(footer, 460, y + 104, 11, kGold, "bold", 2);
  };
  row(0, "MODE 1 CHOSEN", "TIME ATTACK",
      {"Three laps against your own best run, shown as a ghost car.", "Beat it to set a new record."},
      "LEFT/RIGHT: change   Z: choose   X: back", 125);
  row(1, "MODE 2 CHOSEN", "RIVAL BATTLE",
      {"Three laps against the blue rival car. Beat its time to clear the course.",
       "3 courses cleared open course 4, 4 open course 5, 5 open course 6."},
      "LEFT/RIGHT: change   Z: choose   X: back", 355);
  for (int k = 0; k < 6 && k < static_cast<int>(courses.size()); ++k) {
    const auto& d = courses[k];
    int secs = coursekit::StartOf(k).overTime / 1000;
    char limit[64];
    std::snprintf(limit, sizeof limit, "3 LAPS   TIME LIMIT %d:%02d", secs / 60, secs % 60);
    std::vector<std::string> lines(d.comment.begin(), d.comment.begin() + std::min<size_t>(2, d.comment.size()));
    row(2 + k, "COURSE " + std::to_string(k + 1) + (d.surface == "dirt" ? "  -  DIRT" : ""), d.name, lines, limit);
  }
  // Courses 1..3 are always open; course k opens once k courses have been cleared.
  row(8, "LOCKED", "NOT YET OPEN",
      {"Clear courses by beating the rival in RIVAL BATTLE.", "3 courses cleared open course 4,",
       "4 open course 5, 5 open course 6."},
      "");
  Padlock(c, 420, 130 * 8 + 44, 36);
  return c;
}

}  // namespace

std::vector<Sheet> DrawSheets(const std::vector<Canvas>& thumbs,
                              const std::vector<coursekit::CourseDescription>& courses) {
  std::vector<Sheet> s;
  s.push_back({"car.bmp", DrawCarSheet(false), true});
  s.push_back({"Ecar.bmp", DrawCarSheet(true), true});
  s.push_back({"title.bmp", Title(), true});
  s.push_back({"menu.bmp", Menu(), true});
  s.push_back({"stick.bmp", Stick(), true});
  s.push_back({"keybord.bmp", Keybord(), true});
  s.push_back({"help.bmp", Help(), true});
  s.push_back({"mode.bmp", Mode(), true});
  s.push_back({"SmallMap.bmp", SmallMap(thumbs), true});
  s.push_back({"finish.bmp", Finish(), true});
  s.push_back({"frame.bmp", Frame(), true});
  s.push_back({"colorCheck.bmp", ColorCheck(), true});
  s.push_back({"full.bmp", Full(), false});
  s.push_back({"GameSelect.bmp", GameSelect(), false});
  s.push_back({"num.bmp", Num(), true});
  s.push_back({"kazu.bmp", Kazu(), true});
  s.push_back({"comment.bmp", Comment(courses), true});
  return s;
}

}  // namespace artgen
