// palette.h -- colours mapped into the display's pixel format
#pragma once
#include <cstdint>

// The skid-mark grey (100, 100, 100) in the screen's format. Every front-end
// frame maps it again; the race draws its skid marks with it.
extern uint32_t LineColor;
