// The file gate: FIFOs, devices and oversized files are refused like missing ones, without waiting.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "app/settings.h"
#include "records/data_files.h"
#include "records/file_gate.h"
#include "test_support.h"

namespace {

int32_t x[RUN_CAPACITY], y[RUN_CAPACITY], a[RUN_CAPACITY];

// A reader that waits on a FIFO would hang the test: the alarm ends it instead.
class FileGateTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    alarm(20);
  }
  void TearDown() override {
    alarm(0);
    SceneTest::TearDown();
  }
};

// Every record reader once, with the line each printed.
std::string ReadEveryRecord(std::vector<bool>* ok) {
  int32_t count = 0, times[SLOT_COUNT] = {}, flags[COURSE_COUNT] = {};
  return Printed([&] {
    *ok = {ReadCheckpoints(2, x, y), ReadRunCount(8, &count), ReadRunEntries(8, 5, x, y, a), ReadClearFlags(flags),
           ReadBestTimes(times)};
  });
}

const char* const kRecordFiles[] = {"data/check2.txt", "data/saveCnt8.txt", "data/ghost8.txt", "data/clearFlg.txt",
                                    "data/bestTime.txt"};
const char kEveryMessage[] =
    "ファイル書き込みエラー\nsaveCntファイル書き込みエラー\nghostファイル書き込みエラー\nファイル読み込みエラー\n"
    "ファイル読み込みエラー\n";

}  // namespace

TEST_F(FileGateTest, FifosDevicesAndDirectoriesReadAsMissingFiles) {
  // Without a writer, opening a FIFO for reading waits for ever unless it is opened without waiting;
  // /dev/zero is endless: read whole it would fill the memory.
  const std::pair<const char*, int (*)(const char*)> kinds[] = {
      {"missing", [](const char*) { return 0; }},
      {"fifo", [](const char* path) { return mkfifo(path, 0644); }},
      {"device", [](const char* path) { return symlink("/dev/zero", path); }},
      {"directory", [](const char* path) { return mkdir(path, 0755); }}};
  for (const auto& [kind, make] : kinds) {
    for (const char* path : kRecordFiles) ASSERT_EQ(system(("rm -rf " + std::string(path)).c_str()) | make(path), 0);
    std::vector<bool> ok;
    EXPECT_EQ(ReadEveryRecord(&ok), kEveryMessage) << kind;
    EXPECT_EQ(ok, std::vector<bool>(5, false)) << kind;
  }
}

TEST_F(FileGateTest, EachKindReadsUpToItsLimitNotOneBytePast) {
  // Numbers padded with spaces to exactly the limit read; one byte more and the file is refused whole.
  const std::string flags = "1 1 0 1 0 1 ";
  WriteTextFile("data/clearFlg.txt", flags + std::string(GATE_SMALL_TEXT_BYTES - flags.size(), ' '));
  int32_t read[COURSE_COUNT] = {};
  EXPECT_EQ(Printed([&] { EXPECT_TRUE(ReadClearFlags(read)); }), "");
  EXPECT_EQ(V(read[0], read[2], read[5]), V(1, 0, 1));
  WriteTextFile("data/clearFlg.txt", flags + std::string(GATE_SMALL_TEXT_BYTES - flags.size() + 1, ' '));
  read[0] = 7;
  EXPECT_EQ(Printed([&] { EXPECT_FALSE(ReadClearFlags(read)); }), "ファイル読み込みエラー\n");
  EXPECT_EQ(read[0], 7);
  // The run entries have a larger limit of their own: a full 10000-entry run of the widest numbers is far below it.
  std::string entries;
  for (int i = 0; i < RUN_CAPACITY; ++i) entries += "-2147483648 -2147483648 -2147483648 ";
  ASSERT_LT(entries.size() * 10, static_cast<size_t>(GATE_RUN_ENTRIES_BYTES));
  WriteTextFile("data/ghost4.txt", entries);
  EXPECT_EQ(Printed([&] { EXPECT_TRUE(ReadRunEntries(4, RUN_CAPACITY, x, y, a)); }), "");
  EXPECT_EQ(V(x[RUN_CAPACITY - 1], a[RUN_CAPACITY - 1]), V(INT32_MIN, INT32_MIN));
  WriteTextFile("data/ghost4.txt", std::string(GATE_RUN_ENTRIES_BYTES + 1, '1'));
  EXPECT_EQ(Printed([&] { EXPECT_FALSE(ReadRunEntries(4, 1, x, y, a)); }), "ghostファイル書き込みエラー\n");
  // The settings: a big file is no settings file.
  WriteTextFile("data/settings.txt", "scale 2\n" + std::string(GATE_SMALL_TEXT_BYTES, '#'));
  EXPECT_EQ(Printed([] { EXPECT_EQ(ReadSettings().scale, 1); }),
            "data/settings.txt: cannot be read (larger than such a file can be), using the defaults\n");
}

TEST_F(FileGateTest, LinksAreFollowedAndFilesReadWhole) {
  WriteTextFile("elsewhere.txt", "0 0 0 0 0 0 0 0 0 0 0 51234 ");
  ASSERT_EQ(symlink("../elsewhere.txt", "data/bestTime.txt"), 0);
  int32_t times[SLOT_COUNT] = {};
  EXPECT_EQ(Printed([&] { EXPECT_TRUE(ReadBestTimes(times)); }), "");
  EXPECT_EQ(times[11], 51234);
  std::vector<uint8_t> bytes;  // read whole at exactly its size, refused one byte under it
  ASSERT_TRUE(ReadGatedFile("data/bestTime.txt", 28, &bytes));
  EXPECT_EQ(bytes.size(), 28u);
  EXPECT_FALSE(ReadGatedFile("data/bestTime.txt", 27, &bytes));
  // A stream opened through the gate blocks again, as an ordinary one.
  FILE* file = OpenGatedFile("data/bestTime.txt", 100);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(fcntl(fileno(file), F_GETFL) & O_NONBLOCK, 0);
  fclose(file);
}
