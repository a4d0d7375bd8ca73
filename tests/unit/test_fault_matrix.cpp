// Faults injected into the game folder (data files missing, short, malformed, huge, past capacity or
// unwritable; images missing, undersized or of other pixel formats) and the window closed in every
// scene and stage: whole sessions through the scene loop that must print the failure and stay playable.
#include <SDL_image.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "test_session.h"

namespace {

const FrontEndState& F() { return FrontEndView(); }

// What the session saw, for a case's own checks.
struct Seen {
  int maxCheckOkCnt;
  float maxTravel;
  int racesOver;
};

struct FaultCase {
  const char* name = "";
  std::function<void()> inject = [] {};  // breaks the game folder before the program starts
  Plan plan = {};
  std::vector<std::string> messages = {};            // lines the failure must print
  std::vector<std::string> mayChange = {};           // data files the session may rewrite
  int notReadLines = 0;                              // "NOT READ FILE" lines expected at start-up
  std::function<void(const Seen&)> check = nullptr;  // further checks once the session ended
  std::function<bool()> reached = nullptr;           // when the faulty part has been played (default: a race left)
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

void Remove(const std::string& path) { std::remove(path.c_str()); }
void Write(const std::string& path, const std::string& text) {
  Remove(path);
  WriteTextFile(path, text);
}
void MakeDir(const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path; }
std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}
void RemoveRecords() {
  Remove("data/bestTime.txt");
  Remove("data/clearFlg.txt");
  for (int slot = 0; slot < 12; ++slot) {
    Remove("data/saveCnt" + std::to_string(slot) + ".txt");
    Remove("data/ghost" + std::to_string(slot) + ".txt");
  }
}
// The shipped best times with slot 0 given a time, so a mode-1 race on course 0 loads a ghost.
void GiveSlot0ATime() {
  std::string best = ReadTextFile("data/bestTime.txt");
  Write("data/bestTime.txt", "5000" + best.substr(best.find(' ')));
}

// Replaces image/<name> (a link to the generated one) with a real file.
void ReplaceImage(const std::string& name, SDL_Surface* s, int depth) {
  Remove("image/" + name);
  WriteBmp("image/" + name, s, depth);
  SDL_FreeSurface(s);
}
SDL_Surface* Generated(const std::string& name) {
  return IMG_Load(("image/" + name).c_str());  // still the link
}
const char* const kSheets[] = {"car.bmp",     "Ecar.bmp",       "title.bmp", "menu.bmp",       "stick.bmp",
                               "keybord.bmp", "help.bmp",       "mode.bmp",  "SmallMap.bmp",   "finish.bmp",
                               "frame.bmp",   "colorCheck.bmp", "full.bmp",  "GameSelect.bmp", "num.bmp",
                               "kazu.bmp",    "comment.bmp"};
void EverySheetAs(int depth) {
  for (const char* name : kSheets) ReplaceImage(name, Generated(name), depth);
}
void EverySheetOnePixel() {
  for (const char* name : kSheets) ReplaceImage(name, MakeSurface24(1, 1, 255, 0, 255), 32);
}

const char kReadError[] = "ファイル読み込みエラー";
const char kCheckError[] = "ファイル書き込みエラー";
const char kGhostError[] = "ghostファイル書き込みエラー";
const char kConverted[] = "colour sample image and course image differ in pixel format: colours converted";
const char kColourError[] = "colour sample image missing or too small: leaving the race";

Plan Race(int mode, int course, int raceFrames) {
  Plan p;
  p.mode = mode;
  p.course = course;
  p.raceFrames = raceFrames;
  return p;
}
Plan Finish(int mode, int course) { return Race(mode, course, 0); }

void NeverReachedACheckpoint(const Seen& s) { EXPECT_EQ(s.maxCheckOkCnt, 0) << "a far-away checkpoint counted"; }
void SecondCarOnSaneGround(const Seen&) {
  EXPECT_GE(car[1].dir, 0.0f);
  EXPECT_LT(car[1].dir, 24.0f);
  EXPECT_GE(car[1].posX, -COURSE_W);
  EXPECT_LE(car[1].posX, 2 * COURSE_W);
  EXPECT_GE(car[1].posY, -COURSE_H);
  EXPECT_LE(car[1].posY, 2 * COURSE_H);
}
void CarDrove(const Seen& s) { EXPECT_GT(s.maxTravel, 100.0f) << "the car never got off the grid"; }
void RecordsOfAFreshInstall(const Seen& s) {
  EXPECT_EQ(s.racesOver, 1);
  std::istringstream best(ReadTextFile("data/bestTime.txt"));
  std::vector<long> times;
  for (long t; best >> t;) times.push_back(t);
  ASSERT_EQ(times.size(), 12u);
  EXPECT_GT(times[0], 0);
  for (size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i], 0) << "slot " << i;
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt"), std::to_string(times[0] / 16));
}

