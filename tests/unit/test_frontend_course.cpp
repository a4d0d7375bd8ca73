// test_frontend_course.cpp -- the course select: opening, unlocking, scrolling, zoom and hand-over to the race
#include <cstdio>
#include <string>

#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "race/track_table.h"
#include "records/record_tables.h"
#include "test_frontend_support.h"

namespace {

const char kReadError[] = "ファイル読み込みエラー";

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class CourseSelect : public FrontEndTest {
 protected:
  void SetUp() override {
    FrontEndTest::SetUp();
    WriteTextFile("data/clearFlg.txt", "0 0 0 0 0 0 ");
    WriteTextFile("data/bestTime.txt", "0 0 0 0 0 0 0 0 0 0 0 0 ");
  }

  // Straight into the course select as the mode select leaves it, in mode
  // modeCnt; returns what the opening printed.
  std::string Open(int modeCnt) {
    Frame();  // the first frame's initialisation
    fe.titleCnt = 10;
    fe.title.alpha = 0;
    fe.modeCnt = modeCnt;
    std::string out;
    openingFrames = 0;
    while (fe.mapSelectFlg == 0 && openingFrames < 50) {
      Frame();
      out += printed;
      ++openingFrames;
    }
    return out;
  }

  void MoveTo(int course) {
    Frame();
    while (mapCnt < course) Frame(KEY_RIGHT), Frame();
    while (mapCnt > course) Frame(KEY_LEFT), Frame();
    while (fe.mapIX != fe.mapTX) Frame();
  }

  // Chooses the current course with z; returns the zoom frames up to the race start.
  int ZoomToRace(uint8_t keys = KEY_Z) {
    int frames = 1;
    int32_t code = Frame(keys);
    while (code == 1 && frames < 50) {
      code = Frame();
      ++frames;
    }
    lastCode = code;
    return frames;
  }

  int openingFrames = 0;
  int32_t lastCode = 0;
};

}  // namespace

TEST_F(CourseSelect, FirstVisitOpensOnCourseZero) {
  Open(0);
  EXPECT_EQ(openingFrames, 7);
  EXPECT_EQ(fe.mapIH, 96);
  EXPECT_EQ(mapCnt, 0);
  EXPECT_EQ(fe.mapIX, 0);
  EXPECT_EQ(fe.mapTX, 0);
  const int32_t expectedOpen[6] = {1, 1, 1, 0, 0, 0};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(fe.mapRunFlg[k], expectedOpen[k]) << k;
  EXPECT_EQ(PixelRGB(screen, 240, 148), ThumbnailRGB(0));
  EXPECT_EQ(PixelRGB(screen, 178, 102), 0xFFFF00u);  // selection frame
  EXPECT_EQ(PixelRGB(screen, 240, 400), CommentRowRGB(2));
  EXPECT_EQ(car[0].dispX, 121);
  EXPECT_EQ(car[1].dispX, 307);
}

TEST_F(CourseSelect, LockedCoursesAreVeiledAndRefuseZ) {
  Open(0);
  MoveTo(3);
  ASSERT_EQ(mapCnt, 3);
  EXPECT_EQ(PixelRGB(screen, 240, 400), CommentRowRGB(8));  // the locked row
  const uint32_t plain = ThumbnailRGB(3);
  const uint32_t veiled = PixelRGB(screen, 240, 148);
  EXPECT_LT(veiled >> 16, plain >> 16);  // darkened by the veil
  EXPECT_GT(veiled >> 16, 0u);
  EXPECT_EQ(PixelRGB(screen, 330, 102), 0xFF0000u);       // course 4's locked frame
  EXPECT_EQ(PixelRGB(screen, 26, 102), ThumbnailRGB(2));  // course 2 is open
  Frames(5, KEY_Z);
  EXPECT_EQ(fe.mapSelectFlg, 1);
  EXPECT_EQ(img.mapImage, nullptr);
}

