// sheets_race.cpp -- the course select's and the race's sheets: thumbnails, frame, comment
// panels, goal banners, veil, digits and the colour sample.
#include <cmath>

#include "sheet_parts.h"

namespace artgen {

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

// The HUD's digits in three colours and in small, and the slash between lap and lap total.
static void KazuDigits(Canvas& c) {
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
}

Canvas Kazu() {
  Canvas c(620, 211);
  KazuDigits(c);
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

// One comment panel: row r of the sheet (130 px each). pointX > 0: a pointer on the panel's
// top edge that points up at the chosen mode's panel, so the choice reads even while the
// highlight frame is at its faintest.
struct CommentPanel {
  std::string kicker, title;
  std::vector<std::string> lines;
  std::string footer;
  float pointX = 0;
};

static void DrawCommentPanel(Canvas& c, int r, const CommentPanel& p) {
  const float pointX = p.pointX;
  float y = 130.0f * r, top = pointX > 0 ? y + 20 : y + 4;
  Panel(c, 4, top, 472, y + 126 - top, 12);
  if (pointX > 0) {
    c.FillPolygon({{pointX - 27, top + 3}, {pointX, y + 0.5f}, {pointX + 27, top + 3}}, kOutline);
    c.FillPolygon({{pointX - 22, top + 2.5f}, {pointX, y + 4}, {pointX + 22, top + 2.5f}}, kGold);
  }
  float ty = pointX > 0 ? top + 4 : top + 8;
  c.Text(p.kicker, 20, ty, 11, kGold, "bold");
  InkText(c, p.title, 20, ty + 13, 20, kWhite, "oblique", 0, 1);
  float ly = ty + 42;
  for (const auto& l : p.lines) {
    c.Text(l, 20, ly, 12, {220, 226, 240}, "regular");
    ly += 17;
  }
  if (!p.footer.empty()) c.Text(p.footer, 460, y + 104, 11, kGold, "bold", 2);
}

// A course's panel: its number, surface, name, first two comment lines and time limit.
static CommentPanel CoursePanel(int k, const coursekit::CourseDescription& d) {
  int secs = coursekit::StartOf(k).overTime / 1000;
  char limit[64];
  std::snprintf(limit, sizeof limit, "3 LAPS   TIME LIMIT %d:%02d", secs / 60, secs % 60);
  std::vector<std::string> lines(d.comment.begin(), d.comment.begin() + std::min<size_t>(2, d.comment.size()));
  return {"COURSE " + std::to_string(k + 1) + (d.surface == "dirt" ? "  -  DIRT" : ""), d.name, lines, limit};
}

Canvas Comment(const std::vector<coursekit::CourseDescription>& courses) {
  Canvas c(480, 1170);
  DrawCommentPanel(c, 0,
                   {"MODE 1 CHOSEN",
                    "TIME ATTACK",
                    {"Three laps against your own best run, shown as a ghost car.", "Beat it to set a new record."},
                    "LEFT/RIGHT: change   Z: choose   X: back",
                    125});
  DrawCommentPanel(c, 1,
                   {"MODE 2 CHOSEN",
                    "RIVAL BATTLE",
                    {"Three laps against the blue rival car. Beat its time to clear the course.",
                     "3 courses cleared open course 4, 4 open course 5, 5 open course 6."},
                    "LEFT/RIGHT: change   Z: choose   X: back",
                    355});
  for (int k = 0; k < 6 && k < static_cast<int>(courses.size()); ++k)
    DrawCommentPanel(c, 2 + k, CoursePanel(k, courses[k]));
  // Courses 1..3 are always open; course k opens once k courses have been cleared.
  DrawCommentPanel(c, 8,
                   {"LOCKED",
                    "NOT YET OPEN",
                    {"Clear courses by beating the rival in RIVAL BATTLE.", "3 courses cleared open course 4,",
                     "4 open course 5, 5 open course 6."},
                    ""});
  Padlock(c, 420, 130 * 8 + 44, 36);
  return c;
}

}  // namespace artgen
