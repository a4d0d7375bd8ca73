// bench_script.cpp -- drives the scenes through the scene loop with scripted keys
#include "bench_script.h"

#include <cmath>
#include <cstdio>
#include <deque>
#include <string>

#include "app/display.h"
#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/program_state.h"
#include "app/scene_loop.h"
#include "frontend/frontend_state.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race_scene/game.h"
#include "records/data_files.h"
#include "records/record_tables.h"

// Keys: queued single frames first, then whatever is held.
static std::deque<uint8_t> queuedKeys;
static uint8_t heldKeys = 0;
static uint8_t scriptedKey() {
  if (queuedKeys.empty()) return heldKeys;
  const uint8_t k = queuedKeys.front();
  queuedKeys.pop_front();
  return k;
}

// Frame timing: each present closes the frame that began at the previous one,
// so the result screen's own frames inside one race call are timed one by one.
// A present made inside a scene call is one of the result screen's frames.
static FrameTimes* frameTimes = nullptr;
static std::string frameScene;
static double frameStart = 0.0;
static double frameCpuStart = 0.0;
static bool insideScene = false;
static int nestedFrames = 0;
static SDL_Surface* stretchTarget = nullptr;
static int stretchScale = 1;
void SetBenchStretch(SDL_Surface* target, int scale) {
  stretchTarget = target;
  stretchScale = scale;
}

static void timedPresent(SDL_Surface* screen) {
  if (stretchTarget) StretchFrame(screen, stretchTarget, 0, 0, stretchScale);
  const double now = NowMs();
  const double cpuNow = CpuMs();
  if (insideScene) ++nestedFrames;
  const bool resultScreen = insideScene || nestedFrames > 0;
  if (frameTimes)
    frameTimes->Add(resultScreen ? "result screen" : frameScene, now - frameStart, cpuNow - frameCpuStart);
  frameStart = NowMs();
  frameCpuStart = CpuMs();
}

static SDL_Surface* benchScreen = nullptr;
static LoopState loop;

// What the frame about to run shows, from the state it starts in.
static std::string sceneShown() {
  if (loop.sceneCode == SCENE_PAUSE) return "pause menu";
  if (loop.sceneCode == SCENE_GAME) {
    if (race.readyFlg == 0) return "race setup frame";
    if (race.readyFlg == 1) return "race countdown";
    if (race.goalFlg == 1) return "race end, coasting";
    if (race.mode == 2) return "racing, rival";
    return race.secondCarFlg ? "racing, ghost" : "racing, no ghost";
  }
  const FrontEndState& f = FrontEndView();
  if (f.titleCnt <= 4) return "intro";
  if (f.titleCnt == 5 || f.titleCnt == 9) return "main menu";
  if (f.titleCnt == 10) return f.mapSelectFlg >= 3 ? "course zoom" : "course select strip";
  return f.titleFlg == 1 ? "help screen" : "mode select";
}

static void frame(uint8_t keys = 0) {
  heldKeys = keys;
  frameScene = sceneShown();
  nestedFrames = 0;
  frameStart = NowMs();
  frameCpuStart = CpuMs();
  insideScene = true;
  RunSceneOnce(benchScreen, &loop);
  insideScene = false;
  // The frame of the course choice runs the zoom's first step.
  if (frameScene == "course select strip" && FrontEndView().mapSelectFlg >= 3) frameScene = "course zoom";
  PresentFrame(benchScreen);
}

static void frames(int n, uint8_t keys = 0) {
  for (int i = 0; i < n; ++i) frame(keys);
}

// One press: the key for a frame, then released for a frame.
static void press(uint8_t key) {
  frame(key);
  frame(0);
}

// Frames with no keys until done() holds; false after limit frames.
template <typename Done>
static bool framesUntil(Done done, int limit = 2000) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return true;
    frame(0);
  }
  return done();
}

static void menuCursorTo(int entry) {
  while (FrontEndView().changeCnt != entry) press(KEY_DOWN);
}

static void playIntro() {
  ResetProgramState();
  loop = InitialLoopState();
  framesUntil([] { return FrontEndView().titleCnt == 5; });
}

