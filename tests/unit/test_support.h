// test_support.h -- headless SDL, a scratch working directory and synthetic surfaces for tests
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Makes a 24-bit surface in the game's format (bytes B, G, R), filled with rgb.
SDL_Surface* MakeSurface24(int w, int h, uint8_t r, uint8_t g, uint8_t b);

// Fills a rectangle of a surface with an RGB colour.
void FillRect(SDL_Surface* s, int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b);

// The RGB of a pixel, packed as 0xRRGGBB.
uint32_t PixelRGB(SDL_Surface* s, int x, int y);

// What f printed to standard output.
std::string Printed(const std::function<void()>& f);

// data/'s files by name with an FNV-1a hash (32 bits) of their bytes, but those named in except.
std::map<std::string, std::string> DataFileHashes(const char* except = "");

// Writes text to path (relative to the working directory).
void WriteTextFile(const std::string& path, const std::string& text);
// The whole file, or "<missing>" when it cannot be read.
std::string ReadTextFile(const std::string& path);

// Every test that touches files, video or scenes runs inside this fixture: a
// fresh scratch directory with an empty data/ as the working directory, SDL's
// dummy video driver with a 480x480 24-bit screen, and the keyboard, pacing and
// image catalogue at their program-start state (no sheets loaded).
class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies the generated images of the build's runtime directory into the
  // scratch directory and loads them as the game does. Returns false when the
  // build has not generated them.
  bool LoadGeneratedImages();

  SDL_Surface* screen = nullptr;
  std::string scratchDir, previousDir;
};

// For a test that needs what the build generates (art, checkpoints): a skip on a
// developer's machine, a failure on CI (CI is set there), where a skip would pass
// without checking anything.
#define SKIP_OR_FAIL_ON_CI(why) \
  do {                          \
    if (getenv("CI"))           \
      FAIL() << (why);          \
    else                        \
      GTEST_SKIP() << (why);    \
  } while (0)

// Several values side by side, so that one check compares them all.
template <class... T>
std::vector<double> V(T... t) {
  return {static_cast<double>(t)...};
}

// n results of f, called in turn.
template <class F>
std::vector<double> Collect(size_t n, F f) {
  std::vector<double> v;
  while (v.size() < n) v.push_back(f());
  return v;
}
