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
      if (v >> 24) c.Blend((int)std::lround(left) - 2 + xx, (int)std::lround(y) - 2 + yy, col, (v >> 24) / 255.0f);
    }
  }
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
    int size = (int)(s * 0.5f);
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
  const char* items[3] = {"START", "HOW TO PLAY", "QUIT"};
  for (int i = 0; i < 3; ++i) c.Text(items[i], 56, 21 * i + 1, 13, kWhite, "bold", 1, 2, kOutline);
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

void Bubble(Canvas& c, float x, float y, float w, float h, float tipX, bool tipUp) {
  std::vector<Pt> tip = tipUp ? std::vector<Pt>{{tipX - 10, y + 6}, {tipX, y - 12}, {tipX + 10, y + 6}}
                              : std::vector<Pt>{{tipX - 10, y + h - 6}, {tipX, y + h + 12}, {tipX + 10, y + h - 6}};
  std::vector<Pt> tipOut = tip;
  for (auto& p : tipOut) p.y += tipUp ? -2.5f : 2.5f;
  c.FillPolygon(tipOut, kOutline);
  c.FillRoundRect(x, y, w, h, 12, kOutline);
  c.FillRoundRect(x + 2.5f, y + 2.5f, w - 5, h - 5, 10, {252, 248, 236});
  c.FillPolygon(tip, {252, 248, 236});
}

Canvas Keybord() {
  Canvas c(480, 313);
  // The keyboard panel (0, 0, 480, 142).
  Panel(c, 4, 2, 472, 138, 12);
  c.Text("CONTROLS", 20, 10, 14, kGold, "bold");
  c.FillRoundRect(20, 34, 200, 90, 8, {22, 28, 50});
  Key(c, 40, 52, 44, "Z");
  Key(c, 136, 52, 44, "X");
  c.Text("CONFIRM", 62, 102, 10, kWhite, "bold", 1);
  c.Text("BACK / PAUSE", 158, 102, 10, kWhite, "bold", 1);
  c.FillRoundRect(252, 20, 200, 112, 8, {22, 28, 50});
  Key(c, 330, 26, 40, "^", {255, 226, 120});
  Key(c, 284, 72, 40, "<", {255, 226, 120});
  Key(c, 330, 72, 40, "v", {255, 226, 120});
  Key(c, 376, 72, 40, ">", {255, 226, 120});
  c.Text("DRIVE", 352, 116, 10, kWhite, "bold", 1);
  // Callout 0 (0, 191, 166, 84): the two command keys.
  Bubble(c, 2, 204, 162, 68, 40, true);
  Key(c, 10, 212, 26, "Z");
  c.Text("OK / SELECT", 42, 216, 12, kInk, "bold");
  Key(c, 10, 242, 26, "X");
  c.Text("BACK / PAUSE", 42, 246, 12, kInk, "bold");
  // Callout 1 (234, 150, 216, 163): the arrows.
  Bubble(c, 236, 152, 212, 146, 400, false);
  Key(c, 246, 162, 30, "^", {255, 226, 120});
  c.Text("ACCELERATE", 284, 168, 13, kInk, "bold");
  Key(c, 246, 198, 30, "v", {255, 226, 120});
  c.Text("BRAKE / REVERSE", 284, 204, 13, kInk, "bold");
  Key(c, 246, 234, 30, "<", {255, 226, 120});
  Key(c, 280, 234, 30, ">", {255, 226, 120});
  c.Text("STEER", 318, 240, 13, kInk, "bold");
  c.Text("Slide through bends!", 342, 272, 11, {120, 60, 30}, "oblique", 1);
  return c;
}

