// test_frontend.cpp -- the front end frame by frame with scripted keys: title sequence, main menu, help screen,
// mode select and course select, with the diagnostics it prints
#include <cstdio>
#include <tuple>

#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "frontend/title.h"
#include "test_race_support.h"

namespace {

uint8_t scriptedKeys = 0;

// Colours of the synthetic sheets: comment panel row r, thumbnail of course k.
uint32_t CommentRowRGB(int row) { return static_cast<uint32_t>(20 + 20 * row) << 16 | 0x5050; }
uint32_t ThumbnailRGB(int course) { return static_cast<uint32_t>(100 + 20 * course) << 16 | 0x3CA0; }

void Fill(SDL_Surface* s, int x, int y, int w, int h, uint32_t c) {
  FillRect(s, x, y, w, h, c >> 16, c >> 8 & 255, c & 255);
}

// A keyed sheet of the given size, opaque grey with a magenta key.
SDL_Surface* Sheet(int w, int h, uint8_t shade) {
  SDL_Surface* s = MakeSurface24(w, h, shade, shade, shade);
  SDL_SetColorKey(s, SDL_SRCCOLORKEY, 0xFF00FF);
  return s;
}

// The front end, the prop cars and the record tables at their program-start values, empty record files
// and synthetic sheets of the catalogue's sizes, so every draw path runs without the generated art.
class FrontEnd : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ResetFrontEnd();
    car[0] = car[1] = CarState{};
    std::fill(std::begin(bestTime), std::end(bestTime), 0), std::fill(std::begin(clearFlg), std::end(clearFlg), 0);
    WriteTextFile("data/clearFlg.txt", "0 0 0 0 0 0 ");
    WriteTextFile("data/bestTime.txt", "0 0 0 0 0 0 0 0 0 0 0 0 ");
    SetKeySource([] { return scriptedKeys; });
    scriptedKeys = 0;
    img.carImage = Sheet(52 * 24, 76, 200), img.titleImage = Sheet(466, 49, 190), img.menuImage = Sheet(112, 63, 180);
    img.stickImage = Sheet(480, 8, 170), img.keybordImage = Sheet(480, 313, 160), img.helpImage = Sheet(480, 480, 150);
    img.modeImage = Sheet(450, 150, 140), img.finishImage = Sheet(376, 308, 120), img.numImage2 = Sheet(620, 211, 90);
    img.smallMapImage = Sheet(768, 96, 130);
    for (int k = 0; k < 6; ++k) Fill(img.smallMapImage, 128 * k, 0, 128, 96, ThumbnailRGB(k));
    // Frames: a 4-pixel border around a transparent middle; yellow selects, red locks.
    img.frameImage = Sheet(256, 96, 0);
    for (int i = 0; i < 2; ++i)
      Fill(img.frameImage, 128 * i, 0, 128, 96, i ? 0xFF0000 : 0xFFFF00),
          Fill(img.frameImage, 128 * i + 4, 4, 120, 88, 0xFF00FF);
    img.fullImage = MakeSurface24(480, 480, 0, 0, 0);
    img.commentImage = Sheet(480, 1170, 80);
    for (int r = 0; r < 9; ++r) Fill(img.commentImage, 0, 130 * r, 480, 130, CommentRowRGB(r));
  }
  // One call of Title; keeps its code and what it printed.
  int32_t Frame(uint8_t keys = 0) {
    scriptedKeys = keys;
    testing::internal::CaptureStdout();
    lastCode = Title(screen, &mapCnt, &mode);
    printed = testing::internal::GetCapturedStdout();
    return lastCode;
  }
  int32_t Frames(int n, uint8_t keys = 0) {
    for (int i = 0; i < n; ++i) Frame(keys);
    return lastCode;
  }
  // Frames until done() (at most 500); returns their count.
  int Until(bool (*done)(), uint8_t keys = 0) {
    int n = 0;
    while (!done() && n < 500) Frame(keys), ++n;
    return n;
  }
  // Straight into the course select as the mode select leaves it; returns what the opening printed.
  std::string OpenCourses(int modeCnt) {
    Frame();  // the first frame's initialisation
    fe.titleCnt = 10, fe.title.alpha = 0, fe.modeCnt = modeCnt;
    std::string out;
    for (opening = 0; fe.mapSelectFlg == 0 && opening < 50; ++opening) Frame(), out += printed;
    return out;
  }
  // Cursor moved to the course, scroll at rest.
  void MoveTo(int course) {
    Frame();
    for (int n = 0; mapCnt != course && n < 12; ++n) Frame(mapCnt < course ? KEY_RIGHT : KEY_LEFT), Frame();
    Until([] { return fe.mapIX == fe.mapTX; });
  }
  // Course k's image, with a red square at the mark.
  static void WriteCourseImage(int k, int markX = -1, int markY = -1) {
    SDL_Surface* course = MakeSurface24(COURSE_W, COURSE_H, 40, 140, 60);
    if (markX >= 0) FillRect(course, markX - 20, markY - 20, 40, 40, 250, 10, 10);
    ASSERT_EQ(SDL_SaveBMP(course, ("image/map" + std::to_string(k) + ".bmp").c_str()), 0);
    SDL_FreeSurface(course);
  }

  int32_t mapCnt = 0, mode = 0, lastCode = 0;
  int opening = 0;      // frames the latest OpenCourses took
  std::string printed;  // standard output of the last frame
};

