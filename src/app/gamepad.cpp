// gamepad.cpp -- hat, left stick and face buttons folded into KeyMask bits
#include "app/gamepad.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/keyboard.h"

// A quarter of the stick's travel: a stick at rest on a worn pad reads a
// few thousand, which must not steer.
static const int kDeadZone = 8000;

// Button index to key, for the buttons that do something.
static const struct {
  int button;
  uint8_t key;
} kButtonKeys[] = {{0, KEY_Z}, {1, KEY_X}, {2, KEY_A}, {7, KEY_X}};

// What the pad holds, by source, so that letting go of one source leaves the others.
static uint8_t hatKeys = 0;
static uint8_t stickXKeys = 0, stickYKeys = 0;
static uint32_t heldButtons = 0;  // bit i: button i held

static SDL_Joystick* pad = nullptr;
static std::string padDevice;  // the pad's device node, "" when unknown
static Uint32 lastCheck = 0;

static uint8_t axisKeys(int value, uint8_t negative, uint8_t positive) {
  if (value < -kDeadZone) return negative;
  if (value > kDeadZone) return positive;
  return 0;
}

bool ApplyPadEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_JOYHATMOTION:
      if (e.jhat.hat != 0) return true;
      hatKeys = static_cast<uint8_t>(
          ((e.jhat.value & SDL_HAT_UP) ? KEY_UP : 0) | ((e.jhat.value & SDL_HAT_DOWN) ? KEY_DOWN : 0) |
          ((e.jhat.value & SDL_HAT_LEFT) ? KEY_LEFT : 0) | ((e.jhat.value & SDL_HAT_RIGHT) ? KEY_RIGHT : 0));
      return true;
    case SDL_JOYAXISMOTION:
      if (e.jaxis.axis == 0) stickXKeys = axisKeys(e.jaxis.value, KEY_LEFT, KEY_RIGHT);
      if (e.jaxis.axis == 1) stickYKeys = axisKeys(e.jaxis.value, KEY_UP, KEY_DOWN);
      return true;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (e.jbutton.button < 32) {
        const uint32_t bit = 1u << e.jbutton.button;
        heldButtons = e.type == SDL_JOYBUTTONDOWN ? (heldButtons | bit) : (heldButtons & ~bit);
      }
      return true;
    case SDL_JOYBALLMOTION: return true;
    default: return false;
  }
}

uint8_t PadKeys() {
  uint8_t keys = hatKeys | stickXKeys | stickYKeys;
  for (const auto& b : kButtonKeys) {
    if (heldButtons & (1u << b.button)) keys |= b.key;
  }
  return keys;
}

void ReleasePad() {
  hatKeys = stickXKeys = stickYKeys = 0;
  heldButtons = 0;
}

// SDL names the pad by its input device; the device node with that name is
// the one whose disappearance means the pad was pulled out.
static std::string deviceNodeNamed(const char* name) {
  DIR* dir = opendir("/sys/class/input");
  if (!dir) return "";
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    if (strncmp(entry->d_name, "event", 5) != 0) continue;
    const std::string nameFile = std::string("/sys/class/input/") + entry->d_name + "/device/name";
    FILE* f = fopen(nameFile.c_str(), "r");
    if (!f) continue;
    char text[256] = "";
    if (fgets(text, sizeof text, f)) text[strcspn(text, "\n")] = '\0';
    fclose(f);
    if (strcmp(text, name) == 0) {
      found = std::string("/dev/input/") + entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

void OpenGamepad() {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0) return;
  if (SDL_NumJoysticks() < 1) return;
  pad = SDL_JoystickOpen(0);
  if (!pad) return;
  const char* name = SDL_JoystickName(0);
  padDevice = name ? deviceNodeNamed(name) : "";
}

void CloseGamepad() {
  if (pad) SDL_JoystickClose(pad);
  pad = nullptr;
  padDevice.clear();
  ReleasePad();
}

void CheckGamepad() {
  if (!pad || padDevice.empty()) return;
  const Uint32 now = SDL_GetTicks();
  if (now - lastCheck < 1000) return;
  lastCheck = now;
  // SDL 1.2 sends no event when a pad goes away: its last state would stay held.
  if (access(padDevice.c_str(), F_OK) != 0) CloseGamepad();
}