Canvas Help() {
  Canvas c(480, 480);
  // The top rows stay clear so the heading and the bar above the page keep showing.
  Panel(c, 6, 112, 468, 362, 14);
  float y = 124;
  auto heading = [&](const std::string& s) {
    c.Text(s, 22, y, 14, kGold, "bold");
    y += 22;
  };
  heading("DRIVING");
  Key(c, 24, y, 22, "^", {255, 226, 120});
  c.Text("accelerate", 52, y + 3, 12, kWhite, "regular");
  Key(c, 140, y, 22, "v", {255, 226, 120});
  c.Text("brake / reverse", 168, y + 3, 12, kWhite, "regular");
  Key(c, 290, y, 22, "<", {255, 226, 120});
  Key(c, 314, y, 22, ">", {255, 226, 120});
  c.Text("steer", 342, y + 3, 12, kWhite, "regular");
  y += 28;
  Key(c, 24, y, 22, "Z");
  c.Text("confirm", 52, y + 3, 12, kWhite, "regular");
  Key(c, 140, y, 22, "X");
  c.Text("go back - and pause during a race", 168, y + 3, 12, kWhite, "regular");
  y += 34;
  heading("THE RACE");
  y = Paragraph(c,
                "Three laps against the clock. Follow the road all the way round: the finish line only counts "
                "once you have driven a full lap. If the time limit runs out, the race is over.",
                22, y, 436, 12, kWhite);
  y += 8;
  heading("MODE 1  -  TIME ATTACK");
  y = Paragraph(c,
                "Race your own best run, replayed as a ghost car. Finish faster to set a new record and a new "
                "ghost.",
                22, y, 436, 12, kWhite);
  y += 8;
  heading("MODE 2  -  RIVAL BATTLE");
  y = Paragraph(c,
                "Race the blue rival car. Beat its time to clear the course; every course you clear unlocks the "
                "next one.",
                22, y, 436, 12, kWhite);
  c.Text("Press Z or X to return", 240, 448, 12, kGold, "bold", 1);
  return c;
}

Canvas Mode() {
  Canvas c(450, 150);
  for (int i = 0; i < 2; ++i) {
    float x = 150 * i;
    Panel(c, x + 3, 3, 144, 144, 12);
    c.Text(i ? "MODE 2" : "MODE 1", x + 75, 12, 11, kGold, "bold", 1);
    c.Text(i ? "RIVAL" : "TIME", x + 75, 26, 18, kWhite, "bold", 1, 1, kOutline);
    c.Text(i ? "BATTLE" : "ATTACK", x + 75, 48, 18, kWhite, "bold", 1, 1, kOutline);
    // Little scene: the player's car and its opponent.
    c.FillRoundRect(x + 16, 78, 118, 56, 6, kRoad);
    c.FillRect(x + 16, 104, 118, 3, {230, 230, 220});
    if (i == 0) {
      DrawCarAt(c, x + 56, 92, 0, false, 0.95f, 0.4f);  // the ghost
      DrawCarAt(c, x + 92, 120, 0, false, 0.95f, 1);
      for (int k = 0; k < 3; ++k) c.Line(x + 22, 114 + k * 6, x + 42 - k * 4, 114 + k * 6, 2, {200, 200, 210});
    } else {
      DrawCarAt(c, x + 96, 92, 0, true, 0.95f, 1);
      DrawCarAt(c, x + 72, 120, 0, false, 0.95f, 1);
    }
  }
  // Highlight frame (300, 0, 150, 150).
  c.StrokeRoundRect(300, 0, 150, 150, 14, 8, kOutline);
  c.StrokeRoundRect(301, 1, 148, 148, 13, 6, {255, 236, 120});
  return c;
}

