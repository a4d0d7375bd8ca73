// race_frame.cpp -- the race's rules for one frame, one call per step
#include "race/race_frame.h"

#include "core/scene_codes.h"
#include "core/sound_events.h"
#include "race/camera.h"
#include "race/car_model.h"
#include "race/checkpoints.h"
#include "race/ghost_replay.h"
#include "race/race_result.h"
#include "race/race_start.h"
#include "race/race_state.h"
#include "race/rival_contact.h"
#include "race/skid_marks.h"

int32_t RaceFrame(uint8_t keys, const CourseView& course) {
  // Race clock and time limit. The clock stands until racing, so in a setup
  // frame it makes no difference that the setup came first.
  RaceClockStep();
  // Countdown.
  CountdownStep();
  // Pause key.
  if (PauseKeyStep(keys)) return SCENE_PAUSE;
  // Steering, then throttle and brake, only while racing.
  if (race.readyFlg == 2 && race.goalFlg != 1) {
    SteeringStep(car[0], keys);
    ThrottleStep(car[0], keys);
  }
  // Checkpoint authoring key.
  AuthoringKeyStep(keys);
  // Run recording, with the skid points.
  RecordStep();
  // Skid points on the screen.
  SkidScreenStep();
  // Checkpoints.
  CheckpointStep();
  // Goal, laps and the records written at the goal.
  GoalStep();
  // Second car's replay.
  ReplayStep();
  // Heading and velocity.
  HeadingStep(car[0]);
  // Movement against the track (and the rival in mode 2).
  MovementStep(course, race.mode);
  // Contact push, mode 2 with a rival only.
  if (race.mode == 2 && race.secondCarFlg) ContactDeflectionStep();
  // The engine follows this frame's speed; a frame without it (pause menu,
  // front end, result screen) lets it die away.
  PostSound(SOUND_ENGINE, car[0].speed);
  // Camera.
  CameraStep();
  // Coasting once the race is over. Nothing drawn after this point reads the
  // speed before the veil, which wants the slowed car.
  CoastStep();
  return SCENE_GAME;
}
