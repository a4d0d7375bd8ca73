// main.cpp -- velkaro_autopilot: drive a course, replay a key recording, or make the six rivals
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "gfx/images.h"
#include "limited_driver.h"
#include "race_run.h"
#include "records/data_files.h"
#include "records/record_tables.h"
#include "rivals.h"

namespace {

const char* kUsage =
    "usage: velkaro_autopilot [--run-dir DIR] [--courses DIR] [--data DIR] COMMAND\n"
    "  drive K [--rival-grid] [--top V] [--turn R] [--lane L] [--keys FILE]\n"
    "      drive course K (0..5), print the finishing Time, optionally save the key recording\n"
    "  replay FILE     replay a key recording and print what the race gave\n"
    "  rivals OUTDATA KEYSDIR\n"
    "      drive the six rivals at their paces; write saveCnt6..11, ghost6..11 and slots\n"
    "      6..11 of bestTime.txt into OUTDATA, and rival6..11.keys into KEYSDIR\n"
    "  paces           drive every course at full pace, alone and against its shipped rival\n"
    "  person [--reaction F] [--decide F] [--tap F]\n"
    "      drive every course with a person's limits (frames; defaults 8, 6, 3), alone and\n"
    "      against its shipped rival, beside full pace: the rival table of docs/AUTOPILOT.md\n"
    "--run-dir holds image/ (default: the build's runtime directory), --courses the course\n"
    "descriptions, --data the checkpoint files (defaults: the source tree's).\n";

struct Paths {
  std::string runDir = VELKARO_RUNTIME_DIR;
  std::string courses = std::string(VELKARO_SOURCE_DIR) + "/tools/courses";
  std::string data = std::string(VELKARO_SOURCE_DIR) + "/data";
};

std::string Absolute(const std::string& p) {
  if (!p.empty() && p[0] == '/') return p;
  char cwd[4096];
  return std::string(getcwd(cwd, sizeof cwd) ? cwd : ".") + "/" + p;
}

bool Run(const std::string& cmd) { return std::system(cmd.c_str()) == 0; }

// A scratch working directory with the runtime images and a copy of the data files,
// where the race may write its run files; removed on exit.
class Workshop {
 public:
  explicit Workshop(const Paths& paths) {
    char templ[] = "/tmp/velkaro-autopilot-XXXXXX";
    dir_ = mkdtemp(templ) ? templ : "";
    ok_ = !dir_.empty() && Run("mkdir -p '" + dir_ + "/data' && ln -s '" + paths.runDir + "/image' '" + dir_ +
                               "/image' && cp '" + paths.data + "'/*.txt '" + dir_ + "/data/'");
    ok_ = ok_ && chdir(dir_.c_str()) == 0;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ok_ = ok_ && SDL_Init(SDL_INIT_VIDEO) == 0;
    screen_ = ok_ ? SDL_SetVideoMode(480, 480, 24, 0) : nullptr;
    if (screen_) ImageLoad();
    ok_ = screen_ && img.checkImage;
  }
  ~Workshop() {
    ImageRelease();
    SDL_Quit();
    if (!dir_.empty()) Run("rm -rf '" + dir_ + "'");
  }
  bool ok() const { return ok_; }
  SDL_Surface* screen() const { return screen_; }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
  bool ok_ = false;
  SDL_Surface* screen_ = nullptr;
};

void Report(const autopilot::KeyRecording& rec, const autopilot::RaceOutcome& out) {
  std::printf("course %d from (%d, %d) dir %d: %s, Time %d, calls %d, stored entries %zu, %s\n", rec.course, rec.posX,
              rec.posY, rec.dir, out.finished ? "finished" : "NOT finished", out.Time, out.calls, out.run.size(),
              out.stayedOnRoad ? "on the road throughout" : "LEFT THE ROAD");
}

struct DriveOptions {
  autopilot::Pace pace = autopilot::FullPace();
  bool rivalGrid = false;
  std::string keysPath;  // where to save the key recording, if anywhere
};

// The options after "drive K"; false on one it does not know.
bool ParseDriveOptions(int argc, char** argv, DriveOptions* o) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--rival-grid"))
      o->rivalGrid = true;
    else if (!std::strcmp(argv[i], "--top") && i + 1 < argc)
      o->pace.topSpeed = std::strtof(argv[++i], nullptr);
    else if (!std::strcmp(argv[i], "--turn") && i + 1 < argc)
      o->pace.turnRate = std::strtof(argv[++i], nullptr);
    else if (!std::strcmp(argv[i], "--lane") && i + 1 < argc)
      o->pace.lane = std::strtof(argv[++i], nullptr);
    else if (!std::strcmp(argv[i], "--keys") && i + 1 < argc)
      o->keysPath = Absolute(argv[++i]);
    else
      return false;
  }
  return true;
}

