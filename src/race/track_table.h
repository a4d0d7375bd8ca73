// track_table.h -- the per-course constants, indexed by course 0..5
#pragma once
#include <cstdint>

struct TrackRow {
  float InitX, InitY;                    // player's start, top-left of the sprite
  float InitAX, InitAY;                  // second car's start in mode 2
  int32_t InitOverTime;                  // time limit, race-clock milliseconds
  int32_t goalX, goalY, goalW, goalH;    // goal rectangle, edges excluded
  int32_t InitAng;                       // start facing of both cars, sprite frame
  float mapCenterInitX, mapCenterInitY;  // centre of the course zoom
  int32_t mapRunFlg;                     // open from the start (the front end unlocks more)
};

extern const TrackRow kTrack[6];

// The course of a record slot: slots 0..5 are mode 1, 6..11 mode 2.
inline int CourseOfSlot(int32_t mapCnt) { return mapCnt % 6; }
