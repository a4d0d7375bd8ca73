// Saves killed at any instant: every record file is left whole, either the old or the new contents.
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "records/data_files.h"
#include "test_support.h"

namespace {

const int kSlot = 3;
const int kCourse = 5;  // the checkpoint file the authoring key writes
const char* const kFiles[] = {"data/bestTime.txt", "data/saveCnt3.txt", "data/ghost3.txt", "data/clearFlg.txt",
                              "data/check5.txt"};
const int kFileCount = sizeof kFiles / sizeof kFiles[0];

// Everything the game saves, as one set of values.
struct SaveSet {
  int32_t bestTime[SLOT_COUNT];
  int32_t clearFlg[COURSE_COUNT];
  int32_t checkX[CHECKPOINT_COUNT], checkY[CHECKPOINT_COUNT];
  std::vector<int32_t> runX, runY, runAng;
};

// Distinct sets for distinct seeds; the stored runs are long enough (tens of
// kilobytes) that the entry file takes many write calls.
SaveSet MakeSet(int seed, int entries) {
  SaveSet s;
  for (int i = 0; i < SLOT_COUNT; ++i) s.bestTime[i] = seed * 1000 + 16 * i;
  for (int i = 0; i < COURSE_COUNT; ++i) s.clearFlg[i] = (i + seed) % 2;
  for (int i = 0; i < CHECKPOINT_COUNT; ++i) {
    s.checkX[i] = seed * 100 + i;
    s.checkY[i] = -seed * 100 - i;
  }
  for (int i = 0; i < entries; ++i) {
    s.runX.push_back(600 + seed * 7 + i % 900);
    s.runY.push_back(900 - seed * 3 - i % 700);
    s.runAng.push_back((i + seed) % 24);
  }
  return s;
}

bool SaveAll(const SaveSet& s) {
  return WriteBestTimes(s.bestTime) &&
         WriteRun(kSlot, static_cast<int32_t>(s.runX.size()), s.runX.data(), s.runY.data(), s.runAng.data()) &&
         WriteClearFlags(s.clearFlg) && WriteCheckpoints(kCourse, s.checkX, s.checkY);
}

std::vector<std::string> FileContents() {
  std::vector<std::string> contents;
  for (const char* path : kFiles) contents.push_back(ReadTextFile(path));
  return contents;
}

int StrayTemporaries() {
  int n = 0;
  for (const char* path : kFiles) n += access((std::string(path) + ".tmp").c_str(), F_OK) == 0;
  return n;
}

void SleepMicroseconds(long us) {
  timespec t = {us / 1000000, (us % 1000000) * 1000};
  while (nanosleep(&t, &t) != 0) {
  }
}

// A child process that saves the two sets in turn, for ever, until it is killed.
// It tells the parent through the pipe the moment it starts saving.
pid_t StartSaving(const SaveSet& first, const SaveSet& second) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    const char byte = 1;
    if (write(ready[1], &byte, 1) != 1) _exit(2);
    for (;;) {
      if (!SaveAll(first) || !SaveAll(second)) _exit(1);
    }
  }
  close(ready[1]);
  char byte;
  if (pid > 0 && read(ready[0], &byte, 1) != 1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    close(ready[0]);
    return -1;
  }
  close(ready[0]);
  return pid;
}

}  // namespace

class SaveAtomicity : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    oldSet = MakeSet(1, 1500);
    newSet = MakeSet(2, 2500);
    ASSERT_TRUE(SaveAll(newSet));
    newBytes = FileContents();
    ASSERT_TRUE(SaveAll(oldSet));
    oldBytes = FileContents();
    for (int f = 0; f < kFileCount; ++f)
      ASSERT_TRUE(!oldBytes[f].empty() && oldBytes[f] != "<missing>" && oldBytes[f] != newBytes[f]) << kFiles[f];
  }

  // Which set a file holds: 0 old, 1 new, -1 neither (partial, empty or missing).
  int Which(int f, const std::string& content) const {
    if (content == oldBytes[f]) return 0;
    if (content == newBytes[f]) return 1;
    return -1;
  }

  const SaveSet& SetOf(int which) const { return which == 1 ? newSet : oldSet; }

  // The readers, run over whatever the kill left (stray temporaries included), give the values
  // of the set each file holds. The two run files are replaced one after the other, so a kill
  // between them pairs a new count with the old entries: entries are read up to the count.
  void ExpectReadersSee(const int which[kFileCount], int killNo) {
    SCOPED_TRACE("kill " + std::to_string(killNo));
    SaveSet read;
    int32_t count = -1;
    std::vector<int32_t> x(RUN_CAPACITY, -7), y(RUN_CAPACITY, -7), ang(RUN_CAPACITY, -7);
    ASSERT_TRUE(ReadBestTimes(read.bestTime) && ReadRunCount(kSlot, &count) &&
                ReadRunEntries(kSlot, count, x.data(), y.data(), ang.data()) && ReadClearFlags(read.clearFlg) &&
                ReadCheckpoints(kCourse, read.checkX, read.checkY));
    const SaveSet& run = SetOf(which[2]);
    const size_t n = std::min<size_t>(count, run.runX.size());
    EXPECT_EQ(count, static_cast<int32_t>(SetOf(which[1]).runX.size()));
    EXPECT_TRUE(std::equal(run.runX.begin(), run.runX.begin() + n, x.begin()) &&
                std::equal(run.runY.begin(), run.runY.begin() + n, y.begin()) &&
                std::equal(run.runAng.begin(), run.runAng.begin() + n, ang.begin()) && x[n] == -7);
    EXPECT_TRUE(std::equal(read.bestTime, read.bestTime + SLOT_COUNT, SetOf(which[0]).bestTime));
    EXPECT_TRUE(std::equal(read.clearFlg, read.clearFlg + COURSE_COUNT, SetOf(which[3]).clearFlg));
    EXPECT_TRUE(std::equal(read.checkX, read.checkX + CHECKPOINT_COUNT, SetOf(which[4]).checkX) &&
                std::equal(read.checkY, read.checkY + CHECKPOINT_COUNT, SetOf(which[4]).checkY));
  }

  SaveSet oldSet, newSet;
  std::vector<std::string> oldBytes, newBytes;
};

