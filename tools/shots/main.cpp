// main.cpp -- velkaro_shots: plays the game headless from a script of keys and
// saves chosen frames as BMP files, for the README's pictures.
//
// Usage: velkaro_shots RUNTIME-DIR OUT-DIR SCRIPT
// Runs in a scratch working directory with RUNTIME-DIR's images and a fresh copy
// of the shipped data (SHIPPED_DATA_DIR), so no player's records are touched.
//
// Script lines (one per line, # starts a comment):
//   hold KEYS FRAMES    hold KEYS (up+right+z..., or "none") for FRAMES frames
//   until-scene CODE    hold nothing until the scene loop is about to run scene CODE
//   keys FILE           feed a key recording: skip its first line, then one KeyMask a frame
//   shot NAME           save the frame just shown as NAME.bmp
//   record NAME EVERY   from now on save every EVERY-th frame as NAME-0000.bmp, ...
//   stop                stop recording
//   data FILE WORDS...  write WORDS (space-separated) as the scratch data file FILE,
//                       e.g. "data clearFlg.txt 1 1 1 1 1 0" to open every course
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/pacing.h"
#include "app/scene_loop.h"
#include "gfx/images.h"

namespace {

enum class Op { Hold, UntilScene, Shot, Record, Stop, Data };

struct Step {
  Op op;
  uint8_t mask;
  int count;  // frames to hold, scene code, or recording interval
  std::string name;
  std::string text;  // contents of a data file
};

std::vector<Step> steps;
size_t stepIndex = 0;
int heldFrames = 0;
std::string outDir;
std::string recordName;
int recordEvery = 0;
int recordFrame = 0;
int recordSaved = 0;
LoopState loop;
SDL_Surface* screenSurface = nullptr;

uint8_t parseKeys(const std::string& text) {
  if (text == "none") return 0;
  uint8_t mask = 0;
  std::stringstream names(text);
  std::string name;
  while (std::getline(names, name, '+')) {
    if (name == "up")
      mask |= KEY_UP;
    else if (name == "down")
      mask |= KEY_DOWN;
    else if (name == "left")
      mask |= KEY_LEFT;
    else if (name == "right")
      mask |= KEY_RIGHT;
    else if (name == "z")
      mask |= KEY_Z;
    else if (name == "x")
      mask |= KEY_X;
    else if (name == "a")
      mask |= KEY_A;
    else
      fprintf(stderr, "velkaro_shots: unknown key %s\n", name.c_str());
  }
  return mask;
}

bool appendRecording(const std::string& path) {
  std::ifstream in(path);
  if (!in) return false;
  std::string header;
  std::getline(in, header);
  int mask;
  while (in >> mask) steps.push_back({Op::Hold, static_cast<uint8_t>(mask), 1, "", ""});
  return true;
}

// One script line into steps; false (with a message) on a step it does not know.
bool parseLine(const std::string& line) {
  std::stringstream words(line.substr(0, line.find('#')));
  std::string op, a, b;
  if (!(words >> op)) return true;
  words >> a >> b;
  if (op == "hold")
    steps.push_back({Op::Hold, parseKeys(a), atoi(b.c_str()), "", ""});
  else if (op == "until-scene")
    steps.push_back({Op::UntilScene, 0, atoi(a.c_str()), "", ""});
  else if (op == "shot")
    steps.push_back({Op::Shot, 0, 0, a, ""});
  else if (op == "record")
    steps.push_back({Op::Record, 0, atoi(b.c_str()), a, ""});
  else if (op == "stop")
    steps.push_back({Op::Stop, 0, 0, "", ""});
  else if (op == "data") {
    std::string text = b, word;
    while (words >> word) text += " " + word;
    steps.push_back({Op::Data, 0, 0, a, text + "\n"});
  } else if (op == "keys") {
    if (!appendRecording(a)) {
      fprintf(stderr, "velkaro_shots: cannot read %s\n", a.c_str());
      return false;
    }
  } else {
    fprintf(stderr, "velkaro_shots: unknown step %s\n", op.c_str());
    return false;
  }
  return true;
}

bool loadScript(const std::string& path) {
  std::ifstream in(path);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line))
    if (!parseLine(line)) return false;
  return true;
}