int Drive(const Paths& paths, int argc, char** argv) {
  if (argc < 1) return std::fputs(kUsage, stderr), 2;
  const int course = std::atoi(argv[0]);
  if (course < 0 || course > 5) return std::fputs("course must be 0..5\n", stderr), 2;
  DriveOptions o;
  if (!ParseDriveOptions(argc, argv, &o)) return std::fputs(kUsage, stderr), 2;
  coursekit::CentreLine line;
  std::string error;
  if (!autopilot::LoadCentreLine(paths.courses, course, &line, &error))
    return std::fprintf(stderr, "%s\n", error.c_str()), 1;
  Workshop shop(paths);
  if (!shop.ok()) return std::fputs("cannot set up the scratch directory or load the images\n", stderr), 1;
  autopilot::KeyRecording rec =
      autopilot::StartOn(course, o.rivalGrid ? autopilot::Grid::Rival : autopilot::Grid::Player);
  autopilot::RaceOutcome out;
  if (!autopilot::DriveCourse(shop.screen(), line, o.pace, &rec, &out))
    return std::fputs("the race did not run\n", stderr), 1;
  Report(rec, out);
  if (!o.keysPath.empty() && !autopilot::SaveRecording(o.keysPath, rec))
    return std::fputs("cannot write keys\n", stderr), 1;
  return out.finished ? 0 : 1;
}

int Replay(const Paths& paths, int argc, char** argv) {
  if (argc != 1) return std::fputs(kUsage, stderr), 2;
  autopilot::KeyRecording rec;
  std::string error;
  if (!autopilot::LoadRecording(Absolute(argv[0]), &rec, &error)) return std::fprintf(stderr, "%s\n", error.c_str()), 1;
  Workshop shop(paths);
  if (!shop.ok()) return std::fputs("cannot set up the scratch directory or load the images\n", stderr), 1;
  autopilot::RaceOutcome out;
  if (!autopilot::ReplayRecording(shop.screen(), rec, &out)) return std::fputs("the race did not run\n", stderr), 1;
  Report(rec, out);
  return out.finished ? 0 : 1;
}

// A rival fit to ship finishes on the road, and its stored run fits the run file and the clock.
bool FitToShip(const autopilot::RaceOutcome& out) {
  return out.finished && out.stayedOnRoad && out.run.size() <= RUN_CAPACITY &&
         out.Time == 16 * static_cast<int32_t>(out.run.size());
}

