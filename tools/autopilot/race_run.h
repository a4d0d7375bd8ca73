// race_run.h -- key recordings, and driving or replaying one race headless through the game's race scene
#pragma once
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "driver.h"

namespace autopilot {

// A replayable race: the course, where element 0 of the car array stands
// after the setup frame (top-left corner) and which way it faces, and one
// KeyMask per call of the race scene from the setup frame to the frame that
// ended the race.
//
// Text form (whitespace-separated decimals after the first line):
//   course <K> posX <X> posY <Y> dir <D>
//   <key> <key> <key> ...
struct KeyRecording {
  int course = 0;
  int32_t posX = 0, posY = 0;
  int32_t dir = 0;
  std::vector<uint8_t> keys;
};

std::string FormatRecording(const KeyRecording& rec);
// False (with *error set) on a malformed first line or a key outside 0..255.
bool ParseRecording(const std::string& text, KeyRecording* rec, std::string* error = nullptr);
bool LoadRecording(const std::string& path, KeyRecording* rec, std::string* error = nullptr);
bool SaveRecording(const std::string& path, const KeyRecording& rec);

struct RunEntry {
  int32_t x, y, ang;
  bool operator==(const RunEntry& o) const { return x == o.x && y == o.y && ang == o.ang; }
};

// What one race gave.
struct RaceOutcome {
  bool finished = false;     // three laps completed
  int32_t Time = 0;          // race clock when the race ended
  int32_t overTime = 0;      // time left then
  int calls = 0;             // calls of the race scene, the setup frame included
  bool beatRival = false;    // mode 2: the player finished first (the game's win decision)
  bool stayedOnRoad = true;  // the centre point was on road or goal colour after every call
  // The run the game stored at the goal (read back from the slot's files).
  std::vector<RunEntry> run;
};

// Where a race is driven from: the player's grid (InitX, InitY) or the
// second car's (InitAX, InitAY); either way facing InitAng.
enum class Grid { Player, Rival };
KeyRecording StartOn(int course, Grid grid);

// Both functions race course rec.course in mode 1 on record slot rec.course
// with that slot's best time set to 0, so the finish is a record and the game
// itself writes the run to data/saveCnt<course>.txt and data/ghost<course>.txt
// of the working directory. The working directory must hold image/ (course
// images, colour sample) and data/check<course>.txt; the sheets must have been
// loaded with ImageLoad and a video surface must be given. Both install their
// own key source and an unpaced presenter, and restore the defaults after.
//
// The race goes like this: the course pair is loaded; the race state, the
// keyboard latches and both cars are put back to program start; both cars face
// rec.dir (moveAng 15 * dir); the first KeyMask drives the setup frame; then
// element 0 is put on (rec.posX, rec.posY); every further KeyMask drives one
// more call of the race scene.

// Drives with the autopilot from rec's start until the race ends (or
// maxCalls), filling rec->keys.
bool DriveCourse(SDL_Surface* screen, const coursekit::CentreLine& line, const Pace& pace, KeyRecording* rec,
                 RaceOutcome* out, int maxCalls = 10200);

// Feeds rec's keys, one per call, and reports what the race gave.
bool ReplayRecording(SDL_Surface* screen, const KeyRecording& rec, RaceOutcome* out);

// Reads "<coursesDir>/course<k>.txt" and builds its centre line.
bool LoadCentreLine(const std::string& coursesDir, int course, coursekit::CentreLine* line,
                    std::string* error = nullptr);

// Mode 2 against the rival stored in the working directory's data/ (slot
// course + 6, time to beat from data/bestTime.txt), driven by the autopilot
// from rec's start. Nothing is changed in data/ but what the game writes
// itself (clearFlg.txt on a win). False when the slot has no rival.
bool RaceTheRival(SDL_Surface* screen, const coursekit::CentreLine& line, const Pace& pace, KeyRecording* rec,
                  RaceOutcome* out);

// Races from rec's start with decide() choosing every call's keys, which are
// recorded into rec->keys: mode 1 alone as DriveCourse, mode 2 against the
// shipped rival as RaceTheRival.
bool DriveWith(SDL_Surface* screen, int mode, const std::function<uint8_t()>& decide, KeyRecording* rec,
               RaceOutcome* out, int maxCalls = 10200);

// The record slot a rival of course k is shipped in.
inline int RivalSlot(int course) { return course + 6; }

}  // namespace autopilot
