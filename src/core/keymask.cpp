// keymask.cpp -- storage of the edge latches
#include "core/keymask.h"

KeyLatches latch = {};

void ResetKeyLatches() { latch = KeyLatches{}; }
