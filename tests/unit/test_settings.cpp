// Settings file: round trip, damaged files, and the command line laid over it.
#include <sys/stat.h>

#include "app/options.h"
#include "app/settings.h"
#include "test_support.h"

class SettingsTest : public SceneTest {
 protected:
  // Reads the file and returns what was printed while reading it.
  std::string read(Settings* s) {
    testing::internal::CaptureStdout();
    *s = ReadSettings();
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(SettingsTest, WrittenSettingsReadBackTheSame) {
  ASSERT_TRUE(WriteSettings(Settings{4, true, true}));
  EXPECT_EQ(ReadTextFile("data/settings.txt"), "scale 4\nfullscreen 1\nmute 1\n");
  Settings s;
  EXPECT_EQ(read(&s), "");
  EXPECT_TRUE(SameSettings(s, Settings{4, true, true}));
  EXPECT_FALSE(SameSettings(s, Settings{4, false, true}));
  EXPECT_FALSE(SameSettings(s, Settings{4, true, false}));
  EXPECT_EQ(ReadTextFile("data/settings.txt.tmp"), "<missing>");
}

TEST_F(SettingsTest, EachKeyFallsBackAloneAndMistakesTakeOneLine) {
  const struct {
    const char* text;
    int scale;
    bool fullscreen;
    const char* printed;
  } cases[] = {
      {"", 1, false, ""},
      {"scale=3\r\n\n# a comment\n  fullscreen = 1", 3, true, ""},
      {"scale\t2\nvolume 7\nfullscreen 1\n", 2, true, ""},  // a key of a newer game is left alone
      {"scale 9\nfullscreen 1\n", 1, true, "damaged (scale)"},
      {"scale 3\nscale 0\n", 1, false, "damaged (scale)"},
      {"scale 2\nfullscreen yes\n", 2, false, "damaged (fullscreen)"},
      {"scale abc\nfullscreen -1\n", 1, false, "damaged (scale, fullscreen)"},
      {"\x7f\x45LF\x02\x01\nscale 4\n", 4, false, "damaged (line 1)"},
      {"scale 2\nfullscreen\n", 2, false, "damaged (line 2)"},
      {"mute yes\nfullscreen 1\n", 1, true, "damaged (mute)"},
  };
  for (const auto& c : cases) {
    WriteTextFile("data/settings.txt", c.text);
    Settings s;
    const std::string printed = read(&s);
    EXPECT_EQ(s.scale, c.scale) << c.text;
    EXPECT_EQ(s.fullscreen, c.fullscreen) << c.text;
    if (*c.printed == '\0') {
      EXPECT_EQ(printed, "") << c.text;
    } else {
      EXPECT_EQ(printed, std::string("data/settings.txt: ") + c.printed + ", using the defaults there\n");
    }
  }
}

TEST_F(SettingsTest, MissingIsSilentAndUnreadableTakesOneLine) {
  Settings s{3, true};
  EXPECT_EQ(read(&s), "");
  EXPECT_TRUE(SameSettings(s, Settings()));
  ASSERT_EQ(mkdir("data/settings.txt", 0755), 0);  // opens, but reading fails
  s = Settings{3, true};
  EXPECT_EQ(read(&s), "data/settings.txt: cannot be read, using the defaults\n");
  EXPECT_TRUE(SameSettings(s, Settings()));
}

TEST_F(SettingsTest, TheCommandLineWinsWhereItSaysSomething) {
  const struct {
    Options given;
    Settings expected;
  } cases[] = {{Options{}, {3, true}},
               {Options{2, -1}, {2, true}},
               {Options{0, 0}, {3, false}},
               {Options{4, 1}, {4, true}},
               {Options{0, -1, false, false, true}, {3, true, true}}};
  for (const auto& c : cases) EXPECT_TRUE(SameSettings(ApplyOptions(Settings{3, true}, c.given), c.expected));
}
