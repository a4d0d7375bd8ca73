// test_frontend_support.cpp -- scripted keys, synthetic sheets and shortcuts into the front end's screens
#include "test_frontend_support.h"

#include "frontend/title.h"
#include "gfx/images.h"
#include "records/record_tables.h"

static uint8_t scriptedKeys = 0;
static uint8_t scriptedSource() { return scriptedKeys; }

// A keyed sheet of the given size, opaque grey with a magenta key.
static SDL_Surface* sheet(int w, int h, uint8_t shade) {
  SDL_Surface* s = MakeSurface24(w, h, shade, shade, shade);
  SDL_SetColorKey(s, SDL_SRCCOLORKEY, 0xFF00FF);
  return s;
}

static void fill(SDL_Surface* s, int x, int y, int w, int h, uint32_t c) {
  FillRect(s, x, y, w, h, c >> 16, (c >> 8) & 255, c & 255);
}

uint32_t CommentRowRGB(int row) { return (uint32_t(20 + 20 * row) << 16) | 0x5050; }
uint32_t ThumbnailRGB(int course) { return (uint32_t(100 + 20 * course) << 16) | 0x3CA0; }

void FrontEndTest::SetUp() {
  SceneTest::SetUp();
  ResetFrontEnd();
  car[0] = car[1] = CarState{};
  for (int32_t& t : bestTime) t = 0;
  for (int32_t& f : clearFlg) f = 0;
  WriteTextFile("data/clearFlg.txt", "0 0 0 0 0 0 ");
  WriteTextFile("data/bestTime.txt", "0 0 0 0 0 0 0 0 0 0 0 0 ");
  SetKeySource(scriptedSource);
  scriptedKeys = 0;
  img.carImage = sheet(52 * 24, 76, 200);
  img.titleImage = sheet(466, 49, 190);
  img.menuImage = sheet(112, 63, 180);
  img.stickImage = sheet(480, 8, 170);
  img.keybordImage = sheet(480, 313, 160);
  img.helpImage = sheet(480, 480, 150);
  img.modeImage = sheet(450, 150, 140);
  img.smallMapImage = sheet(768, 96, 130);
  for (int k = 0; k < 6; ++k) fill(img.smallMapImage, 128 * k, 0, 128, 96, ThumbnailRGB(k));
  img.finishImage = sheet(376, 308, 120);
  // Frames: a 4-pixel border around a transparent middle; yellow selects, red locks.
  img.frameImage = sheet(256, 96, 0);
  for (int i = 0; i < 2; ++i) {
    fill(img.frameImage, 128 * i, 0, 128, 96, i ? 0xFF0000 : 0xFFFF00);
    fill(img.frameImage, 128 * i + 4, 4, 120, 88, 0xFF00FF);
  }
  img.fullImage = MakeSurface24(480, 480, 0, 0, 0);
  img.numImage2 = sheet(620, 211, 90);
  img.commentImage = sheet(480, 1170, 80);
  for (int r = 0; r < 9; ++r) fill(img.commentImage, 0, 130 * r, 480, 130, CommentRowRGB(r));
}

int32_t FrontEndTest::Frame(uint8_t keys) {
  scriptedKeys = keys;
  testing::internal::CaptureStdout();
  lastCode = Title(screen, &mapCnt, &mode);
  printed = testing::internal::GetCapturedStdout();
  return lastCode;
}

int32_t FrontEndTest::Frames(int n, uint8_t keys) {
  for (int i = 0; i < n; ++i) Frame(keys);
  return lastCode;
}

int FrontEndTest::Until(bool (*done)(), uint8_t keys) {
  int n = 0;
  while (!done() && n < 500) Frame(keys), ++n;
  return n;
}

int FrontEndTest::RunIntro() {
  return Until([] { return fe.titleCnt == 5; });
}

void FrontEndTest::EnterSubScreen(int entry) {
  RunIntro();
  Frame();  // arms the latches
  for (int n = 0; fe.changeCnt != entry && n < 3; ++n) Frame(KEY_DOWN), Frame();
  Frame(KEY_Z);
  Until([] { return fe.titleCnt != 6; });
}

std::string FrontEndTest::OpenCourses(int modeCnt) {
  Frame();  // the first frame's initialisation
  fe.titleCnt = 10;
  fe.title.alpha = 0;
  fe.modeCnt = modeCnt;
  std::string out;
  for (opening = 0; fe.mapSelectFlg == 0 && opening < 50; ++opening) Frame(), out += printed;
  return out;
}

void FrontEndTest::MoveTo(int course) {
  Frame();
  for (int n = 0; mapCnt != course && n < 12; ++n) Frame(mapCnt < course ? KEY_RIGHT : KEY_LEFT), Frame();
  Until([] { return fe.mapIX == fe.mapTX; });
}

int FrontEndTest::ZoomToRace(uint8_t keys) {
  int frames = 1;
  for (Frame(keys); lastCode == 1 && frames < 50; ++frames) Frame();
  return frames;
}

void FrontEndTest::WriteCourseImage(int k, int markX, int markY) {
  SDL_Surface* course = MakeSurface24(COURSE_W, COURSE_H, 40, 140, 60);
  if (markX >= 0) FillRect(course, markX - 20, markY - 20, 40, 40, 250, 10, 10);
  ASSERT_EQ(SDL_SaveBMP(course, ("image/map" + std::to_string(k) + ".bmp").c_str()), 0);
  SDL_FreeSurface(course);
}
