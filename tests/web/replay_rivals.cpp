// replay_rivals.cpp -- the six shipped rival key recordings replayed through
// the race as the browser build compiles it (run by node): each must give
// the shipped run entry for entry, and the shipped time to beat.
//
// usage: velkaro_web_replay RUN_DIR DATA_DIR KEYS_DIR
// RUN_DIR holds image/, DATA_DIR the shipped data files; all three are read
// through node's file system. The race writes in a working folder in memory.
#include <SDL.h>
#include <emscripten.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gfx/images.h"
#include "race_run.h"
#include "records/data_files.h"
#include "records/record_tables.h"

static bool copyFile(const std::string& from, const std::string& to) {
  FILE* in = std::fopen(from.c_str(), "rb");
  FILE* out = in ? std::fopen(to.c_str(), "wb") : nullptr;
  bool ok = in && out;
  char buf[4096];
  size_t n;
  while (ok && (n = std::fread(buf, 1, sizeof buf, in)) > 0) ok = std::fwrite(buf, 1, n, out) == n;
  if (in) std::fclose(in);
  if (out) ok = std::fclose(out) == 0 && ok;
  return ok;
}

// The shipped data set in the scratch folder: checkpoints, runs, times, clears.
static bool layOutData(const std::string& dataDir) {
  std::vector<std::string> names = {"bestTime.txt", "clearFlg.txt"};
  for (int k = 0; k < 6; ++k) names.push_back("check" + std::to_string(k) + ".txt");
  for (int s = 6; s < 12; ++s) {
    names.push_back("saveCnt" + std::to_string(s) + ".txt");
    names.push_back("ghost" + std::to_string(s) + ".txt");
  }
  for (const std::string& n : names)
    if (!copyFile(dataDir + "/" + n, "data/" + n)) return false;
  return true;
}

// The run stored in a slot, as the game reads it.
static bool readRun(int slot, std::vector<autopilot::RunEntry>* run) {
  int32_t count = 0;
  if (!ReadRunCount(slot, &count)) return false;
  std::vector<int32_t> x(RUN_CAPACITY), y(RUN_CAPACITY), a(RUN_CAPACITY);
  if (!ReadRunEntries(slot, count, x.data(), y.data(), a.data())) return false;
  run->clear();
  for (int32_t i = 0; i < count; ++i) run->push_back({x[i], y[i], a[i]});
  return true;
}

static bool replayRival(SDL_Surface* screen, const std::string& keysDir, int course) {
  const int slot = 6 + course;
  autopilot::KeyRecording rec;
  std::string error;
  if (!autopilot::LoadRecording(keysDir + "/rival" + std::to_string(slot) + ".keys", &rec, &error)) {
    std::printf("course %d: cannot read the recording: %s\n", course, error.c_str());
    return false;
  }
  std::vector<autopilot::RunEntry> shipped;
  int32_t times[SLOT_COUNT] = {};
  if (!readRun(slot, &shipped) || !ReadBestTimes(times)) {
    std::printf("course %d: cannot read the shipped run\n", course);
    return false;
  }
  autopilot::RaceOutcome out;
  if (!autopilot::ReplayRecording(screen, rec, &out)) {
    std::printf("course %d: the replay did not run\n", course);
    return false;
  }
  size_t same = 0;
  while (same < out.run.size() && same < shipped.size() && out.run[same] == shipped[same]) ++same;
  const bool ok = out.finished && same == shipped.size() && same == out.run.size() && out.Time == times[slot];
  std::printf("course %d: %s, %zu of %zu entries as shipped, Time %d (shipped %d)\n", course,
              ok ? "same run" : "DIFFERS", same, shipped.size(), out.Time, times[slot]);
  if (!ok && same < out.run.size() && same < shipped.size())
    std::printf("  entry %zu: %d %d %d, shipped %d %d %d\n", same, out.run[same].x, out.run[same].y, out.run[same].ang,
                shipped[same].x, shipped[same].y, shipped[same].ang);
  return ok;
}

// The three folders, mounted read-only in spirit: nothing is written there.
EM_JS(void, mountFolders, (const char* runDir, const char* dataDir, const char* keysDir), {
  var dirs = {'/run' : UTF8ToString(runDir), '/shipped' : UTF8ToString(dataDir), '/keys' : UTF8ToString(keysDir)};
  for (var at in dirs) {
    FS.mkdir(at);
    FS.mount(NODEFS, {root : dirs[at]}, at);
  }
});

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: velkaro_web_replay RUN_DIR DATA_DIR KEYS_DIR\n", stderr);
    return 2;
  }
  mountFolders(argv[1], argv[2], argv[3]);
  if (mkdir("/race", 0755) != 0 || chdir("/race") != 0 || mkdir("data", 0755) != 0 ||
      symlink("/run/image", "image") != 0 || !layOutData("/shipped")) {
    std::fputs("cannot lay out the working folder\n", stderr);
    return 2;
  }
  if (SDL_Init(SDL_INIT_VIDEO) < 0) return 2;
  SDL_Surface* screen = SDL_SetVideoMode(480, 480, 24, 0);
  if (!screen) return 2;
  ImageLoad();
  int failed = 0;
  for (int course = 0; course < 6; ++course) failed += !replayRival(screen, "/keys", course);
  ImageRelease();
  SDL_Quit();
  std::printf("%d of 6 rivals replay into the shipped runs\n", 6 - failed);
  return failed ? 1 : 0;
}
