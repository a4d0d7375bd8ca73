// keyboard.cpp -- SDL events and the gamepad folded into the KeyMask
#include "app/keyboard.h"

#include <SDL.h>

#include "app/audio.h"
#include "app/display.h"
#include "app/gamepad.h"
#include "app/key_bindings.h"
#include "app/settings.h"

// The keyboard's held keys, kept between calls and never reset between
// frames; ResetKeyboard puts them back to program start.
static uint8_t keyByte = 0;
// The hook tests and tools install; nullptr polls SDL.
static KeySource keySource = nullptr;

// Keys that work the program rather than the game. They act on their press
// and never reach the KeyMask or the latches, so no scene sees them.
struct Hotkey {
  SDLKey sym;
  int modifiers;  // held modifiers required (any of them), 0 for none
  void (*action)();
};
// M: sound off or on, remembered for the next start.
static void toggleMute() {
  AudioToggleMuted();
  playerSettings.mute = AudioMuted();
  WriteSettings(playerSettings);
}

static const Hotkey kHotkeys[] = {
    {SDLK_F11, 0, RequestFullscreenToggle},
    {SDLK_RETURN, KMOD_ALT, RequestFullscreenToggle},
    {SDLK_KP_ENTER, KMOD_ALT, RequestFullscreenToggle},
    {SDLK_m, 0, toggleMute},
};

static bool runHotkey(const SDL_keysym& key) {
  for (const Hotkey& h : kHotkeys) {
    if (key.sym == h.sym && (h.modifiers == 0 || (key.mod & h.modifiers))) {
      h.action();
      return true;
    }
  }
  return false;
}

uint8_t PollKeyEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_KEYDOWN) {
      if (runHotkey(event.key.keysym)) continue;
      keyByte |= PressBoundKey(event.key.keysym.sym);
    } else if (event.type == SDL_KEYUP) {
      keyByte &= static_cast<uint8_t>(~ReleaseBoundKey(event.key.keysym.sym));
    } else if (event.type == SDL_QUIT) {
      keyByte = KEY_QUIT;
    } else {
      ApplyPadEvent(event);
    }
  }
  CheckGamepad();
  if (keyByte == KEY_QUIT) return KEY_QUIT;
  // A key is held while it is held on the keyboard or on the pad. The pad
  // never asks to quit: with its help all eight bits could be set, and then
  // s, which no scene reads, is left out.
  const uint8_t held = keyByte | PadKeys();
  return held == KEY_QUIT ? static_cast<uint8_t>(held & ~KEY_S) : held;
}

uint8_t GetMsg() { return keySource ? keySource() : PollKeyEvents(); }

void SetKeySource(KeySource source) { keySource = source; }

void ResetKeyboard() {
  keyByte = 0;
  ReleaseBoundKeys();
  ReleasePad();
  ResetKeyLatches();
}
