// key_bindings.h -- which physical key plays each of the eight game keys
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The game keys in KeyMask bit order: game key k is bit 1 << k.
enum { GAME_KEY_COUNT = 8 };

// The key names a player gave in the settings file, one per game key, as
// written ("" when not given: the design's key). Kept verbatim, so that
// rewriting the file keeps the player's lines.
struct KeyBindingNames {  // NOLINT(bugprone-reserved-identifier): clang-tidy 14 names the implicit copy of the array
                          // "__i0"
  std::string name[GAME_KEY_COUNT];
};

// The settings-file key of game key k: "key.up", "key.down", "key.left",
// "key.right", "key.confirm", "key.back", "key.author", "key.spare".
const char* GameKeySetting(int k);
// The game key a settings-file key names, or -1.
int FindGameKeySetting(const std::string& settingKey);

// The SDL key symbol of a key name ("Return", "z", "F1", "KP_Enter"...),
// letters in either case, other names ignoring case; -1 for a name that is not
// a key this game accepts.
int KeySymByName(const std::string& name);
// The name of an accepted key symbol, "" for any other.
std::string KeyNameOf(int sym);

// What each game key is played with. confirmAlias and backAlias are Return
// and Escape unless a game key is bound to them (-1 then).
struct KeyBindings {
  int sym[GAME_KEY_COUNT];
  int confirmAlias, backAlias;
};

// Up, Down, Left, Right, z, x, a, s, with Return and Escape beside z and x.
KeyBindings DefaultKeyBindings();

// The bindings the names give. A name that is not a key, a key the program
// keeps for itself (F11, M, Alt) or a key another game key ends up with is
// refused: that game key keeps its default, and one line saying so is added
// to *problems. No two game keys ever share a physical key.
KeyBindings ResolveKeyBindings(const KeyBindingNames& names, std::vector<std::string>* problems);

// Resolves the names, prints each problem as one line on standard output
// (prefixed by the settings file's name) and puts the bindings in use.
void InstallKeyBindings(const KeyBindingNames& names, const char* settingsPath);

// The keyboard's view of the bindings in use. A press gives the KeyMask bit
// of the key (0 for a key that plays no game key); a release gives the bit to
// clear, which is 0 while another key of the same bit (Return beside z) is
// still held. ReleaseBoundKeys forgets every held key.
uint8_t PressBoundKey(int sym);
uint8_t ReleaseBoundKey(int sym);
void ReleaseBoundKeys();
