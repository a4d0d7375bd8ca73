// test_race_support.h -- a synthetic course 0 and scripted keys for whole-race tests
#pragma once
#include <cstdio>
#include <deque>
#include <string>

#include "app/keyboard.h"
#include "app/pacing.h"
#include "gfx/images.h"
#include "gfx/palette.h"
#include "race/car_state.h"
#include "race/game.h"
#include "race/pause_menu.h"
#include "race/race_state.h"
#include "records/record_tables.h"
#include "test_support.h"

// One KeyMask per GetMsg call. A script that runs out asks to quit, so a test
// whose race runs longer than planned ends instead of hanging.
inline std::deque<uint8_t>& KeyScript() {
  static std::deque<uint8_t> keys;
  return keys;
}
inline uint8_t NextScriptedKey() {
  if (KeyScript().empty()) return KEY_QUIT;
  const uint8_t k = KeyScript().front();
  KeyScript().pop_front();
  return k;
}
inline void PushKeys(uint8_t key, int frames) {
  for (int i = 0; i < frames; ++i) KeyScript().push_back(key);
}

// Result-screen passes presented, counted instead of shown.
inline int& PresentedFrames() {
  static int n = 0;
  return n;
}
inline void CountPresent(SDL_Surface*) { ++PresentedFrames(); }

// Course 0 made for the tests: a straight road along the start line, x 400..1099
// and y 992..1051, with the goal stripe painted on it. Every checkpoint lies on
// the start position, so the checkpoints are reached without driving a loop:
// the car laps by standing in the goal rectangle while the points count up.
class RaceSceneTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ResetRaceState();
    car[0] = car[1] = CarState{};
    for (auto& t : bestTime) t = 0;
    for (auto& f : clearFlg) f = 0;
    KeyScript().clear();
    PresentedFrames() = 0;
    SetKeySource(NextScriptedKey);
    SetPresenter(CountPresent);
    img.checkImage = MakeSurface24(3, 1, 90, 90, 90);
    FillRect(img.checkImage, 1, 0, 1, 1, 250, 250, 250);
    FillRect(img.checkImage, 2, 0, 1, 1, 120, 80, 40);
    img.mapImage = MakeCourse();
    img.bbMap = MakeCourse();
    LineColor = SDL_MapRGB(img.bbMap->format, 100, 100, 100);
    WriteCheckpointsAt(667, 984);
  }
  void TearDown() override {
    for (auto& t : bestTime) t = 0;
    for (auto& f : clearFlg) f = 0;
    KeyScript().clear();
    SceneTest::TearDown();
  }
  static SDL_Surface* MakeCourse() {
    SDL_Surface* s = MakeSurface24(COURSE_W, COURSE_H, 0, 160, 0);
    FillRect(s, 400, 992, 700, 60, 90, 90, 90);
    FillRect(s, 710, 992, 39, 60, 250, 250, 250);
    return s;
  }
  static void WriteCheckpointsAt(int x, int y) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += std::to_string(x) + "," + std::to_string(y) + " ";
    WriteTextFile("data/check0.txt", text);
  }
  // Writes a stored run for slot: count entries at (x, y + i), heading frame 0.
  static void WriteStoredRun(int slot, int count, int x, int y) {
    std::string ghost;
    for (int i = 0; i < count; ++i) ghost += std::to_string(x) + " " + std::to_string(y + i) + " 0 ";
    WriteTextFile("data/saveCnt" + std::to_string(slot) + ".txt", std::to_string(count));
    WriteTextFile("data/ghost" + std::to_string(slot) + ".txt", ghost);
  }
  // Calls Game until it returns something other than 4 or maxFrames calls were made.
  int32_t RunRace(int32_t slot, int32_t mode, int maxFrames = 2000) {
    int32_t code = 4;
    for (int i = 0; i < maxFrames && code == 4; ++i) code = Game(screen, slot, mode);
    return code;
  }
  // The scripted finish: Up for 8 racing frames creeps the car 16 px into the
  // goal rectangle, where it stops; a lap follows each time the 19 checkpoints
  // have counted up again, the third in racing frame 43 (Time 16 * 42 = 672).
  // resultFrames passes of the result screen follow, then z.
  static void ScriptCreepingFinish(int resultFrames = 0) {
    PushKeys(0, 60);  // setup frame and countdown
    PushKeys(KEY_UP, 8);
    PushKeys(0, 43 - 8);
    PushKeys(0, resultFrames);
    PushKeys(KEY_Z, 1);
  }
  // Game frames until the race first reaches readyFlg 2.
  void RunCountdown(int32_t slot, int32_t mode) {
    PushKeys(0, 61);
    for (int i = 0; i < 61; ++i) ASSERT_EQ(Game(screen, slot, mode), 4);
    ASSERT_EQ(race.readyFlg, 2);
  }
};
