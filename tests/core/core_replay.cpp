// core_replay.cpp -- the six rivals' key recordings raced by the core library alone, no SDL anywhere
//
// Usage: velkaro_core_replay RUNTIME_DIR SOURCE_DIR SCRATCH_DIR
// Reads the course images and the colour sample from RUNTIME_DIR/image, the
// recordings from SOURCE_DIR/tools/autopilot/rivals and the shipped runs from
// SOURCE_DIR/data; races each recording in SCRATCH_DIR and checks that the run
// the race stores at the goal is the shipped one, entry for entry, and that
// the race's time is the shipped time to beat. Prints one line per rival and
// a closing count; exits 1 on any difference.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/keymask.h"
#include "core/track_table.h"
#include "race/car_state.h"
#include "race/race_frame.h"
#include "race/race_start.h"
#include "race/race_state.h"
#include "records/data_files.h"
#include "records/record_tables.h"

namespace {

// An uncompressed 24-bit BMP as an SDL surface of the same format holds it:
// top row first, B, G, R bytes a pixel.
struct Picture {
  int32_t w = 0, h = 0;
  std::vector<uint8_t> bgr;
};

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v * 256 + static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
  return v;
}

bool ReadFile(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *out = s.str();
  return true;
}

bool LoadBmp24(const std::string& path, Picture* pic) {
  std::string b;
  if (!ReadFile(path, &b) || b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
  const uint32_t offset = Le(b, 10, 4);
  const auto w = static_cast<int32_t>(Le(b, 18, 4));
  const auto h = static_cast<int32_t>(Le(b, 22, 4));
  if (Le(b, 28, 2) != 24 || Le(b, 30, 4) != 0 || w <= 0 || h <= 0) return false;
  const size_t rowBytes = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
  if (b.size() < offset + rowBytes * static_cast<size_t>(h)) return false;
  pic->w = w, pic->h = h;
  pic->bgr.resize(static_cast<size_t>(w) * 3 * static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y) {  // rows are stored bottom-up
    const size_t from = offset + rowBytes * static_cast<size_t>(h - 1 - y);
    b.copy(reinterpret_cast<char*>(&pic->bgr[static_cast<size_t>(y) * static_cast<size_t>(w) * 3]),
           static_cast<size_t>(w) * 3, from);
  }
  return true;
}

CourseView ViewOf(const Picture& p) { return CourseView{p.bgr.data(), p.w, p.h, p.w * 3, 3}; }

struct Recording {
  int32_t course = -1, posX = 0, posY = 0, dir = 0;
  std::vector<uint8_t> keys;
};

bool LoadRecording(const std::string& path, Recording* rec) {
  std::ifstream in(path);
  std::string course, x, y, d;
  if (!(in >> course >> rec->course >> x >> rec->posX >> y >> rec->posY >> d >> rec->dir)) return false;
  int key;
  while (in >> key) rec->keys.push_back(static_cast<uint8_t>(key));
  return course == "course" && !rec->keys.empty();
}

// Races the recording on slot course in mode 1 with no best time, as the
// autopilot made it: both cars face the recorded facing, the first KeyMask
// drives the setup frame, then the player's car stands on the recorded start.
int32_t Race(const Recording& rec, const Picture& course, const Picture& sample) {
  ResetCoreState();
  for (CarState& c : car) {
    c.dir = static_cast<float>(rec.dir);
    c.moveAng = 15 * rec.dir;
  }
  bestTime[rec.course] = 0;
  const CourseView view = ViewOf(course);
  const CourseView colours = ViewOf(sample);
  for (size_t i = 0; i < rec.keys.size() && race.goalFlg != 1; ++i) {
    if (race.readyFlg == 0) {
      NameRace(rec.course, 1);
      race.wayColor = CoursePixel(colours, rec.course == 5 ? 2 : 0, 0);
      race.goalColor = CoursePixel(colours, 1, 0);
      if (!StartRace()) return -1;
    }
    RaceFrame(rec.keys[i], view);
    if (i == 0) car[0].posX = static_cast<float>(rec.posX), car[0].posY = static_cast<float>(rec.posY);
  }
  return race.Time;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::string x, y;
  return ReadFile(a, &x) && ReadFile(b, &y) && x == y;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s RUNTIME_DIR SOURCE_DIR SCRATCH_DIR\n", argv[0]);
    return 2;
  }
  const std::string runtime = argv[1], source = argv[2], scratch = argv[3];
  Picture sample;
  std::error_code error;
  int32_t shippedBest[SLOT_COUNT] = {};
  if (!LoadBmp24(runtime + "/image/colorCheck.bmp", &sample) || chdir(source.c_str()) != 0 ||
      !ReadBestTimes(shippedBest) || (!std::filesystem::create_directories(scratch + "/data", error) && error) ||
      chdir(scratch.c_str()) != 0) {
    std::fprintf(stderr, "cannot set up: colour sample, shipped best times or scratch folder\n");
    return 2;
  }
  int passed = 0, failed = 0;
  for (int32_t k = 0; k < COURSE_COUNT; ++k) {
    const std::string slot = std::to_string(k + 6);
    Recording rec;
    Picture course;
    const bool loaded = LoadRecording(source + "/tools/autopilot/rivals/rival" + slot + ".keys", &rec) &&
                        rec.course == k && LoadBmp24(runtime + "/image/map" + std::to_string(k) + ".bmp", &course);
    const std::string check = "data/check" + std::to_string(k) + ".txt";
    const bool copied = loaded && std::filesystem::copy_file(source + "/" + check, check,
                                                             std::filesystem::copy_options::overwrite_existing, error);
    const int32_t time = copied ? Race(rec, course, sample) : -1;
    const bool sameRun =
        SameFile("data/ghost" + std::to_string(k) + ".txt", source + "/data/ghost" + slot + ".txt") &&
        SameFile("data/saveCnt" + std::to_string(k) + ".txt", source + "/data/saveCnt" + slot + ".txt");
    const bool ok = time > 0 && time == shippedBest[k + 6] && sameRun;
    std::printf("rival %s on course %d: time %d (shipped %d), run %s: %s\n", slot.c_str(), k, time, shippedBest[k + 6],
                sameRun ? "same" : "differs", ok ? "ok" : "FAILED");
    (ok ? passed : failed) += 1;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
