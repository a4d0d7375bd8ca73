// rival_contact.h -- mode 2: the player's nose against the rival, and the push away from it
#pragma once

// Nose test before a one-pixel step: the player's nose point, 16 px ahead of
// its centre along its facing, must be more than 16 px (squared distance
// > 256.0) from the rival's centre. True when the step is allowed.
bool NoseClear();

// Contact deflection, once per mode-2 frame after the movement: when the
// rival's nose (from last frame's screen positions) is within 16 px of the
// player's centre (squared distance < 256.0), the player is sent away from
// the rival: moveAng = trunc(dmgAng), speed = 2.0.
void ContactDeflectionStep();
