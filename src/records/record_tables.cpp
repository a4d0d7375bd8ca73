// record_tables.cpp -- storage of the best times and cleared flags
#include "records/record_tables.h"

int32_t bestTime[SLOT_COUNT] = {};
int32_t clearFlg[COURSE_COUNT] = {};
