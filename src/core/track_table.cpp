// track_table.cpp -- start places, time limits and goal lines of the six courses
#include "core/track_table.h"

#include <cmath>

#include "core/angles.h"

const TrackRow kTrack[COURSE_COUNT] = {
    {667, 984, 667, 1055, 120000, 709, 1000, 40, 119, 0, 667, 912, 1},
    {687, 853, 687, 919, 120000, 729, 861, 50, 126, 0, 687, 853, 1},
    {1388, 518, 1453, 518, 300000, 1390, 576, 113, 43, 6, 1296, 518, 1},
    {28, 566, 86, 566, 200000, 31, 554, 106, 33, 18, 240, 566, 0},
    {715, 75, 715, 161, 200000, 758, 80, 34, 150, 0, 715, 240, 0},
    {20, 634, 88, 634, 100000, 16, 620, 121, 34, 18, 240, 634, 0},
};

void GoalProbe(float posX, float posY, float dir, int32_t* px, int32_t* py) {
  const double a = dir * 15 * kPi / 180;
  *px = static_cast<int32_t>(posX + 24 + 18 * std::cos(a));
  *py = static_cast<int32_t>(posY + 38 + 18 * std::sin(a));
}

bool InGoalRect(int32_t course, int32_t px, int32_t py) {
  const TrackRow& t = kTrack[course];
  return t.goalX < px && px < t.goalX + t.goalW && t.goalY < py && py < t.goalY + t.goalH;
}
