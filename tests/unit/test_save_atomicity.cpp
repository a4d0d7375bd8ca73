// Saves killed at any instant: every record file is left whole, either the old or the new contents.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "records/data_files.h"
#include "test_support.h"

using namespace std::chrono;

namespace {

const char* const kFiles[] = {"data/bestTime.txt", "data/saveCnt3.txt", "data/ghost3.txt", "data/clearFlg.txt",
                              "data/check5.txt"};

// Everything the game saves, distinct per version. The stored runs (1500 and 2500 entries, tens of
// kilobytes) take many write calls.
bool SaveAll(int version) {
  int32_t best[SLOT_COUNT], flags[COURSE_COUNT], checkX[CHECKPOINT_COUNT], checkY[CHECKPOINT_COUNT];
  std::vector<int32_t> x(RUN_CAPACITY), y(RUN_CAPACITY), ang(RUN_CAPACITY);
  for (int i = 0; i < RUN_CAPACITY; ++i) {
    if (i < SLOT_COUNT) best[i] = version * 1000 + 16 * i;
    if (i < COURSE_COUNT) flags[i] = (i + version) % 2;
    if (i < CHECKPOINT_COUNT) checkX[i] = version * 100 + i, checkY[i] = -checkX[i];
    x[i] = 600 + version * 7 + i % 900, y[i] = 900 - version * 3 - i % 700, ang[i] = (i + version) % 24;
  }
  return WriteBestTimes(best) && WriteRun(3, 500 + 1000 * version, x.data(), y.data(), ang.data()) &&
         WriteClearFlags(flags) && WriteCheckpoints(5, checkX, checkY);
}

std::vector<std::string> Contents(const char* suffix = "") {
  std::vector<std::string> contents;
  for (const char* path : kFiles) contents.push_back(ReadTextFile(path + std::string(suffix)));
  return contents;
}

// A child that saves versions 2 and 1 in turn until it is killed; it returns once the child saves.
pid_t StartSaving() {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    if (write(ready[1], "", 1) != 1) _exit(2);
    for (;;)
      if (!SaveAll(2) || !SaveAll(1)) _exit(1);
  }
  close(ready[1]);
  char byte;
  const bool started = pid > 0 && read(ready[0], &byte, 1) == 1;
  close(ready[0]);
  return started ? pid : -1;
}

}  // namespace

using SaveAtomicity = SceneTest;

TEST_F(SaveAtomicity, KilledSavesLeaveEveryFileWholeOldOrNew) {
  ASSERT_TRUE(SaveAll(2));
  const std::vector<std::string> newBytes = Contents();
  // How long one full save takes here: the kill delays are spread over three of them, so kills land in
  // every stage of a save (opening, writing, flushing, syncing, renaming) on a fast or a slow disk alike.
  const auto start = steady_clock::now();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(SaveAll(1));
  const std::vector<std::string> oldBytes = Contents();
  const long spanUs = std::clamp<long>(duration_cast<microseconds>(steady_clock::now() - start).count(), 4000, 30000);
  // A kill during fsync waits for the sync to end: on a slow disk the test stops after 8 s, once it
  // has made 50 kills, whose shuffled delays still cover the whole span.
  int kills = 0, sawNew = 0;
  for (; kills < 200 && (kills < 50 || steady_clock::now() - start < seconds(8)); ++kills) {
    const long delayUs = spanUs * (kills * 37 % 200) / 200;  // 37 is prime to 200: each step once
    const pid_t child = StartSaving();
    ASSERT_GT(child, 0) << "fork";
    std::this_thread::sleep_for(microseconds(delayUs));
    int status = 0;
    ASSERT_EQ(kill(child, SIGKILL), 0);
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";
    const std::vector<std::string> now = Contents();
    for (size_t f = 0; f < now.size(); ++f) {
      ASSERT_TRUE(now[f] == oldBytes[f] || now[f] == newBytes[f])
          << kFiles[f] << " torn by a kill at " << delayUs << " us: " << now[f].size() << " bytes";
      sawNew += now[f] == newBytes[f];
    }
  }
  EXPECT_GT(sawNew, 0) << "the children never got a save through: the kills prove nothing";
  // What a kill before the rename leaves, a partial file beside each record, is replaced by the next save.
  for (size_t f = 0; f < newBytes.size(); ++f)
    WriteTextFile(kFiles[f] + std::string(".tmp"), newBytes[f].substr(0, newBytes[f].size() / 3));
  ASSERT_TRUE(SaveAll(2));
  EXPECT_EQ(V(Contents() == newBytes, Contents(".tmp") == std::vector<std::string>(5, "<missing>")), V(1, 1));
}
