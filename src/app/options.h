// options.h -- the command line: GNU-style long options read into a plain record
#pragma once
#include <string>

// What the command line asked for. Fields left at "not given" leave the
// remembered setting alone.
struct Options {
  int scale = 0;         // 1..4, 0 when not given
  int fullscreen = -1;   // 1 --fullscreen, 0 --windowed, -1 when not given
  bool help = false;     // --help: print the usage and stop
  bool version = false;  // --version: print the version and stop
  bool mute = false;     // --mute: sound off (M turns it on again)
  bool author = false;   // --author: key a stores checkpoints (never remembered)
};

// The result of reading the command line. exitStatus is -1 when the game
// should start; otherwise the program prints text (standard output for
// status 0, one line on standard error for status 2) and exits with it.
struct OptionResult {
  Options options;
  int exitStatus = -1;
  std::string text;
};

// Reads argv[1..argc-1]. Accepts "--name", "--name VALUE" and "--name=VALUE";
// the last of repeated or contradicting options wins. An unknown option, a
// stray argument, a missing, superfluous or bad value gives status 2 and a
// line naming the problem. Touches nothing outside the result.
OptionResult ParseOptions(int argc, const char* const* argv);

// The usage text printed by --help.
std::string UsageText();