// Drives course k's rival and stores its run files and key recording; false (with a
// message) if it is not fit to ship or a file cannot be written.
bool MakeRival(const Workshop& shop, const coursekit::CentreLine& line, int k, const std::string& outData,
               const std::string& keysDir, int32_t* time) {
  autopilot::KeyRecording rec = autopilot::StartOn(k, autopilot::Grid::Rival);
  autopilot::RaceOutcome out;
  const bool ran = autopilot::DriveCourse(shop.screen(), line, autopilot::RivalPace(k), &rec, &out);
  Report(rec, out);
  if (!ran || !FitToShip(out)) return std::fprintf(stderr, "rival of course %d is not fit to ship\n", k), false;
  const int slot = autopilot::RivalSlot(k);
  // The run files are the ones the race itself wrote at the goal.
  if (!Run("cp data/saveCnt" + std::to_string(k) + ".txt '" + outData + "/saveCnt" + std::to_string(slot) + ".txt'") ||
      !Run("cp data/ghost" + std::to_string(k) + ".txt '" + outData + "/ghost" + std::to_string(slot) + ".txt'") ||
      !autopilot::SaveRecording(keysDir + "/rival" + std::to_string(slot) + ".keys", rec))
    return std::fputs("cannot write the rival's files\n", stderr), false;
  *time = out.Time;
  return true;
}

// Slots 6..11 of the best-time file; slots 0..5 keep what the file holds.
bool WriteRivalTimes(const std::string& outData, const int32_t times[6]) {
  for (auto& t : bestTime) t = 0;
  if (Run("cp '" + outData + "/bestTime.txt' data/bestTime.txt 2>/dev/null")) ReadBestTimes(bestTime);
  for (int k = 0; k < 6; ++k) bestTime[autopilot::RivalSlot(k)] = times[k];
  return WriteBestTimes(bestTime) && Run("cp data/bestTime.txt '" + outData + "/bestTime.txt'");
}

int Rivals(const Paths& paths, int argc, char** argv) {
  if (argc != 2) return std::fputs(kUsage, stderr), 2;
  const std::string outData = Absolute(argv[0]), keysDir = Absolute(argv[1]);
  coursekit::CentreLine lines[6];
  std::string error;
  for (int k = 0; k < 6; ++k)
    if (!autopilot::LoadCentreLine(paths.courses, k, &lines[k], &error))
      return std::fprintf(stderr, "%s\n", error.c_str()), 1;
  Workshop shop(paths);
  if (!shop.ok()) return std::fputs("cannot set up the scratch directory or load the images\n", stderr), 1;
  int32_t times[6] = {};
  for (int k = 0; k < 6; ++k)
    if (!MakeRival(shop, lines[k], k, outData, keysDir, &times[k])) return 1;
  if (!WriteRivalTimes(outData, times)) return std::fputs("cannot write bestTime.txt\n", stderr), 1;
  return 0;
}

int Person(const Paths& paths, int argc, char** argv) {
  autopilot::HumanLimits limits = autopilot::PersonLimits();
  autopilot::Pace pace = autopilot::PersonPace();
  for (int i = 0; i + 1 < argc; i += 2) {
    float* paceField = !std::strcmp(argv[i], "--top")         ? &pace.topSpeed
                       : !std::strcmp(argv[i], "--turn")      ? &pace.turnRate
                       : !std::strcmp(argv[i], "--foresight") ? &pace.foresight
                                                              : nullptr;
    if (paceField) {
      *paceField = std::strtof(argv[i + 1], nullptr);
      continue;
    }
    int* field = !std::strcmp(argv[i], "--reaction") ? &limits.reactionFrames
                 : !std::strcmp(argv[i], "--decide") ? &limits.decisionFrames
                 : !std::strcmp(argv[i], "--tap")    ? &limits.minTapFrames
                                                     : nullptr;
    if (!field) return std::fputs(kUsage, stderr), 2;
    *field = std::atoi(argv[i + 1]);
  }
  if (argc % 2 != 0) return std::fputs(kUsage, stderr), 2;
  Workshop shop(paths);
  if (!shop.ok()) return std::fputs("cannot set up the scratch directory or load the images\n", stderr), 1;
  std::printf("limits: reaction %d, a decision every %d, taps of at least %d frames\n", limits.reactionFrames,
              limits.decisionFrames, limits.minTapFrames);
  std::printf(
      "| course | rival Time | full pace alone | rival / full pace | person alone | person against the rival | "
      "margin |\n|---|---|---|---|---|---|---|\n");
  int status = 0;
  for (int k = 0; k < 6; ++k) {
    coursekit::CentreLine line;
    std::string error;
    if (!autopilot::LoadCentreLine(paths.courses, k, &line, &error))
      return std::fprintf(stderr, "%s\n", error.c_str()), 1;
    autopilot::KeyRecording full = autopilot::StartOn(k, autopilot::Grid::Player), alone = full, versus = full;
    autopilot::RaceOutcome f, a, v;
    autopilot::DriveCourse(shop.screen(), line, autopilot::FullPace(), &full, &f);
    autopilot::LimitedDriver lonely(line, pace, limits);
    autopilot::DriveWith(
        shop.screen(), 1, [&] { return lonely.Decide(); }, &alone, &a);
    autopilot::LimitedDriver racer(line, pace, limits);
    const bool raced = autopilot::DriveWith(
        shop.screen(), 2, [&] { return racer.Decide(); }, &versus, &v);
    const int32_t rival = bestTime[autopilot::RivalSlot(k)];
    if (!raced || !v.beatRival) status = 1;
    std::printf("| %d | %d | %d | %.2f | %d%s | %d, %s | %d (%.1f %%) |\n", k, rival, f.Time,
                f.Time ? static_cast<double>(rival) / f.Time : 0.0, a.Time, a.finished ? "" : " (not finished)", v.Time,
                !raced        ? "no rival"
                : v.beatRival ? "win"
                              : "LOST",
                rival - v.Time, rival ? 100.0 * (rival - v.Time) / rival : 0.0);
  }
  return status;
}

