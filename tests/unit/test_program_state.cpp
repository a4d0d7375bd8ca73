// The program's start: what ResetProgramState gives back, the pace PresentFrame keeps, and what
// the built program prints and returns before it opens a window.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "app/output_guard.h"
#include "app/pacing.h"
#include "app/program_state.h"
#include "core/keymask.h"
#include "frontend/frontend_state.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race_scene/race_scene_state.h"
#include "records/record_tables.h"
#include "test_support.h"

// The bytes of every constant-initialised record ResetProgramState puts back (the cue record
// field by field: it has padding; the front end's record is made by code, checked below).
static std::vector<std::string> Snapshot() {
  std::vector<std::string> s;
  auto add = [&s](const auto& v) { s.emplace_back(reinterpret_cast<const char*>(&v), sizeof v); };
  add(race), add(run), add(skid), add(raceProgram), add(car), add(latch), add(bestTime), add(clearFlg);
  add(raceScene.bannerHeard), add(raceScene.heardCue);
  return s;
}

// Taken while the statics are initialised, before any test has run: the program-start state.
static const std::vector<std::string> kAtProgramStart = Snapshot();

static uint32_t now = 0;

using ProgramState = SceneTest;

TEST_F(ProgramState, ResetGivesTheProgramStartStateAndPace) {
  auto scramble = [](auto& v) { std::memset(&v, 0x5a, sizeof v); };
  scramble(race), scramble(run), scramble(skid), scramble(raceProgram), scramble(car), scramble(latch);
  scramble(bestTime), scramble(clearFlg);
  fe.menuSX = 1, fe.titleCnt = 9, fe.zHeardDown = true;  // field by field: it has padding
  raceScene.bannerHeard = true, raceScene.heardCue = 3;
  SetPacingClock({[] { return now; }, [](uint32_t ms) { now += ms; }});
  now = 100000;
  fps_wait(40);  // the previous frame ended at 100025
  now = 0;
  ResetProgramState();
  const char* const names[] = {"race",  "run",      "skid",     "raceProgram",           "car",
                               "latch", "bestTime", "clearFlg", "raceScene.bannerHeard", "raceScene.heardCue"};
  for (size_t i = 0; i < kAtProgramStart.size(); ++i) EXPECT_TRUE(Snapshot()[i] == kAtProgramStart[i]) << names[i];
  EXPECT_EQ(V(run.LoadFlg, fe.menuSX, fe.titleCnt, fe.zHeardDown), V(1, 56, 0, 0));
  // Forty frames a second, the first a whole frame from the start of the clock, not from 100025.
  for (int frame = 0; frame < 8; ++frame) PresentFrame(screen);
  EXPECT_EQ(now, 8 * 25u);
  SetPacingClock({nullptr, nullptr});
}

// Runs the built program in the scratch folder; its exit status, standard output and error.
static std::string RunProgram(const std::string& args) {
  const std::string command = "timeout 10 " VELKARO_BINARY " " + args + " >out.txt 2>err.txt";
  const int status = system(command.c_str());
  return std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + "|" + ReadTextFile("out.txt") + "|" +
         ReadTextFile("err.txt");
}

using ProgramEntry = SceneTest;

TEST_F(ProgramEntry, VersionGoesToStdoutAndAMistakeToStderr) {
  EXPECT_EQ(RunProgram("--version"), "0|velkaro " VELKARO_TEST_VERSION "\n|");
  EXPECT_EQ(RunProgram("--zoom"), "2||velkaro: unknown option '--zoom'; try 'velkaro --help'\n");
}

// A child writing 256 KiB to a standard output that is a pipe no one reads, after the guard: how it ended.
static std::string WriteToUnreadPipe(bool readerClosed) {
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  if (readerClosed) close(fds[0]);
  const pid_t child = fork();
  if (child == 0) {
    sigset_t alarmOnly;  // whatever the test process did with SIGALRM, it ends the child here
    sigemptyset(&alarmOnly), sigaddset(&alarmOnly, SIGALRM);
    signal(SIGALRM, SIG_DFL), sigprocmask(SIG_UNBLOCK, &alarmOnly, nullptr);
    alarm(5);  // a write that waits for the reader ends the child
    dup2(fds[1], STDOUT_FILENO);
    GuardStandardOutput();
    static const char block[4096] = {};
    for (int i = 0; i < 64; ++i)
      if (write(STDOUT_FILENO, block, sizeof block) < 0) continue;  // lost, never waited for
    _exit(0);
  }
  close(fds[1]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!readerClosed) close(fds[0]);
  return WIFEXITED(status) ? "exit " + std::to_string(WEXITSTATUS(status)) : strsignal(WTERMSIG(status));
}

TEST(OutputGuard, AClosedOrStalledStdoutNeverStopsTheGame) {
  EXPECT_EQ(WriteToUnreadPipe(true), "exit 0");   // no SIGPIPE
  EXPECT_EQ(WriteToUnreadPipe(false), "exit 0");  // a full pipe is not waited on
}
