// record_tables.cpp -- storage of the best times and cleared flags
#include "records/record_tables.h"

int32_t bestTime[12] = {};
int32_t clearFlg[6] = {};
