// track_table.h -- the six courses: their size, start places, time limits and goal lines
#pragma once
#include <cstdint>

enum {
  COURSE_COUNT = 6,
  SLOT_COUNT = 12,  // record slots: course + 6 * (mode - 1)
  COURSE_W = 1536,  // the course image size every course must have
  COURSE_H = 1152,
};

struct TrackRow {
  float InitX, InitY;                    // player's start, top-left of the sprite
  float InitAX, InitAY;                  // second car's start in mode 2
  int32_t InitOverTime;                  // time limit, race-clock milliseconds
  int32_t goalX, goalY, goalW, goalH;    // goal rectangle, edges excluded
  int32_t InitAng;                       // start facing of both cars, sprite frame
  float mapCenterInitX, mapCenterInitY;  // centre of the course zoom
  int32_t mapRunFlg;                     // open from the start (the front end unlocks more)
};

// The one course table: the race, the front end, the course kit, the art
// generator and the autopilot all read it.
extern const TrackRow kTrack[COURSE_COUNT];

// The course of a record slot: slots 0..5 are mode 1, 6..11 mode 2. A slot
// outside 0..11 still names a course, so it never indexes outside the tables.
inline int32_t CourseOfSlot(int32_t mapCnt) {
  const int32_t k = mapCnt % COURSE_COUNT;
  return k < 0 ? k + COURSE_COUNT : k;
}

// The goal probe of a car whose sprite's top-left corner is (posX, posY),
// facing dir: 18 px ahead of (posX + 24, posY + 38), truncated. 24, not the
// sprite centre's 26: the probe sits a little left of centre.
void GoalProbe(float posX, float posY, float dir, int32_t* px, int32_t* py);

// True when (px, py) lies strictly inside the course's goal rectangle.
bool InGoalRect(int32_t course, int32_t px, int32_t py);