TEST_F(FrontEnd, IntroDrivesInMirroredAndStopsBesideTheMenu) {
  // a frame that returns early changes and prints nothing
  EXPECT_EQ(Seq() << Frame(KEY_QUIT) << fe.titleCnt << printed.size(), V(6, 0, 0));
  EXPECT_EQ(Frame(), 1);
  EXPECT_EQ(printed, "0\n0.000000    0.000000");  // help state, then both callout widths
  EXPECT_EQ(V(fe.title.y, fe.title.alpha, car[0].dispY, car[0].alpha), V(-80, 255, 8, 255.0f));
  int frames = 1;
  for (; fe.titleCnt != 5 && frames < 200; ++frames) {
    // the other car mirrors the first; the title comes to rest in frame 23
    ASSERT_EQ(V(car[0].dispX + car[1].dispX + CAR_W, car[1].dispY, int(car[1].dir), fe.title.x),
              V(480, car[0].dispY, int(MirroredDir(car[0].dir)) % 24, 8))
        << "frame " << frames;
    if (frames == 22 || frames == 23) {
      EXPECT_EQ(V(fe.title.y, fe.titleCnt), V(frames == 22 ? 88 : 96, frames - 21));
    }
    Frame();
  }
  EXPECT_NEAR(frames, 89, 1);
  // facing right; facing left; on the row of entry 1
  EXPECT_EQ(V(car[0].dispX, car[1].dispX, int(car[0].dir), int(car[1].dir), car[0].dispY, fe.changeCnt),
            V(121, 307, 0, 12, 349 - 29, 1));
  EXPECT_EQ(V(MirroredDir(0), MirroredDir(5.7f), MirroredDir(12), MirroredDir(12.5f), MirroredDir(21.47f)),
            V(12, 7, 0, 24, 15));
}

TEST_F(FrontEnd, MenuCursorLatchesWrapsAndQuits) {
  Until([] { return fe.titleCnt == 5; }, KEY_UP);                  // held from program start
  EXPECT_EQ(Seq() << Frames(5, KEY_UP) << fe.changeCnt, V(1, 1));  // acts only after a release
  const std::pair<uint8_t, int32_t> steps[] = {
      {KEY_UP, 0}, {KEY_UP, 2}, {KEY_DOWN, 0}, {KEY_DOWN, 1}, {KEY_UP | KEY_DOWN, 1}, {KEY_DOWN, 2}};
  for (const auto& [key, to] : steps) {
    Frame();
    Frames(3, key);  // held: one move only
    EXPECT_EQ(fe.changeCnt, to) << "keys " << static_cast<int>(key);
  }
  EXPECT_EQ(Seq() << Frame(KEY_Z) << fe.titleCnt << printed.size(), V(6, 5, 0));  // the third entry quits at once
}