void save(SDL_Surface* screen, const std::string& name) {
  const std::string path = outDir + "/" + name + ".bmp";
  if (SDL_SaveBMP(screen, path.c_str()) != 0) fprintf(stderr, "velkaro_shots: cannot write %s\n", path.c_str());
}

// Runs the non-frame steps at the cursor: shots and recording switches act at
// once, a finished hold or a reached scene moves on.
void settleSteps() {
  while (stepIndex < steps.size()) {
    const Step& s = steps[stepIndex];
    if (s.op == Op::Shot) {
      save(screenSurface, s.name);
    } else if (s.op == Op::Record) {
      recordName = s.name;
      recordEvery = s.count > 0 ? s.count : 1;
      recordFrame = 0;
    } else if (s.op == Op::Stop) {
      recordEvery = 0;
    } else if (s.op == Op::Data) {
      std::ofstream("data/" + s.name) << s.text;
    } else if (s.op == Op::Hold && heldFrames >= s.count) {
      heldFrames = 0;
    } else if (s.op == Op::UntilScene && loop.sceneCode == s.count) {
      // reached
    } else {
      return;
    }
    ++stepIndex;
  }
}

uint8_t scriptedKeys() {
  if (stepIndex < steps.size() && steps[stepIndex].op == Op::Hold) return steps[stepIndex].mask;
  return 0;
}

// Every frame, the main loop's and the result screen's, ends here.
void present(SDL_Surface* screen) {
  if (recordEvery > 0 && recordFrame++ % recordEvery == 0) {
    char name[256];
    snprintf(name, sizeof name, "%s-%04d", recordName.c_str(), recordSaved++);
    save(screen, name);
  }
  if (stepIndex < steps.size() && steps[stepIndex].op == Op::Hold) ++heldFrames;
  settleSteps();
}

// Makes the scratch working directory (the runtime's images, a fresh copy of the shipped
// data) and the output folder, and moves into the scratch one; "" on failure.
std::string enterScratchDir(const std::string& runtime) {
  char scratch[] = "/tmp/velkaro-shots-XXXXXX";
  if (!mkdtemp(scratch)) return "";
  const std::string setup = "mkdir -p '" + outDir + "' && ln -s '" + runtime + "/image' '" + scratch +
                            "/image' && mkdir '" + scratch + "/data' && cp '" SHIPPED_DATA_DIR "'/* '" + scratch +
                            "/data/'";
  if (system(setup.c_str()) != 0 || chdir(scratch) != 0) return "";
  return scratch;
}

// Plays the script to its end (or until the game quits), headless.
bool playScript() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (SDL_Init(SDL_INIT_VIDEO) < 0) return false;
  screenSurface = SDL_SetVideoMode(480, 480, 24, 0);
  if (!screenSurface) return false;
  ImageLoad();
  SetKeySource(scriptedKeys);
  SetPresenter(present);
  loop = InitialLoopState();
  settleSteps();
  while (loop.sceneCode != SCENE_QUIT && stepIndex < steps.size()) {
    RunSceneOnce(screenSurface, &loop);
    present(screenSurface);
  }
  ImageRelease();
  SDL_Quit();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: velkaro_shots RUNTIME-DIR OUT-DIR SCRIPT\n");
    return 2;
  }
  outDir = argv[2];
  if (!loadScript(argv[3])) return 1;
  const std::string scratch = enterScratchDir(argv[1]);
  if (scratch.empty()) return 1;
  // The game's diagnostic prints would drown the tool's own messages.
  if (!freopen("/dev/null", "w", stdout)) return 1;
  if (!playScript()) return 1;
  const std::string cleanup = "rm -rf '" + scratch + "'";
  return system(cleanup.c_str()) == 0 ? 0 : 1;
}
