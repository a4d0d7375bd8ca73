// key_bindings.cpp -- key names, the player's bindings checked and resolved, and the table the keyboard reads
#include "app/key_bindings.h"

#include <SDL.h>

#include <cctype>
#include <cstdio>

namespace {

const char* const kGameKeySettings[GAME_KEY_COUNT] = {
    "key.up", "key.down", "key.left", "key.right", "key.confirm", "key.back", "key.author", "key.spare",
};
const int kDefaultSyms[GAME_KEY_COUNT] = {
    SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x, SDLK_a, SDLK_s,
};
enum { CONFIRM = 4, BACK = 5 };

struct KeyName {
  const char* name;  // as X names the key (xev shows it), matched ignoring case
  int sym;
};
// Every key a game key may be bound to, beside the letters and digits.
const KeyName kKeyNames[] = {
    {"Up", SDLK_UP},
    {"Down", SDLK_DOWN},
    {"Left", SDLK_LEFT},
    {"Right", SDLK_RIGHT},
    {"Return", SDLK_RETURN},
    {"Escape", SDLK_ESCAPE},
    {"space", SDLK_SPACE},
    {"Tab", SDLK_TAB},
    {"BackSpace", SDLK_BACKSPACE},
    {"Delete", SDLK_DELETE},
    {"Insert", SDLK_INSERT},
    {"Home", SDLK_HOME},
    {"End", SDLK_END},
    {"Page_Up", SDLK_PAGEUP},
    {"Page_Down", SDLK_PAGEDOWN},
    {"Shift_L", SDLK_LSHIFT},
    {"Shift_R", SDLK_RSHIFT},
    {"Control_L", SDLK_LCTRL},
    {"Control_R", SDLK_RCTRL},
    {"comma", SDLK_COMMA},
    {"period", SDLK_PERIOD},
    {"slash", SDLK_SLASH},
    {"semicolon", SDLK_SEMICOLON},
    {"apostrophe", SDLK_QUOTE},
    {"minus", SDLK_MINUS},
    {"equal", SDLK_EQUALS},
    {"bracketleft", SDLK_LEFTBRACKET},
    {"bracketright", SDLK_RIGHTBRACKET},
    {"backslash", SDLK_BACKSLASH},
    {"grave", SDLK_BACKQUOTE},
    {"KP_Enter", SDLK_KP_ENTER},
    {"KP_Add", SDLK_KP_PLUS},
    {"KP_Subtract", SDLK_KP_MINUS},
    {"KP_Multiply", SDLK_KP_MULTIPLY},
    {"KP_Divide", SDLK_KP_DIVIDE},
    {"KP_Decimal", SDLK_KP_PERIOD},
};
// Keys that work the program (full screen, sound) and never play a game key.
const char* const kReservedNames[] = {"F11", "m", "Alt_L", "Alt_R"};

bool sameIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && !b[i];
}

bool isReservedName(const std::string& name) {
  for (const char* reserved : kReservedNames)
    if (sameIgnoringCase(name, reserved)) return true;
  return false;
}

// The bindings in use, as (key, bit) pairs: the eight game keys and the two
// aliases; the design's keys until the settings are read. And the keys held now.
struct ActiveKey {
  int sym;
  uint8_t bit;
};
ActiveKey activeKeys[GAME_KEY_COUNT + 2] = {
    {SDLK_UP, 1}, {SDLK_DOWN, 2}, {SDLK_LEFT, 4}, {SDLK_RIGHT, 8},   {SDLK_z, 16},
    {SDLK_x, 32}, {SDLK_a, 64},   {SDLK_s, 128},  {SDLK_RETURN, 16}, {SDLK_ESCAPE, 32},
};
bool held[SDLK_LAST];

void useBindings(const KeyBindings& b) {
  for (int k = 0; k < GAME_KEY_COUNT; ++k) activeKeys[k] = {b.sym[k], static_cast<uint8_t>(1 << k)};
  activeKeys[GAME_KEY_COUNT] = {b.confirmAlias, static_cast<uint8_t>(1 << CONFIRM)};
  activeKeys[GAME_KEY_COUNT + 1] = {b.backAlias, static_cast<uint8_t>(1 << BACK)};
}

uint8_t bitOf(int sym) {
  for (const ActiveKey& a : activeKeys)
    if (a.sym == sym) return a.bit;
  return 0;
}

bool inRange(int sym) { return sym > 0 && sym < SDLK_LAST; }

}  // namespace

const char* GameKeySetting(int k) { return k >= 0 && k < GAME_KEY_COUNT ? kGameKeySettings[k] : ""; }

