// test_frontend_support.cpp -- scripted keys, synthetic sheets and shortcuts into the front end's screens
#include "test_frontend_support.h"

#include <string>

#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "frontend/title.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "records/record_tables.h"

static uint8_t scriptedKeys = 0;
static uint8_t scriptedSource() { return scriptedKeys; }

// A keyed sheet of the given size, opaque grey with a magenta key.
static SDL_Surface* sheet(int w, int h, uint8_t shade) {
  SDL_Surface* s = MakeSurface24(w, h, shade, shade, shade);
  SDL_SetColorKey(s, SDL_SRCCOLORKEY, 0xFF00FF);
  return s;
}

void FrontEndTest::SetUp() {
  SceneTest::SetUp();
  ResetFrontEnd();
  car[0] = CarState{};
  car[1] = CarState{};
  for (int32_t& t : bestTime) t = 0;
  for (int32_t& f : clearFlg) f = 0;
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
  for (int k = 0; k < 6; ++k) {
    const uint32_t c = ThumbnailRGB(k);
    FillRect(img.smallMapImage, 128 * k, 0, 128, 96, c >> 16, (c >> 8) & 255, c & 255);
  }
  img.finishImage = sheet(376, 308, 120);
  // Frames: a 4-pixel border around a transparent middle; yellow selects, red locks.
  img.frameImage = sheet(256, 96, 0);
  FillRect(img.frameImage, 0, 0, 128, 96, 255, 255, 0);
  FillRect(img.frameImage, 128, 0, 128, 96, 255, 0, 0);
  FillRect(img.frameImage, 4, 4, 120, 88, 255, 0, 255);
  FillRect(img.frameImage, 132, 4, 120, 88, 255, 0, 255);
  img.fullImage = MakeSurface24(480, 480, 0, 0, 0);
  img.numImage2 = sheet(620, 211, 90);
  img.commentImage = sheet(480, 1170, 80);
  for (int r = 0; r < 9; ++r) {
    const uint32_t c = CommentRowRGB(r);
    FillRect(img.commentImage, 0, 130 * r, 480, 130, c >> 16, (c >> 8) & 255, c & 255);
  }
}

uint32_t CommentRowRGB(int row) { return (uint32_t(20 + 20 * row) << 16) | 0x5050; }
uint32_t ThumbnailRGB(int course) { return (uint32_t(100 + 20 * course) << 16) | 0x3CA0; }

int32_t FrontEndTest::Frame(uint8_t keys) {
  scriptedKeys = keys;
  testing::internal::CaptureStdout();
  const int32_t code = Title(screen, &mapCnt, &mode);
  printed = testing::internal::GetCapturedStdout();
  return code;
}

int32_t FrontEndTest::Frames(int n, uint8_t keys) {
  int32_t code = 0;
  for (int i = 0; i < n; ++i) code = Frame(keys);
  return code;
}

int FrontEndTest::RunIntro() {
  int frames = 0;
  while (fe.titleCnt != 5 && frames < 1000) {
    Frame();
    ++frames;
  }
  return frames;
}

void FrontEndTest::EnterSubScreen(int entry) {
  RunIntro();
  Frame();  // arms the latches
  while (fe.changeCnt != entry) Frame(KEY_DOWN), Frame();
  Frame(KEY_Z);
  while (fe.titleCnt == 6) Frame();
}

void FrontEndTest::EnterCourseSelect(int modeCnt) {
  EnterSubScreen(0);
  while (fe.modeFlg != 1) Frame();
  if (fe.modeCnt != modeCnt) Frame(KEY_RIGHT);
  Frame(KEY_Z);
  while (fe.titleCnt != 10 || fe.mapSelectFlg != 1) Frame();
  while (fe.mapIX != fe.mapTX) Frame();
}

void FrontEndTest::WriteCourseImage(int k, uint8_t r, uint8_t g, uint8_t b) {
  SDL_Surface* course = MakeSurface24(COURSE_W, COURSE_H, r, g, b);
  const std::string path = "image/map" + std::to_string(k) + ".bmp";
  ASSERT_EQ(SDL_SaveBMP(course, path.c_str()), 0);
  SDL_FreeSurface(course);
}
