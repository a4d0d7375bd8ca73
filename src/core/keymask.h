// keymask.h -- the KeyMask: eight keys and the quit request as one byte per frame, and the edge latches
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
// one in its name. Live for the program: all start at 0, the game never
// resets them (ResetKeyLatches is for tests and tools starting afresh).
struct KeyLatches {
  int UpKeyFlg;
  int DownKeyFlg;
  int LeftKeyFlg;
  int RightKeyFlg;
  int checkKeyFlg;
};
extern KeyLatches latch;

void ResetKeyLatches();

// The frame's KeyMask: drains every waiting event and returns the key state
// after the last one. Every scene calls this exactly once per frame, first.
// The application frame provides it (src/app/keyboard.cpp); the race rules
// never call it, they are handed the frame's KeyMask.
uint8_t GetMsg();
