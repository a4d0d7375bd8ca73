// test_race_support.h -- a synthetic course 0, scripted keys and short-hands for the race tests
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/program_state.h"
#include "gfx/images.h"
#include "gfx/palette.h"
#include "race/camera.h"
#include "race/car_model.h"
#include "race/checkpoints.h"
#include "race/ghost_replay.h"
#include "race/race_result.h"
#include "race/race_start.h"
#include "race/race_state.h"
#include "race/rival_contact.h"
#include "race/skid_marks.h"
#include "race/track_collision.h"
#include "race_scene/course_colours.h"
#include "race_scene/finish_screen.h"
#include "race_scene/game.h"
#include "race_scene/pause_menu.h"
#include "race_scene/race_view.h"
#include "race_scene/skid_draw.h"
#include "records/record_tables.h"
#include "test_support.h"

// One KeyMask per GetMsg call; a script that runs out asks to quit, so an
// overlong race ends instead of hanging.
inline std::deque<uint8_t>& KeyScript() {
  static std::deque<uint8_t> keys;
  return keys;
}
inline uint8_t NextScriptedKey() {
  if (KeyScript().empty()) return KEY_QUIT;
  const uint8_t k = KeyScript().front();
  return KeyScript().pop_front(), k;
}
inline void PushKeys(uint8_t key, int frames) { KeyScript().insert(KeyScript().end(), frames, key); }

// Result-screen passes presented, counted instead of shown.
inline int presentedFrames = 0;

// Values taken in turn: each << operand is evaluated before the next, unlike V's arguments.
struct Seq : std::vector<double> {
  template <class T>
  Seq& operator<<(T v) {
    return push_back(static_cast<double>(v)), *this;
  }
};

inline CarState CarAt(float dir, float speed, int32_t moveAng, float x = 0, float y = 0) {
  return {0, 0, 0, 0, x, y, speed, 0, 0, 0, dir, moveAng, 0};
}

// Course 0 for the tests: a straight road x 400..1099, y 992..1051 with the
// goal stripe at x 710..748. Every checkpoint lies on the start position, so
// the car laps by standing in the goal rectangle while the points count up.
class RaceSceneTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();  // the program-start state, records included
    KeyScript().clear(), presentedFrames = 0;
    SetKeySource(NextScriptedKey), SetPresenter([](SDL_Surface*) { ++presentedFrames; });
    img.checkImage = MakeSurface24(3, 1, 90, 90, 90);  // road, goal, course-5 road
    FillRect(img.checkImage, 1, 0, 1, 1, 250, 250, 250);
    FillRect(img.checkImage, 2, 0, 1, 1, 120, 80, 40);
    img.mapImage = MakeCourse(), img.bbMap = MakeCourse();
    LineColor = SDL_MapRGB(img.bbMap->format, 100, 100, 100);
    LayCheckpoints(667, 984);
  }
  // Course 0's twenty checkpoints, all at (x, y).
  static void LayCheckpoints(int x, int y) {
    std::string points;
    for (int i = 0; i < 20; ++i) points += std::to_string(x) + "," + std::to_string(y) + " ";
    WriteTextFile("data/check0.txt", points);
  }
  // A fresh fixture inside one test, for table rows that each need one.
  void Renew() { TearDown(), SetUp(); }
  static SDL_Surface* MakeCourse() {
    SDL_Surface* s = MakeSurface24(COURSE_W, COURSE_H, 0, 160, 0);
    FillRect(s, 400, 992, 700, 60, 90, 90, 90);
    FillRect(s, 710, 992, 39, 60, 250, 250, 250);
    return s;
  }
  // n race frames (pause-menu frames with menu) with key held; the last frame's code.
  int32_t Frames(int n, uint8_t key = 0, int32_t slot = 0, int32_t mode = 1, bool menu = false) {
    PushKeys(key, n);
    int32_t code = 0;
    while (n-- > 0) code = menu ? GameSelect(screen) : Game(screen, slot, mode);
    return code;
  }
  int32_t Selects(int n, uint8_t key = 0) { return Frames(n, key, 0, 0, true); }
  // Calls Game until it returns something other than 4.
  int32_t RunRace(int32_t slot = 0, int32_t mode = 1) {
    int32_t code = 4;
    for (int i = 0; i < 2000 && code == 4; ++i) code = Game(screen, slot, mode);
    return code;
  }
  // Up for 8 racing frames creeps the car 16 px into the goal rectangle; the
  // third lap follows in racing frame 43 (Time 16 * 42 = 672). Then z, or the key given.
  static void ScriptCreepingFinish(uint8_t last = KEY_Z) {
    PushKeys(0, 60), PushKeys(KEY_UP, 8), PushKeys(0, 35), PushKeys(last, 1);
  }
  // The setup frame and the countdown, up to the first racing frame.
  void RunCountdown() { ASSERT_EQ(Seq() << Frames(61) << race.readyFlg, V(4, 2)); }
};