TEST_F(SaveAtomicity, KilledSavesLeaveEveryFileWholeOldOrNew) {
  // How long one full save of the five files takes here: the kill delays are
  // spread over a few of them, so kills land in every stage of a save (opening,
  // writing, flushing, syncing, renaming) on a fast or a slow disk alike.
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(SaveAll(oldSet));
  const long saveUs = static_cast<long>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count() / 3);
  // At least 0..4 ms; at most 0..30 ms, which keeps the whole test within seconds.
  const long spanUs = std::clamp(3 * saveUs, 4000L, 30000L);

  // A kill during fsync waits for the sync to end, so on a slow disk each kill
  // costs tens of milliseconds: past 8 s the test stops early, after at least
  // 50 kills, whose shuffled delays still cover the whole span.
  const int kKills = 200, kMinimumKills = 50;
  const auto budget = std::chrono::seconds(8);
  int kills = 0, sawNew = 0, strayTemporaries = 0;
  for (int k = 0; k < kKills; ++k) {
    if (k >= kMinimumKills && std::chrono::steady_clock::now() - start > budget) break;
    // 37 is prime to 200: every delay step is used once, in a shuffled order.
    const long delayUs = spanUs * ((k * 37) % kKills) / kKills;
    const pid_t child = StartSaving(newSet, oldSet);
    ASSERT_GT(child, 0) << "fork";
    SleepMicroseconds(delayUs);
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saving child stopped by itself";

    const std::vector<std::string> contents = FileContents();
    int which[kFileCount];
    for (int f = 0; f < kFileCount; ++f) {
      which[f] = Which(f, contents[f]);
      ASSERT_NE(which[f], -1) << kFiles[f] << " is neither whole version after kill " << k << " at " << delayUs
                              << " us: " << contents[f].size() << " bytes";
      sawNew += which[f];
    }
    strayTemporaries += StrayTemporaries();
    ++kills;
    ExpectReadersSee(which, k);
    if (HasFatalFailure()) return;
  }
  // The children really saved: without that the kills would prove nothing.
  EXPECT_GT(sawNew, 0);
  printf("%d kills over 0..%ld us (one save %ld us): %d files found new, %d stray temporaries\n", kills, spanUs, saveUs,
         sawNew, strayTemporaries);

  // Whatever temporaries the kills left behind, the next save goes through whole.
  ASSERT_TRUE(SaveAll(newSet));
  EXPECT_EQ(FileContents(), newBytes);
  EXPECT_EQ(StrayTemporaries(), 0);
}

TEST_F(SaveAtomicity, StrayPartialTemporariesAreIgnoredByReadsAndReplacedBySaves) {
  // What a save killed before its rename leaves: a partial file beside each record.
  for (int f = 0; f < kFileCount; ++f) {
    WriteTextFile(std::string(kFiles[f]) + ".tmp", newBytes[f].substr(0, newBytes[f].size() / 3));
  }
  ASSERT_EQ(StrayTemporaries(), kFileCount);
  const int allOld[kFileCount] = {0, 0, 0, 0, 0};
  ExpectReadersSee(allOld, -1);
  EXPECT_EQ(FileContents(), oldBytes);

  ASSERT_TRUE(SaveAll(newSet));
  EXPECT_EQ(FileContents(), newBytes);
  EXPECT_EQ(StrayTemporaries(), 0);
  const int allNew[kFileCount] = {1, 1, 1, 1, 1};
  ExpectReadersSee(allNew, -1);
}
