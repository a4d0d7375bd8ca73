// race_scene_state.cpp -- storage of the race presentation's sound cues
#include "race_scene/race_scene_state.h"

RaceSceneState raceScene = {false, -1};

void ResetRaceSceneState() { raceScene = RaceSceneState{false, -1}; }
