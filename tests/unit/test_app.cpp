// The program around the game: the command line, the settings file, keys and the gamepad, the
// window and its stretch, the hotkeys, the frame pacing and the scene loop's safety nets.
#include <array>
#include <tuple>

#include "app/audio.h"
#include "app/display.h"
#include "app/gamepad.h"
#include "app/keyboard.h"
#include "app/options.h"
#include "app/pacing.h"
#include "app/scene_loop.h"
#include "app/settings.h"
#include "test_support.h"

// What the parser made of the arguments: the record and the settings scale 3 in full screen become
// with it, or the status and text it stops with.
static std::string parse(std::vector<const char*> args) {
  args.insert(args.begin(), "velkaro");
  const OptionResult r = ParseOptions(static_cast<int>(args.size()), args.data());
  if (r.exitStatus != -1) return std::to_string(r.exitStatus) + " " + r.text;
  const Options& o = r.options;
  const Settings s = ApplyOptions(Settings{3, true}, o);
  return "scale " + std::to_string(o.scale) + " fullscreen " + std::to_string(o.fullscreen) + (o.mute ? " mute" : "") +
         (o.author ? " author" : "") + ": " + std::to_string(s.scale) + std::to_string(s.fullscreen) +
         std::to_string(s.mute);
}

TEST(Options, EveryFormAndWhatItOverrides) {
  const std::string help = "0 " + UsageText(), bad = "2 velkaro: bad value ", hint = "; try 'velkaro --help'\n";
  const std::pair<std::vector<const char*>, std::string> cases[] = {
      {{}, "scale 0 fullscreen -1: 310"},  // the settings file's choices stand
      {{"--scale=4", "--mute"}, "scale 4 fullscreen -1 mute: 411"},
      {{"--author"}, "scale 0 fullscreen -1 author: 310"},  // a mode of the run, not a remembered choice
      {{"--author=1"}, "2 velkaro: option '--author' takes no value" + hint},
      {{"--fullscreen", "--windowed", "--scale", "2", "--scale=3"}, "scale 3 fullscreen 0: 300"},  // the last one wins
      {{"--windowed", "--fullscreen", "--scale", "1"}, "scale 1 fullscreen 1: 110"},
      {{"--help"}, help},
      {{"--scale", "2", "--help", "--version"}, help},
      {{"--scale", "0"}, bad + "'0' for option '--scale' (1, 2, 3 or 4)" + hint},
      {{"--scale", "5"}, bad + "'5' for option '--scale' (1, 2, 3 or 4)" + hint},
      {{"--scale", "2x"}, bad + "'2x' for option '--scale' (1, 2, 3 or 4)" + hint},
      {{"--scale="}, bad + "'' for option '--scale' (1, 2, 3 or 4)" + hint},
      {{"--scale"}, "2 velkaro: option '--scale' needs a value" + hint},
      {{"--fullscreen=1"}, "2 velkaro: option '--fullscreen' takes no value" + hint},
      {{"--zoom"}, "2 velkaro: unknown option '--zoom'" + hint},
      {{"-h"}, "2 velkaro: unexpected argument '-h'" + hint},
      {{"--"}, "2 velkaro: unexpected argument '--'" + hint},
      {{"--version", "--bogus"}, "2 velkaro: unknown option '--bogus'" + hint},  // a mistake wins over --version
      // One line whatever an argument holds: control characters are shown escaped.
      {{"--scale", "2\n3"}, bad + "'2\\n3' for option '--scale' (1, 2, 3 or 4)" + hint},
      {{"--zo\x1b[2Jom\r"}, "2 velkaro: unknown option '--zo\\x1b[2Jom\\x0d'" + hint},
      {{"a\tb\x7f"}, "2 velkaro: unexpected argument 'a\\tb\\x7f'" + hint},
  };
  for (const auto& [args, expected] : cases) EXPECT_EQ(parse(args), expected);
}

using SettingsTest = SceneTest;

// Reads the file: what it printed and the three choices read.
static void expectRead(const std::string& printed, int scale, int fullscreen, int mute, const std::string& why) {
  Settings s;
  EXPECT_EQ(Printed([&] { s = ReadSettings(); }), printed) << why;
  EXPECT_EQ(V(s.scale, s.fullscreen, s.mute), V(scale, fullscreen, mute)) << why;
}

