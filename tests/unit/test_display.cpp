// Display: where the frame lands, the stretch, and switching to and from full screen.
#include <array>

#include "app/display.h"
#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/settings.h"
#include "test_support.h"

TEST(DisplayLayout, FullScreenTakesTheLargestScaleThatFitsCentred) {
  const struct {
    int scale;
    bool fullscreen;
    int desktopW, desktopH;
    Layout expected;
  } cases[] = {
      {3, false, 1920, 1080, {1440, 1440, 0, 0, 3, false}},  // a window does not look at the desktop
      {1, true, 1920, 1080, {1920, 1080, 480, 60, 2, true}},
      {4, true, 1024, 768, {1024, 768, 272, 144, 1, true}},
      {1, true, 3840, 2160, {3840, 2160, 960, 120, 4, true}},
      {2, true, 2560, 1440, {2560, 1440, 560, 0, 3, true}},
      {1, true, 1440, 960, {1440, 960, 240, 0, 2, true}},  // exactly two frames high
      {1, true, 800, 400, {800, 480, 160, 0, 1, true}},    // a desktop lower than the frame
      {2, true, 0, 0, {960, 960, 0, 0, 2, true}},          // desktop size unknown
  };
  for (const auto& c : cases) {
    const Layout l = ChooseLayout(c.scale, c.fullscreen, c.desktopW, c.desktopH);
    const Layout& e = c.expected;
    EXPECT_EQ(std::vector<int>({l.modeW, l.modeH, l.x, l.y, l.scale, l.fullscreen}),
              std::vector<int>({e.modeW, e.modeH, e.x, e.y, e.scale, e.fullscreen}))
        << c.desktopW << "x" << c.desktopH << " scale " << c.scale;
  }
}

// Distinct colours for every pixel of a small frame.
static SDL_Surface* patternFrame(int w, int h) {
  SDL_Surface* s = MakeSurface24(w, h, 0, 0, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) FillRect(s, x, y, 1, 1, uint8_t(40 * x + 1), uint8_t(50 * y + 2), uint8_t(x * y + 3));
  return s;
}

// Every window pixel of the frame's area equals its frame pixel; all else keeps `outside`.
static void expectBlocks(SDL_Surface* frame, SDL_Surface* window, int x0, int y0, int scale, uint32_t outside) {
  int wrong = 0;
  for (int y = 0; y < window->h; ++y) {
    for (int x = 0; x < window->w; ++x) {
      const bool inside = x >= x0 && y >= y0 && x < x0 + frame->w * scale && y < y0 + frame->h * scale;
      const uint32_t want = inside ? PixelRGB(frame, (x - x0) / scale, (y - y0) / scale) : outside;
      wrong += PixelRGB(window, x, y) != want;
    }
  }
  EXPECT_EQ(wrong, 0) << "scale " << scale;
}

class DisplayTest : public SceneTest {};

TEST_F(DisplayTest, EveryFramePixelBecomesOneBlock) {
  SDL_Surface* frame = patternFrame(7, 5);
  for (int scale = 1; scale <= 4; ++scale) {
    // The game's own window, and 32-bit ones with the same and the other channel order.
    for (const auto& f : {std::array<Uint32, 3>{24, 0xff0000, 0xff}, {32, 0xff0000, 0xff}, {32, 0xff, 0xff0000}}) {
      SDL_Surface* window =
          SDL_CreateRGBSurface(SDL_SWSURFACE, 7 * scale + 13, 5 * scale + 4, int(f[0]), f[1], 0xff00, f[2], 0);
      FillRect(window, 0, 0, window->w, window->h, 9, 8, 7);
      StretchFrame(frame, window, 3, 2, scale);
      expectBlocks(frame, window, 3, 2, scale, 0x090807);
      SDL_FreeSurface(window);
    }
  }
  SDL_FreeSurface(frame);
}

TEST_F(DisplayTest, TheHotkeysSwitchModesKeepThePictureAndAreNoGameKeys) {
  playerSettings = Settings{1, false};
  ASSERT_TRUE(OpenDisplay());
  SDL_Surface* frame = FrameSurface();
  EXPECT_EQ(frame, SDL_GetVideoSurface());  // scale 1 in a window: drawn straight into it, as always
  EXPECT_EQ(frame->w * 1000 + frame->h, 480480);
  SDL_Surface* pattern = patternFrame(480, 480);
  SDL_BlitSurface(pattern, nullptr, frame, nullptr);
  const struct {
    SDLKey sym;
    int mod;
    bool fullscreenAfter;
  } presses[] = {{SDLK_F11, KMOD_NONE, true},
                 {SDLK_RETURN, KMOD_LALT, false},
                 {SDLK_KP_ENTER, KMOD_RALT, true},
                 {SDLK_F11, KMOD_NONE, false},
                 {SDLK_RETURN, KMOD_NONE, false}};  // Enter alone is no hotkey
  for (const auto& p : presses) {
    PushEvent(SDL_KEYDOWN, SDLK_z);
    PushEvent(SDL_KEYDOWN, p.sym, p.mod);
    PushEvent(SDL_KEYUP, p.sym, p.mod);
    EXPECT_EQ(GetMsg(), KEY_Z);  // the hotkey left the game's keys alone
    PushEvent(SDL_KEYUP, SDLK_z);
    EXPECT_EQ(GetMsg(), 0);
    frame = PresentFrame(frame);
    SDL_Surface* video = SDL_GetVideoSurface();
    EXPECT_EQ((video->flags & SDL_FULLSCREEN) != 0, p.fullscreenAfter);
    EXPECT_EQ(frame == video, !p.fullscreenAfter);
    EXPECT_EQ(frame, FrameSurface());
    expectBlocks(pattern, frame, 0, 0, 1, 0);
    EXPECT_EQ(ReadTextFile("data/settings.txt"),
              std::string("scale 1\nfullscreen ") + "01"[p.fullscreenAfter] + "\nmute 0\n");
  }
  EXPECT_EQ(UpKeyFlg + DownKeyFlg + LeftKeyFlg + RightKeyFlg + checkKeyFlg, 0);
  SDL_FreeSurface(pattern);
}
