// keyboard.h -- where the KeyMask comes from: SDL events, the gamepad, or a scripted source
#pragma once
#include <cstdint>

#include "core/keymask.h"

// Where GetMsg takes its keys from. The default polls SDL's event queue; tests
// and tools install a source that scripts one KeyMask per call. nullptr
// restores the SDL source.
using KeySource = uint8_t (*)();
void SetKeySource(KeySource source);

// The SDL source itself: applies queued press, release and quit events to the
// kept key byte, and joystick events to the pad's keys; returns the two
// together. Program hotkeys (F11, Alt+Enter) act here and are not keys.
uint8_t PollKeyEvents();

// Puts the key byte, the pad's keys and all latches back to their program-start value of 0.
void ResetKeyboard();
