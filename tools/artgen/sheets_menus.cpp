// sheets_menus.cpp -- the front end's sheets: title, menu, cursor bar, keyboard, help, mode and game select.
#include <cmath>

#include "sheet_parts.h"

namespace artgen {

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
static void HudDiagram(Canvas& c, float y) {
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

// The keys in one row, each with what it does.
static void KeyLegend(Canvas& c, float y) {
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
  KeyLegend(c, y + 2);
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

}  // namespace artgen
