// Command line: every accepted form, every refused form with its status and message.
#include <gtest/gtest.h>

#include <vector>

#include "app/options.h"

static OptionResult parse(std::vector<const char*> args) {
  args.insert(args.begin(), "velkaro");
  return ParseOptions(static_cast<int>(args.size()), args.data());
}

TEST(Options, AcceptedFormsFillTheRecord) {
  const struct {
    std::vector<const char*> args;
    int scale, fullscreen;
  } cases[] = {
      {{}, 0, -1},
      {{"--scale", "1"}, 1, -1},
      {{"--scale", "4"}, 4, -1},
      {{"--scale=3"}, 3, -1},
      {{"--fullscreen"}, 0, 1},
      {{"--windowed"}, 0, 0},
      {{"--fullscreen", "--windowed", "--scale", "2", "--scale=3"}, 3, 0},  // the last one wins
      {{"--windowed", "--fullscreen", "--scale=2"}, 2, 1},
  };
  for (const auto& c : cases) {
    const OptionResult r = parse(c.args);
    EXPECT_EQ(r.exitStatus, -1) << r.text;
    EXPECT_EQ(r.options.scale, c.scale);
    EXPECT_EQ(r.options.fullscreen, c.fullscreen);
    EXPECT_FALSE(r.options.mute);
  }
  EXPECT_TRUE(parse({"--scale=2", "--mute"}).options.mute);
}

TEST(Options, HelpAndVersionStopWithStatusZero) {
  EXPECT_EQ(parse({"--version"}).text, "velkaro " VELKARO_TEST_VERSION "\n");
  for (auto args : {std::vector<const char*>{"--help"}, {"--scale", "2", "--help"}, {"--help", "--version"}}) {
    EXPECT_EQ(parse(args).exitStatus, 0);
    EXPECT_EQ(parse(args).text, UsageText());
  }
  EXPECT_EQ(parse({"--version"}).exitStatus, 0);
  for (const char* line : {"--scale N", "--fullscreen", "--windowed", "--mute", "--help", "--version"})
    EXPECT_NE(UsageText().find(line), std::string::npos) << line;
}

TEST(Options, MistakesGiveOneLineAndStatusTwo) {
  const struct {
    std::vector<const char*> args;
    const char* message;
  } cases[] = {
      {{"--scale", "0"}, "bad value '0' for option '--scale' (1, 2, 3 or 4)"},
      {{"--scale", "5"}, "bad value '5' for option '--scale' (1, 2, 3 or 4)"},
      {{"--scale", "abc"}, "bad value 'abc' for option '--scale' (1, 2, 3 or 4)"},
      {{"--scale="}, "bad value '' for option '--scale' (1, 2, 3 or 4)"},
      {{"--scale"}, "option '--scale' needs a value"},
      {{"--fullscreen=1"}, "option '--fullscreen' takes no value"},
      {{"--mute=1"}, "option '--mute' takes no value"},
      {{"--zoom"}, "unknown option '--zoom'"},
      {{"-h"}, "unexpected argument '-h'"},
      {{"2"}, "unexpected argument '2'"},
      {{"--version", "--bogus"}, "unknown option '--bogus'"},  // a mistake wins over --version
  };
  for (const auto& c : cases) {
    const OptionResult r = parse(c.args);
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_EQ(r.text, std::string("velkaro: ") + c.message + "; try 'velkaro --help'\n");
  }
}
