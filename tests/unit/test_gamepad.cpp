// Gamepad: hat, stick and buttons through SDL's event queue, together with the keyboard.
#include <vector>

#include "app/gamepad.h"
#include "app/keyboard.h"
#include "test_support.h"

static SDL_Event hat(Uint8 value) {
  SDL_Event e = {};
  e.type = SDL_JOYHATMOTION;
  e.jhat.value = value;
  return e;
}
static SDL_Event axis(Uint8 which, Sint16 value) {
  SDL_Event e = {};
  e.type = SDL_JOYAXISMOTION;
  e.jaxis.axis = which;
  e.jaxis.value = value;
  return e;
}
static SDL_Event button(Uint8 index, bool down) {
  SDL_Event e = {};
  e.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  e.jbutton.button = index;
  return e;
}
static SDL_Event key(SDLKey sym, bool down) {
  SDL_Event e = {};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.keysym.sym = sym;
  return e;
}

// Each step pushes its events and then reads one frame's KeyMask.
struct Step {
  std::vector<SDL_Event> events;
  uint8_t expected;
};

class GamepadTest : public SceneTest {
 protected:
  void run(const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
      for (SDL_Event e : steps[i].events) ASSERT_EQ(SDL_PushEvent(&e), 0);
      EXPECT_EQ(GetMsg(), steps[i].expected) << "step " << i;
    }
  }
};

TEST_F(GamepadTest, HatStickAndButtonsGiveTheirKeys) {
  run({
      {{hat(SDL_HAT_LEFTUP)}, KEY_UP | KEY_LEFT},
      {{hat(SDL_HAT_CENTERED)}, 0},
      {{hat(SDL_HAT_RIGHTDOWN)}, KEY_DOWN | KEY_RIGHT},
      {{hat(SDL_HAT_CENTERED), axis(0, -20000)}, KEY_LEFT},
      {{axis(0, -7000)}, 0},  // inside the dead zone
      {{axis(0, 32767), axis(1, -32768)}, KEY_RIGHT | KEY_UP},
      {{axis(0, 0), axis(1, 9000)}, KEY_DOWN},
      {{axis(1, 0), axis(2, 32767), axis(3, -32768)}, 0},  // the other stick does nothing
      {{button(0, true)}, KEY_Z},
      {{button(0, false), button(1, true)}, KEY_X},
      {{button(1, false), button(2, true)}, KEY_A},
      {{button(2, false), button(7, true)}, KEY_X},
      {{button(7, false), button(3, true), button(6, true)}, 0},
  });
}

TEST_F(GamepadTest, AKeyIsHeldWhileEitherSourceHoldsIt) {
  run({
      {{key(SDLK_UP, true), axis(1, -30000)}, KEY_UP},
      {{axis(1, 0)}, KEY_UP},  // still on the keyboard
      {{hat(SDL_HAT_UP), key(SDLK_UP, false)}, KEY_UP},
      {{axis(1, -30000), hat(SDL_HAT_CENTERED)}, KEY_UP},  // stick and hat are separate holds
      {{axis(1, 0)}, 0},
      {{button(1, true), button(7, true), button(1, false)}, KEY_X},  // start still holds x
      {{button(7, false)}, 0},
      {{key(SDLK_x, true), button(1, true), key(SDLK_x, false)}, KEY_X},
      {{button(1, false)}, 0},
  });
}

TEST_F(GamepadTest, ThePadNeverMakesTheQuitValue) {
  run({
      {{key(SDLK_s, true), key(SDLK_UP, true), key(SDLK_DOWN, true), axis(0, -30000), hat(SDL_HAT_RIGHT),
        button(0, true), button(1, true), button(2, true)},
       127},
      {{key(SDLK_LEFT, true), key(SDLK_RIGHT, true), key(SDLK_z, true), key(SDLK_x, true), key(SDLK_a, true)},
       KEY_QUIT},  // all eight on the keyboard still read as quit, as they always have
  });
}

TEST_F(GamepadTest, APadThatGoesAwayLetsGoOfItsKeys) {
  run({{{key(SDLK_z, true), hat(SDL_HAT_UP), button(2, true)}, KEY_Z | KEY_UP | KEY_A}});
  ReleasePad();
  run({{{}, KEY_Z}, {{key(SDLK_z, false)}, 0}});
}
