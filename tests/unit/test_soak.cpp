// Soak: many whole sessions of random key input (fixed seeds) across every scene, races started,
// abandoned and finished; memory must not grow from session to session and the game must always
// come back to the menu. VELKARO_SOAK_SESSIONS and VELKARO_SOAK_FRAMES lengthen the run.
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "test_session.h"

namespace {

long EnvCount(const char* name, long fallback) {
  const long n = getenv(name) ? strtol(getenv(name), nullptr, 10) : 0;
  return n > 0 ? n : fallback;
}

// A player who mostly heads somewhere (a random course in a random mode, now
// and then the help or a step back) and now and then presses anything; in a
// race the autopilot, a random driver or an early give-up; in the pause menu
// a resume or an abandon.
class Soak : public GameSession {
 protected:
  std::mt19937 rng;
  int raceStyle = 0;  // 0 autopilot, 1 random driver, 2 gives up
  int giveUpAt = 0;
  bool abandonFromPause = false;
  int abandoned = 0, pauses = 0;
  long frames = 0;

  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  uint8_t AnyKey() {
    static const uint8_t keys[] = {0, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_Z | KEY_X};
    return keys[Pick(8)];
  }
  void NewPlan() {
    plan = Plan{};
    plan.mode = 1 + Pick(2);
    plan.course = Pick(6);
    plan.help = Chance(0.1);
    plan.backOutAt = Chance(0.1) ? (Chance(0.5) ? 7 : 10) : 0;
    plan.start = true;
  }

  uint8_t ChooseKeys() override {
    uint8_t keys = 0;
    if (loop.sceneCode == SCENE_TITLE) {
      const FrontEndState& f = FrontEndView();
      if (f.titleCnt == 5 && !plan.quit && Chance(0.02)) NewPlan();
      keys = Chance(0.85) ? FrontEndKeys() : AnyKey();
      // Quitting from the menu ends the session early; keep it rare.
      if (f.titleCnt == 5 && f.changeCnt == 2 && (keys & KEY_Z) && !plan.quit && Chance(0.95)) keys = 0;
    } else if (loop.sceneCode == SCENE_PAUSE) {
      if (abandonFromPause) {
        keys = PauseKeys();
        if ((keys & KEY_Z) && raceProgram.selectCnt == 1) ++abandoned;
      } else {
        keys = raceProgram.selectCnt == 0 ? static_cast<uint8_t>(KEY_Z) : Tap(KEY_UP);
      }
    } else {
      keys = RaceChoice();
    }
    last = keys;
    ++frames;
    return keys;
  }

  uint8_t RaceChoice() {
    if (race.readyFlg == 0) {
      raceStyle = Pick(10) < 5 ? 0 : (Pick(10) < 6 ? 1 : 2);
      giveUpAt = 100 + Pick(600);
      plan.drive = raceStyle == 0;
      plan.raceFrames = 0;
      plan.confirm = true;
      abandonFromPause = false;
    }
    const uint8_t steered = RaceKeys();  // counts the race and drives the autopilot
    if (plan.quit) return steered;
    if (race.goalFlg == 1) return Chance(0.05) ? static_cast<uint8_t>(KEY_Z) : 0;  // the result screen shows a while
    const bool pauseNow = raceStyle == 2 ? racingFrames >= giveUpAt : Chance(raceStyle == 0 ? 0.0003 : 0.004);
    if (pauseNow && race.readyFlg != 0) {
      ++pauses;
      abandonFromPause = raceStyle != 0 || Chance(0.3);
      return Tap(KEY_X);
    }
    if (raceStyle == 0) return steered;
    // A random driver: mostly the throttle, some steering, a stray a.
    uint8_t keys = Chance(0.7) ? KEY_UP : (Chance(0.3) ? KEY_DOWN : 0);
    if (Chance(0.4)) keys |= Chance(0.5) ? KEY_LEFT : KEY_RIGHT;
    if (Chance(0.002)) keys |= KEY_A;
    return keys;
  }
};

TEST_F(Soak, RandomSessionsKeepMemoryFlatAndAlwaysComeBackToTheMenu) {
  const long sessions = EnvCount("VELKARO_SOAK_SESSIONS", 16);
  const long framesPerSession = EnvCount("VELKARO_SOAK_FRAMES", 6000);
  for (int k = 0; k < 6; ++k) Line(k);  // read once, before the first measurement
  long heapAfterWarmUp = 0, heapLast = 0, quitsInPlay = 0;
  for (long s = 0; s < sessions; ++s) {
    SCOPED_TRACE(s);
    rng.seed(static_cast<unsigned>(1000 + s));
    NewPlan();
    BeginCapture();
    StartGame();
    RunUntil([&] { return false; }, static_cast<int>(framesPerSession));
    if (loop.sceneCode == SCENE_QUIT) ++quitsInPlay;
    // Whatever the random keys left, the player can still steer to the menu and quit.
    plan.quit = true;
    raceStyle = 0;
    abandonFromPause = true;
    const bool quit = loop.sceneCode == SCENE_QUIT || RunUntil([&] { return loop.sceneCode == SCENE_QUIT; }, 20000);
    EndCapture();
    ImageRelease();
    ASSERT_TRUE(quit) << "could not be steered back to quit: scene " << loop.sceneCode << ", stage "
                      << FrontEndView().titleCnt << ", race phase " << race.readyFlg;
    const long heap = static_cast<long>(mallinfo2().uordblks);
    if (s == 1) heapAfterWarmUp = heap;
    heapLast = heap;
  }
  printf(
      "soak: %ld sessions, %ld frames, %d races started, %d over, %d pauses, %d abandoned, %ld quit in play; "
      "heap in use after session 2 %ld, after the last %ld bytes\n",
      sessions, frames, racesStarted, racesOver, pauses, abandoned, quitsInPlay, heapAfterWarmUp, heapLast);
  EXPECT_EQ(V(racesOver > 0, abandoned > 0), V(1, 1));
  if (sessions > 2) {
    EXPECT_LT(heapLast - heapAfterWarmUp, 256 * 1024) << "memory grows from session to session";
  }
}

}  // namespace
