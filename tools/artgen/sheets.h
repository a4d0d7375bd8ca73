// sheets.h -- the seventeen sprite sheets and the window icon.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "course.h"

namespace artgen {

struct Sheet {
  std::string file;  // name under image/
  Canvas canvas;
  bool keyed;  // magenta is the transparent colour
};

// Draws every sheet. `thumbs` are the six course thumbnails (128 x 96) and `courses`
// the descriptions, whose names and comments go onto the comment panels.
std::vector<Sheet> DrawSheets(const std::vector<Canvas>& thumbs,
                              const std::vector<coursekit::CourseDescription>& courses);

// The car sheets alone (24 frames of 52 x 76); rival = false for the player's car.
Canvas DrawCarSheet(bool rival);

// The window icon, 32 x 32.
Canvas DrawIcon(int size = 32);

}  // namespace artgen
