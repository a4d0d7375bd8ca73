// Record files: exact bytes written, tolerant reading, failures reported, the old file kept; and the
// file gate: FIFOs, devices and oversized files are refused like missing ones, without waiting.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <tuple>

#include "app/settings.h"
#include "records/data_files.h"
#include "records/file_gate.h"
#include "test_support.h"

using DataFilesTest = SceneTest;
static int32_t x[RUN_CAPACITY], y[RUN_CAPACITY], a[RUN_CAPACITY];

TEST_F(DataFilesTest, WritersGiveExactFormatsCheckpointsReadBack) {
  for (int i = 0; i < 20; ++i) x[i] = 100 + i, y[i] = -i;
  const int32_t flags[6] = {1, 0, 1, 0, 0, 1}, times[12] = {0, 83456, 0, 0, 0, 0, 40000, 41600, 0, 0, 0, INT32_MAX};
  ASSERT_TRUE(WriteCheckpoints(3, x, y) && WriteRun(2, 3, x, y, x + 17) && WriteClearFlags(flags) &&
              WriteBestTimes(times));
  const std::string check = ReadTextFile("data/check3.txt");
  EXPECT_EQ(check.substr(0, 18) + check.substr(check.size() - 8), "100,0 101,-1 102,-119,-19 ");
  // Read back: all twenty pairs, and no more.
  WriteTextFile("data/check3.txt", check + "7,7 ");
  x[19] = y[19] = 0;
  ASSERT_TRUE(ReadCheckpoints(3, x, y));
  EXPECT_EQ(V(x[19], y[19], x[20]), V(119, -19, 0));
  EXPECT_EQ(ReadTextFile("data/saveCnt2.txt") + "|" + ReadTextFile("data/ghost2.txt") + "|" +
                ReadTextFile("data/clearFlg.txt") + "|" + ReadTextFile("data/bestTime.txt"),
            "3|100 0 117 101 -1 118 102 -2 119 |1 0 1 0 0 1 |0 83456 0 0 0 0 40000 41600 0 0 0 2147483647 ");
  int32_t back[SLOT_COUNT] = {};  // the widest time reads back as written
  ASSERT_TRUE(ReadBestTimes(back));
  EXPECT_EQ(V(back[1], back[11]), V(83456, INT32_MAX));
}

TEST_F(DataFilesTest, ReadersTakeWhatIsThereAndKeepTheRest) {
  // Pairs may sit on lines; a space before the comma stops the reading after that x.
  std::fill_n(x, 20, 99), std::fill_n(y, 20, 99);
  WriteTextFile("data/check0.txt", "1,2\n3,4\n\n5 ,6 7,8 ");
  ASSERT_TRUE(ReadCheckpoints(0, x, y));
  EXPECT_EQ(V(x[0], y[1], x[2], y[2], x[3], x[19], y[19]), V(1, 4, 5, 99, 99, 99, 99));
  // Entries up to the count; a short file keeps the rest.
  x[1] = y[1] = a[1] = x[2] = 42;
  WriteTextFile("data/ghost7.txt", "1 2 3 4 5");
  ASSERT_TRUE(ReadRunEntries(7, 3, x, y, a));
  EXPECT_EQ(V(a[0], x[1], y[1], a[1], x[2]), V(3, 4, 5, 42, 42));
  // Counts within 0..RUN_CAPACITY; an empty file keeps the value.
  const std::tuple<const char*, int32_t, const char*> counts[] = {
      {"250000", RUN_CAPACITY, "data/saveCnt6.txt: count 250000 outside 0..10000, 10000 entries read\n"},
      {"-12", 0, "data/saveCnt6.txt: count -12 outside 0..10000, 0 entries read\n"},
      {"", 77, ""},
      {"10000", 10000, ""}};
  for (const auto& [text, expected, said] : counts) {
    int32_t count = 77;
    WriteTextFile("data/saveCnt6.txt", text);
    EXPECT_EQ(Printed([&] { EXPECT_TRUE(ReadRunCount(6, &count)); }), said);
    EXPECT_EQ(count, expected) << text;
  }
  // Tables: a malformed or out-of-range number ends the reading; INT32_MIN still fits.
  const std::pair<const char*, std::vector<double>> tables[] = {{"100 200\n300 x 500", V(100, 200, 300, -1)},
                                                                {"1 4294967296 3", V(1, -1, -1, -1)},
                                                                {"-2147483648 2147483648", V(INT32_MIN, -1, -1, -1)},
                                                                {"+7 -0 9", V(7, 0, 9, -1)}};
  for (const auto& [text, expected] : tables) {
    int32_t t[12] = {-1, -1, -1, -1};
    WriteTextFile("data/bestTime.txt", text);
    ASSERT_TRUE(ReadBestTimes(t));
    EXPECT_EQ(V(t[0], t[1], t[2], t[3]), expected) << text;
  }
}

TEST_F(DataFilesTest, FailuresPrintTheirLineAndKeepTheOldFile) {
  // data/ a regular file, so that no path through it opens; nothing is written through it.
  ASSERT_EQ(system("rm -rf data && echo x > data"), 0);
  EXPECT_EQ(Printed([] { WriteBestTimes(x), WriteRun(1, 1, x, y, a), WriteClearFlags(x), WriteCheckpoints(0, x, y); }),
            "bestTimeファイル書き込みエラー\nsaveCntファイル書き込みエラー\nclearFlgファイル書き込みエラー\nファイル書"
            "き込みエラー\n");
  EXPECT_EQ(ReadTextFile("data"), "x\n");
}

namespace {

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
  // The run entries have a larger limit of their own: a full 10000-entry run of the widest numbers reads.
  std::string entries;
  for (int i = 0; i < RUN_CAPACITY; ++i) entries += "-2147483648 -2147483648 -2147483648 ";
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
}