int FindGameKeySetting(const std::string& settingKey) {
  for (int k = 0; k < GAME_KEY_COUNT; ++k)
    if (settingKey == kGameKeySettings[k]) return k;
  return -1;
}

int KeySymByName(const std::string& name) {
  if (name.size() == 1) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    if (c == 'm') return -1;
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return c;  // SDL's symbols are the ASCII codes
  }
  for (const KeyName& k : kKeyNames)
    if (sameIgnoringCase(name, k.name)) return k.sym;
  // F1..F15 but F11, KP_0..KP_9.
  for (int i = 1; i <= 15; ++i)
    if (i != 11 && sameIgnoringCase(name, ("F" + std::to_string(i)).c_str())) return SDLK_F1 + i - 1;
  for (int i = 0; i <= 9; ++i)
    if (sameIgnoringCase(name, ("KP_" + std::to_string(i)).c_str())) return SDLK_KP0 + i;
  return -1;
}

std::string KeyNameOf(int sym) {
  if ((sym >= 'a' && sym <= 'z' && sym != 'm') || (sym >= '0' && sym <= '9'))
    return std::string(1, static_cast<char>(sym));
  for (const KeyName& k : kKeyNames)
    if (k.sym == sym) return k.name;
  if (sym >= SDLK_F1 && sym <= SDLK_F15 && sym != SDLK_F11) return "F" + std::to_string(sym - SDLK_F1 + 1);
  if (sym >= SDLK_KP0 && sym <= SDLK_KP9) return "KP_" + std::to_string(sym - SDLK_KP0);
  return "";
}

KeyBindings DefaultKeyBindings() {
  KeyBindings b;
  for (int k = 0; k < GAME_KEY_COUNT; ++k) b.sym[k] = kDefaultSyms[k];
  b.confirmAlias = SDLK_RETURN;
  b.backAlias = SDLK_ESCAPE;
  return b;
}

KeyBindings ResolveKeyBindings(const KeyBindingNames& names, std::vector<std::string>* problems) {
  KeyBindings b = DefaultKeyBindings();
  bool given[GAME_KEY_COUNT] = {};
  auto refuse = [&](int k, const std::string& why) {
    problems->push_back(std::string(kGameKeySettings[k]) + " \"" + names.name[k] + "\" " + why + "; " +
                        KeyNameOf(kDefaultSyms[k]) + " kept");
    b.sym[k] = kDefaultSyms[k];
    given[k] = false;
  };
  for (int k = 0; k < GAME_KEY_COUNT; ++k) {
    if (names.name[k].empty()) continue;
    const int sym = KeySymByName(names.name[k]);
    if (sym < 0) {
      refuse(k, isReservedName(names.name[k]) ? "is kept for the program" : "is not a key name");
      continue;
    }
    b.sym[k] = sym;
    given[k] = true;
  }
  // A binding that shares its key with another game key goes back to its
  // default; that may uncover another clash, so look again until none is left.
  // Each round takes one binding back and the defaults never clash.
  for (bool clash = true; clash;) {
    clash = false;
    for (int k = 0; k < GAME_KEY_COUNT && !clash; ++k) {
      if (!given[k]) continue;
      for (int j = 0; j < GAME_KEY_COUNT && !clash; ++j) {
        if (j == k || b.sym[j] != b.sym[k]) continue;
        refuse(k, std::string("is ") + kGameKeySettings[j] + "'s key too");
        clash = true;
      }
    }
  }
  for (int k = 0; k < GAME_KEY_COUNT; ++k) {
    if (b.sym[k] == SDLK_RETURN) b.confirmAlias = -1;
    if (b.sym[k] == SDLK_ESCAPE) b.backAlias = -1;
  }
  return b;
}

void InstallKeyBindings(const KeyBindingNames& names, const char* settingsPath) {
  std::vector<std::string> problems;
  const KeyBindings b = ResolveKeyBindings(names, &problems);
  for (const std::string& p : problems) printf("%s: %s\n", settingsPath, p.c_str());
  useBindings(b);
  ReleaseBoundKeys();
}

uint8_t PressBoundKey(int sym) {
  if (inRange(sym)) held[sym] = true;
  return bitOf(sym);
}

uint8_t ReleaseBoundKey(int sym) {
  if (inRange(sym)) held[sym] = false;
  const uint8_t bit = bitOf(sym);
  for (const ActiveKey& a : activeKeys)
    if (a.bit == bit && a.sym != sym && inRange(a.sym) && held[a.sym]) return 0;
  return bit;
}

void ReleaseBoundKeys() {
  for (bool& h : held) h = false;
}
