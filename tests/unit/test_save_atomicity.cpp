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
  std::vector<int32_t> v(RUN_CAPACITY + 2);
  for (int i = 0; i < RUN_CAPACITY + 2; ++i) v[i] = version * 7 + i % 900;
  const int32_t* p = v.data();
  return WriteBestTimes(p) && WriteRun(3, 500 + 1000 * version, p, p + 1, p + 2) && WriteClearFlags(p) &&
         WriteCheckpoints(5, p, p + 1);
}

std::vector<std::string> Contents(const char* suffix = "") {
  std::vector<std::string> contents;
  for (const char* path : kFiles) contents.push_back(ReadTextFile(path + std::string(suffix)));
  return contents;
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
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {  // starts as the game does, then saves versions 2 and 1 in turn until it is killed
      RecoverInterruptedSaves();
      if (write(ready[1], "", 1) != 1) _exit(2);
      for (;;)
        if (!SaveAll(2) || !SaveAll(1)) _exit(1);
    }
    int status = 0;
    ASSERT_GT(child, 0) << "fork";
    ASSERT_EQ(read(ready[0], &status, 1), 1);  // the delay runs from the child's first save
    close(ready[0]), close(ready[1]);
    std::this_thread::sleep_for(microseconds(delayUs));
    ASSERT_EQ(kill(child, SIGKILL), 0);
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";
    // What the next start finds, once it has put right what the kill left: the stored run's two
    // files (1 and 2) are one save, so both are old or both new.
    RecoverInterruptedSaves();
    const std::vector<std::string> now = Contents();
    for (size_t f = 0; f < now.size(); ++f) {
      ASSERT_TRUE(now[f] == oldBytes[f] || now[f] == newBytes[f])
          << kFiles[f] << " torn by a kill at " << delayUs << " us: " << now[f].size() << " bytes";
      sawNew += now[f] == newBytes[f];
    }
    ASSERT_EQ(now[1] == newBytes[1], now[2] == newBytes[2]) << "a run count without its entries, kill at " << delayUs;
    const std::vector<std::string> none(5, "<missing>");
    ASSERT_TRUE(Contents(".tmp") == none && Contents(".old") == none) << "left beside the records";
  }
  EXPECT_GT(sawNew, 0) << "the children never got a save through: the kills prove nothing";
}
