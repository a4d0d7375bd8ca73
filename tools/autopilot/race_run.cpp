// race_run.cpp -- one race headless through Game: driven by the autopilot or replayed from its keys
#include "race_run.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/program_state.h"
#include "core/track_table.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race_scene/course_colours.h"
#include "race_scene/game.h"
#include "records/data_files.h"
#include "records/record_tables.h"

namespace autopilot {

namespace {

// The one KeyMask of the coming call. Any further read in the same call (the
// result screen's, when the car is already slow at the goal) finds it spent
// and asks to quit, which ends that call at once.
uint8_t pendingKey = 0;
bool keyPending = false;

uint8_t TakePendingKey() {
  if (!keyPending) return KEY_QUIT;
  keyPending = false;
  return pendingKey;
}

void NoPresent(SDL_Surface*) {}

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

bool CentreOnRoad() {
  return IsDrivable(CourseViewOf(img.mapImage), static_cast<int32_t>(car[0].posX + CAR_CENTRE_X),
                    static_cast<int32_t>(car[0].posY + CAR_CENTRE_Y));
}

// Resets the race and the cars to the recording's start. Mode 1 clears the course's record
// so any finish stores its run; mode 2 needs a rival's time. False if the race cannot run.
bool PrepareRace(const KeyRecording& start, int32_t mode, int32_t slot) {
  const int course = start.course;
  if (course < 0 || course > 5 || !LoadCoursePair(course)) return false;
  ResetProgramState();
  for (CarState& c : car) {
    c.dir = static_cast<float>(start.dir);
    c.moveAng = 15 * start.dir;
  }
  if (mode == 1) {
    bestTime[course] = 0;  // any finish is a record: the game stores the run
    const std::string countFile = "data/saveCnt" + std::to_string(course) + ".txt";
    const std::string entryFile = "data/ghost" + std::to_string(course) + ".txt";
    std::remove(countFile.c_str());
    std::remove(entryFile.c_str());
    return true;
  }
  return ReadBestTimes(bestTime) && bestTime[slot] != 0;  // else no rival to race
}

// Calls the race scene once per key from next() until the goal, the scene ends or maxCalls.
// The first call sets the race up; the player's car is then moved to the recording's start.
void DriveCalls(SDL_Surface* screen, const KeyRecording& start, int32_t mode, int32_t slot, int maxCalls,
                const std::function<bool(uint8_t*)>& next, RaceOutcome* out) {
  SetKeySource(TakePendingKey);
  SetPresenter(NoPresent);
  int32_t code = 4;
  uint8_t key = 0;
  while (out->calls < maxCalls && next(&key)) {
    pendingKey = key;
    keyPending = true;
    code = Game(screen, slot, mode);
    keyPending = false;
    ++out->calls;
    if (out->calls == 1) {
      if (code != 4) break;
      car[0].posX = static_cast<float>(start.posX);
      car[0].posY = static_cast<float>(start.posY);
    }
    if (!CentreOnRoad()) out->stayedOnRoad = false;
    if (race.goalFlg == 1 || code != 4) break;
  }
  SetKeySource(nullptr);
  SetPresenter(nullptr);
}

// The run the race stored for the course at the goal.
bool ReadStoredRun(int course, RaceOutcome* out) {
  int32_t count = 0;
  if (!ReadRunCount(course, &count)) return false;
  std::vector<int32_t> x(RUN_CAPACITY), y(RUN_CAPACITY), a(RUN_CAPACITY);
  if (!ReadRunEntries(course, count, x.data(), y.data(), a.data())) return false;
  for (int32_t i = 0; i < count; ++i) out->run.push_back({x[i], y[i], a[i]});
  return true;
}

// Runs one race from the recording's start, asking next() for each call's keys
// (false from next() ends the race early).
bool RunRace(SDL_Surface* screen, const KeyRecording& start, int32_t mode, int maxCalls,
             const std::function<bool(uint8_t*)>& next, RaceOutcome* out) {
  *out = RaceOutcome{};
  const int32_t slot = mode == 2 ? RivalSlot(start.course) : start.course;
  if (!PrepareRace(start, mode, slot)) return false;
  DriveCalls(screen, start, mode, slot, maxCalls, next, out);
  out->finished = race.mapNum == 3;
  out->Time = race.Time;
  out->overTime = race.overTime;
  out->beatRival = mode == 2 && race.ReTime == 1;
  if (mode == 1 && out->finished) return ReadStoredRun(start.course, out);
  return true;
}

}  // namespace

std::string FormatRecording(const KeyRecording& rec) {
  std::ostringstream s;
  s << "course " << rec.course << " posX " << rec.posX << " posY " << rec.posY << " dir " << rec.dir << "\n";
  for (size_t i = 0; i < rec.keys.size(); ++i) {
    s << static_cast<int>(rec.keys[i]);
    s << ((i + 1) % 30 == 0 || i + 1 == rec.keys.size() ? "\n" : " ");
  }
  return s.str();
}

bool ParseRecording(const std::string& text, KeyRecording* rec, std::string* error) {
  std::istringstream in(text);
  std::string header;
  std::getline(in, header);
  std::istringstream h(header);
  std::string wCourse, wX, wY, wDir;
  KeyRecording r;
  if (!(h >> wCourse >> r.course >> wX >> r.posX >> wY >> r.posY >> wDir >> r.dir) || wCourse != "course" ||
      wX != "posX" || wY != "posY" || wDir != "dir")
    return Fail(error, "first line must be: course K posX X posY Y dir D");
  if (r.course < 0 || r.course > 5) return Fail(error, "course out of range 0..5");
  if (r.dir < 0 || r.dir > 23) return Fail(error, "dir out of range 0..23");
  std::string word;
  while (in >> word) {
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || v < 0 || v > 255) return Fail(error, "not a KeyMask: " + word);
    r.keys.push_back(static_cast<uint8_t>(v));
  }
  *rec = r;
  return true;
}