TEST_F(FrontEnd, HelpCalloutsGrowPageFadesAndZHeldOpensAndCloses) {
  Until([] { return fe.titleCnt == 5; });
  Frame(), Frame(KEY_Z);  // the intro leaves the cursor on the help entry; the first frame arms the latches
  Until([] { return fe.titleCnt != 6; });
  EXPECT_EQ(V(fe.menu[1].x, fe.menu[1].y), V(31, 68));  // the help heading ends higher than the start one
  EXPECT_EQ(Seq() << Until([] { return fe.helpFlg != 0; }) << fe.keybordH << fe.keybord[0].w << fe.keybord[1].w
                  << fe.keybord[0].h,
            V(7, 142, 51.0f + 8.3f, 65.0f + 10.8f, (51.0f + 8.3f) * 84.0f / 166.0f));
  EXPECT_EQ(printed, "1\n" + std::to_string(51.0f + 8.3f) + "    " + std::to_string(65.0f + 10.8f));
  // 14 steps with the first
  EXPECT_EQ(Seq() << Until([] { return fe.helpFlg != 1; }) << fe.keybord[0].x << fe.keybord[0].y << fe.keybord[1].x
                  << fe.keybord[1].y << (fe.keybord[0].w >= 166.0f) << (fe.keybord[1].w >= 216.0f) << fe.helpAlpha,
            V(13, 99, 291, 330, 305, true, true, 20));
  EXPECT_EQ(Seq() << Frames(11) << fe.helpAlpha << Frame() << fe.helpAlpha << PixelRGB(screen, 240, 460),
            V(1, 240, 1, 255, 0x969696u));  // 13 frames
  Frame(KEY_X);
  Until([] { return fe.titleCnt != 8; });
  ASSERT_EQ(fe.titleCnt, 9);
  EXPECT_EQ(Until([] { return fe.titleCnt != 9; }, KEY_UP), 15);  // plus the frame the help closed
  // the cars are drawn again
  EXPECT_EQ(V(fe.titleCnt, fe.changeCnt, car[0].alpha, PixelRGB(screen, 130, 330)), V(5, 1, 255.0f, 0xC8C8C8u));
  // z held from the menu
  Frame();
  Until([] { return fe.titleCnt != 5 && fe.titleCnt != 6; }, KEY_Z);
  // opened 20, closed 30 in the same frame
  EXPECT_EQ(V(fe.titleCnt, fe.helpFlg, fe.keybordH, fe.stickW), V(8, 0, 0, 480 - 55));
}

TEST_F(FrontEnd, MenuGlidesAndModeSelectPulsesTogglesAndGoesBack) {
  Until([] { return fe.titleCnt == 5; });
  Frame(), Frame(KEY_UP), Frame(KEY_Z);  // the first transition frame runs in the last
  int frame = 1;
  for (; fe.titleCnt == 6 && frame < 100; ++frame) {
    if (frame == 16) {  // the chosen entry never fades
      EXPECT_EQ(V(fe.title.alpha, car[0].alpha, fe.menuAlpha[1], fe.menuAlpha[0]), V(0, 0.0f, 0, 255));
    }
    if (frame == 18) {
      EXPECT_EQ(V(fe.menu[0].x, fe.menu[0].y), V(31, 72));
    }
    Frame(KEY_DOWN);  // keys are not read during the transition
  }
  EXPECT_EQ(V(frame, fe.stickW, fe.changeCnt), V(26, 480, 0));
  Until([] { return fe.modeFlg != 0; });
  EXPECT_EQ(fe.selectAlpha, 15);  // first drawn at 15
  int peak = 0;
  for (int f = 1; f <= 20; ++f) Frame(), peak = fe.selectAlpha == 150 ? f : peak;
  EXPECT_EQ(V(peak, fe.selectAlpha), V(9, 15));  // period 20
  const std::pair<uint8_t, int32_t> steps[] = {{KEY_RIGHT, 1}, {KEY_RIGHT, 0}, {KEY_LEFT, 1}, {KEY_LEFT, 0}};
  for (const auto& [key, to] : steps) {
    Frames(3, key);  // held: one toggle only
    Frame();
    EXPECT_EQ(V(fe.modeCnt, fe.selectX), V(to, fe.modeX[to]));
  }
  EXPECT_EQ(Seq() << Frame(KEY_Z | KEY_X) << fe.modeFlg, V(1, 2));
  Until([] { return fe.titleCnt == 5; });  // through the return to the menu
  EXPECT_EQ(V(fe.titleCnt, fe.changeCnt), V(5, 0));
}

