// Key mask folding: press, release, quit, the gamepad beside the keyboard, and what a frame sees.
#include <array>
#include <vector>

#include "app/gamepad.h"
#include "app/keyboard.h"
#include "test_support.h"

class KeyboardTest : public SceneTest {};

TEST_F(KeyboardTest, PressAndReleaseBetweenFramesIsNeverSeen) {
  PushEvent(SDL_KEYDOWN, SDLK_UP);
  PushEvent(SDL_KEYUP, SDLK_UP);
  EXPECT_EQ(GetMsg(), 0);
}

TEST_F(KeyboardTest, HeldKeysAddTheirBitsAndPersistBetweenCalls) {
  PushEvent(SDL_KEYDOWN, SDLK_UP);
  PushEvent(SDL_KEYDOWN, SDLK_z);
  EXPECT_EQ(GetMsg(), 17);
  EXPECT_EQ(GetMsg(), 17);  // no new events: the state is kept
  PushEvent(SDL_KEYUP, SDLK_UP);
  PushEvent(SDL_KEYDOWN, SDLK_s);  // tracked though never used
  PushEvent(SDL_KEYDOWN, SDLK_q);  // not one of the eight: ignored
  EXPECT_EQ(GetMsg(), 16 + 128);
}

TEST_F(KeyboardTest, AllEightKeysHeldReadAsQuit) {
  for (SDLKey k : {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x, SDLK_a, SDLK_s})
    PushEvent(SDL_KEYDOWN, k);
  EXPECT_EQ(GetMsg(), KEY_QUIT);
}

TEST_F(KeyboardTest, EachKeyHasItsBit) {
  const struct {
    SDLKey sym;
    uint8_t bit;
  } keys[] = {{SDLK_UP, 1}, {SDLK_DOWN, 2}, {SDLK_LEFT, 4}, {SDLK_RIGHT, 8},
              {SDLK_z, 16}, {SDLK_x, 32},   {SDLK_a, 64},   {SDLK_s, 128}};
  for (const auto& k : keys) {
    PushEvent(SDL_KEYDOWN, k.sym);
    EXPECT_EQ(GetMsg(), k.bit);
    PushEvent(SDL_KEYUP, k.sym);
    EXPECT_EQ(GetMsg(), 0);
  }
}

TEST_F(KeyboardTest, WindowCloseSetsTheWholeByte) {
  SDL_Event e = {};
  e.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
  EXPECT_EQ(GetMsg(), KEY_QUIT);
}

static uint8_t scriptedDown() { return KEY_DOWN; }

TEST_F(KeyboardTest, AnInstalledSourceReplacesTheEventQueue) {
  PushEvent(SDL_KEYDOWN, SDLK_UP);
  SetKeySource(scriptedDown);
  EXPECT_EQ(GetMsg(), KEY_DOWN);
  SetKeySource(nullptr);
  EXPECT_EQ(GetMsg(), KEY_UP);
}

// Each step queues its events ({type, index, value} as PushEvent takes them),
// then one frame reads the KeyMask.
using Events = std::vector<std::array<int, 3>>;
static void expectFrames(const std::vector<std::pair<Events, int>>& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    for (const auto& e : steps[i].first) PushEvent(static_cast<Uint8>(e[0]), e[1], e[2]);
    EXPECT_EQ(GetMsg(), steps[i].second) << "step " << i;
  }
}
enum : int { HAT = SDL_JOYHATMOTION, AXIS = SDL_JOYAXISMOTION, BDOWN = SDL_JOYBUTTONDOWN, BUP = SDL_JOYBUTTONUP };
enum : int { KDOWN = SDL_KEYDOWN, KUP = SDL_KEYUP };

TEST_F(KeyboardTest, ThePadsHatStickAndButtonsGiveTheirKeys) {
  expectFrames({
      {{{HAT, 0, SDL_HAT_LEFTUP}}, KEY_UP | KEY_LEFT},
      {{{HAT, 0, SDL_HAT_RIGHTDOWN}}, KEY_DOWN | KEY_RIGHT},
      {{{HAT, 0, SDL_HAT_CENTERED}, {AXIS, 0, -20000}}, KEY_LEFT},
      {{{AXIS, 0, -7000}}, 0},  // inside the dead zone
      {{{AXIS, 0, 32767}, {AXIS, 1, -32768}}, KEY_RIGHT | KEY_UP},
      {{{AXIS, 0, 0}, {AXIS, 1, 9000}}, KEY_DOWN},
      {{{AXIS, 1, 0}, {AXIS, 2, 32767}, {AXIS, 3, -32768}}, 0},  // the right stick does nothing
      {{{BDOWN, 0, 0}}, KEY_Z},
      {{{BUP, 0, 0}, {BDOWN, 1, 0}}, KEY_X},
      {{{BUP, 1, 0}, {BDOWN, 2, 0}}, KEY_A},
      {{{BUP, 2, 0}, {BDOWN, 7, 0}}, KEY_X},
      {{{BUP, 7, 0}, {BDOWN, 3, 0}, {BDOWN, 6, 0}}, 0},
  });
}

TEST_F(KeyboardTest, AKeyIsHeldWhileKeyboardOrPadHoldsItAndThePadNeverQuits) {
  expectFrames({
      {{{KDOWN, SDLK_UP, 0}, {AXIS, 1, -30000}}, KEY_UP},
      {{{AXIS, 1, 0}}, KEY_UP},  // still held on the keyboard
      {{{HAT, 0, SDL_HAT_UP}, {KUP, SDLK_UP, 0}, {AXIS, 1, -30000}, {HAT, 0, 0}}, KEY_UP},  // hat and stick apart
      {{{AXIS, 1, 0}}, 0},
      {{{BDOWN, 1, 0}, {BDOWN, 7, 0}, {BUP, 1, 0}}, KEY_X},  // Start still holds x
      {{{BUP, 7, 0}}, 0},
      {{{KDOWN, SDLK_s, 0},
        {KDOWN, SDLK_UP, 0},
        {KDOWN, SDLK_DOWN, 0},
        {AXIS, 0, -30000},
        {HAT, 0, SDL_HAT_RIGHT},
        {BDOWN, 0, 0},
        {BDOWN, 1, 0},
        {BDOWN, 2, 0}},
       127},  // all eight bits only with the pad's help: s is left out
      {{{KDOWN, SDLK_LEFT, 0}, {KDOWN, SDLK_RIGHT, 0}, {KDOWN, SDLK_z, 0}, {KDOWN, SDLK_x, 0}, {KDOWN, SDLK_a, 0}},
       KEY_QUIT},  // all eight on the keyboard still ask to quit
  });
}

TEST_F(KeyboardTest, APadThatGoesAwayLetsGoOfItsKeys) {
  expectFrames({{{{KDOWN, SDLK_z, 0}, {HAT, 0, SDL_HAT_UP}, {BDOWN, 2, 0}}, KEY_Z | KEY_UP | KEY_A}});
  ReleasePad();
  EXPECT_EQ(GetMsg(), KEY_Z);
}