TEST_F(SettingsTest, RoundTripEachKeyFallsBackAlone) {
  expectRead("", 1, 0, 0, "no file");
  ASSERT_TRUE(WriteSettings(Settings{4, true, true}));
  EXPECT_EQ(ReadTextFile("data/settings.txt") + ReadTextFile("data/settings.txt.tmp"),
            "scale 4\nfullscreen 1\nmute 1\n<missing>");
  expectRead("", 4, 1, 1, "written");
  // The text, the scale, full screen and mute read, and the keys said to be damaged.
  const std::tuple<const char*, int, int, int, std::string> cases[] = {
      {"", 1, 0, 0, ""},
      {"scale=3\r\n\n# a comment\n  fullscreen = 1", 3, 1, 0, ""},
      {"scale\t2\nvolume 7\nfullscreen 1\n", 2, 1, 0, ""},  // a key of a newer game is left alone
      {"scale 5\nfullscreen 1\nmute 1\n", 1, 1, 1, "scale"},
      {"scale 3\nscale 0\n", 1, 0, 0, "scale"},
      {"scale abc\nfullscreen -1\n", 1, 0, 0, "scale, fullscreen"},
      {"\x7f\x45LF\x02\x01\nscale 4\n", 4, 0, 0, "line 1"},
      {"scale 2\nfullscreen\n", 2, 0, 0, "line 2"},
      {"mute yes\nfullscreen 1\n", 1, 1, 0, "mute"},
  };
  for (const auto& [text, scale, fullscreen, mute, damaged] : cases) {
    WriteTextFile("data/settings.txt", text);
    const std::string line = "data/settings.txt: damaged (" + damaged + "), using the defaults there\n";
    expectRead(damaged.empty() ? "" : line, scale, fullscreen, mute, text);
  }
}

enum : int { HAT = SDL_JOYHATMOTION, AXIS = SDL_JOYAXISMOTION, BDOWN = SDL_JOYBUTTONDOWN, BUP = SDL_JOYBUTTONUP };
enum : int { KDOWN = SDL_KEYDOWN, KUP = SDL_KEYUP };

// Each step queues its events as SDL would ({type, index, value}: a key's symbol and modifiers,
// a hat's value, an axis and its value, a button), then one frame reads the KeyMask.
using Events = std::vector<std::array<int, 3>>;
static void expectFrames(const std::vector<std::pair<Events, int>>& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    for (const auto& [type, index, value] : steps[i].first) {
      SDL_Event e{static_cast<Uint8>(type)};
      if (type == KDOWN || type == KUP)
        e.key.keysym.sym = static_cast<SDLKey>(index), e.key.keysym.mod = static_cast<SDLMod>(value);
      if (type == HAT) e.jhat.value = static_cast<Uint8>(value);
      if (type == AXIS) e.jaxis.axis = static_cast<Uint8>(index), e.jaxis.value = static_cast<Sint16>(value);
      if (type == BDOWN || type == BUP) e.jbutton.button = static_cast<Uint8>(index);
      ASSERT_EQ(SDL_PushEvent(&e), 0);
    }
    EXPECT_EQ(GetMsg(), steps[i].second) << "step " << i;
  }
}

using KeyboardTest = SceneTest;

TEST_F(KeyboardTest, PadGivesKeysBesideKeyboardNeverQuits) {
  expectFrames({
      {{{HAT, 0, SDL_HAT_LEFTUP}}, KEY_UP | KEY_LEFT},
      {{{HAT, 0, SDL_HAT_RIGHTDOWN}}, KEY_DOWN | KEY_RIGHT},
      {{{HAT, 0, SDL_HAT_CENTERED}, {AXIS, 0, -20000}}, KEY_LEFT},
      {{{AXIS, 0, -8000}}, 0},  // at the dead zone's edge: still inside
      {{{AXIS, 0, 32767}, {AXIS, 1, -32768}}, KEY_RIGHT | KEY_UP},
      {{{AXIS, 0, 0}, {AXIS, 1, 8000}}, 0},
      {{{AXIS, 1, 8001}}, KEY_DOWN},
      {{{AXIS, 1, 0}, {AXIS, 2, 32767}, {AXIS, 3, -32768}}, 0},  // the right stick does nothing
      {{{BDOWN, 0}}, KEY_Z},
      {{{BUP, 0}, {BDOWN, 1}}, KEY_X},
      {{{BUP, 1}, {BDOWN, 2}}, KEY_A},
      {{{BUP, 2}, {BDOWN, 3}, {BDOWN, 6}}, 0},
      {{{KDOWN, SDLK_UP}, {AXIS, 1, -30000}}, KEY_UP},
      {{{AXIS, 1, 0}}, KEY_UP},                                                          // still held on the keyboard
      {{{HAT, 0, SDL_HAT_UP}, {KUP, SDLK_UP}, {AXIS, 1, -30000}, {HAT, 0, 0}}, KEY_UP},  // hat and stick apart
      {{{AXIS, 1, 0}}, 0},
      {{{BDOWN, 1}, {BDOWN, 7}, {BUP, 1}}, KEY_X},  // Start still holds x
      {{{BUP, 7}}, 0},
      {{{KDOWN, SDLK_s}, {KDOWN, SDLK_UP}, {KDOWN, SDLK_DOWN}, {AXIS, 0, -30000}}, 128 + 1 + 2 + 4},
      {{{HAT, 0, SDL_HAT_RIGHT}, {BDOWN, 0}, {BDOWN, 1}, {BDOWN, 2}}, 127},  // all eight with the pad: s is left out
      {{{KDOWN, SDLK_LEFT}, {KDOWN, SDLK_RIGHT}, {KDOWN, SDLK_z}, {KDOWN, SDLK_x}, {KDOWN, SDLK_a}},
       KEY_QUIT},  // all eight on the keyboard still ask to quit
  });
  ReleasePad();  // the pad pulled out: only what the keyboard holds is left
  expectFrames({{{{KUP, SDLK_z}, {KUP, SDLK_x}, {KUP, SDLK_LEFT}}, 255 - 16 - 32 - 4}});
}

