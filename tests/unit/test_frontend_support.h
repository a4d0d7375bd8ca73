// test_frontend_support.h -- drives the front end frame by frame with scripted keys
#pragma once
#include <cstdint>
#include <string>

#include "test_support.h"

// Colours of the synthetic sheets: comment panel row r, thumbnail of course k.
uint32_t CommentRowRGB(int row);
uint32_t ThumbnailRGB(int course);
static const uint32_t kFrontEndBackground = 0xB3A38C;  // (179, 163, 140)

// A SceneTest with the front end, the prop cars and the record tables at their
// program-start values and synthetic sheets of the catalogue's sizes loaded, so
// every draw path runs without the generated art.
class FrontEndTest : public SceneTest {
 protected:
  void SetUp() override;

  // One call of Title with these keys held; keeps what the frame printed.
  int32_t Frame(uint8_t keys = 0);
  // Frames with the same keys; returns the code of the last one.
  int32_t Frames(int n, uint8_t keys = 0);

  // From program start through the intro; returns the frames it took.
  int RunIntro();
  // Intro, then menu entry `entry` chosen with z and the transition run until
  // the sub-screen's stage 7 begins.
  void EnterSubScreen(int entry);
  // Mode select with `modeCnt` chosen, then the strip opened and at rest.
  void EnterCourseSelect(int modeCnt);

  // Writes a 1536x1152 course image for course k into image/.
  void WriteCourseImage(int k, uint8_t r = 40, uint8_t g = 140, uint8_t b = 60);

  int32_t mapCnt = 0;
  int32_t mode = 0;
  std::string printed;  // standard output of the last frame
};
