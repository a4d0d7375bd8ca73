// sheet_parts.h -- what the sheet painters share: lettering, panels, keys, and the painters
// themselves for the list in sheets.cpp.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "course.h"
#include "palette.h"

namespace artgen {

// Outlines, shadows and panel rims.
const Rgb kOutline{18, 16, 24};

// Splits text into lines no wider than maxW.
std::vector<std::string> Wrap(const std::string& text, int size, const std::string& font, int maxW);
// Writes wrapped text and returns the y below it.
float Paragraph(Canvas& c, const std::string& text, float x, float y, int maxW, int size, Rgb col,
                const std::string& font = "regular", float lead = 1.25f);
// Text filled with a vertical gradient, with a dark outline.
void GradientText(Canvas& c, const std::string& s, float x, float y, int size, Rgb top, Rgb bottom,
                  const std::string& font, int align, int outline);
// Lettering that holds on any ground: a dark outline `outline` pixels wide all round,
// a further pixel of it down and to the right as a shadow, then the fill.
void InkText(Canvas& c, const std::string& s, float x, float y, int size, Rgb fill, const std::string& font = "bold",
             int align = 0, int outline = 2);
// Outlined lettering squeezed sideways, when needed, to fit maxW; (x, y) is the centre of the
// line's left edge (align 0) or of the line itself (align 1).
void FitText(Canvas& c, const std::string& s, float x, float y, int size, Rgb fill, float maxW, int align = 1,
             int outline = 2, const std::string& font = "bold");
// A dark label plate with a gold rim, readable on snow, sand, the goal stripe and asphalt alike.
void Plate(Canvas& c, float x, float y, float w, float h, const std::string& s, Rgb ink, float r = 5);
// The house panel: navy gradient, gold rim.
void Panel(Canvas& c, float x, float y, float w, float h, float r = 10);
// A keyboard key with a label (text or an arrow: "^", "v", "<", ">").
void Key(Canvas& c, float x, float y, float s, const std::string& label, Rgb cap = {236, 236, 232});
// A chequered flag of cols x rows squares of side sq.
void Checker(Canvas& c, float x, float y, int cols, int rows, float sq);
// A padlock centred on (cx, cy), s across.
void Padlock(Canvas& c, float cx, float cy, float s);
// A speech bubble with tails whose tips reach up (or down) to the given x positions.
void Bubble(Canvas& c, float x, float y, float w, float h, const std::vector<float>& tipXs, bool tipUp);
// A digit (or separator) centred in a cell, ink kept inside `inkW` from the cell's left.
void Glyph(Canvas& c, const std::string& s, float cellX, float cellY, float cellW, float cellH, int size, Rgb fill,
           int outline, float inkW = 0);
// One car at any heading and scale (cars.cpp).
void DrawCarAt(Canvas& c, float cx, float cy, float deg, bool rival, float scale, float alpha);

// The front end's sheets (sheets_menus.cpp).
Canvas Title();
Canvas Menu();
Canvas Stick();
Canvas Keybord();
Canvas Help();
Canvas Mode();
Canvas GameSelect();

// The course select's and the race's sheets (sheets_race.cpp).
Canvas SmallMap(const std::vector<Canvas>& thumbs);
Canvas Frame();
Canvas Finish();
Canvas ColorCheck();
Canvas Full();
Canvas Num();
Canvas Kazu();
Canvas Comment(const std::vector<coursekit::CourseDescription>& courses);

}  // namespace artgen
