// Record files: exact bytes written, tolerant reading, failures reported, atomic replacement.
#include <sys/stat.h>

#include <cstdio>

#include "records/data_files.h"
#include "test_support.h"

class DataFilesTest : public SceneTest {
 protected:
  std::string captureStdout(const std::function<void()>& action) {
    fflush(stdout);
    testing::internal::CaptureStdout();
    action();
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
  }
};

TEST_F(DataFilesTest, CheckpointsAreWrittenAsPairsAndReadBack) {
  int32_t x[20], y[20];
  for (int i = 0; i < 20; ++i) {
    x[i] = 100 + i;
    y[i] = -i;
  }
  ASSERT_TRUE(WriteCheckpoints(3, x, y));
  const std::string text = ReadTextFile("data/check3.txt");
  EXPECT_EQ(text.substr(0, 18), "100,0 101,-1 102,-");
  EXPECT_EQ(text.back(), ' ');
  EXPECT_EQ(text.find('\n'), std::string::npos);
  int32_t rx[20] = {}, ry[20] = {};
  ASSERT_TRUE(ReadCheckpoints(3, rx, ry));
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(rx[i], x[i]);
    EXPECT_EQ(ry[i], y[i]);
  }
}

TEST_F(DataFilesTest, CheckpointPairsMaySitOnLinesButNotSpaceBeforeTheComma) {
  WriteTextFile("data/check0.txt", "1,2\n3,4\n\n5 ,6 7,8 ");
  int32_t x[20], y[20];
  for (int i = 0; i < 20; ++i) x[i] = y[i] = 99;
  ASSERT_TRUE(ReadCheckpoints(0, x, y));
  EXPECT_EQ(x[0], 1);
  EXPECT_EQ(y[1], 4);
  EXPECT_EQ(x[2], 5);  // the x is taken, then the stray space stops the reading
  EXPECT_EQ(y[2], 99);
  EXPECT_EQ(x[3], 99);
}

TEST_F(DataFilesTest, MissingCheckpointFileIsReportedAndChangesNothing) {
  int32_t x[20] = {7}, y[20] = {8};
  std::string out = captureStdout([&] { EXPECT_FALSE(ReadCheckpoints(4, x, y)); });
  EXPECT_EQ(out, "ファイル書き込みエラー\n");
  EXPECT_EQ(x[0], 7);
}

TEST_F(DataFilesTest, RunsAreWrittenInTheirFormatAndReadUpToTheCount) {
  int32_t x[3] = {667, 668, 670}, y[3] = {984, 984, 985}, a[3] = {0, 0, 1};
  ASSERT_TRUE(WriteRun(2, 3, x, y, a));
  EXPECT_EQ(ReadTextFile("data/saveCnt2.txt"), "3");
  EXPECT_EQ(ReadTextFile("data/ghost2.txt"), "667 984 0 668 984 0 670 985 1 ");
  int32_t count = -1;
  ASSERT_TRUE(ReadRunCount(2, &count));
  EXPECT_EQ(count, 3);
  static int32_t lx[RUN_CAPACITY], ly[RUN_CAPACITY], la[RUN_CAPACITY];
  lx[2] = ly[2] = la[2] = 0;
  ASSERT_TRUE(ReadRunEntries(2, count, lx, ly, la));
  EXPECT_EQ(lx[2], 670);
  EXPECT_EQ(ly[2], 985);
  EXPECT_EQ(la[2], 1);
}

TEST_F(DataFilesTest, ShortEntryFilesKeepEarlierValues) {
  WriteTextFile("data/ghost7.txt", "1 2 3 4 5");
  static int32_t x[RUN_CAPACITY], y[RUN_CAPACITY], a[RUN_CAPACITY];
  x[1] = y[1] = a[1] = 42;
  x[2] = 42;
  ASSERT_TRUE(ReadRunEntries(7, 3, x, y, a));
  EXPECT_EQ(a[0], 3);
  EXPECT_EQ(x[1], 4);
  EXPECT_EQ(y[1], 5);
  EXPECT_EQ(a[1], 42);
  EXPECT_EQ(x[2], 42);
}

TEST_F(DataFilesTest, RunCountsAreClampedToTheCapacity) {
  int32_t count = 5;
  WriteTextFile("data/saveCnt6.txt", "250000");
  ASSERT_TRUE(ReadRunCount(6, &count));
  EXPECT_EQ(count, RUN_CAPACITY);
  WriteTextFile("data/saveCnt6.txt", "-12");
  ASSERT_TRUE(ReadRunCount(6, &count));
  EXPECT_EQ(count, 0);
  WriteTextFile("data/saveCnt6.txt", "");
  count = 77;
  ASSERT_TRUE(ReadRunCount(6, &count));
  EXPECT_EQ(count, 77);
  std::string out = captureStdout([&] { EXPECT_FALSE(ReadRunCount(9, &count)); });
  EXPECT_EQ(out, "saveCntファイル書き込みエラー\n");
  out = captureStdout([&] {
    static int32_t x[RUN_CAPACITY], y[RUN_CAPACITY], a[RUN_CAPACITY];
    EXPECT_FALSE(ReadRunEntries(9, 1, x, y, a));
  });
  EXPECT_EQ(out, "ghostファイル書き込みエラー\n");
}

