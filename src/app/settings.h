// settings.h -- the player's remembered display choices, kept in data/settings.txt
#pragma once
#include <string>

#include "app/key_bindings.h"

struct Options;

// One field per remembered choice; the defaults are the game's own start.
struct Settings {
  int scale = 1;            // window scale 1..4
  bool fullscreen = false;  // full screen instead of a window
  bool mute = false;        // sound off
  KeyBindingNames keys{};   // "key.up w" lines, as written; checked when put in use
};

// The choices in force for the whole run: read at start with the command line
// laid over them, then changed by the hotkeys, which write them back.
extern Settings playerSettings;

// Whether two records hold the same choices.
bool SameSettings(const Settings& a, const Settings& b);

// The file, relative to the working directory like the records.
extern const char* const kSettingsPath;

// Reads "key value" or "key=value" lines (blank lines and lines starting
// with '#' skipped). A missing file gives the defaults silently. Unknown
// keys are ignored, so a newer file still reads. The key bindings are kept as
// written; InstallKeyBindings judges them. A line that is not of that
// form, a bad value or an unreadable file prints one line on standard output
// naming what was wrong; every key that could not be read keeps its default.
Settings ReadSettings(const char* path = kSettingsPath);

// The file text for these settings: one "key value" line per key.
std::string FormatSettings(const Settings& s);

// Replaces the file atomically; prints one line and returns false on failure.
bool WriteSettings(const Settings& s, const char* path = kSettingsPath);

// The settings with what the command line gave laid over them.
Settings ApplyOptions(Settings s, const Options& o);
