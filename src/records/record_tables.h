// record_tables.h -- best times and cleared courses, shared by the race and the front end
#pragma once
#include <cstdint>

#include "core/track_table.h"

// Read from their files by the course select each time it opens; changed and
// written by the race. Both live for the whole program and start at 0.
extern int32_t bestTime[SLOT_COUNT];    // per record slot, race-clock ms; 0 = no time
extern int32_t clearFlg[COURSE_COUNT];  // per course, 1 = the mode-2 rival was beaten
