// sheet_parts.cpp -- lettering, panels, keys and bubbles shared by the sheet painters.
#include "sheet_parts.h"

#include <cmath>
#include <sstream>

namespace artgen {

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
                const std::string& font, float lead) {
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
void InkText(Canvas& c, const std::string& s, float x, float y, int size, Rgb fill, const std::string& font, int align,
             int outline) {
  c.Text(s, x + 1, y + 1, size, kOutline, font, align, outline, kOutline);
  c.Text(s, x, y, size, fill, font, align, outline, kOutline);
}

// Outlined lettering squeezed sideways, when needed, to fit maxW; (x, y) is the centre of the
// line's left edge (align 0) or of the line itself (align 1).
void FitText(Canvas& c, const std::string& s, float x, float y, int size, Rgb fill, float maxW, int align, int outline,
             const std::string& font) {
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
void Plate(Canvas& c, float x, float y, float w, float h, const std::string& s, Rgb ink, float r) {
  c.FillRoundRect(x, y, w, h, r, kOutline);
  c.GradientRoundRect(x + 1, y + 1, w - 2, h - 2, r - 1, {58, 68, 110}, kNavyDark);
  c.StrokeRoundRect(x + 1, y + 1, w - 2, h - 2, r - 1, 1, {150, 120, 50});
  FitText(c, s, x + w / 2, y + h / 2 + 0.5f, static_cast<int>(h * 0.55f), ink, w - 6, 1, 1);
}

// The house panel: navy gradient, gold rim.
void Panel(Canvas& c, float x, float y, float w, float h, float r) {
  c.FillRoundRect(x, y, w, h, r, kOutline);
  c.GradientRoundRect(x + 2, y + 2, w - 4, h - 4, r - 1, {44, 54, 92}, kNavyDark);
  c.StrokeRoundRect(x + 2, y + 2, w - 4, h - 4, r - 1, 2, kGold);
}

// A keyboard key with a label (text or an arrow: "^", "v", "<", ">").
void Key(Canvas& c, float x, float y, float s, const std::string& label, Rgb cap) {
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

// A speech bubble with tails whose tips reach up (or down) to the given x positions.
void Bubble(Canvas& c, float x, float y, float w, float h, const std::vector<float>& tipXs, bool tipUp) {
  const Rgb paper{252, 248, 236};
  std::vector<std::vector<Pt>> tips;
  tips.reserve(tipXs.size());
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

// A digit (or separator) centred in a cell, ink kept inside `inkW` from the cell's left.
void Glyph(Canvas& c, const std::string& s, float cellX, float cellY, float cellW, float cellH, int size, Rgb fill,
           int outline, float inkW) {
  // The digits' height (about 0.73 of the size, their top 0.2 below the line's) is centred,
  // not the line's, which holds room for descenders.
  const float asc = size * 0.93f, cap = size * 0.73f;
  float cx = inkW > 0 ? cellX + inkW / 2 : cellX + cellW / 2;
  InkText(c, s, cx - 0.5f, cellY + (cellH - cap) / 2 - (asc - cap) - 0.5f, size, fill, "bold", 1, outline);
}

}  // namespace artgen
