// bench_main.cpp -- velkaro_bench: per-scene frame work times, race throughput and peak memory
//
//   velkaro_bench [RUNTIME_DIR] [--rounds N] [--whole-sheet]
//
// RUNTIME_DIR is the game's working directory with image/ and data/ (default
// "."). --whole-sheet makes every scaled draw zoom the whole sheet, the
// straightforward way, for comparison. The run plays in a scratch copy of data/, so no record is touched.
// The play-through runs once per window scale 1..4; at scales 2..4 each frame's
// time includes widening it into a window-sized surface, as the game presents
// a scaled window or full screen.
#include <SDL.h>
#include <sys/resource.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/audio.h"
#include "app/display.h"
#include "bench_script.h"
#include "bench_timing.h"
#include "gfx/draw.h"
#include "gfx/draw_testing.h"
#include "gfx/images.h"

namespace fs = std::filesystem;

struct BenchOptions {
  std::string runtimeDir = ".";
  int rounds = 10;
  bool wholeSheet = false;
};

static bool parseOptions(int argc, char** argv, BenchOptions* o) {
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--rounds") && i + 1 < argc) {
      o->rounds = atoi(argv[++i]);
      if (o->rounds < 1) return false;
    } else if (!strcmp(argv[i], "--whole-sheet")) {
      o->wholeSheet = true;
    } else if (argv[i][0] == '-') {
      return false;
    } else {
      o->runtimeDir = argv[i];
    }
  }
  return true;
}

// A scratch working directory: image/ linked to the runtime's, data/ copied.
static std::string makeScratchDir(const std::string& runtimeDir) {
  const fs::path runtime = fs::absolute(runtimeDir);
  if (!fs::exists(runtime / "image" / "car.bmp")) return "";
  char templ[] = "/tmp/velkaro-bench-XXXXXX";
  if (!mkdtemp(templ)) return "";
  const fs::path scratch = templ;
  fs::create_directory_symlink(runtime / "image", scratch / "image");
  if (fs::exists(runtime / "sound")) fs::create_directory_symlink(runtime / "sound", scratch / "sound");
  fs::create_directory(scratch / "data");
  if (fs::exists(runtime / "data")) {
    for (const auto& entry : fs::directory_iterator(runtime / "data"))
      fs::copy_file(entry.path(), scratch / "data" / entry.path().filename());
  }
  return scratch.string();
}

enum { MAX_BENCH_SCALE = 4 };

// A scaled window takes the desktop's pixel size, 32 bits under X.
static SDL_Surface* makeWindowLike(SDL_Surface* screen, int w, int h) {
  const SDL_PixelFormat* f = screen->format;
  return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, f->Rmask, f->Gmask, f->Bmask, 0);
}

// Frame work plus the stretch into a window of each scale: 99th percentiles,
// wall clock / processor time.
static void printScaleTable(const FrameTimes scaled[]) {
  printf("\nframe work plus stretch, p99 wall / cpu, by window scale (scale 1: drawn straight into the window)\n\n");
  printf("| %-24s |", "scene");
  for (int s = 1; s <= MAX_BENCH_SCALE; ++s) printf("      scale %d      |", s);
  printf("\n|--------------------------|");
  for (int s = 1; s <= MAX_BENCH_SCALE; ++s) printf("------------------:|");
  printf("\n");
  std::vector<std::string> names = scaled[1].Names();
  names.push_back("");
  for (const std::string& name : names) {
    printf("| %-24s |", name.empty() ? "all frames" : name.c_str());
    for (int s = 1; s <= MAX_BENCH_SCALE; ++s)
      printf(" %5.2f / %5.2f ms |", scaled[s].P99(name, false), scaled[s].P99(name, true));
    printf("\n");
  }
}

// The stretch alone: the game's row widening into a 32-bit window, beside
// SDL_SoftStretch, which only copies between surfaces of one format (so into
// a 24-bit one, leaving SDL's conversion for the update) and is not exact at
// scale 3 (its 16.16 step drifts by a pixel).
static void printStretchAlone(SDL_Surface* screen) {
  printf("\nstretch of one 480x480 frame alone, median / p99 of 200, processor time\n\n");
  printf("| scale | game, into 32 bits | SDL_SoftStretch, 24 bits |\n|------:|------:|------:|\n");
  for (int scale = 2; scale <= MAX_BENCH_SCALE; ++scale) {
    SDL_Surface* target = makeWindowLike(screen, FRAME_SIZE * scale, FRAME_SIZE * scale);
    SDL_Surface* sameFormat = SDL_ConvertSurface(target, screen->format, SDL_SWSURFACE);
    SDL_Rect whole = {0, 0, static_cast<Uint16>(target->w), static_cast<Uint16>(target->h)};
    std::vector<double> own, library;
    for (int i = 0; i < 200; ++i) {
      double t = CpuMs();
      StretchFrame(screen, target, 0, 0, scale);
      own.push_back(CpuMs() - t);
      t = CpuMs();
      SDL_SoftStretch(screen, nullptr, sameFormat, &whole);
      library.push_back(CpuMs() - t);
    }
    printf("| %d | %.2f / %.2f ms | %.2f / %.2f ms |\n", scale, Percentile(own, 50), Percentile(own, 99),
           Percentile(library, 50), Percentile(library, 99));
    SDL_FreeSurface(sameFormat);
    SDL_FreeSurface(target);
  }
}

