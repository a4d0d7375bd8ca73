// keyboard.cpp -- SDL events folded into the KeyMask, and the shared edge latches
#include "app/keyboard.h"

#include <SDL.h>

#include "app/audio.h"

int UpKeyFlg = 0;
int DownKeyFlg = 0;
int LeftKeyFlg = 0;
int RightKeyFlg = 0;
int checkKeyFlg = 0;

static uint8_t keyByte = 0;  // kept between calls, never reset between frames
static KeySource keySource = nullptr;

static uint8_t keyBit(SDLKey sym) {
  switch (sym) {
    case SDLK_UP: return KEY_UP;
    case SDLK_DOWN: return KEY_DOWN;
    case SDLK_LEFT: return KEY_LEFT;
    case SDLK_RIGHT: return KEY_RIGHT;
    case SDLK_z: return KEY_Z;
    case SDLK_x: return KEY_X;
    case SDLK_a: return KEY_A;
    case SDLK_s: return KEY_S;
    default: return 0;
  }
}

uint8_t PollKeyEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN) {
      // M toggles the sound in any scene; it is not a game key.
      if (event.key.keysym.sym == SDLK_m) AudioToggleMuted();
      keyByte |= keyBit(event.key.keysym.sym);
    } else if (event.type == SDL_KEYUP) {
      keyByte &= static_cast<uint8_t>(~keyBit(event.key.keysym.sym));
    } else if (event.type == SDL_QUIT) {
      keyByte = KEY_QUIT;
    }
  }
  return keyByte;
}

uint8_t GetMsg() { return keySource ? keySource() : PollKeyEvents(); }

void SetKeySource(KeySource source) { keySource = source; }

void ResetKeyboard() {
  keyByte = 0;
  UpKeyFlg = DownKeyFlg = LeftKeyFlg = RightKeyFlg = checkKeyFlg = 0;
}
