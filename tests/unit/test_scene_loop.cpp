// The scene loop: dispatch, the quit request from every scene, and the safety net for unknown codes.
#include "app/keyboard.h"
#include "app/scene_loop.h"
#include "test_support.h"

static uint8_t quitKeys() { return KEY_QUIT; }

class SceneLoopTest : public SceneTest {};

TEST_F(SceneLoopTest, StartsInTheFrontEndWithNoSlotOrMode) {
  const LoopState s = InitialLoopState();
  EXPECT_EQ(V(s.sceneCode, s.mapCnt, s.mode), V(SCENE_TITLE, 0, 0));
}

TEST_F(SceneLoopTest, EverySceneAnswersAQuitRequestWithSix) {
  SetKeySource(quitKeys);
  for (int32_t code : {SCENE_TITLE, SCENE_GAME, SCENE_PAUSE}) {
    LoopState s = InitialLoopState();
    s.sceneCode = code;
    s.mapCnt = 2;
    s.mode = 1;
    RunSceneOnce(screen, &s);
    EXPECT_EQ(s.sceneCode, SCENE_QUIT) << "scene " << code;
    EXPECT_EQ(V(s.mapCnt, s.mode), V(2, 1));
  }
}

TEST_F(SceneLoopTest, AnUnknownSceneCodeFallsBackToTheFrontEnd) {
  for (int32_t code : {0, 2, 3, 5, 8, -1}) {
    LoopState s = InitialLoopState();
    s.sceneCode = code;
    RunSceneOnce(screen, &s);
    EXPECT_EQ(s.sceneCode, SCENE_TITLE) << "code " << code;
  }
}
