// sheets.cpp -- the list of sprite sheets, in the order they are written.
//
// Sheet sizes (the smallest that hold every rectangle the game draws from them):
//   car, Ecar 1248 x 76      title 466 x 49      menu 112 x 63       stick 480 x 8
//   keybord 480 x 313        help 480 x 480      mode 450 x 150      SmallMap 768 x 96
//   finish 376 x 308         frame 256 x 96      colorCheck 16 x 16  full 480 x 480
//   GameSelect 250 x 150     num 185 x 112       kazu 620 x 211      comment 480 x 1170
#include "sheets.h"

#include "sheet_parts.h"

namespace artgen {

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
