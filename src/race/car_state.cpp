// car_state.cpp -- storage of the two cars
#include "race/car_state.h"

CarState car[2] = {};
