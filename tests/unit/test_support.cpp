// test_support.cpp -- shared helpers for the headless tests
#include "test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/display.h"
#include "app/key_bindings.h"
#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/program_state.h"
#include "app/settings.h"
#include "gfx/images.h"
#include "race/checkpoints.h"
#include "race/race_state.h"

SDL_Surface* MakeSurface24(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff0000, 0xff00, 0xff, 0);
  SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
  return s;
}

void FillRect(SDL_Surface* s, int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  SDL_Rect rect = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
  SDL_FillRect(s, &rect, SDL_MapRGB(s->format, r, g, b));
}

uint32_t PixelRGB(SDL_Surface* s, int x, int y) {
  const Uint8* p = static_cast<const Uint8*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch +
                   static_cast<ptrdiff_t>(x) * s->format->BytesPerPixel;
  Uint32 value = 0;
  memcpy(&value, p, s->format->BytesPerPixel);
  Uint8 r, g, b;
  SDL_GetRGB(value, s->format, &r, &g, &b);
  return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | b;
}

std::string Printed(const std::function<void()>& f) {
  testing::internal::CaptureStdout();
  f();
  return testing::internal::GetCapturedStdout();
}

std::map<std::string, std::string> DataFileHashes(const char* except) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::directory_iterator("data")) {
    uint32_t h = 2166136261u;
    for (unsigned char c : ReadTextFile(e.path())) h = (h ^ c) * 16777619u;
    char hex[9];
    if (const std::string name = e.path().filename(); !strstr(except, name.c_str()))
      files[name] = (snprintf(hex, sizeof hex, "%08x", h), hex);
  }
  return files;
}

void WriteTextFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  if (in) ss << in.rdbuf();  // a directory opens, but its reading fails: ""
  return in ? ss.str() : "<missing>";
}

void SceneTest::SetUp() {
  previousDir = std::filesystem::current_path();
  char templ[] = "/tmp/velkaro-test-XXXXXX";
  scratchDir = mkdtemp(templ);
  ASSERT_EQ(chdir(scratchDir.c_str()), 0);
  ASSERT_EQ(system("mkdir -p data image"), 0);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  screen = SDL_SetVideoMode(480, 480, 24, 0);
  ASSERT_NE(screen, nullptr);
  ResetProgramState(), SetKeySource(nullptr), SetPresenter(nullptr);
}

void SceneTest::TearDown() {
  CloseDisplay(), ImageRelease(), SetKeySource(nullptr), SetPresenter(nullptr), SDL_Quit();
  playerSettings = Settings();
  InstallKeyBindings(KeyBindingNames{}, ""), raceOptions = RaceOptions{};  // each test chooses its keys and mode
  std::filesystem::current_path(previousDir);
  std::filesystem::remove_all(scratchDir);  // links are removed, not followed
}

bool SceneTest::LoadGeneratedImages() {
  // Linked, not copied: the course images alone are 32 MB.
  if (system("test -f '" VELKARO_RUNTIME_DIR "/image/car.bmp' && rm -rf image && ln -s '" VELKARO_RUNTIME_DIR
             "/image' image") != 0)
    return false;
  ImageLoad();
  return img.carImage != nullptr;
}