TEST_F(FrontEnd, CourseSelectScrollsIn20FramesAndKeepsThreeLocked) {
  OpenCourses(0);
  EXPECT_EQ(V(opening, mapCnt, PixelRGB(screen, 240, 148), PixelRGB(screen, 240, 400)),
            V(7, 0, ThumbnailRGB(0), CommentRowRGB(2)));
  Frame(), Frame(KEY_LEFT);  // nothing left of course 0
  EXPECT_EQ(mapCnt, 0);
  Frame(), Frame(KEY_RIGHT);
  // and the frame the key moved it; held: one course only
  EXPECT_EQ(Seq() << Until([] { return fe.mapIX == 152; }, KEY_RIGHT) << mapCnt, V(19, 1));
  // and back, the key's frame counted: it settles from the other side too, snapping within 4 pixels
  Frame();
  EXPECT_EQ(Seq() << Until([] { return fe.mapIX == 0; }, KEY_LEFT) << mapCnt, V(20, 0));
  MoveTo(3);
  // the locked row; course 4's locked frame
  EXPECT_EQ(V(PixelRGB(screen, 240, 400), PixelRGB(screen, 330, 102)), V(CommentRowRGB(8), 0xFF0000u));
  // and inside it course 4's thumbnail under the black veil at alpha 150: red 180 keeps 105 / 255
  EXPECT_NEAR(PixelRGB(screen, 400, 148) >> 16, 180 * 105 / 255.0, 1.5);
  EXPECT_EQ(Seq() << Frames(5, KEY_Z) << fe.mapSelectFlg, V(1, 1));
  MoveTo(5);
  Frame(KEY_RIGHT);  // nothing right of course 5
  EXPECT_EQ(V(mapCnt, fe.mapTX), V(5, 760));
  Frame();  // z and x on a locked course: back to the mode select
  EXPECT_EQ(Seq() << Frame(KEY_Z | KEY_X) << fe.mapSelectFlg << Frames(2) << fe.titleCnt, V(1, 2, 1, 7));
}

TEST_F(FrontEnd, CourseSelectClearsOpenCoursesInOrder) {
  // clear flags, clears counted; courses 0..2 are open from the start, then one more per clear
  const std::pair<const char*, int> flags[] = {{"0 0 0 0 0 0 ", 0},  {"1 1 0 0 0 0 ", 2},  {"0 1 0 1 1 0 ", 3},
                                               {"1 1 0 1 1 0 ", 4},  {"1 1 1 1 1 0 ", 5},  {"1 1 1 1 1 1 ", 5},
                                               {"7 -1 2 0 0 0 ", 3}, {"9 9 9 9 9 9 9 ", 5}};
  for (const auto& [text, clears] : flags) {
    ResetFrontEnd(), WriteTextFile("data/clearFlg.txt", text), OpenCourses(0);
    EXPECT_EQ(fe.clearCnt, clears) << text;
    for (int k = 0; k < 6; ++k) EXPECT_EQ(fe.mapRunFlg[k], k <= std::max(2, clears)) << text << " course " << k;
  }
  // The cleared badge on course 0's thumbnail: in the rival mode only.
  for (int modeCnt : {0, 1}) {
    ResetFrontEnd(), WriteTextFile("data/clearFlg.txt", "1 0 0 0 0 0 "), OpenCourses(modeCnt);
    EXPECT_EQ(PixelRGB(screen, 180, 104), modeCnt ? 0x787878u : ThumbnailRGB(0)) << modeCnt;
  }
}

