// palette.cpp -- storage of the mapped colours
#include "gfx/palette.h"

uint32_t LineColor = 0;
