// test_session.cpp -- the steering player, the game folder and output capture for whole-game sessions
#include "test_session.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/keyboard.h"
#include "app/pacing.h"
#include "frontend/frontend_state.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race_run.h"
#include "records/record_tables.h"

static GameSession* current = nullptr;

static void NoPresent(SDL_Surface*) {}

std::string GameSession::GeneratedImage(const std::string& name) {
  return std::string(VELKARO_RUNTIME_DIR) + "/image/" + name;
}

void GameSession::SetUp() {
  SceneTest::SetUp();
  DIR* dir = opendir((std::string(VELKARO_RUNTIME_DIR) + "/image").c_str());
  if (!dir) GTEST_SKIP() << "generated art not built yet";
  while (dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0) {
      ASSERT_EQ(symlink(GeneratedImage(name).c_str(), ("image/" + name).c_str()), 0) << name;
    }
  }
  closedir(dir);
  ASSERT_EQ(system(("cp '" + std::string(VELKARO_SOURCE_DIR) + "/data'/*.txt data/").c_str()), 0);
}

void GameSession::TearDown() {
  if (savedStdout_ >= 0) EndCapture();
  if (current == this) current = nullptr;
  SceneTest::TearDown();
}

void GameSession::StartGame() {
  ResetFrontEnd();
  ResetRaceState();
  ResetKeyboard();
  car[0] = car[1] = CarState{};
  for (int32_t& t : bestTime) t = 0;
  for (int32_t& f : clearFlg) f = 0;
  ImageLoad();
  loop = InitialLoopState();
  current = this;
  SetKeySource(KeySource);
  SetPresenter(NoPresent);
}

bool GameSession::RunUntil(const std::function<bool()>& done, int maxFrames) {
  for (int i = 0; i < maxFrames; ++i) {
    if (done()) return true;
    if (loop.sceneCode == SCENE_QUIT) return false;
    RunSceneOnce(screen, &loop);
  }
  return done();
}

uint8_t GameSession::KeySource() { return current ? current->ChooseKeys() : 0; }

uint8_t GameSession::ChooseKeys() {
  uint8_t keys;
  if (loop.sceneCode == SCENE_GAME) {
    keys = RaceKeys();
  } else if (loop.sceneCode == SCENE_PAUSE) {
    keys = PauseKeys();
  } else {
    keys = FrontEndKeys();
  }
  last = keys;
  return keys;
}

uint8_t GameSession::FrontEndKeys() {
  const FrontEndState& f = FrontEndView();
  switch (f.titleCnt) {
    case 5: {  // the main menu
      const int entry = plan.quit ? 2 : plan.help ? 1 : 0;
      if (f.changeCnt != entry) return Tap(f.changeCnt < entry ? KEY_DOWN : KEY_UP);
      return KEY_Z;
    }
    case 7:
      if (f.titleFlg == 1) return f.helpFlg == 2 ? Tap(KEY_X) : 0;
      if (f.modeFlg != 1) return 0;
      if (plan.quit || plan.backOutAt == 7) return Tap(KEY_X);
      if (f.modeCnt != plan.mode - 1) return Tap(KEY_RIGHT);
      return KEY_Z;
    case 10:
      if (f.mapSelectFlg != 1) return 0;
      if (plan.quit || plan.backOutAt == 10) return Tap(KEY_X);
      if (loop.mapCnt != plan.course) return Tap(loop.mapCnt < plan.course ? KEY_RIGHT : KEY_LEFT);
      return plan.start ? Tap(KEY_Z) : 0;
    default: return 0;
  }
}

const coursekit::CentreLine& GameSession::Line(int course) {
  if (!lines_[course]) {
    lines_[course] = std::make_unique<coursekit::CentreLine>();
    autopilot::LoadCentreLine(std::string(VELKARO_SOURCE_DIR) + "/tools/courses", course, lines_[course].get());
  }
  return *lines_[course];
}

