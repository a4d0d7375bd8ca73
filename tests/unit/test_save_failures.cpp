// Saves that fail at any step leave every record exactly as it was, say so in one line and leave
// nothing beside it; a planted link is never written through; what a killed save left is put right
// at start; a quit after a record keeps the run's time.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "records/atomic_save.h"
#include "records/data_files.h"
#include "test_race_support.h"

namespace {

enum Step { CREATE, WRITE, SYNC, CLOSE, LINK, RENAME, STEP_COUNT };
const char* const kStepNames[] = {"create", "write", "sync", "close", "link", "rename"};

// Calls of each step still let through before one fails; -1: none fails.
int allowed[STEP_COUNT];
const SaveCalls kReal = SaveCallsOfTheSystem();

bool failsNow(Step step) {
  if (allowed[step] < 0 || allowed[step]-- > 0) return false;
  errno = EIO;
  return true;
}
int createNew(const char* p) { return failsNow(CREATE) ? -1 : kReal.createNew(p); }
ssize_t writeSome(int fd, const void* d, size_t n) {
  if (failsNow(WRITE)) return -1;
  return kReal.write(fd, d, n > 1000 ? 1000 : n);  // short writes, as a pipe or a signal gives them
}
int sync(int fd) { return failsNow(SYNC) ? -1 : kReal.sync(fd); }
int closeFd(int fd) {
  const bool fails = failsNow(CLOSE);
  kReal.close(fd);
  return fails ? -1 : 0;
}
int linkTo(const char* a, const char* b) { return failsNow(LINK) ? -1 : kReal.link(a, b); }
int renameTo(const char* a, const char* b) { return failsNow(RENAME) ? -1 : kReal.rename(a, b); }

// The step that fails after n calls of it are let through; no other step fails.
void FailAt(Step step, int n) {
  std::fill(std::begin(allowed), std::end(allowed), -1);
  if (step != STEP_COUNT) allowed[step] = n;
}

// The names in data/, sorted.
std::string Listing() {
  std::string names;
  for (const auto& [name, hash] : DataFileHashes()) names += name + " ";
  return names;
}

int32_t x[RUN_CAPACITY], y[RUN_CAPACITY], a[RUN_CAPACITY];

class SaveFailures : public RaceSceneTest {
 protected:
  void SetUp() override {
    RaceSceneTest::SetUp();
    FailAt(STEP_COUNT, 0);
    saveCalls = SaveCalls{createNew, writeSome, sync, closeFd, linkTo, renameTo, kReal.unlink};
  }
  void TearDown() override {
    saveCalls = kReal;
    RaceSceneTest::TearDown();
  }
};

}  // namespace

TEST_F(SaveFailures, AnyStepFailingKeepsTheRecordsAndPrintsALine) {
  for (int i = 0; i < RUN_CAPACITY; ++i) x[i] = i, y[i] = -i, a[i] = i % 24;
  const int32_t times[SLOT_COUNT] = {9000, 0, 0, 0, 0, 0, 5, 6, 7, 8, 9, 10};
  ASSERT_TRUE(WriteRun(0, 2000, x, y, a) && WriteBestTimes(times));
  const std::map<std::string, std::string> before = DataFileHashes();  // every file in data/, and nothing more
  const int32_t newer[SLOT_COUNT] = {8000};
  // The run is two files: a step may fail on the count file (its 1st call) or the entry file (its 2nd;
  // a link is made for the count file alone, and the entry file's write is the 3rd call past 1000 bytes).
  struct Case {
    Step step;
    int callsLetThrough;
    const char* printed;
  };
  const Case cases[] = {
      {CREATE, 0, "saveCnt"}, {CREATE, 1, "ghost"}, {WRITE, 0, "saveCnt"}, {WRITE, 3, "ghost"},
      {SYNC, 0, "saveCnt"},   {SYNC, 1, "ghost"},   {CLOSE, 0, "saveCnt"}, {CLOSE, 1, "ghost"},
      {RENAME, 0, "saveCnt"}, {RENAME, 1, "ghost"},
  };
  for (const Case& c : cases) {
    FailAt(c.step, c.callsLetThrough);
    EXPECT_EQ(Printed([] { EXPECT_FALSE(WriteRun(0, 3000, y, x, a)); }),
              std::string(c.printed) + "ファイル書き込みエラー\n")
        << kStepNames[c.step] << " " << c.callsLetThrough;
    if (c.callsLetThrough == 0) {  // the best-time file is one file: its first call is its only one
      FailAt(c.step, 0);
      EXPECT_EQ(Printed([&] { EXPECT_FALSE(WriteBestTimes(newer)); }), "bestTimeファイル書き込みエラー\n")
          << kStepNames[c.step];
    }
    EXPECT_EQ(DataFileHashes(), before) << kStepNames[c.step] << " " << c.callsLetThrough;
  }
  // Without hard links (some file systems) the run is still saved, only without a way back.
  FailAt(LINK, 0);
  EXPECT_EQ(Printed([] { EXPECT_TRUE(WriteRun(0, 3000, y, x, a)); }), "");
  EXPECT_EQ(V(ReadTextFile("data/saveCnt0.txt") == "3000", ReadTextFile("data/ghost0.txt").size() > 20000), V(1, 1));
  EXPECT_EQ(Listing(), "bestTime.txt check0.txt ghost0.txt saveCnt0.txt ");
}