TEST_F(DataFilesTest, FlagsAndBestTimesRoundTripByteForByte) {
  int32_t flags[6] = {1, 0, 1, 0, 0, 1};
  ASSERT_TRUE(WriteClearFlags(flags));
  EXPECT_EQ(ReadTextFile("data/clearFlg.txt"), "1 0 1 0 0 1 ");
  int32_t times[12] = {0, 83456, 0, 0, 0, 0, 40000, 41600, 0, 0, 0, 2147483647};
  ASSERT_TRUE(WriteBestTimes(times));
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "0 83456 0 0 0 0 40000 41600 0 0 0 2147483647 ");
  int32_t back[12] = {};
  ASSERT_TRUE(ReadBestTimes(back));
  for (int i = 0; i < 12; ++i) EXPECT_EQ(back[i], times[i]);
}

TEST_F(DataFilesTest, ShortOrMalformedTablesKeepThePreviousValues) {
  WriteTextFile("data/bestTime.txt", "100 200\n300 x 500");
  int32_t times[12];
  for (int i = 0; i < 12; ++i) times[i] = -1;
  ASSERT_TRUE(ReadBestTimes(times));
  EXPECT_EQ(times[2], 300);
  EXPECT_EQ(times[3], -1);
  EXPECT_EQ(times[4], -1);
}

TEST_F(DataFilesTest, ABestTimeTooLargeForThirtyTwoBitsIsMalformed) {
  WriteTextFile("data/bestTime.txt", "1 4294967296 3");
  int32_t times[12] = {};
  times[1] = 55;
  ASSERT_TRUE(ReadBestTimes(times));
  EXPECT_EQ(times[0], 1);
  EXPECT_EQ(times[1], 55);
  EXPECT_EQ(times[2], 0);
  WriteTextFile("data/bestTime.txt", "-2147483648 2147483648");
  ASSERT_TRUE(ReadBestTimes(times));
  EXPECT_EQ(times[0], INT32_MIN);
  EXPECT_EQ(times[1], 55);
}

TEST_F(DataFilesTest, ReadFailuresOfTheTablesUseTheReadMessage) {
  int32_t flags[6] = {};
  int32_t times[12] = {};
  std::string out = captureStdout([&] {
    EXPECT_FALSE(ReadClearFlags(flags));
    EXPECT_FALSE(ReadBestTimes(times));
  });
  EXPECT_EQ(out, "ファイル読み込みエラー\nファイル読み込みエラー\n");
}

TEST_F(DataFilesTest, AFailedSaveLeavesTheOldFileAndReportsIt) {
  WriteTextFile("data/bestTime.txt", "1 2 3 4 5 6 7 8 9 10 11 12 ");
  chmod("data", 0555);
  int32_t times[12] = {};
  std::string out;
  if (access("data/x", W_OK) != 0 && geteuid() != 0) {
    out = captureStdout([&] { EXPECT_FALSE(WriteBestTimes(times)); });
    EXPECT_EQ(out, "bestTimeファイル書き込みエラー\n");
  }
  chmod("data", 0755);
  // Root ignores directory permissions; a directory in the temporary file's
  // place makes the save fail the same way for everyone.
  mkdir("data/clearFlg.txt.tmp", 0755);
  WriteTextFile("data/clearFlg.txt", "0 0 0 0 0 0 ");
  int32_t flags[6] = {1, 1, 1, 1, 1, 1};
  out = captureStdout([&] { EXPECT_FALSE(WriteClearFlags(flags)); });
  EXPECT_EQ(out, "clearFlgファイル書き込みエラー\n");
  EXPECT_EQ(ReadTextFile("data/clearFlg.txt"), "0 0 0 0 0 0 ");
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "1 2 3 4 5 6 7 8 9 10 11 12 ");
}

TEST_F(DataFilesTest, AnInterruptedSaveLeavesTheOldFileIntact) {
  // A save killed before its rename leaves only a stray temporary file.
  WriteTextFile("data/saveCnt1.txt", "42");
  WriteTextFile("data/saveCnt1.txt.tmp", "9");
  int32_t count = 0;
  ASSERT_TRUE(ReadRunCount(1, &count));
  EXPECT_EQ(count, 42);
  // The next save replaces both.
  int32_t x[1] = {1}, y[1] = {2}, a[1] = {3};
  ASSERT_TRUE(WriteRun(1, 1, x, y, a));
  EXPECT_EQ(ReadTextFile("data/saveCnt1.txt"), "1");
  EXPECT_EQ(ReadTextFile("data/saveCnt1.txt.tmp"), "<missing>");
}
