// race_scene_state.h -- what the race's presentation remembers between frames
#pragma once
#include <cstdint>

// Only the sound cues read these; nothing in a race depends on them. They
// live for the program; ResetRaceSceneState puts them back to program start.
struct RaceSceneState {
  // Set with the first frame of a finish banner, cleared in any race frame
  // before the race is over: the banner's stinger sounds once.
  bool bannerHeard;
  // The countdown cue last heard: digit cells 0..3, 4 the start banner, -1
  // none yet. A race runs through the cues in rising order, so each sounds
  // once, in the frame it is first drawn, also across a pause.
  int32_t heardCue;
};
extern RaceSceneState raceScene;

void ResetRaceSceneState();
