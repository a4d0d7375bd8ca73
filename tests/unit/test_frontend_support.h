// test_frontend_support.h -- drives the front end frame by frame with scripted keys
#pragma once
#include "app/keyboard.h"
#include "frontend/frontend_state.h"
#include "race/car_state.h"
#include "test_support.h"

// Colours of the synthetic sheets: comment panel row r, thumbnail of course k.
uint32_t CommentRowRGB(int row);
uint32_t ThumbnailRGB(int course);
static const uint32_t kFrontEndBackground = 0xB3A38C;  // (179, 163, 140)

// A SceneTest with the front end, the prop cars and the record tables at their
// program-start values, empty record files and synthetic sheets of the
// catalogue's sizes loaded, so every draw path runs without the generated art.
class FrontEndTest : public SceneTest {
 protected:
  void SetUp() override;

  int32_t Frame(uint8_t keys = 0);              // one call of Title; keeps what it printed
  int32_t Frames(int n, uint8_t keys = 0);      // returns the last frame's code
  int Until(bool (*done)(), uint8_t keys = 0);  // frames until done() (at most 500); returns their count
  int RunIntro();                               // program start to the menu; returns the frames taken
  void EnterSubScreen(int entry);               // menu entry chosen, transition run to stage 7
  // Straight into the course select as the mode select leaves it; returns what the opening printed.
  std::string OpenCourses(int modeCnt);
  void MoveTo(int course);               // cursor moved there, scroll at rest
  int ZoomToRace(uint8_t keys = KEY_Z);  // chooses the course; returns the frames to the race start
  void WriteCourseImage(int k, int markX = -1, int markY = -1);  // with a red square at the mark

  int32_t mapCnt = 0, mode = 0, lastCode = 0;
  int opening = 0;      // frames the latest OpenCourses took
  std::string printed;  // standard output of the last frame
};

template <class P>
class FrontEndTestWithParam : public FrontEndTest, public testing::WithParamInterface<P> {};

// A key pressed from rest and where the cursor should end.
struct KeyStep {
  uint8_t key;
  int32_t to;
};
