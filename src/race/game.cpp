// game.cpp -- the race scene: one race frame, its steps in their fixed order
#include "race/game.h"

#include "app/keyboard.h"
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
  const uint8_t keys = raceProgram.key_flg = GetMsg();  // 1. keyboard
  if (keys == KEY_QUIT) return 6;
  RaceClockStep();  // 2. clock and time limit
  if (race.readyFlg == 0 && !SetupRace(mapCnt, mode)) {  // 3. setup
    race.readyFlg = 0;  // back to the course select; the next call sets up again
    return 1;
  }
  race.mapCnt = mapCnt;
  race.mode = mode;
  race.course = mapCnt % 6;
  CountdownStep();                             // 4. countdown
  if (PauseKeyStep(keys)) return 7;            // 5. pause
  const bool driving = race.readyFlg == 2 && race.goalFlg != 1;
  if (driving) SteeringStep(car[0], keys);     // 6. steering
  if (driving) ThrottleStep(car[0], keys);     // 7. throttle and brake
  AuthoringKeyStep(keys);                      // 8. checkpoint authoring
  RecordStep();                                // 9. run recording and skid points
  SkidScreenStep();                            // 10. skid points on screen
  CheckpointStep();                            // 11. checkpoints
  GoalStep();                                  // 12. goal, laps, goal-time records
  ReplayStep();                                // 13. second car's replay
  HeadingStep(car[0]);                         // 14. heading and velocity
  MovementStep(img.mapImage, mode);            // 15. movement against the track
  if (mode == 2 && race.secondCarFlg) ContactDeflectionStep();  // 16. contact push
  CameraStep();                                // 17. camera
  DrawCourse(screen);                          // 18. course, then skid marks
  if (race.readyFlg == 2) DrawSkidMarks(img.bbMap);
  DrawCars(screen);                            // 19. cars and HUD
  DrawHud(screen);
  DrawCountdownAndBanner(screen);              // 20. countdown and start banner
  FinishStep(screen);                          // 21. finish banner, coasting, fade
  if (ResultScreenDue()) return ResultScreen(screen);  // 22. result screen
  return 4;
}
