// gamepad.h -- the first joystick as one more source of the game's keys
#pragma once
#include <SDL.h>

#include <cstdint>

// Initialises the joystick subsystem on its own and opens the first joystick.
// With none present (or no joystick support) nothing happens and nothing is
// printed.
void OpenGamepad();
void CloseGamepad();

// Applies a joystick event to the keys the pad holds. Returns false for an
// event that is not the pad's.
//   hat or left stick (axes 0 and 1, past a dead zone): the arrows
//   button 0 (south face button): z     button 1 (east): x
//   button 2 (west): a                  button 7 (start on common pads): x
bool ApplyPadEvent(const SDL_Event& event);

// The KeyMask bits held on the pad. The pad has no s, so it alone never
// gives the quit value 255.
uint8_t PadKeys();

// Forgets whatever the pad held, as when it is pulled out.
void ReleasePad();

// Called once per frame: about once a second checks that the opened pad is
// still plugged in, and releases and closes it when it has gone.
void CheckGamepad();