TEST_F(FrontEnd, CourseZoomHandsOverSlotModeFacingAndReopensThere) {
  // mode select entry, course, record slot, mode, facing frame, moveAng
  const std::tuple<int, int, int32_t, int32_t, int, int32_t> cases[] = {
      {0, 2, 2, 1, 6, 90}, {1, 2, 8, 2, 6, 90},   {1, 0, 6, 2, 0, 0}, {0, 3, 3, 1, 18, 270},
      {1, 4, 10, 2, 0, 0}, {0, 5, 5, 1, 18, 270}, {0, 0, 0, 1, 0, 0}};
  const int32_t widths[] = {160, 200, 250, 312, 390, 487, 608, 760, 950, 1187, 1483};
  WriteTextFile("data/clearFlg.txt", "1 1 1 1 1 0 ");
  for (const auto& [modeCnt, course, slot, raceMode, dir, moveAng] : cases) {
    ResetFrontEnd();
    car[0] = car[1] = CarState{}, mapCnt = mode = 0;
    WriteCourseImage(course, static_cast<int>(kTrack[course].mapCenterInitX),
                     static_cast<int>(kTrack[course].mapCenterInitY));
    OpenCourses(modeCnt);
    MoveTo(course);
    Frame(modeCnt ? KEY_Z : KEY_Z | KEY_X);  // z and x together on an open course choose it too
    for (int32_t w : widths) {
      EXPECT_EQ(V(lastCode, fe.mapAnimeW, fe.mapAnimeH), V(1, w, 3 * w / 4)) << "course " << course;
      if (w < 1483) Frame();
    }
    // The last zoom frame puts the course's point on the screen's centre; the hand-over frame prints nothing.
    EXPECT_EQ(V(fe.centerX, fe.centerY, PixelRGB(screen, 240, 240) >> 16 >= 245), V(240.0f, 240.0f, true));
    Frame();
    EXPECT_EQ(V(lastCode, printed.size(), mapCnt, mode, car[0].dir, car[0].moveAng, car[1].dir, car[1].moveAng),
              V(4, 0, slot, raceMode, dir, moveAng, dir, moveAng))
        << "course " << course << " mode " << modeCnt;
    // After the race the course select opens again on the course raced.
    EXPECT_EQ(Seq() << Until([] { return fe.mapSelectFlg != 0; }) << mapCnt << fe.mapIX, V(7, course, 152 * course));
  }
}

TEST_F(FrontEnd, FileTroubleReportedOnceSelectKeepsChoosing) {
  remove("data/clearFlg.txt"), remove("data/bestTime.txt");
  const std::string error = "ファイル読み込みエラー", out = OpenCourses(0);
  EXPECT_NE(out.find(error), std::string::npos);
  EXPECT_EQ(out.find(error), out.rfind(error));
  EXPECT_EQ(V(fe.mapSelectFlg, fe.mapRunFlg[3]), V(1, 0));
  Frame(), Frame(KEY_RIGHT);
  EXPECT_EQ(mapCnt, 1);
  std::string later;
  for (int f = 0; f < 10; ++f) Frame(), later += printed;
  EXPECT_EQ(later.find(error), std::string::npos);
  Frame(KEY_Z);  // course 1 has no image
  EXPECT_EQ(V(printed.find("map1.bmp") != std::string::npos, fe.mapSelectFlg), V(true, 1));
  Frames(5, KEY_Z);  // held: not retried
  EXPECT_EQ(V(printed.find("map1.bmp") == std::string::npos, fe.mapSelectFlg), V(true, 1));
  WriteCourseImage(1);
  Frame();
  Frame(KEY_Z);  // released and pressed again, with the file present: the zoom runs to the race
  EXPECT_EQ(Seq() << Frames(10) << Frame(), V(1, 4));
}

}  // namespace
