// keyboard.h -- the KeyMask: eight keys and the quit request as one byte per frame
#pragma once
#include <cstdint>

// KeyMask bits. 255 means the window was closed (quit requested).
enum : uint8_t {
  KEY_UP = 1,
  KEY_DOWN = 2,
  KEY_LEFT = 4,
  KEY_RIGHT = 8,
  KEY_Z = 16,
  KEY_X = 32,
  KEY_A = 64,
  KEY_S = 128,
  KEY_QUIT = 255,
};

// Edge latches shared by every scene: 1 once the key has been seen released,
// 0 after a press has acted. A scene may use a latch for another key than the
// one in its name. All start at 0 and are never reset by the game.
extern int UpKeyFlg;
extern int DownKeyFlg;
extern int LeftKeyFlg;
extern int RightKeyFlg;
extern int checkKeyFlg;

// Drains every waiting event and returns the key state after the last one.
// Every scene calls this exactly once per frame, first.
uint8_t GetMsg();

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