TEST_F(CourseSelect, ClearsUnlockCoursesInOrder) {
  struct Case {
    const char* flags;
    int32_t clearCnt;
    int32_t open[6];
  } cases[] = {
      {"0 1 0 1 1 0 ", 3, {1, 1, 1, 1, 0, 0}},  // any three courses open course 3
      {"1 1 0 1 1 0 ", 4, {1, 1, 1, 1, 1, 0}},
      {"1 1 1 1 1 0 ", 5, {1, 1, 1, 1, 1, 1}},
      {"1 1 1 1 1 1 ", 5, {1, 1, 1, 1, 1, 1}},
      {"7 -1 2 0 0 0 ", 3, {1, 1, 1, 1, 0, 0}},  // any non-zero flag is one clear
      {"9 9 9 9 9 9 9 ", 5, {1, 1, 1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    ResetFrontEnd();
    WriteTextFile("data/clearFlg.txt", c.flags);
    Open(0);
    EXPECT_EQ(fe.clearCnt, c.clearCnt) << c.flags;
    for (int k = 0; k < 6; ++k) EXPECT_EQ(fe.mapRunFlg[k], c.open[k]) << c.flags << " course " << k;
  }
}

TEST_F(CourseSelect, FlagsAreReadInEveryOpeningFrame) {
  Frame();
  fe.titleCnt = 10;
  Frames(3);
  EXPECT_EQ(fe.mapRunFlg[3], 0);
  WriteTextFile("data/clearFlg.txt", "1 1 1 0 0 0 ");
  Frame();
  EXPECT_EQ(fe.mapRunFlg[3], 1);
  // Once open, the flags are no longer read.
  while (fe.mapSelectFlg == 0) Frame();
  WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 0 ");
  Frames(5);
  EXPECT_EQ(fe.mapRunFlg[5], 0);
}

TEST_F(CourseSelect, EndsStopTheCursorAndScrollSettlesIn20Frames) {
  Open(0);
  Frame();
  Frame(KEY_LEFT);
  EXPECT_EQ(mapCnt, 0);
  Frame();
  Frames(10, KEY_RIGHT);  // held: one course only
  EXPECT_EQ(mapCnt, 1);
  Frame();
  fe.mapIX = 0;  // measure one full move from rest
  int frames = 0;
  while (fe.mapIX != 152 && frames < 100) {
    Frame();
    ++frames;
    if (frames == 3) {
      EXPECT_EQ(fe.mapIX, 60);  // three steps of 20 from afar
    }
    if (frames == 4) {
      EXPECT_EQ(fe.mapIX, 60 + 92 / 5);  // then a fifth of the rest
    }
    if (frames == 19) {
      EXPECT_EQ(fe.mapIX, 148);  // 4 short: snaps next frame
    }
  }
  EXPECT_EQ(frames, 20);
  MoveTo(5);
  Frame(KEY_RIGHT);
  EXPECT_EQ(mapCnt, 5);
  EXPECT_EQ(fe.mapTX, 760);
}

TEST_F(CourseSelect, ZAndXOnLockedCourseGoBackToModeSelect) {
  Open(0);
  MoveTo(4);
  Frame(KEY_Z | KEY_X);
  EXPECT_EQ(fe.mapSelectFlg, 2);
  Frames(2);
  EXPECT_EQ(fe.titleCnt, 7);
  EXPECT_EQ(fe.mapSelectFlg, 0);
  EXPECT_EQ(fe.mapIH, 0);
  EXPECT_EQ(fe.modeComAlpha, 255);
  Frame();
  EXPECT_EQ(fe.modeFlg, 0);
  EXPECT_EQ(fe.modeH, 10);  // the panels unroll again
}

TEST_F(CourseSelect, ZAndXOnOpenCourseStartTheRaceAfterTwelveZoomFrames) {
  WriteCourseImage(0);
  Open(0);
  Frame();
  const int32_t widths[] = {160, 200, 250, 312, 390, 487, 608, 760, 950, 1187, 1483};
  int frames = 1;
  int32_t code = Frame(KEY_Z | KEY_X);
  while (code == 1 && frames < 50) {
    EXPECT_EQ(fe.mapSelectFlg, 4);
    EXPECT_EQ(fe.mapAnimeW, widths[frames - 1]) << "zoom frame " << frames;
    EXPECT_EQ(fe.mapAnimeH, 3 * widths[frames - 1] / 4);
    code = Frame();
    ++frames;
  }
  EXPECT_EQ(code, 4);
  EXPECT_EQ(frames, 12);
  EXPECT_EQ(printed, "");  // the hand-over frame draws and prints nothing
  EXPECT_EQ(mapCnt, 0);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(fe.titleCnt, 10);
  EXPECT_EQ(fe.mapSelectFlg, 0);
  EXPECT_EQ(fe.mapAnimeW, 0);
  EXPECT_EQ(fe.mapIH, 0);
  EXPECT_NE(img.mapImage, nullptr);
  EXPECT_NE(img.bbMap, nullptr);
  EXPECT_NE(img.mapImage, img.bbMap);
}

TEST_F(CourseSelect, SlotModeAndFacingHandedToTheRace) {
  WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 0 ");
  struct Case {
    int modeCnt, course;
    int32_t slot, mode, dir, moveAng;
  } cases[] = {
      {0, 2, 2, 1, 6, 90},   {1, 2, 8, 2, 6, 90}, {1, 0, 6, 2, 0, 0},
      {0, 3, 3, 1, 18, 270}, {1, 4, 10, 2, 0, 0}, {0, 5, 5, 1, 18, 270},
  };
  for (const Case& c : cases) {
    WriteCourseImage(c.course);
    ResetFrontEnd();
    mapCnt = 0;
    mode = 0;
    Open(c.modeCnt);
    MoveTo(c.course);
    EXPECT_EQ(ZoomToRace(), 12);
    EXPECT_EQ(lastCode, 4);
    EXPECT_EQ(mapCnt, c.slot) << "course " << c.course;
    EXPECT_EQ(mode, c.mode);
    for (const CarState& car1 : car) {
      EXPECT_EQ(car1.dir, static_cast<float>(c.dir));
      EXPECT_EQ(car1.moveAng, c.moveAng);
    }
  }
}

TEST_F(CourseSelect, ZoomDrawsTheCoursePointOnItsCentre) {
  SDL_Surface* course = MakeSurface24(COURSE_W, COURSE_H, 40, 140, 60);
  const int cx = static_cast<int>(kTrack[0].mapCenterInitX), cy = static_cast<int>(kTrack[0].mapCenterInitY);
  FillRect(course, cx - 20, cy - 20, 40, 40, 250, 10, 10);
  ASSERT_EQ(SDL_SaveBMP(course, "image/map0.bmp"), 0);
  SDL_FreeSurface(course);
  Open(0);
  Frame();
  Frame(KEY_Z);
  while (fe.mapAnimeW != 1483) Frame();
  EXPECT_EQ(fe.centerX, 240.0f);
  EXPECT_EQ(fe.centerY, 240.0f);
  const uint32_t mid = PixelRGB(screen, 240, 240);
  EXPECT_GE(mid >> 16, 245u);
  EXPECT_LE((mid >> 8) & 255, 15u);
  const uint32_t road = PixelRGB(screen, 240, 300);
  EXPECT_NEAR(static_cast<int>(road >> 16), 40, 1);
  EXPECT_NEAR(static_cast<int>((road >> 8) & 255), 140, 1);
}

TEST_F(CourseSelect, ReopensOnTheCourseJustRacedWithBadges) {
  WriteTextFile("data/clearFlg.txt", "1 1 0 1 1 0 ");
  // As the race hands back after course 4 in mode 2: stage 10 kept, slot 10.
  Frame();
  fe.titleCnt = 10;
  fe.modeCnt = 1;
  fe.mapIX = fe.mapTX = 0;
  mapCnt = 10;
  for (int f = 1; f < 7; ++f) {
    Frame();
    EXPECT_EQ(fe.mapSelectFlg, 0);
    EXPECT_NE(PixelRGB(screen, 180, 104), 0x787878u) << "no badge while opening, frame " << f;
  }
  Frame();
  EXPECT_EQ(fe.mapSelectFlg, 1);
  EXPECT_EQ(mapCnt, 4);
  EXPECT_EQ(fe.mapIX, 608);
  EXPECT_EQ(fe.mapTX, 608);
  Frame();
  EXPECT_EQ(PixelRGB(screen, 200, 130), 0x787878u);  // cleared badge on course 4
  EXPECT_EQ(PixelRGB(screen, 200, 170), ThumbnailRGB(4));
  EXPECT_EQ(PixelRGB(screen, 10, 270), kFrontEndBackground);  // no best time in mode 2
}

TEST_F(CourseSelect, ModeOneShowsBestTimeReadBackOnlyWhileChoosing) {
  WriteTextFile("data/bestTime.txt", "0 0 83456 0 0 0 0 0 0 0 0 0 ");
  Frame();
  fe.titleCnt = 10;
  mapCnt = 2;  // back from a mode-1 race on course 2
  fe.mapIX = fe.mapTX = 0;
  while (fe.mapSelectFlg == 0) {
    EXPECT_EQ(PixelRGB(screen, 10, 270), kFrontEndBackground);
    Frame();
  }
  EXPECT_EQ(bestTime[2], 83456);
  const uint32_t label = PixelRGB(screen, 10, 270);  // the label, scaled up: within 1 of the sheet
  EXPECT_NEAR(static_cast<int>(label >> 16), 0x5A, 1);
  EXPECT_NEAR(static_cast<int>(label & 255), 0x5A, 1);
  Frame(KEY_X);
  EXPECT_EQ(fe.mapSelectFlg, 2);
  EXPECT_EQ(PixelRGB(screen, 10, 270), kFrontEndBackground);
}

TEST_F(CourseSelect, MissingRecordFilesReportOncePerOpening) {
  remove("data/clearFlg.txt");
  remove("data/bestTime.txt");
  bestTime[3] = 0;
  const std::string out = Open(0);
  EXPECT_EQ(Count(out, kReadError), 1);
  EXPECT_EQ(fe.mapSelectFlg, 1);  // usable anyway
  for (int k = 0; k < 6; ++k) EXPECT_EQ(clearFlg[k], 0);
  EXPECT_EQ(fe.mapRunFlg[2], 1);
  EXPECT_EQ(fe.mapRunFlg[3], 0);
  Frame();
  Frame(KEY_RIGHT);
  EXPECT_EQ(mapCnt, 1);
  std::string later;
  for (int f = 0; f < 10; ++f) Frame(), later += printed;
  EXPECT_EQ(Count(later, kReadError), 0);
  // Leaving and coming back reports again, once.
  Frame(KEY_X);
  while (fe.titleCnt == 10) Frame();
  while (fe.titleCnt != 10) Frame(fe.modeFlg == 1 ? KEY_Z : 0);
  std::string again = printed;
  while (fe.mapSelectFlg == 0) Frame(), again += printed;
  EXPECT_EQ(Count(again, kReadError), 1);
}

TEST_F(CourseSelect, MissingBestTimeFileAloneIsReportedOnce) {
  WriteTextFile("data/clearFlg.txt", "1 1 1 0 0 0 ");
  remove("data/bestTime.txt");
  const std::string out = Open(0);
  EXPECT_EQ(Count(out, kReadError), 1);
  EXPECT_EQ(fe.mapRunFlg[3], 1);
}

TEST_F(CourseSelect, UnloadableCourseImageKeepsChoosing) {
  WriteCourseImage(1);
  Open(0);
  MoveTo(1);
  ZoomToRace();
  ASSERT_EQ(lastCode, 4);
  SDL_Surface* heldMap = img.mapImage;
  SDL_Surface* heldBb = img.bbMap;
  // Back in the course select; course 0 has no image.
  while (fe.mapSelectFlg == 0) Frame();
  ASSERT_EQ(mapCnt, 1);
  MoveTo(0);
  Frame(KEY_Z);
  EXPECT_NE(printed.find("map0.bmp"), std::string::npos);
  EXPECT_EQ(fe.mapSelectFlg, 1);
  EXPECT_EQ(img.mapImage, heldMap);  // the previous pair stays as it was
  EXPECT_EQ(img.bbMap, heldBb);
  Frames(5, KEY_Z);  // held: not retried
  EXPECT_EQ(printed.find("map0.bmp"), std::string::npos);
  EXPECT_EQ(fe.mapSelectFlg, 1);
  // Released and pressed again, with the file now present, it starts.
  WriteCourseImage(0);
  Frame();
  EXPECT_EQ(ZoomToRace(), 12);
  EXPECT_EQ(lastCode, 4);
  EXPECT_EQ(mapCnt, 0);
}
