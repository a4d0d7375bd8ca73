// options.cpp -- the option table and the parser over it
#include "app/options.h"

#include <cstring>

#include "app/version.h"

namespace {

// One row per option. A handler stores the option in the record; for an
// option that takes a value it returns false when the value is bad.
struct OptionRow {
  const char* name;  // with its leading "--"
  bool takesValue;
  bool (*apply)(Options* o, const char* value);
  const char* values;  // the accepted values, named when a bad one is given
  const char* usage;   // the line shown by --help
};

bool setScale(Options* o, const char* value) {
  // One digit 1..4 and nothing else: "02", "2x" and " 2" are refused too.
  if (value[0] < '1' || value[0] > '4' || value[1] != '\0') return false;
  o->scale = value[0] - '0';
  return true;
}
bool setFullscreen(Options* o, const char*) {
  o->fullscreen = 1;
  return true;
}
bool setWindowed(Options* o, const char*) {
  o->fullscreen = 0;
  return true;
}
bool setMute(Options* o, const char*) {
  o->mute = true;
  return true;
}
bool setAuthor(Options* o, const char*) {
  o->author = true;
  return true;
}
bool setHelp(Options* o, const char*) {
  o->help = true;
  return true;
}
bool setVersion(Options* o, const char*) {
  o->version = true;
  return true;
}

const OptionRow kOptionTable[] = {
    {"--scale", true, setScale, "1, 2, 3 or 4", "--scale N      window of 480N x 480N pixels, N = 1, 2, 3 or 4"},
    {"--fullscreen", false, setFullscreen, "", "--fullscreen   play full screen"},
    {"--windowed", false, setWindowed, "", "--windowed     play in a window"},
    {"--mute", false, setMute, "", "--mute         sound off (the M key turns it on and off)"},
    {"--author", false, setAuthor, "", "--author       course authoring: the a key stores checkpoints"},
    {"--help", false, setHelp, "", "--help         show this help and exit"},
    {"--version", false, setVersion, "", "--version      show the version number and exit"},
};

const OptionRow* findOption(const std::string& name) {
  for (const OptionRow& row : kOptionTable) {
    if (name == row.name) return &row;
  }
  return nullptr;
}

// An argument as it can be shown inside a one-line message: control
// characters (a newline above all) written as escapes.
std::string printable(const std::string& text) {
  std::string shown;
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (u < 0x20 || u == 0x7f) {
      static const char hex[] = "0123456789abcdef";
      shown += std::string("\\x") + hex[u >> 4] + hex[u & 15];
    } else {
      shown += c;
    }
  }
  return shown;
}

OptionResult failure(const std::string& problem) {
  OptionResult r;
  r.exitStatus = 2;
  r.text = "velkaro: " + problem + "; try 'velkaro --help'\n";
  return r;
}

}  // namespace

std::string UsageText() {
  std::string text = "Usage: velkaro [OPTION]...\nTop-down car racing.\n\n";
  for (const OptionRow& row : kOptionTable) text += std::string("  ") + row.usage + "\n";
  text +=
      "\nF11 or Alt+Enter switches between the window and full screen at any time.\n"
      "The choices of scale and full screen are remembered in data/settings.txt.\n";
  return text;
}

OptionResult ParseOptions(int argc, const char* const* argv) {
  OptionResult result;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.compare(0, 2, "--") != 0 || arg == "--") return failure("unexpected argument '" + printable(arg) + "'");
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionRow* row = findOption(name);
    if (!row) return failure("unknown option '" + printable(name) + "'");
    const char* value = nullptr;
    if (equals != std::string::npos) {
      if (!row->takesValue) return failure("option '" + name + "' takes no value");
      value = argv[i] + equals + 1;
    } else if (row->takesValue) {
      if (i + 1 >= argc) return failure("option '" + name + "' needs a value");
      value = argv[++i];
    }
    if (!row->apply(&result.options, value ? value : "")) {
      return failure("bad value '" + printable(value ? value : "") + "' for option '" + name + "' (" + row->values +
                     ")");
    }
  }
  if (result.options.help) {
    result.exitStatus = 0;
    result.text = UsageText();
  } else if (result.options.version) {
    result.exitStatus = 0;
    result.text = "velkaro " VELKARO_VERSION "\n";
  }
  return result;
}
