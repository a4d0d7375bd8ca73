// Key mask folding: press, release, quit, and what a frame sees.
#include "app/keyboard.h"
#include "test_support.h"

static void pushKey(Uint8 type, SDLKey sym) {
  SDL_Event e = {};
  e.type = type;
  e.key.type = type;
  e.key.keysym.sym = sym;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
}

class KeyboardTest : public SceneTest {};

TEST_F(KeyboardTest, PressAndReleaseBetweenFramesIsNeverSeen) {
  pushKey(SDL_KEYDOWN, SDLK_UP);
  pushKey(SDL_KEYUP, SDLK_UP);
  EXPECT_EQ(GetMsg(), 0);
}

TEST_F(KeyboardTest, HeldKeysAddTheirBitsAndPersistBetweenCalls) {
  pushKey(SDL_KEYDOWN, SDLK_UP);
  pushKey(SDL_KEYDOWN, SDLK_z);
  EXPECT_EQ(GetMsg(), 17);
  EXPECT_EQ(GetMsg(), 17);  // no new events: the state is kept
  pushKey(SDL_KEYUP, SDLK_UP);
  pushKey(SDL_KEYDOWN, SDLK_s);  // tracked though never used
  pushKey(SDL_KEYDOWN, SDLK_q);  // not one of the eight: ignored
  EXPECT_EQ(GetMsg(), 16 + 128);
}

TEST_F(KeyboardTest, AllEightKeysHeldReadAsQuit) {
  for (SDLKey k : {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x, SDLK_a, SDLK_s}) pushKey(SDL_KEYDOWN, k);
  EXPECT_EQ(GetMsg(), KEY_QUIT);
}

TEST_F(KeyboardTest, EachKeyHasItsBit) {
  const struct {
    SDLKey sym;
    uint8_t bit;
  } keys[] = {{SDLK_UP, 1}, {SDLK_DOWN, 2}, {SDLK_LEFT, 4}, {SDLK_RIGHT, 8},
              {SDLK_z, 16}, {SDLK_x, 32},   {SDLK_a, 64},   {SDLK_s, 128}};
  for (const auto& k : keys) {
    pushKey(SDL_KEYDOWN, k.sym);
    EXPECT_EQ(GetMsg(), k.bit);
    pushKey(SDL_KEYUP, k.sym);
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
  pushKey(SDL_KEYDOWN, SDLK_UP);
  SetKeySource(scriptedDown);
  EXPECT_EQ(GetMsg(), KEY_DOWN);
  SetKeySource(nullptr);
  EXPECT_EQ(GetMsg(), KEY_UP);
}