FaultCase Case(const char* name, std::function<void()> inject, Plan plan, std::vector<std::string> messages = {}) {
  FaultCase c{};
  c.name = name, c.inject = std::move(inject), c.plan = plan, c.messages = std::move(messages);
  return c;
}
FaultCase Then(FaultCase c, std::function<void(const Seen&)> check) { return c.check = std::move(check), c; }
FaultCase May(FaultCase c, std::vector<std::string> files) { return c.mayChange = std::move(files), c; }
FaultCase Blocked(FaultCase c) {
  return c.reached = [] { return F().zBlockedAfterLoadFailure; }, c;
}

// One case per distinct path through the readers, the writers, the image checks and the scenes.
const FaultCase kFileCases[] = {
    Then(May(Case("fresh_install_without_records", RemoveRecords, Finish(1, 0), {kReadError}),
             {"bestTime.txt", "saveCnt0.txt", "ghost0.txt"}),
         RecordsOfAFreshInstall),
    Case("checkpoints_missing", [] { Remove("data/check0.txt"); }, Race(1, 0, 100), {kCheckError}),
    Then(Case(
             "checkpoints_far_and_extreme",
             [] { Write("data/check0.txt", Repeat("-2147483648,2147483647 60000,-60000 ", 10)); }, Race(1, 0, 200)),
         NeverReachedACheckpoint),
    Case("run_entries_missing", [] { Remove("data/ghost6.txt"); }, Race(2, 0, 100), {kGhostError}),
    Then(Case(
             "run_entries_extreme_ghost",
             [] {
               GiveSlot0ATime();
               Write("data/saveCnt0.txt", "300");
               Write("data/ghost0.txt", Repeat("2147483647 -2147483648 2147483647 -99999 99999 -7 ", 150));
             },
             Race(1, 0, 200)),
         SecondCarOnSaneGround),
    Then(Case(
             "run_entries_extreme_rival",
             [] {
               Write("data/saveCnt6.txt", "300");
               Write("data/ghost6.txt", Repeat("-2147483648 2147483647 -2147483648 99999 -99999 77 ", 150));
             },
             Race(2, 0, 200)),
         SecondCarOnSaneGround),
    May(Case("run_entries_unwritable", [] { MakeDir("data/ghost0.txt.tmp"); }, Finish(1, 0), {kGhostError}),
        {"bestTime.txt", "saveCnt0.txt"}),
};