TEST(DisplayLayout, FullScreenLargestScaleThatFitsCentred) {
  // Scale and full screen asked for, the desktop's size; the mode, the frame's place and the scale used.
  const std::array<int, 9> cases[] = {
      {3, 0, 1920, 1080, 1440, 1440, 0, 0, 3},  // a window does not look at the desktop
      {1, 1, 1920, 1080, 1920, 1080, 480, 60, 2},
      {4, 1, 1024, 768, 1024, 768, 272, 144, 1},
      {1, 1, 3840, 2160, 3840, 2160, 960, 120, 4},
      {2, 1, 2560, 1440, 2560, 1440, 560, 0, 3},  // exactly three frames high
      {1, 1, 800, 400, 800, 480, 160, 0, 1},      // a desktop lower than the frame
      {2, 1, 0, 0, 960, 960, 0, 0, 2},            // desktop size unknown
      {1, 1, 1365, 768, 1365, 768, 442, 144, 1},  // an odd width: the spare pixel goes right
  };
  for (const auto& [scale, fullscreen, desktopW, desktopH, modeW, modeH, x, y, scaleUsed] : cases) {
    const Layout l = ChooseLayout(scale, fullscreen, desktopW, desktopH);
    EXPECT_EQ(V(l.modeW, l.modeH, l.x, l.y, l.scale, l.fullscreen), V(modeW, modeH, x, y, scaleUsed, fullscreen));
  }
}

