// The scene loop: the quit request from every scene, and the safety net for unknown codes.
#include "app/keyboard.h"
#include "app/scene_loop.h"
#include "test_support.h"

using SceneLoopTest = SceneTest;

TEST_F(SceneLoopTest, EverySceneAnswersAQuitRequestWithSix) {
  SetKeySource([] { return uint8_t{KEY_QUIT}; });
  for (int32_t code : {SCENE_TITLE, SCENE_GAME, SCENE_PAUSE}) {
    LoopState s{code, 2, 1};
    RunSceneOnce(screen, &s);
    EXPECT_EQ(V(s.sceneCode, s.mapCnt, s.mode), V(SCENE_QUIT, 2, 1)) << "scene " << code;
  }
}

TEST_F(SceneLoopTest, AnUnknownSceneCodeFallsBackToTheFrontEnd) {
  for (int32_t code : {0, 2, 3, 5, 8, -1}) {
    LoopState s{code, 0, 0};
    RunSceneOnce(screen, &s);
    EXPECT_EQ(s.sceneCode, SCENE_TITLE) << "code " << code;
  }
}
