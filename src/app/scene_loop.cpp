// scene_loop.cpp -- scene dispatch and the main loop
#include "app/scene_loop.h"

#include "app/pacing.h"
#include "frontend/title.h"
#include "gfx/images.h"
#include "race_scene/game.h"
#include "race_scene/pause_menu.h"

LoopState InitialLoopState() { return LoopState{SCENE_TITLE, 0, 0}; }

static bool isKnownScene(int32_t code) {
  return code == SCENE_TITLE || code == SCENE_GAME || code == SCENE_QUIT || code == SCENE_PAUSE;
}

void RunSceneOnce(SDL_Surface* screen, LoopState* state) {
  switch (state->sceneCode) {
    case SCENE_GAME: state->sceneCode = Game(screen, state->mapCnt, state->mode); break;
    case SCENE_PAUSE: state->sceneCode = GameSelect(screen); break;
    case SCENE_TITLE: state->sceneCode = Title(screen, &state->mapCnt, &state->mode); break;
    default: break;
  }
  if (!isKnownScene(state->sceneCode)) state->sceneCode = SCENE_TITLE;
}

void RunSceneLoop(SDL_Surface* screen) {
  ImageLoad();
  LoopState state = InitialLoopState();
  while (state.sceneCode != SCENE_QUIT) {
    RunSceneOnce(screen, &state);
    screen = PresentFrame(screen);
  }
  ImageRelease();
}