static void playMainMenu(int n) {
  for (int i = 0; i < n; ++i) frame(i % 20 == 0 ? KEY_DOWN : 0);
}

static void playHelp() {
  menuCursorTo(1);
  press(KEY_Z);
  framesUntil([] { return FrontEndView().helpFlg == 2; });
  frames(60);
  press(KEY_X);
  framesUntil([] { return FrontEndView().titleCnt == 5; });
}

static void openModeSelect() {
  menuCursorTo(0);
  press(KEY_Z);
  framesUntil([] { return FrontEndView().titleCnt == 7 && FrontEndView().modeFlg == 1; });
}

static void playModeSelect() {
  openModeSelect();
  for (int i = 0; i < 4; ++i) {
    press(KEY_RIGHT);
    frames(15);
  }
  press(KEY_X);
  framesUntil([] { return FrontEndView().titleCnt == 5; });
}

static bool choosingCourse() { return FrontEndView().titleCnt == 10 && FrontEndView().mapSelectFlg == 1; }

// From the mode select: mode 1 or 2, then the strip open and at rest.
static void openCourseSelect(int modeCnt) {
  openModeSelect();
  while (FrontEndView().modeCnt != modeCnt) press(KEY_RIGHT);
  press(KEY_Z);
  framesUntil(choosingCourse);
}

static void playCourseStrip() {
  for (int i = 0; i < 2; ++i) {
    press(KEY_RIGHT);
    frames(25);
  }
  for (int i = 0; i < 2; ++i) {
    press(KEY_LEFT);
    frames(25);
  }
}

// z on the course under the frame, then the zoom until the race's setup frame.
static void startRace(int course) {
  while (loop.mapCnt < course) press(KEY_RIGHT);
  while (loop.mapCnt > course) press(KEY_LEFT);
  frames(20);  // let the strip settle on it
  press(KEY_Z);
  framesUntil([] { return loop.sceneCode == SCENE_GAME; });
}

// A plain pursuit driver: throttle, and steer the facing towards the next
// checkpoint; backs off for a while when the car has been stuck.
static int stuckFrames = 0;
static int reverseFrames = 0;
static float lastX = 0, lastY = 0;
static uint8_t reverseTurn = KEY_LEFT;  // alternates, so a corner is tried both ways
static uint8_t drivingKeys() {
  const CarState& c = car[0];
  if (reverseFrames > 0) {
    --reverseFrames;
    return reverseFrames > 15 ? KEY_DOWN : KEY_DOWN | reverseTurn;
  }
  // Stuck: less than a pixel of progress a frame over a second.
  if (++stuckFrames >= 40) {
    const bool stuck = std::fabs(c.posX - lastX) + std::fabs(c.posY - lastY) < 40.0f;
    stuckFrames = 0;
    lastX = c.posX;
    lastY = c.posY;
    if (stuck) {
      reverseFrames = 30;
      reverseTurn = reverseTurn == KEY_LEFT ? KEY_RIGHT : KEY_LEFT;
    }
  }
  const int k = race.checkOkCnt;
  const double dx = race.checkX[k] - (c.posX + CAR_CENTRE_X);
  const double dy = race.checkY[k] - (c.posY + CAR_CENTRE_Y);
  double diff = std::atan2(dy, dx) * 180.0 / kPi - 15.0 * static_cast<int>(c.dir);
  while (diff < -180.0) diff += 360.0;
  while (diff >= 180.0) diff -= 360.0;
  uint8_t keys = std::fabs(diff) < 60.0 ? KEY_UP : 0;
  if (diff > 8.0) keys |= KEY_RIGHT;
  if (diff < -8.0) keys |= KEY_LEFT;
  return keys;
}

static void drive(int n) {
  for (int i = 0; i < n; ++i) frame(drivingKeys());
}

static void countdown() {
  framesUntil([] { return race.readyFlg == 2; });
}

// x into the pause menu, a while there, then back to the course select.
static void pauseAndLeave(int framesInPause) {
  press(KEY_X);
  for (int i = 0; i < framesInPause; ++i) frame(i % 24 == 0 ? KEY_DOWN : 0);
  if (raceProgram.selectCnt != 1) press(KEY_DOWN);
  press(KEY_Z);
  framesUntil(choosingCourse);
}