int Paces(const Paths& paths) {
  Workshop shop(paths);
  if (!shop.ok()) return std::fputs("cannot set up the scratch directory or load the images\n", stderr), 1;
  std::printf("| course | rival Time | full pace, mode 1 | full pace against the rival, mode 2 |\n|---|---|---|---|\n");
  int status = 0;
  for (int k = 0; k < 6; ++k) {
    coursekit::CentreLine line;
    std::string error;
    if (!autopilot::LoadCentreLine(paths.courses, k, &line, &error))
      return std::fprintf(stderr, "%s\n", error.c_str()), 1;
    autopilot::KeyRecording alone = autopilot::StartOn(k, autopilot::Grid::Player);
    autopilot::KeyRecording versus = alone;
    autopilot::RaceOutcome a, v;
    autopilot::DriveCourse(shop.screen(), line, autopilot::FullPace(), &alone, &a);
    const bool raced = autopilot::RaceTheRival(shop.screen(), line, autopilot::FullPace(), &versus, &v);
    if (!a.finished || !raced || !v.beatRival) status = 1;
    std::printf("| %d | %d | %d%s | %d, %s |\n", k, bestTime[autopilot::RivalSlot(k)], a.Time,
                a.finished ? "" : " (not finished)", v.Time,
                !raced        ? "no rival"
                : v.beatRival ? "win"
                              : "LOST");
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Paths paths;
  int i = 1;
  for (; i + 1 < argc && !std::strncmp(argv[i], "--", 2); i += 2) {
    if (!std::strcmp(argv[i], "--run-dir"))
      paths.runDir = Absolute(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--courses"))
      paths.courses = Absolute(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--data"))
      paths.data = Absolute(argv[i + 1]);
    else
      return std::fputs(kUsage, stderr), 2;
  }
  if (i >= argc) return std::fputs(kUsage, stderr), 2;
  const std::string command = argv[i];
  if (command == "drive") return Drive(paths, argc - i - 1, argv + i + 1);
  if (command == "replay") return Replay(paths, argc - i - 1, argv + i + 1);
  if (command == "rivals") return Rivals(paths, argc - i - 1, argv + i + 1);
  if (command == "paces") return Paces(paths);
  if (command == "person") return Person(paths, argc - i - 1, argv + i + 1);
  std::fputs(kUsage, stderr);
  return 2;
}
