// race_frame.h -- everything one race frame decides, in the frame's fixed order
#pragma once
#include <cstdint>

#include "race/track_collision.h"

// The rules of one racing-scene frame after its setup (a race whose readyFlg
// is 0 must be set up first: NameRace, the course colours, StartRace). With
// the frame's KeyMask: race clock, countdown, pause key, steering and
// throttle, authoring key, run recording, skid points, checkpoints, goal and
// laps, the second car's replay, heading, movement over course, the rival's
// push, the engine's cue, camera, and the coasting once the race is over.
// Returns SCENE_PAUSE when the pause key asks (the frame stops there),
// otherwise SCENE_GAME. Draws nothing: a program without a screen can run a
// whole race with it.
int32_t RaceFrame(uint8_t keys, const CourseView& course);
