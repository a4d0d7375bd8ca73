// game.cpp -- the race scene: one race frame, its steps in their fixed order
#include "race/game.h"

#include "app/keyboard.h"
#include "app/sound_events.h"
#include "gfx/images.h"
#include "race/car_model.h"
#include "race/checkpoints.h"
#include "race/ghost_replay.h"
#include "race/race_end.h"
#include "race/race_start.h"
#include "race/race_state.h"
#include "race/race_view.h"
#include "race/rival_contact.h"
#include "race/skid_marks.h"
#include "race/track_collision.h"

int32_t Game(SDL_Surface* screen, int32_t mapCnt, int32_t mode) {
  // 1. Keyboard, once per frame.
  const uint8_t keys = raceProgram.key_flg = GetMsg();
  if (keys == KEY_QUIT) return QuitRace();
  // 2. Race clock and time limit.
  RaceClockStep();
  // 3. Setup frame. A race that cannot run goes back to the course select,
  //    and the next call tries the setup again.
  if (race.readyFlg == 0 && !SetupRace(mapCnt, mode)) {
    race.readyFlg = 0;
    return 1;
  }
  // 4. Countdown.
  CountdownStep();
  // 5. Pause key.
  if (PauseKeyStep(keys)) return 7;
  // 6, 7. Steering, then throttle and brake, only while racing.
  if (race.readyFlg == 2 && race.goalFlg != 1) {
    SteeringStep(car[0], keys);
    ThrottleStep(car[0], keys);
  }
  // 8. Checkpoint authoring key.
  AuthoringKeyStep(keys);
  // 9. Run recording, with the skid points.
  RecordStep();
  // 10. Skid points on the screen.
  SkidScreenStep();
  // 11. Checkpoints.
  CheckpointStep();
  // 12. Goal, laps and the records written at the goal.
  GoalStep();
  // 13. Second car's replay.
  ReplayStep();
  // 14. Heading and velocity.
  HeadingStep(car[0]);
  // 15. Movement against the track (and the rival in mode 2).
  MovementStep(img.mapImage, mode);
  // 16. Contact push, mode 2 with a rival only.
  if (mode == 2 && race.secondCarFlg) ContactDeflectionStep();
  // The engine follows this frame's speed; a frame without it (pause menu,
  // front end, result screen) lets it die away.
  PostSound(SOUND_ENGINE, car[0].speed);
  // 17. Camera.
  CameraStep();
  // 18. Course view, then this frame's skid marks into bbMap.
  DrawCourse(screen);
  if (race.readyFlg == 2) DrawSkidMarks(img.bbMap);
  // 19. Cars and HUD.
  DrawCars(screen);
  DrawHud(screen);
  // 20. Countdown digit and start banner.
  DrawCountdownAndBanner(screen);
  // 21. Finish banner, coasting and fade.
  FinishStep(screen);
  // 22. The result screen once the race is over and the car has all but stopped.
  if (ResultScreenDue()) return ResultScreen(screen);
  return 4;
}