Canvas SmallMap(const std::vector<Canvas>& thumbs) {
  Canvas c(768, 96);
  for (size_t k = 0; k < thumbs.size(); ++k) c.Blit(thumbs[k], 128 * (int)k, 0);
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

Canvas Finish() {
  Canvas c(376, 308);
  // Goal banner of mode 1 (0, 0, 376, 75).
  Checker(c, 6, 14, 4, 6, 8);
  Checker(c, 338, 14, 4, 6, 8);
  GradientText(c, "FINISH!", 188, 6, 46, {255, 240, 120}, {240, 130, 30}, "oblique", 1, 3);
  // Record banner (0, 75, 376, 35).
  c.FillRoundRect(20, 77, 336, 31, 8, kOutline);
  c.GradientRoundRect(22, 79, 332, 27, 7, {236, 60, 48}, {150, 20, 20});
  c.Text("NEW RECORD!", 188, 81, 18, kWhite, "oblique", 1, 1, kOutline);
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
  auto banner = [&](float y, const std::string& s, Rgb top, Rgb bottom) {
    c.FillRoundRect(2, y + 2, 290, 42, 10, kOutline);
    c.GradientRoundRect(4, y + 4, 286, 38, 9, top, bottom);
    c.StrokeRoundRect(4, y + 4, 286, 38, 9, 2, {255, 255, 255});
    c.Text(s, 147, y + 8, 24, kWhite, "oblique", 1, 2, kOutline);
  };
  banner(167, "YOU WIN!", {250, 196, 40}, {220, 110, 20});  // goal banner of mode 2
  banner(214, "YOU LOSE", {90, 100, 130}, {40, 44, 64});    // lost banner of mode 2
  banner(262, "TIME UP", {220, 60, 48}, {130, 20, 20});     // time-up banner of mode 1
  return c;
}

Canvas ColorCheck() {
  Canvas c(16, 16);
  c.SetPixel(0, 0, kRoad);
  c.SetPixel(1, 0, kGoal);
  c.SetPixel(2, 0, kDirtRoad);
  return c;
}

Canvas Full() {
  Canvas c(480, 480);
  c.Clear({10, 12, 22}, 255);
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
  float w = Canvas::TextWidth(s, size, "bold"), h = Canvas::TextHeight(size, "bold");
  float cx = inkW > 0 ? cellX + inkW / 2 : cellX + cellW / 2;
  (void)w;
  c.Text(s, cx, cellY + (cellH - h) / 2, size, fill, "bold", 1, outline, kOutline);
}

Canvas Num() {
  Canvas c(185, 112);
  const char* cells[4] = {"4", "3", "2", "1"};
  for (int k = 0; k < 4; ++k) Glyph(c, cells[k], 31 * k, 0, 31, 36, 28, k == 3 ? Rgb{255, 120, 60} : kGold, 2);
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
      Glyph(c, d == 10 ? ":" : std::string(1, (char)('0' + d)), 32 * d, 42 * r, 32, 42, 30, rows[r], 2);
    }
  Glyph(c, "/", 352, 42, 32, 42, 30, kGold, 2);
  // Small digits: 21 wide cells drawn 16 apart, so the ink stays within 15 pixels.
  for (int d = 0; d <= 10; ++d)
    Glyph(c, d == 10 ? ":" : std::string(1, (char)('0' + d)), 21 * d, 126, 21, 22, 18, kWhite, 1, 16);
  // HUD labels.
  c.Text("BEST", 444, 44, 12, kGold, "bold", 1, 1, kOutline);
  c.Text("TIME", 444, 64, 12, kWhite, "bold", 1, 1, kOutline);
  // Course select plate (417, 7, 197, 22): label on the left, room for the time on the right.
  c.FillRoundRect(417, 7, 197, 22, 6, kOutline);
  c.GradientRoundRect(418, 8, 195, 20, 5, {50, 60, 100}, kNavyDark);
  c.Text("BEST TIME", 424, 10, 12, kGold, "bold");
  // Result screen row labels (0, 170, 187, 41) and (196, 170, 187, 41).
  c.Text("BEST TIME", 4, 177, 22, kGold, "bold", 0, 2, kOutline);
  c.Text("YOUR TIME", 200, 177, 22, kWhite, "bold", 0, 2, kOutline);
  return c;
}

Canvas Comment(const std::vector<coursekit::CourseDescription>& courses) {
  Canvas c(480, 1170);
  auto row = [&](int r, const std::string& kicker, const std::string& title, const std::vector<std::string>& lines,
                 const std::string& footer) {
    float y = 130.0f * r;
    Panel(c, 4, y + 4, 472, 122, 12);
    c.Text(kicker, 20, y + 12, 11, kGold, "bold");
    c.Text(title, 20, y + 26, 20, kWhite, "oblique", 0, 1, kOutline);
    float ly = y + 56;
    for (const auto& l : lines) {
      c.Text(l, 20, ly, 12, {220, 226, 240}, "regular");
      ly += 18;
    }
    if (!footer.empty()) c.Text(footer, 460, y + 102, 11, kGold, "bold", 2);
  };
  row(0, "MODE 1", "TIME ATTACK",
      {"Three laps against your own best run, shown as a ghost.", "Beat it to set a new record."},
      "Z: choose   X: back");
  row(1, "MODE 2", "RIVAL BATTLE",
      {"Three laps against the blue rival car.", "Beat its time to clear the course and unlock the next."},
      "Z: choose   X: back");
  for (int k = 0; k < 6 && k < (int)courses.size(); ++k) {
    const auto& d = courses[k];
    int secs = coursekit::StartOf(k).overTime / 1000;
    char limit[64];
    std::snprintf(limit, sizeof limit, "3 LAPS   TIME LIMIT %d:%02d", secs / 60, secs % 60);
    std::vector<std::string> lines(d.comment.begin(), d.comment.begin() + std::min<size_t>(2, d.comment.size()));
    row(2 + k, "COURSE " + std::to_string(k + 1) + (d.surface == "dirt" ? "  -  DIRT" : ""), d.name, lines, limit);
  }
  row(8, "LOCKED", "NOT YET OPEN",
      {"Win a rival battle to unlock the next course.", "Each course cleared opens one more."}, "");
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