// Distinct colours for every pixel of a small frame.
static SDL_Surface* patternFrame(int w, int h) {
  SDL_Surface* s = MakeSurface24(w, h, 0, 0, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      FillRect(s, x, y, 1, 1, static_cast<uint8_t>(40 * x + 1), static_cast<uint8_t>(50 * y + 2),
               static_cast<uint8_t>(x * y + 3));
  return s;
}

// Every window pixel of the frame's area equals its frame pixel; all else keeps `outside`.
static void expectBlocks(SDL_Surface* frame, SDL_Surface* window, int x0, int y0, int scale, uint32_t outside) {
  int wrong = 0;
  for (int y = 0; y < window->h; ++y)
    for (int x = 0; x < window->w; ++x) {
      const bool inside = x >= x0 && y >= y0 && x < x0 + frame->w * scale && y < y0 + frame->h * scale;
      wrong += PixelRGB(window, x, y) != (inside ? PixelRGB(frame, (x - x0) / scale, (y - y0) / scale) : outside);
    }
  EXPECT_EQ(wrong, 0) << "scale " << scale;
}

using DisplayTest = SceneTest;

TEST_F(DisplayTest, EveryFramePixelBecomesOneBlock) {
  SDL_Surface* frame = patternFrame(7, 5);
  // At every scale: the game's own window, and 32-bit ones with the same and other channel orders.
  for (int scale = 1; scale <= 4; ++scale)
    for (const auto& f : {std::array<Uint32, 3>{24, 0xff0000, 0xff},
                          {32, 0xff0000, 0xff},
                          {32, 0xff, 0xff0000},
                          {32, 0xff000000, 0xff}}) {  // red alone moved
      SDL_Surface* window = SDL_CreateRGBSurface(SDL_SWSURFACE, 7 * scale + 13, 5 * scale + 4, static_cast<int>(f[0]),
                                                 f[1], 0xff00, f[2], 0);
      FillRect(window, 0, 0, window->w, window->h, 9, 8, 7);
      StretchFrame(frame, window, 3, 2, scale);
      expectBlocks(frame, window, 3, 2, scale, 0x090807);
      SDL_FreeSurface(window);
    }
  SDL_FreeSurface(frame);
}

TEST_F(DisplayTest, HotkeysSwitchModeOrMuteAndAreNoGameKeys) {
  playerSettings = Settings{1, false};
  ASSERT_TRUE(OpenDisplay());
  SDL_Surface* frame = FrameSurface();
  SDL_Surface* pattern = patternFrame(480, 480);
  SDL_BlitSurface(pattern, nullptr, frame, nullptr);
  // A key with its modifiers; full screen and mute after it.
  const std::array<int, 4> presses[] = {{SDLK_F11, KMOD_NONE, 1, 0},      {SDLK_RETURN, KMOD_LALT, 0, 0},
                                        {SDLK_KP_ENTER, KMOD_RALT, 1, 0}, {SDLK_m, KMOD_NONE, 1, 1},
                                        {SDLK_F11, KMOD_NONE, 0, 1},      {SDLK_m, KMOD_NONE, 0, 0},
                                        {SDLK_RETURN, KMOD_NONE, 0, 0}};  // Enter alone is no hotkey
  expectFrames({{{{KDOWN, SDLK_z}}, KEY_Z}});
  for (const auto& [sym, mod, fullscreen, muted] : presses) {
    expectFrames({{{{KDOWN, sym, mod}, {KUP, sym, mod}}, KEY_Z}});  // z held all along, nothing else
    frame = PresentFrame(frame);
    EXPECT_EQ(
        V((SDL_GetVideoSurface()->flags & SDL_FULLSCREEN) != 0, frame == SDL_GetVideoSurface(), frame == FrameSurface(),
          AudioMuted(), ReadTextFile("data/settings.txt") == FormatSettings(Settings{1, fullscreen == 1, muted == 1})),
        V(fullscreen, !fullscreen, 1, muted, 1));
    expectBlocks(pattern, frame, 0, 0, 1, 0);
  }
  EXPECT_EQ(latch.UpKeyFlg + latch.DownKeyFlg + latch.LeftKeyFlg + latch.RightKeyFlg + latch.checkKeyFlg, 0);
  SDL_FreeSurface(pattern);
}

static uint32_t now = 0;
// The time f(arg) took on the test clock, after w ms of the frame's own work.
static uint32_t Took(uint32_t w, void (*f)(int32_t), int32_t arg) {
  const uint32_t t0 = now += w;
  f(arg);
  return now - t0;
}

TEST(Pacing, ReportsPastEachSecondAndWaitsOutEachFrame) {
  ResetPacing();
  now = 0;
  SetPacingClock({[] { return now; }, [](uint32_t ms) { now += ms; }});
  // 25 ms frames from 0: 1000 ms have passed after frame 40, more than that after frame 41;
  // each later report 41 frames (1025 ms) after the one before.
  testing::internal::CaptureStdout();
  for (int frame = 1; frame <= 130; ++frame) {
    fps_wait(40);
    if (const int32_t n = fps_no()) printf("(frame %d returned %d)\n", frame, n);
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "41FPS\n(frame 41 returned 41)\n41FPS\n(frame 82 returned 41)\n41FPS\n(frame 123 returned 41)\n");
  std::vector<uint32_t> took;
  for (int32_t ms : {0, -5, 10}) took.push_back(Took(0, wait, ms));
  // 40 ms after the last frame ended: no wait. A frame with 5 ms of work waits out the rest of
  // its 25 ms; one that took 40 ms waits nothing, and the next is measured from its end.
  for (uint32_t work : {30, 5, 0, 40, 0, 24}) took.push_back(Took(work, fps_wait, 40));
  EXPECT_EQ(took, std::vector<uint32_t>({0, 0, 10, 0, 20, 25, 0, 25, 1}));
  SetPacingClock({nullptr, nullptr});
}

using SceneLoopTest = SceneTest;

TEST_F(SceneLoopTest, EverySceneQuitsUnknownCodesGoToTitle) {
  SetKeySource([] { return uint8_t{KEY_QUIT}; });
  const int32_t Q = SCENE_QUIT, T = SCENE_TITLE;
  const std::pair<int32_t, int32_t> cases[] = {{SCENE_TITLE, Q}, {SCENE_GAME, Q}, {SCENE_PAUSE, Q}, {0, T}, {2, T},
                                               {3, T},           {5, T},          {8, T},           {-1, T}};
  for (const auto& [code, after] : cases) {
    LoopState s{code, 2, 1};
    RunSceneOnce(screen, &s);
    EXPECT_EQ(V(s.sceneCode, s.mapCnt, s.mode), V(after, 2, 1)) << "scene " << code;
  }
}
