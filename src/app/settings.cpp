// settings.cpp -- the settings file: a table of keys read and written as text lines
#include "app/settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "app/options.h"
#include "records/data_files.h"
#include "records/file_gate.h"

Settings playerSettings;
const char* const kSettingsPath = "data/settings.txt";

namespace {

// One row per key: how its value is read (false for a bad value) and written.
struct SettingRow {
  const char* key;
  bool (*read)(Settings* s, const std::string& value);
  std::string (*write)(const Settings& s);
};

bool readScale(Settings* s, const std::string& v) {
  if (v.size() != 1 || v[0] < '1' || v[0] > '4') return false;
  s->scale = v[0] - '0';
  return true;
}
std::string writeScale(const Settings& s) { return std::to_string(s.scale); }

bool readFullscreen(Settings* s, const std::string& v) {
  if (v != "0" && v != "1") return false;
  s->fullscreen = v == "1";
  return true;
}
std::string writeFullscreen(const Settings& s) { return s.fullscreen ? "1" : "0"; }

bool readMute(Settings* s, const std::string& v) {
  if (v != "0" && v != "1") return false;
  s->mute = v == "1";
  return true;
}
std::string writeMute(const Settings& s) { return s.mute ? "1" : "0"; }

const SettingRow kSettingTable[] = {
    {"scale", readScale, writeScale},
    {"fullscreen", readFullscreen, writeFullscreen},
    {"mute", readMute, writeMute},
};

std::string trimmed(const std::string& text) {
  const char* space = " \t\r\n";
  const size_t first = text.find_first_not_of(space);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(space) - first + 1);
}

// Applies one line; returns "" when it was read or ignored, else what was wrong.
std::string readLine(Settings* s, const std::string& rawLine, int lineNo) {
  const std::string line = trimmed(rawLine);
  if (line.empty() || line[0] == '#') return "";
  const size_t split = line.find_first_of(" \t=");
  std::string key = line.substr(0, split);
  // Keys are lower-case words (with a dot for the key bindings); anything else
  // is not a settings line at all.
  if (split == std::string::npos || key.find_first_not_of("abcdefghijklmnopqrstuvwxyz_.") != std::string::npos) {
    return "line " + std::to_string(lineNo);
  }
  // "key value", "key=value" and "key = value" all read alike.
  std::string value = trimmed(line.substr(split));
  if (!value.empty() && value[0] == '=') value = trimmed(value.substr(1));
  if (key.compare(0, 4, "key.") == 0) {
    // A key name is one word of printable characters; anything else is
    // damage, and the binding falls back to the game's own key.
    const int k = FindGameKeySetting(key);
    if (k < 0) return key;
    const bool word =
        !value.empty() && std::all_of(value.begin(), value.end(), [](char c) { return c > ' ' && c < 127; });
    s->keys.name[k] = word ? value : "";
    return word ? "" : key;
  }
  for (const SettingRow& row : kSettingTable) {
    if (key != row.key) continue;
    if (row.read(s, value)) return "";
    // A bad value puts the key back to its default, even when an earlier
    // line had set it.
    row.read(s, row.write(Settings()));
    return key;
  }
  return "";
}

}  // namespace

Settings ReadSettings(const char* path) {
  Settings s;
  // A FIFO, a device (data/settings.txt linked to /dev/zero) or a file far
  // larger than any settings are is not read at all.
  FILE* file = OpenGatedFile(path, GATE_SMALL_TEXT_BYTES);
  if (!file) {
    if (errno != ENOENT) printf("%s: cannot be read (%s), using the defaults\n", path, GateProblem(errno));
    return s;
  }
  std::string problems;
  std::string line;
  int lineNo = 1;
  for (int c = fgetc(file);; c = fgetc(file)) {
    if (c != '\n' && c != EOF) {
      line += static_cast<char>(c);
      continue;
    }
    const std::string problem = readLine(&s, line, lineNo);
    if (!problem.empty()) problems += (problems.empty() ? "" : ", ") + problem;
    line.clear();
    lineNo += 1;
    if (c == EOF) break;
  }
  const bool readError = ferror(file) != 0;
  fclose(file);
  if (readError) {
    printf("%s: cannot be read, using the defaults\n", path);
    return Settings();
  }
  if (!problems.empty()) printf("%s: damaged (%s), using the defaults there\n", path, problems.c_str());
  return s;
}

std::string FormatSettings(const Settings& s) {
  std::string text;
  for (const SettingRow& row : kSettingTable) text += std::string(row.key) + " " + row.write(s) + "\n";
  for (int k = 0; k < GAME_KEY_COUNT; ++k)
    if (!s.keys.name[k].empty()) text += std::string(GameKeySetting(k)) + " " + s.keys.name[k] + "\n";
  return text;
}

bool WriteSettings(const Settings& s, const char* path) {
  const std::string text = FormatSettings(s);
  if (ReplaceFileAtomically(path, text.data(), static_cast<long>(text.size()))) return true;
  printf("%s: cannot be written\n", path);
  return false;
}

bool SameSettings(const Settings& a, const Settings& b) { return FormatSettings(a) == FormatSettings(b); }

Settings ApplyOptions(Settings s, const Options& o) {
  if (o.scale != 0) s.scale = o.scale;
  if (o.fullscreen >= 0) s.fullscreen = o.fullscreen == 1;
  if (o.mute) s.mute = true;
  return s;
}