bool LoadRecording(const std::string& path, KeyRecording* rec, std::string* error) {
  std::ifstream in(path);
  if (!in) return Fail(error, "cannot open " + path);
  std::stringstream text;
  text << in.rdbuf();
  return ParseRecording(text.str(), rec, error);
}

bool SaveRecording(const std::string& path, const KeyRecording& rec) {
  std::ofstream out(path);
  out << FormatRecording(rec);
  return static_cast<bool>(out);
}

KeyRecording StartOn(int course, Grid grid) {
  const TrackRow& t = kTrack[course];
  KeyRecording rec;
  rec.course = course;
  rec.posX = static_cast<int32_t>(grid == Grid::Rival ? t.InitAX : t.InitX);
  rec.posY = static_cast<int32_t>(grid == Grid::Rival ? t.InitAY : t.InitY);
  rec.dir = t.InitAng;
  return rec;
}

bool LoadCentreLine(const std::string& coursesDir, int course, coursekit::CentreLine* line, std::string* error) {
  coursekit::CourseDescription desc;
  if (!coursekit::LoadCourseDescription(coursesDir + "/course" + std::to_string(course) + ".txt", &desc, error))
    return false;
  *line = coursekit::BuildCentreLine(desc);
  return true;
}

bool DriveCourse(SDL_Surface* screen, const coursekit::CentreLine& line, const Pace& pace, KeyRecording* rec,
                 RaceOutcome* out, int maxCalls) {
  Driver driver(line, pace);
  rec->keys.clear();
  return RunRace(
      screen, *rec, 1, maxCalls,
      [&](uint8_t* key) {
        *key = driver.Decide();
        rec->keys.push_back(*key);
        return true;
      },
      out);
}

bool DriveWith(SDL_Surface* screen, int mode, const std::function<uint8_t()>& decide, KeyRecording* rec,
               RaceOutcome* out, int maxCalls) {
  rec->keys.clear();
  return RunRace(
      screen, *rec, mode, maxCalls,
      [&](uint8_t* key) {
        *key = decide();
        rec->keys.push_back(*key);
        return true;
      },
      out);
}

bool ReplayRecording(SDL_Surface* screen, const KeyRecording& rec, RaceOutcome* out) {
  size_t next = 0;
  return RunRace(
      screen, rec, 1, static_cast<int>(rec.keys.size()),
      [&](uint8_t* key) {
        if (next >= rec.keys.size()) return false;
        *key = rec.keys[next++];
        return true;
      },
      out);
}

bool RaceTheRival(SDL_Surface* screen, const coursekit::CentreLine& line, const Pace& pace, KeyRecording* rec,
                  RaceOutcome* out) {
  Driver driver(line, pace);
  rec->keys.clear();
  return RunRace(
      screen, *rec, 2, 10200,
      [&](uint8_t* key) {
        *key = driver.Decide();
        rec->keys.push_back(*key);
        return true;
      },
      out);
}

}  // namespace autopilot