const FaultCase kImageCases[] = {
    Blocked(Case("course_image_missing", [] { Remove("image/map0.bmp"); }, Race(1, 0, 60),
                 {"cannot load course image image/map0.bmp"})),
    Blocked(Case("course_image_undersized", [] { ReplaceImage("map0.bmp", MakeSurface24(800, 600, 90, 90, 90), 32); },
                 Race(1, 0, 60), {"course image image/map0.bmp is not 1536x1152"})),
    Blocked(Case("course_image_8_bit", [] { ReplaceImage("map0.bmp", Generated("map0.bmp"), 8); }, Race(1, 0, 60),
                 {"course image image/map0.bmp is in a pixel format the game cannot race on"})),
    Then(Case("course_image_32_bit", [] { ReplaceImage("map0.bmp", Generated("map0.bmp"), 32); }, Race(1, 0, 150),
              {kConverted}),
         CarDrove),
    Case("colour_sample_1x1", [] { ReplaceImage("colorCheck.bmp", MakeSurface24(1, 1, 90, 90, 90), 32); },
         Race(1, 0, 60), {kColourError}),
    Then(Case("colour_sample_8_bit", [] { ReplaceImage("colorCheck.bmp", Generated("colorCheck.bmp"), 8); },
              Race(1, 0, 150), {kConverted}),
         CarDrove),
    Then(Case("every_sheet_8_bit", [] { EverySheetAs(8); }, Race(2, 0, 150), {kConverted}), CarDrove),
    Case("every_sheet_1x1", EverySheetOnePixel, Race(1, 0, 60), {kColourError}),
    [] {
      FaultCase c = Case("every_sheet_missing",
                         [] {
                           for (const char* name : kSheets) Remove(std::string("image/") + name);
                         },
                         Race(1, 0, 60), {kColourError});
      c.notReadLines = 17;
      return c;
    }(),
};

}  // namespace

class FaultMatrix : public GameSession, public ::testing::WithParamInterface<FaultCase> {
 protected:
  bool LeftARace() const {
    return racesStarted > 0 && loop.sceneCode == SCENE_TITLE && F().titleCnt == 10 && F().mapSelectFlg == 1;
  }
};

TEST_P(FaultMatrix, NoCrashMessagePrintedStillPlayable) {
  const FaultCase& c = GetParam();
  c.inject();
  const std::map<std::string, std::string> before = DataFiles();
  plan = c.plan;
  BeginCapture();
  StartGame();
  const bool reached = RunUntil(
      c.reached ? c.reached : [&] { return LeftARace(); }, 15000);
  const Seen seen{maxCheckOkCnt, maxTravel, racesOver};
  plan.quit = true;
  const bool quitThroughMenu = RunUntil([&] { return loop.sceneCode == SCENE_QUIT; }, 3000);
  const std::string out = EndCapture();

  EXPECT_TRUE(reached) << "the faulty part was never played";
  EXPECT_TRUE(quitThroughMenu) << "keys no longer steer back to the menu";
  EXPECT_EQ(F().titleCnt, 5);
  EXPECT_EQ(F().changeCnt, 2);
  for (const std::string& m : c.messages) EXPECT_NE(out.find(m + "\n"), std::string::npos) << "missing line: " << m;
  size_t notRead = 0;
  for (size_t at = out.find("NOT READ FILE\n"); at != std::string::npos; at = out.find("NOT READ FILE\n", at + 1))
    ++notRead;
  EXPECT_EQ(notRead, static_cast<size_t>(c.notReadLines));
  // Every record file the case does not expect to be rewritten is byte for byte as it was.
  const std::map<std::string, std::string> after = DataFiles();
  auto mayChange = [&](const std::string& file) {
    return std::find(c.mayChange.begin(), c.mayChange.end(), file) != c.mayChange.end();
  };
  for (const auto& [file, bytes] : before) {
    if (mayChange(file)) continue;
    EXPECT_EQ(after.count(file) ? after.at(file) : "<gone>", bytes) << file << " changed";
  }
  for (const auto& [file, bytes] : after) EXPECT_TRUE(before.count(file) || mayChange(file)) << file << " appeared";
  if (c.check) c.check(seen);
}

static std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Files, FaultMatrix, ::testing::ValuesIn(kFileCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Images, FaultMatrix, ::testing::ValuesIn(kImageCases), CaseName);
