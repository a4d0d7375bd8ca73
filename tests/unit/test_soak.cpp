// Soak: many whole sessions of random key input (fixed seeds) across every scene, races started,
// abandoned and finished; memory must not grow from session to session and the game must always
// come back to the menu. VELKARO_SOAK_SESSIONS and VELKARO_SOAK_FRAMES lengthen the run.
#include <malloc.h>

#include <algorithm>
#include <random>

#include "test_session.h"

namespace {

// A positive count from the environment, else d.
long Env(const char* n, long d) {
  const char* v = getenv(n);
  return v && atol(v) > 0 ? atol(v) : d;
}

// A player who mostly heads somewhere (a random course in a random mode, now and then the help or a
// step back) and now and then presses anything; in a race the autopilot or a random driver, either
// now and then pausing to resume or to abandon.
class Soak : public GameSession {
 protected:
  std::mt19937 rng;
  bool randomDriver = false, abandonFromPause = false;
  int abandoned = 0;

  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
  void NewPlan() {
    plan = Plan{};
    plan.mode = 1 + Pick(2), plan.course = Pick(6), plan.help = Chance(0.1);
    plan.backOutAt = Chance(0.1) ? 7 + 3 * Pick(2) : 0;
  }

  uint8_t ChooseKeys() override {
    static const uint8_t kAny[] = {0, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_Z, KEY_X, KEY_Z | KEY_X};
    const FrontEndState& f = FrontEndView();
    if (plan.quit) return GameSession::ChooseKeys();
    if (loop.sceneCode == SCENE_PAUSE) {
      abandoned += abandonFromPause && raceProgram.selectCnt == 1 && last != KEY_Z;
      return last = abandonFromPause ? PauseKeys() : raceProgram.selectCnt == 0 ? uint8_t{KEY_Z} : Tap(KEY_UP);
    }
    if (loop.sceneCode != SCENE_GAME) {
      if (f.titleCnt == 5 && Chance(0.02)) NewPlan();
      last = Chance(0.85) ? FrontEndKeys() : kAny[Pick(8)];
      // Quitting from the menu ends the session early; keep it rare.
      if (f.titleCnt == 5 && f.changeCnt == 2 && (last & KEY_Z) && Chance(0.95)) last = 0;
      return last;
    }
    if (race.readyFlg == 0) randomDriver = Chance(0.5), plan.drive = !randomDriver;
    last = RaceKeys();                                                       // counts the race and drives the autopilot
    if (race.goalFlg == 1) return last = Chance(0.05) ? uint8_t{KEY_Z} : 0;  // the result screen shows a while
    if (race.readyFlg != 0 && Chance(randomDriver ? 0.004 : 0.0003)) {
      abandonFromPause = randomDriver || Chance(0.3);
      return last = Tap(KEY_X);
    }
    // A random driver: mostly the throttle, else the brake; some steering, a stray a.
    if (randomDriver)
      last = kAny[1 + (Pick(10) >= 7)] | (Chance(0.4) ? kAny[3 + Pick(2)] : 0) | (Chance(0.002) ? uint8_t{KEY_A} : 0);
    return last;
  }
};

TEST_F(Soak, RandomSessionsKeepMemoryFlatAndAlwaysComeBackToTheMenu) {
  // Three sessions at least, so that the memory is compared after the warm-up at any count.
  const long sessions = std::max(3L, Env("VELKARO_SOAK_SESSIONS", 16)),
             framesPerSession = Env("VELKARO_SOAK_FRAMES", 6000);
  for (int k = 0; k < 6; ++k) Line(k);  // read once, before the first measurement
  long heapAfterWarmUp = 0, heapLast = 0;
  for (long s = 0; s < sessions; ++s) {
    SCOPED_TRACE(s);
    rng.seed(static_cast<unsigned>(1000 + s));
    NewPlan();
    testing::internal::CaptureStdout();
    StartGame();
    RunUntil([] { return false; }, static_cast<int>(framesPerSession));
    // Whatever the random keys left, the player can still steer to the menu and quit.
    plan.quit = true;
    const bool quit = RunUntil([&] { return loop.sceneCode == SCENE_QUIT; }, 20000);
    testing::internal::GetCapturedStdout();
    ImageRelease();
    ASSERT_TRUE(quit) << "stuck in scene " << loop.sceneCode << ", stage " << FrontEndView().titleCnt << ", race phase "
                      << race.readyFlg;
    heapLast = static_cast<long>(mallinfo2().uordblks);
    if (s == 1) heapAfterWarmUp = heapLast;
  }
  printf("soak: %ld sessions, %d races started, %d over, %d abandoned; heap after session 2 %ld, after the last %ld\n",
         sessions, racesStarted, racesOver, abandoned, heapAfterWarmUp, heapLast);
  EXPECT_EQ(V(racesOver > 0, abandoned > 0), V(1, 1));
  EXPECT_LT(heapLast - heapAfterWarmUp, 256 * 1024L) << "memory grows from session to session";
}

}  // namespace