TEST_F(SaveFailures, APlantedLinkIsNeverWrittenThrough) {
  WriteTextFile("victim.txt", "not the game's");
  WriteTextFile("data/bestTime.txt", "1 2 3 ");
  ASSERT_EQ(symlink("../victim.txt", "data/bestTime.txt.tmp"), 0);
  const int32_t times[SLOT_COUNT] = {4};
  EXPECT_EQ(Printed([&] { EXPECT_FALSE(WriteBestTimes(times)); }), "bestTimeファイル書き込みエラー\n");
  EXPECT_EQ(ReadTextFile("victim.txt") + "|" + ReadTextFile("data/bestTime.txt"), "not the game's|1 2 3 ");
  // The next start removes the link (not what it points to), and the save goes through.
  RecoverInterruptedSaves();
  EXPECT_TRUE(WriteBestTimes(times));
  // A record that is itself a link is replaced by a file; the file it pointed to stays as it was.
  ASSERT_EQ(remove("data/bestTime.txt"), 0);
  ASSERT_EQ(symlink("../victim.txt", "data/bestTime.txt"), 0);
  EXPECT_TRUE(WriteBestTimes(times));
  EXPECT_EQ(ReadTextFile("victim.txt") + "|" + ReadTextFile("data/bestTime.txt"),
            "not the game's|4 0 0 0 0 0 0 0 0 0 0 0 ");
}

TEST_F(SaveFailures, AtStartStraysGoAndARunCutMidRenameGoesBack) {
  // Strays of the game's own names go; other files, and a directory at such a name, stay.
  const char* const strays[] = {"data/bestTime.txt.tmp", "data/clearFlg.txt.tmp", "data/check5.txt.tmp",
                                "data/ghost11.txt.tmp",  "data/saveCnt3.txt.tmp", "data/saveCnt3.txt.old"};
  for (const char* path : strays) WriteTextFile(path, "12");
  for (const char* path : {"data/ghost12.txt.tmp", "data/notes.tmp", "data/bestTime.tmp", "data/check0.txt.tmp.1"})
    WriteTextFile(path, "player's");
  ASSERT_EQ(mkdir("data/ghost0.txt.tmp", 0755), 0);
  RecoverInterruptedSaves();
  EXPECT_EQ(Listing(), "bestTime.tmp check0.txt check0.txt.tmp.1 ghost0.txt.tmp ghost12.txt.tmp notes.tmp ");
  // A run killed after its count was renamed and before its entries were: the count goes back.
  WriteTextFile("data/saveCnt4.txt.old", "20"), WriteTextFile("data/saveCnt4.txt", "30");
  WriteTextFile("data/ghost4.txt", "old entries"), WriteTextFile("data/ghost4.txt.tmp", "new entries");
  // Killed after both renames, before the old copy went: both stay new.
  WriteTextFile("data/saveCnt5.txt.old", "20"), WriteTextFile("data/saveCnt5.txt", "30");
  WriteTextFile("data/ghost5.txt", "new entries");
  RecoverInterruptedSaves();
  EXPECT_EQ(ReadTextFile("data/saveCnt4.txt") + ReadTextFile("data/ghost4.txt") + ReadTextFile("data/saveCnt5.txt") +
                ReadTextFile("data/ghost5.txt"),
            "20old entries30new entries");
  for (const char* path : {"data/saveCnt4.txt.old", "data/ghost4.txt.tmp", "data/saveCnt5.txt.old"})
    EXPECT_EQ(ReadTextFile(path), "<missing>") << path;
}

TEST_F(SaveFailures, QuitOnARecordsResultKeepsTheStoredRunsTime) {
  // Slot 0 holds no time: the creeping finish (672 ms) is a record, its run stored at the goal.
  ScriptCreepingFinish(KEY_QUIT);
  EXPECT_EQ(RunRace(), 6);
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt") + "|" + ReadTextFile("data/bestTime.txt"),
            "42|672 0 0 0 0 0 0 0 0 0 0 0 ");
  // When the run could not be stored, the old time still belongs to the old run: nothing is written.
  Renew();
  WriteTextFile("data/bestTime.txt", "900 0 0 0 0 0 0 0 0 0 0 0 "), bestTime[0] = 900;
  WriteTextFile("data/saveCnt0.txt", "7"), WriteTextFile("data/ghost0.txt", "667 984 0 ");
  ASSERT_EQ(mkdir("data/ghost0.txt.tmp", 0755), 0);
  ScriptCreepingFinish(KEY_QUIT);
  EXPECT_EQ(Printed([&] { EXPECT_EQ(RunRace(), 6); }), "mapCnt=0\nghostファイル書き込みエラー\n");
  EXPECT_EQ(ReadTextFile("data/saveCnt0.txt") + "|" + ReadTextFile("data/bestTime.txt"),
            "7|900 0 0 0 0 0 0 0 0 0 0 0 ");
}