uint8_t GameSession::RaceKeys() {
  if (race.readyFlg == 0) {  // the setup frame of a new race
    ++racesStarted;
    racingFrames = 0;
    overSeen_ = false;
    driver_.reset(plan.drive ? new autopilot::Driver(Line(((loop.mapCnt % 6) + 6) % 6), pace) : nullptr);
    startX_ = car[0].posX;
    startY_ = car[0].posY;
  } else {
    if (race.readyFlg == 1) {
      startX_ = car[0].posX;
      startY_ = car[0].posY;
    }
    maxTravel = std::max(maxTravel, std::hypot(car[0].posX - startX_, car[0].posY - startY_));
    maxCheckOkCnt = std::max(maxCheckOkCnt, static_cast<int>(race.checkOkCnt));
  }
  if (race.goalFlg == 1) {  // coasting ignores the keys; the result screen takes z
    if (!overSeen_) ++racesOver;
    overSeen_ = true;
    return plan.confirm || plan.quit ? static_cast<uint8_t>(KEY_Z) : 0;
  }
  if (race.readyFlg == 2) ++racingFrames;
  if (plan.quit || (plan.raceFrames > 0 && racingFrames > plan.raceFrames)) return Tap(KEY_X);
  uint8_t keys = driver_ ? driver_->Decide() : static_cast<uint8_t>(KEY_UP);
  if (plan.authoring > 0 && race.readyFlg == 2 && !(last & KEY_A)) {
    keys |= KEY_A;
    --plan.authoring;
  }
  return keys;
}

uint8_t GameSession::PauseKeys() {
  if (raceProgram.selectCnt != 1) return Tap(KEY_DOWN);
  return KEY_Z;  // back to the course select
}

void GameSession::BeginCapture() {
  fflush(stdout);
  savedStdout_ = dup(1);
  const int fd = open((scratchDir + "/stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  dup2(fd, 1);
  close(fd);
}

std::string GameSession::EndCapture() {
  fflush(stdout);
  if (savedStdout_ >= 0) {
    dup2(savedStdout_, 1);
    close(savedStdout_);
    savedStdout_ = -1;
  }
  return ReadTextFile(scratchDir + "/stdout.txt");
}

std::map<std::string, std::string> GameSession::DataFiles() {
  std::map<std::string, std::string> files;
  if (DIR* dir = opendir("data")) {
    while (dirent* e = readdir(dir)) {
      const std::string path = std::string("data/") + e->d_name;
      struct stat st;
      if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) files[e->d_name] = ReadTextFile(path);
    }
    closedir(dir);
  }
  return files;
}

void WriteBmp(const std::string& path, SDL_Surface* s, int depth) {
  const int w = s->w, h = s->h;
  std::vector<uint32_t> palette;  // 0xRRGGBB, for 8 bits
  std::map<uint32_t, int> index;
  if (depth == 8) {
    for (int y = 0; y < h && palette.size() <= 256; ++y)
      for (int x = 0; x < w && palette.size() <= 256; ++x) {
        const uint32_t c = PixelRGB(s, x, y);
        if (!index.count(c)) {
          index[c] = static_cast<int>(palette.size());
          palette.push_back(c);
        }
      }
    if (palette.size() > 256) {  // too many colours: 3-3-2 levels, magenta kept exact
      index.clear();
      palette.clear();
      for (uint32_t i = 0; i < 256; ++i)
        palette.push_back(((i >> 5) * 255 / 7) << 16 | (((i >> 2) & 7) * 255 / 7) << 8 | (i & 3) * 255 / 3);
    }
  }
  const uint32_t rowBytes = depth == 8 ? (w + 3) / 4 * 4 : 4 * w;
  const uint32_t offset = 14 + 40 + (depth == 8 ? 1024 : 0);
  std::string out;
  auto u16 = [&](uint32_t v) {
    out.push_back(static_cast<char>(v & 255));
    out.push_back(static_cast<char>((v >> 8) & 255));
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xffff);
    u16(v >> 16);
  };
  out += "BM";
  u32(offset + rowBytes * h), u32(0), u32(offset);
  u32(40), u32(w), u32(h), u16(1), u16(depth), u32(0), u32(rowBytes * h), u32(2835), u32(2835);
  u32(depth == 8 ? 256 : 0), u32(0);
  if (depth == 8)
    for (int i = 0; i < 256; ++i) u32(i < static_cast<int>(palette.size()) ? palette[i] : 0);
  for (int y = h - 1; y >= 0; --y) {
    const size_t rowStart = out.size();
    for (int x = 0; x < w; ++x) {
      const uint32_t c = PixelRGB(s, x, y);
      if (depth == 8) {
        const auto found = index.find(c);
        const uint32_t quantized = ((c >> 21) & 7) << 5 | ((c >> 13) & 7) << 2 | ((c >> 6) & 3);
        out.push_back(static_cast<char>(found != index.end() ? found->second : quantized));
      } else {
        u32(c | 0xff000000u);
      }
    }
    while (out.size() - rowStart < rowBytes) out.push_back(0);
  }
  WriteTextFile(path, out);
}