static void printMachine() {
  struct utsname u;
  uname(&u);
  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  printf("machine: %s %s, %ld cores online, load average %.2f %.2f %.2f\n", u.machine, u.release,
         sysconf(_SC_NPROCESSORS_ONLN), load[0], load[1], load[2]);
}

// Everything the play-throughs measure.
struct BenchResults {
  double loadMs = 0;                       // image loading before the first frame
  FrameTimes times;                        // frame work drawn straight into the window
  FrameTimes scaled[MAX_BENCH_SCALE + 1];  // frame work plus the stretch, by window scale
  RaceThroughput throughput;
  double mixerCpu = 0, mixedSeconds = 0;  // sound mixing while racing
};

// The dummy video driver, and sound on as in the game: by default into a scratch file at
// about a sound card's pace, so the mixer does its real work. Null if there is no screen.
static SDL_Surface* openHeadless(const std::string& scratch, bool* sound) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (SDL_Init(SDL_INIT_VIDEO) < 0) return nullptr;
  SDL_Surface* screen = SDL_SetVideoMode(480, 480, 24, 0);
  if (!screen) return nullptr;
  setenv("SDL_AUDIODRIVER", "disk", 0);
  setenv("SDL_DISKAUDIOFILE", (scratch + "/audio.raw").c_str(), 0);
  setenv("SDL_DISKAUDIODELAY", "23", 0);
  *sound = AudioOpen(false);
  return screen;
}

// Every scene at each window scale, then the race's throughput with the mixer's share.
static void playEverything(SDL_Surface* screen, int rounds, BenchResults* r) {
  PlayThroughEveryScene(screen, rounds, &r->times);
  for (int scale = 2; scale <= MAX_BENCH_SCALE; ++scale) {
    SDL_Surface* target = makeWindowLike(screen, FRAME_SIZE * scale, FRAME_SIZE * scale);
    SetBenchStretch(target, scale);
    PlayThroughEveryScene(screen, rounds, &r->scaled[scale]);
    SetBenchStretch(nullptr, 1);
    SDL_FreeSurface(target);
  }
  const double mixerCpu0 = AudioMixerCpuSeconds();
  const uint64_t mixed0 = AudioMixedFrames();
  r->throughput = MeasureRaceThroughput(screen, 800);
  r->mixerCpu = AudioMixerCpuSeconds() - mixerCpu0;
  r->mixedSeconds = (AudioMixedFrames() - mixed0) / 44100.0;
}

// The game prints its diagnostics on standard output; they are thrown away while it plays,
// so that only the tables reach it.
static void playEverythingQuietly(SDL_Surface* screen, int rounds, BenchResults* r) {
  fflush(stdout);
  const int savedStdout = dup(STDOUT_FILENO);
  FILE* devNull = fopen("/dev/null", "w");
  if (devNull) dup2(fileno(devNull), STDOUT_FILENO);
  playEverything(screen, rounds, r);
  fflush(stdout);
  dup2(savedStdout, STDOUT_FILENO);
  close(savedStdout);
  if (devNull) fclose(devNull);
}

static void printReport(SDL_Surface* screen, const BenchOptions& o, bool sound, BenchResults* r) {
  printMachine();
  const ScaledDrawCounts draws = GetScaledDrawCounts();
  printf(
      "per-frame work time (scene call to present), headless, sound %s, %d rounds; scaled draws: %ld visible "
      "part, %ld whole sheet\n\n",
      sound ? "on" : "off (no device)", o.rounds, draws.visiblePart, draws.wholeSheet);
  r->times.PrintTable();
  r->scaled[1] = r->times;
  printScaleTable(r->scaled);
  printStretchAlone(screen);
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  printf(
      "\nrace frames per second, course 0, first 800 racing frames driven: %.0f drawn, %.0f simulation only (no "
      "drawing)\n",
      r->throughput.drawnFps, r->throughput.simulationFps);
  if (sound && r->mixedSeconds > 0)
    printf("sound mixing while racing: %.2f%% of one core (%.1f ms of processor time per second of sound)\n",
           100 * r->mixerCpu / r->mixedSeconds, 1000 * r->mixerCpu / r->mixedSeconds);
  printf("image loading before the first frame: %.0f ms\n", r->loadMs);
  printf("peak memory (maximum resident set): %.1f MB\n", usage.ru_maxrss / 1024.0);
}

int main(int argc, char** argv) {
  BenchOptions o;
  if (!parseOptions(argc, argv, &o)) {
    fprintf(stderr, "usage: %s [RUNTIME_DIR] [--rounds N] [--whole-sheet]\n", argv[0]);
    return 2;
  }
  const std::string scratch = makeScratchDir(o.runtimeDir);
  if (scratch.empty()) {
    fprintf(stderr, "no generated images under %s/image\n", o.runtimeDir.c_str());
    return 1;
  }
  if (chdir(scratch.c_str()) != 0) return 1;
  bool sound = false;
  SDL_Surface* screen = openHeadless(scratch, &sound);
  if (!screen) return 1;
  BenchResults results;
  const double loadStart = NowMs();
  ImageLoad();
  results.loadMs = NowMs() - loadStart;
  SetScaledDrawPath(o.wholeSheet ? ZOOM_WHOLE_SHEET : ZOOM_VISIBLE_PART);
  playEverythingQuietly(screen, o.rounds, &results);
  printReport(screen, o, sound, &results);
  AudioClose();
  ImageRelease();
  SDL_Quit();
  fs::remove_all(scratch);
  return 0;
}
