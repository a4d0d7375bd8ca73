// race_bench.cpp -- velkaro_race_bench: the work of one race frame (rules and
// drawing) measured by replaying the six shipped rival recordings. The same
// file builds natively and for the browser, so the two can be set side by side.
//
//   velkaro_race_bench KEYS_DIR [ROUNDS]
//
// The working directory holds image/ and a copy of data/; the races write
// their runs into slots 0..5 there. Each race's time includes loading its
// course pair once (about one frame's worth in several thousand).
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/images.h"
#include "race_run.h"

static double nowMs() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: velkaro_race_bench KEYS_DIR [ROUNDS]\n", stderr);
    return 2;
  }
  const std::string keysDir = argv[1];
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  if (SDL_Init(SDL_INIT_VIDEO) < 0) return 1;
  SDL_Surface* screen = SDL_SetVideoMode(480, 480, 24, 0);
  if (!screen) return 1;
  ImageLoad();
  autopilot::KeyRecording recs[6];
  for (int course = 0; course < 6; ++course)
    if (!autopilot::LoadRecording(keysDir + "/rival" + std::to_string(6 + course) + ".keys", &recs[course])) {
      std::fprintf(stderr, "cannot read the recording of course %d\n", course);
      return 1;
    }
  // Per course, the best round: the least disturbed by anything else running.
  double best[6];
  int calls[6] = {};
  for (double& b : best) b = 1e300;
  for (int round = 0; round < rounds; ++round)
    for (int course = 0; course < 6; ++course) {
      autopilot::RaceOutcome out;
      const double start = nowMs();
      if (!autopilot::ReplayRecording(screen, recs[course], &out)) return 1;
      best[course] = std::min(best[course], nowMs() - start);
      calls[course] = out.calls;
    }
  double total = 0;
  int frames = 0;
  for (int course = 0; course < 6; ++course) {
    std::printf("race frame course %d: %.4f ms over %d frames\n", course, best[course] / calls[course], calls[course]);
    total += best[course];
    frames += calls[course];
  }
  std::printf("race frame work: %.4f ms per frame over %d frames (best of %d rounds)\n", total / frames, frames,
              rounds);
  ImageRelease();
  SDL_Quit();
  return 0;
}
