// palette.h -- the shared colours of every sheet and course.
#pragma once

#include "canvas.h"

namespace artgen {

// Drivable colours, sampled by the race from colorCheck.bmp: (0,0), (1,0) and (2,0).
const Rgb kRoad{88, 90, 98};
const Rgb kGoal{236, 236, 228};
const Rgb kDirtRoad{172, 128, 84};

// Lettering and panels.
const Rgb kInk{22, 20, 28};
const Rgb kWhite{250, 250, 248};
const Rgb kRed{214, 46, 38};
const Rgb kDeepRed{140, 22, 20};
const Rgb kGold{252, 196, 44};
const Rgb kOrange{248, 128, 32};
const Rgb kNavy{30, 38, 66};
const Rgb kNavyDark{16, 20, 38};
const Rgb kSky{96, 184, 244};
const Rgb kGreen{96, 210, 96};
const Rgb kGrey{150, 156, 170};

}  // namespace artgen
