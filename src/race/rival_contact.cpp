// rival_contact.cpp -- the nose test and the contact push of mode 2
#include "race/rival_contact.h"

#include <cmath>

#include "core/sound_events.h"
#include "race/car_model.h"
#include "race/race_state.h"

// Contact distance 16 px, compared squared.
static const double kContactDistSq = 256.0;

bool NoseClear() {
  const CarState& p = car[0];
  const CarState& r = car[1];
  const double h = Radians(HeadingOf(p));
  const double nx = p.posX + CAR_CENTRE_X + 16 * std::cos(h);
  const double ny = p.posY + CAR_CENTRE_Y + 16 * std::sin(h);
  const double dx = nx - (r.posX + CAR_CENTRE_X);
  const double dy = ny - (r.posY + CAR_CENTRE_Y);
  return dx * dx + dy * dy > kContactDistSq;
}

// The push direction from the rival's position (rx, ry) to the player's (px, py).
static void TakePushDirection(float px, float py, float rx, float ry) {
  if (px != rx) {
    raceProgram.textkaku = (py - ry) / (px - rx);
    if (raceProgram.textkaku == 0) {
      raceProgram.dmgAng = px > rx ? 0.0f : 180.0f;
    } else {
      raceProgram.dmgAng = static_cast<float>(std::atan(raceProgram.textkaku) * 180 / kPi);
      if (rx > px) raceProgram.dmgAng = raceProgram.dmgAng + 180;
    }
  } else if (py > ry) {
    raceProgram.dmgAng = 90;
  } else if (ry > py) {
    raceProgram.dmgAng = 270;
  }  // identical positions: the previous direction stands
  if (raceProgram.dmgAng < 0) raceProgram.dmgAng += 360;
  if (raceProgram.dmgAng > 360) raceProgram.dmgAng -= 360;
}

void ContactDeflectionStep() {
  CarState& p = car[0];
  const CarState& r = car[1];
  // Screen positions as the previous frame's camera step left them.
  const double g = Radians(15 * r.dir);
  const double rx = r.dispX + CAR_CENTRE_X + 16 * std::cos(g);
  const double ry = r.dispY + CAR_CENTRE_Y + 16 * std::sin(g);
  const double dx = rx - (p.dispX + CAR_CENTRE_X);
  const double dy = ry - (p.dispY + CAR_CENTRE_Y);
  if (!(dx * dx + dy * dy < kContactDistSq)) return;
  PostSound(SOUND_KNOCK);
  TakePushDirection(p.posX, p.posY, r.posX, r.posY);
  p.moveAng = static_cast<int32_t>(raceProgram.dmgAng);
  p.speed = 2.0f;
}
