// program_state.cpp -- one reset for everything the game keeps between frames
#include "app/program_state.h"

#include "app/keyboard.h"
#include "app/pacing.h"
#include "frontend/frontend_state.h"
#include "race/race_state.h"
#include "race_scene/race_scene_state.h"

void ResetProgramState() {
  ResetCoreState();
  ResetFrontEnd();
  ResetRaceSceneState();
  ResetKeyboard();
  ResetPacing();
}