// The run just driven becomes course 0's best run of mode 1, so the next race
// there has a ghost.
static void storeDrivenRunAsBest() {
  const int32_t count = run.SaveCnt < RUN_CAPACITY ? run.SaveCnt : RUN_CAPACITY;
  WriteRun(0, count, run.SaveX, run.SaveY, run.SaveAng);
  int32_t times[SLOT_COUNT] = {};
  ReadBestTimes(times);
  times[0] = 16 * count;
  WriteBestTimes(times);
}

// The clock run down, the car coasting, the result screen shown, then z.
static void timeUpAndResults() {
  race.overTime = 0;  // time-up in the next frame, at full speed
  car[0].speed = 9.0f;
  for (int i = 0; i < 400; ++i) queuedKeys.push_back(0);
  queuedKeys.push_back(KEY_Z);
  framesUntil([] { return loop.sceneCode != SCENE_GAME; }, 1000);
  queuedKeys.clear();
  framesUntil(choosingCourse);
}

void PlayThroughEveryScene(SDL_Surface* screen, int rounds, FrameTimes* times) {
  benchScreen = screen;
  frameTimes = times;
  SetKeySource(scriptedKey);
  SetPresenter(timedPresent);
  for (int i = 0; i < rounds; ++i) playIntro();
  playMainMenu(40 * rounds);
  for (int i = 0; i < rounds; ++i) playHelp();
  for (int i = 0; i < rounds; ++i) playModeSelect();
  openCourseSelect(0);
  playCourseStrip();
  // Course 0 without a ghost, driven; its run becomes the ghost.
  startRace(0);
  countdown();
  drive(200 * rounds);
  storeDrivenRunAsBest();
  pauseAndLeave(20 * rounds);
  // The strip reads the best times afresh: course 0 now races a ghost.
  startRace(0);
  countdown();
  drive(200 * rounds);
  timeUpAndResults();
  // Zooms into every open course; each race paused at once and given up.
  for (int i = 0; i < rounds; ++i) {
    startRace(i % 3);
    countdown();
    pauseAndLeave(10);
  }
  SetKeySource(nullptr);
  SetPresenter(nullptr);
  frameTimes = nullptr;
}

// The setup frame and the countdown take under a hundred calls.
static const int kSetupCallLimit = 1000;

// Racing frames per second over the first frames of a race on course 0, where
// the pursuit driver keeps the car moving (later it can end up pressed against
// a wall, where a frame costs next to nothing). Repeated from the start.
static double raceFramesPerSecond(SDL_Surface* screen, int frames, int repeats) {
  double ms = 0.0;
  for (int r = 0; r < repeats; ++r) {
    ResetProgramState();  // no best times: no second car
    stuckFrames = reverseFrames = 0;
    heldKeys = 0;
    // Setup frame and countdown. A race that cannot be set up (no checkpoint file, say)
    // would never start: give up rather than wait for ever.
    for (int calls = 0; race.readyFlg != 2; ++calls) {
      if (calls == kSetupCallLimit) {
        std::fprintf(stderr, "velkaro_bench: the race on course 0 cannot be set up (data files missing?)\n");
        return 0.0;
      }
      Game(screen, 0, 1);
    }
    const double start = NowMs();
    for (int i = 0; i < frames; ++i) {
      heldKeys = drivingKeys();
      Game(screen, 0, 1);
    }
    ms += NowMs() - start;
  }
  return frames * repeats / (ms / 1000.0);
}

RaceThroughput MeasureRaceThroughput(SDL_Surface* screen, int frames) {
  SetKeySource(scriptedKey);
  SetPresenter(timedPresent);
  LoadCoursePair(0);
  RaceThroughput result;
  result.drawnFps = raceFramesPerSecond(screen, frames, 5);
  result.simulationFps = raceFramesPerSecond(nullptr, frames, 5);
  SetKeySource(nullptr);
  SetPresenter(nullptr);
  return result;
}
