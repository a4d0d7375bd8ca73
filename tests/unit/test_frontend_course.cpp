// test_frontend_course.cpp -- the course select: opening, unlocking, scrolling, zoom and hand-over to the race
#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>

#include "gfx/images.h"
#include "race/track_table.h"
#include "test_frontend_support.h"

using CourseSelect = FrontEndTest;

TEST_F(CourseSelect, FirstVisitOpensOnCourseZeroWithThreeLocked) {
  OpenCourses(0);
  EXPECT_EQ(V(opening, mapCnt), V(7, 0));
  const int32_t open[6] = {1, 1, 1, 0, 0, 0};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(fe.mapRunFlg[k], open[k]) << k;
  EXPECT_EQ(PixelRGB(screen, 240, 148), ThumbnailRGB(0));
  EXPECT_EQ(PixelRGB(screen, 240, 400), CommentRowRGB(2));
  Frame();
  Frame(KEY_LEFT);  // nothing left of course 0
  EXPECT_EQ(mapCnt, 0);
  MoveTo(3);
  EXPECT_EQ(PixelRGB(screen, 240, 400), CommentRowRGB(8));  // the locked row
  EXPECT_EQ(PixelRGB(screen, 330, 102), 0xFF0000u);         // course 4's locked frame
  Frames(5, KEY_Z);
  EXPECT_EQ(fe.mapSelectFlg, 1);
  Frame(KEY_Z | KEY_X);  // on a locked course: back to the mode select
  EXPECT_EQ(fe.mapSelectFlg, 2);
  Frames(2);
  EXPECT_EQ(fe.titleCnt, 7);
}

// (clear flags, clears counted); courses 0..2 are open from the start, then one more per clear.
using CourseUnlock = FrontEndTestWithParam<std::pair<const char*, int>>;

TEST_P(CourseUnlock, ClearsOpenCoursesInOrder) {
  WriteTextFile("data/clearFlg.txt", GetParam().first);
  OpenCourses(0);
  EXPECT_EQ(fe.clearCnt, GetParam().second);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(fe.mapRunFlg[k], k <= std::max(2, GetParam().second)) << "course " << k;
}
INSTANTIATE_TEST_SUITE_P(Flags, CourseUnlock,
                         testing::Values(std::make_pair("1 1 0 0 0 0 ", 2), std::make_pair("0 1 0 1 1 0 ", 3),
                                         std::make_pair("1 1 0 1 1 0 ", 4), std::make_pair("1 1 1 1 1 0 ", 5),
                                         std::make_pair("1 1 1 1 1 1 ", 5), std::make_pair("7 -1 2 0 0 0 ", 3),
                                         std::make_pair("9 9 9 9 9 9 9 ", 5)));

TEST_F(CourseSelect, ScrollSettlesInTwentyFramesAndStopsAtTheEnd) {
  WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 1 ");
  OpenCourses(0);
  Frame();
  Frame(KEY_RIGHT);
  EXPECT_EQ(Until([] { return fe.mapIX == 152; }, KEY_RIGHT), 19);  // and the frame the key moved it
  EXPECT_EQ(mapCnt, 1);                                             // held: one course only
  MoveTo(5);
  Frame(KEY_RIGHT);
  EXPECT_EQ(V(mapCnt, fe.mapTX), V(5, 760));
}

TEST_F(CourseSelect, ZAndXOnAnOpenCourseZoomIntoTheRace) {
  const TrackRow& t = kTrack[0];
  WriteCourseImage(0, int(t.mapCenterInitX), int(t.mapCenterInitY));
  OpenCourses(0);
  Frame();
  const int32_t widths[] = {160, 200, 250, 312, 390, 487, 608, 760, 950, 1187, 1483};
  int frames = 1;
  for (Frame(KEY_Z | KEY_X); lastCode == 1 && frames < 50; ++frames) {
    EXPECT_EQ(fe.mapAnimeW, widths[frames - 1]) << "zoom frame " << frames;
    EXPECT_EQ(fe.mapAnimeH, 3 * widths[frames - 1] / 4);
    if (frames == 11) {  // the last zoom frame puts the course point on the screen's centre
      EXPECT_EQ(V(fe.centerX, fe.centerY), V(240.0f, 240.0f));
      EXPECT_GE(PixelRGB(screen, 240, 240) >> 16, 245u);
    }
    Frame();
  }
  EXPECT_EQ(V(frames, lastCode), V(12, 4));
  EXPECT_EQ(printed, "");  // the hand-over frame prints nothing
  EXPECT_EQ(V(mapCnt, mode), V(0, 1));
  EXPECT_NE(img.mapImage, nullptr);
}

// (mode select entry, course, record slot, mode, facing frame, moveAng)
using CourseHandOver = FrontEndTestWithParam<std::tuple<int, int, int32_t, int32_t, int, int32_t>>;

TEST_P(CourseHandOver, SlotModeAndFacingThenBackOnTheSameCourse) {
  const auto [modeCnt, course, slot, raceMode, dir, moveAng] = GetParam();
  WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 0 ");
  WriteCourseImage(course);
  OpenCourses(modeCnt);
  MoveTo(course);
  EXPECT_EQ(ZoomToRace(), 12);
  EXPECT_EQ(V(lastCode, mapCnt, mode), V(4, slot, raceMode));
  for (const CarState& k : car) EXPECT_EQ(std::make_pair(k.dir, k.moveAng), std::make_pair(float(dir), moveAng));
  // After the race the course select opens again on the course raced.
  EXPECT_EQ(Until([] { return fe.mapSelectFlg != 0; }), 7);
  EXPECT_EQ(V(mapCnt, fe.mapIX), V(course, 152 * course));
}
INSTANTIATE_TEST_SUITE_P(Courses, CourseHandOver,
                         testing::Values(std::make_tuple(0, 2, 2, 1, 6, 90), std::make_tuple(1, 2, 8, 2, 6, 90),
                                         std::make_tuple(1, 0, 6, 2, 0, 0), std::make_tuple(0, 3, 3, 1, 18, 270),
                                         std::make_tuple(1, 4, 10, 2, 0, 0), std::make_tuple(0, 5, 5, 1, 18, 270)));

TEST_F(CourseSelect, MissingRecordFilesAreReportedOnceAndItStaysUsable) {
  remove("data/clearFlg.txt");
  remove("data/bestTime.txt");
  const std::string error = "ファイル読み込みエラー";
  std::string out = OpenCourses(0);
  EXPECT_NE(out.find(error), std::string::npos);
  EXPECT_EQ(out.find(error), out.rfind(error));
  EXPECT_EQ(V(fe.mapSelectFlg, fe.mapRunFlg[3]), V(1, 0));
  Frame();
  Frame(KEY_RIGHT);
  EXPECT_EQ(mapCnt, 1);
  std::string later;
  for (int f = 0; f < 10; ++f) Frame(), later += printed;
  EXPECT_EQ(later.find(error), std::string::npos);
}

TEST_F(CourseSelect, UnloadableCourseImageKeepsChoosing) {
  OpenCourses(0);
  Frame();
  Frame(KEY_Z);  // course 0 has no image
  EXPECT_NE(printed.find("map0.bmp"), std::string::npos);
  EXPECT_EQ(fe.mapSelectFlg, 1);
  Frames(5, KEY_Z);  // held: not retried
  EXPECT_EQ(printed.find("map0.bmp"), std::string::npos);
  EXPECT_EQ(fe.mapSelectFlg, 1);
  WriteCourseImage(0);
  Frame();
  EXPECT_EQ(ZoomToRace(), 12);  // released and pressed again, with the file present
  EXPECT_EQ(lastCode, 4);
}
