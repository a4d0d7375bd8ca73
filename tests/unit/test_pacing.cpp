// Frame pacing on a clock of the test's own: the first frame is free, a long frame is not made
// up, the FPS report comes at the first frame more than a second after the last.
#include "app/pacing.h"
#include "test_support.h"

static uint32_t now = 0;
static uint32_t Ticks() { return now; }
static void Sleep(uint32_t ms) { now += ms; }

class PacingTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    now = 0;
    SetPacingClock({Ticks, Sleep});
  }
  void TearDown() override {
    SetPacingClock({nullptr, nullptr});
    SceneTest::TearDown();
  }
  // The time a call took on the test clock, after work ms of the frame's own work.
  template <class F>
  static uint32_t Took(uint32_t work, F f) {
    now += work;
    const uint32_t t0 = now;
    f();
    return now - t0;
  }
};

// Braces, so that the calls run left to right.
using Ms = std::vector<uint32_t>;

TEST_F(PacingTest, WaitAndFrameSpacing) {
  EXPECT_EQ((Ms{Took(0, [] { wait(0); }), Took(0, [] { wait(-5); }), Took(0, [] { wait(10); })}), (Ms{0, 0, 10}));
  // 40 ms after the clock's start: no wait. A frame with 5 ms of work waits out the rest of
  // its 25 ms; one that took 40 ms waits nothing, and the next is measured from its end.
  EXPECT_EQ((Ms{Took(30, [] { fps_wait(40); }), Took(5, [] { fps_wait(40); }), Took(0, [] { fps_wait(40); })}),
            (Ms{0, 20, 25}));
  EXPECT_EQ((Ms{Took(40, [] { fps_wait(40); }), Took(0, [] { fps_wait(40); }), Took(24, [] { fps_wait(40); })}),
            (Ms{0, 25, 1}));
}

TEST_F(PacingTest, ReportAtTheFirstFrameMoreThanASecondOn) {
  // 25 ms frames: 1000 ms have passed after frame 40, more than that after frame 41; each
  // later report 41 frames (1025 ms) after the one before.
  std::vector<int> reports;
  for (int frame = 1; frame <= 130; ++frame) {
    fps_wait(40);
    testing::internal::CaptureStdout();
    if (const int32_t n = fps_no()) reports.insert(reports.end(), {frame, n});
    const std::string out = testing::internal::GetCapturedStdout();
    if (!out.empty()) {
      EXPECT_EQ(out, std::to_string(reports.back()) + "FPS\n");
    }
  }
  EXPECT_EQ(reports, std::vector<int>({41, 41, 82, 41, 123, 41}));
}
