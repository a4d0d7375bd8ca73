// test_session.h -- whole-game sessions through the scene loop: a game folder and a player who
// steers through every screen towards a goal
#pragma once
#include <unistd.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/program_state.h"
#include "app/scene_loop.h"
#include "frontend/frontend_state.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race_run.h"
#include "test_support.h"

// Where the player heads for. The player presses only what each screen needs
// to get there, releasing between presses so every latch re-arms.
struct Plan {
  int mode = 1;        // 1 or 2
  int course = 0;      // to choose in the course select
  bool help = false;   // menu entry 1 instead of 0; the help is closed once it shows
  int backOutAt = 0;   // 7 or 10: x in the mode select or the course select instead of choosing
  bool drive = true;   // the autopilot races; false: Up is held all race
  int raceFrames = 0;  // > 0: leave through the pause menu after this many racing frames
  bool quit = false;   // back to the main menu and its third entry
};

// A SceneTest whose working directory is a game folder: image/ links each of
// the build's generated sheets (so a case may replace single files) and data/
// holds the shipped data files.
class GameSession : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    const std::string art = std::string(VELKARO_RUNTIME_DIR) + "/image";
    if (access((art + "/car.bmp").c_str(), F_OK) != 0) SKIP_OR_FAIL_ON_CI("generated art not built yet");
    ASSERT_EQ(system(("ln -s '" + art + "'/*.bmp image/ && cp '" VELKARO_SOURCE_DIR "/data'/*.txt data/").c_str()), 0);
  }

  // The game at program start: front end, race, cars, records and keys reset,
  // the images loaded, this session's player as the key source, no pacing.
  void StartGame() {
    ResetProgramState();
    ImageLoad(), loop = InitialLoopState(), current = this;
    SetKeySource([] { return current->ChooseKeys(); }), SetPresenter([](SDL_Surface*) {});
  }
  // Runs the scene loop until done() holds before a frame; false when it does
  // not within maxFrames or the game quits first.
  bool RunUntil(const std::function<bool()>& done, int maxFrames = 12000) {
    for (int i = 0; i < maxFrames && !done() && loop.sceneCode != SCENE_QUIT; ++i) RunSceneOnce(screen, &loop);
    return done();
  }
  bool InCourseSelect() const {
    return loop.sceneCode == SCENE_TITLE && FrontEndView().titleCnt == 10 && FrontEndView().mapSelectFlg == 1;
  }

  LoopState loop{};
  Plan plan;
  // What the player saw happen.
  int racesStarted = 0, racesOver = 0;  // setup frames seen; races seen to end (goal, time-up or the rival first)
  int racingFrames = 0;                 // key reads while racing in the current race
  int maxCheckOkCnt = 0;                // highest checkpoint index reached in any race
  float maxTravel = 0;                  // farthest the player's car got from its start, in any race
  uint8_t last = 0;                     // the KeyMask given last time

  // This frame's KeyMask; the soak overrides it with random keys.
  virtual uint8_t ChooseKeys() {
    return last = loop.sceneCode == SCENE_GAME    ? RaceKeys()
                  : loop.sceneCode == SCENE_PAUSE ? PauseKeys()
                                                  : FrontEndKeys();
  }
  uint8_t Tap(uint8_t key) const { return last == key ? 0 : key; }
  uint8_t FrontEndKeys() {
    const FrontEndState& f = FrontEndView();
    const int entry = plan.quit ? 2 : plan.help;
    if (f.titleCnt == 5) return f.changeCnt != entry ? Tap(f.changeCnt < entry ? KEY_DOWN : KEY_UP) : uint8_t{KEY_Z};
    if (f.titleCnt == 7 && f.titleFlg == 1) return f.helpFlg == 2 ? Tap(KEY_X) : 0;
    if (f.titleCnt == 7 && f.modeFlg == 1) {
      if (plan.quit || plan.backOutAt == 7) return Tap(KEY_X);
      return f.modeCnt != plan.mode - 1 ? Tap(KEY_RIGHT) : uint8_t{KEY_Z};
    }
    if (f.titleCnt != 10 || f.mapSelectFlg != 1) return 0;
    if (plan.quit || plan.backOutAt == 10) return Tap(KEY_X);
    if (loop.mapCnt != plan.course) return Tap(loop.mapCnt < plan.course ? KEY_RIGHT : KEY_LEFT);
    return Tap(KEY_Z);
  }
  uint8_t RaceKeys() {
    if (race.readyFlg < 2) {  // the setup frame of a new race, then the countdown
      racesStarted += race.readyFlg == 0, racingFrames = 0, overSeen = false;
      if (race.readyFlg == 0)
        driver.reset(plan.drive ? new autopilot::Driver(Line(loop.mapCnt % 6), autopilot::FullPace()) : nullptr);
      startX = car[0].posX, startY = car[0].posY;
    }
    maxTravel = std::max(maxTravel, std::hypot(car[0].posX - startX, car[0].posY - startY));
    maxCheckOkCnt = std::max(maxCheckOkCnt, static_cast<int>(race.checkOkCnt));
    if (race.goalFlg == 1) {  // coasting ignores the keys; the result screen takes z
      racesOver += !overSeen, overSeen = true;
      return KEY_Z;
    }
    racingFrames += race.readyFlg == 2;
    if (plan.quit || (plan.raceFrames > 0 && racingFrames > plan.raceFrames)) return Tap(KEY_X);
    return driver ? driver->Decide() : uint8_t{KEY_UP};
  }
  // Down to the second entry, then z: back to the course select.
  uint8_t PauseKeys() { return raceProgram.selectCnt != 1 ? Tap(KEY_DOWN) : uint8_t{KEY_Z}; }
  // The centre line the autopilot follows on a course, read once per test.
  const coursekit::CentreLine& Line(int course) {
    if (lines[course].samples.empty())
      autopilot::LoadCentreLine(VELKARO_SOURCE_DIR "/tools/courses", course, &lines[course]);
    return lines[course];
  }

 private:
  static inline GameSession* current = nullptr;
  coursekit::CentreLine lines[6];
  std::unique_ptr<autopilot::Driver> driver;
  float startX = 0, startY = 0;
  bool overSeen = false;
};
