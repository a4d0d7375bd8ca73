// test_session.h -- whole-game sessions through the scene loop: a game folder, a player who steers
// through every screen towards a goal, and the game's standard output kept for inspection
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/scene_loop.h"
#include "driver.h"
#include "test_support.h"

// Where the player heads for. The player presses only what each screen needs
// to get there, releasing between presses so every latch re-arms.
struct Plan {
  int mode = 1;         // 1 or 2
  int course = 0;       // to choose in the course select
  bool help = false;    // menu entry 1 instead of 0; the help is closed once it shows
  int backOutAt = 0;    // 7 or 10: x in the mode select or the course select instead of choosing
  bool start = true;    // z in the course select
  bool drive = true;    // the autopilot races; false: Up is held all race
  bool confirm = true;  // z on the result screen
  int raceFrames = 0;   // > 0: leave through the pause menu after this many racing frames
  int authoring = 0;    // presses of the checkpoint key once racing
  bool quit = false;    // back to the main menu and its third entry
};

// A SceneTest whose working directory is a game folder: image/ holds the
// build's generated art (each file linked, so a case may replace single files
// with real ones) and data/ the shipped data files.
class GameSession : public SceneTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The game at program start: front end, race, cars, records and keys reset,
  // the images loaded, this session's player as the key source, no pacing.
  void StartGame();
  // Runs the scene loop's dispatch until done() holds before a frame; false
  // when it does not within maxFrames or the loop ends first.
  bool RunUntil(const std::function<bool()>& done, int maxFrames);

  // Standard output, kept in a file from BeginCapture to EndCapture.
  void BeginCapture();
  std::string EndCapture();

  // Every regular file under data/ with its bytes.
  static std::map<std::string, std::string> DataFiles();
  // Path of a generated image, and the image loaded from it.
  static std::string GeneratedImage(const std::string& name);

  static bool InRace(const LoopState& loop) { return loop.sceneCode == SCENE_GAME; }

  LoopState loop{};
  Plan plan;
  autopilot::Pace pace = autopilot::FullPace();
  // What the player saw happen.
  int racesStarted = 0;   // setup frames seen
  int racesOver = 0;      // races seen to end (goal, time-up or the rival first)
  int racingFrames = 0;   // key reads while racing in the current race
  int maxCheckOkCnt = 0;  // highest checkpoint index reached in any race
  float maxTravel = 0;    // farthest the player's car got from its start, in any race
  uint8_t last = 0;       // the KeyMask given last time

  // Chooses this frame's KeyMask; the soak overrides it with random keys.
  virtual uint8_t ChooseKeys();
  uint8_t FrontEndKeys();
  uint8_t RaceKeys();
  uint8_t PauseKeys();
  uint8_t Tap(uint8_t key) const { return last == key ? 0 : key; }
  // The centre line the autopilot follows on a course, read once per test.
  const coursekit::CentreLine& Line(int course);

 private:
  static uint8_t KeySource();

  std::unique_ptr<coursekit::CentreLine> lines_[6];
  std::unique_ptr<autopilot::Driver> driver_;
  float startX_ = 0, startY_ = 0;
  bool overSeen_ = false;
  int savedStdout_ = -1;
};

// Writes the surface as an uncompressed BMP of 8 bits per pixel (a palette of
// its own colours, or 3-3-2 levels when it has more than 256) or of 32 bits
// (alpha 255).
void WriteBmp(const std::string& path, SDL_Surface* s, int depth);
