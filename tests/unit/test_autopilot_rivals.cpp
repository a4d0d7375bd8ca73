// The shipped rivals against a driver with a person's limits, and the key recordings' text form.
#include <set>

#include "limited_driver.h"
#include "records/data_files.h"
#include "test_session.h"

namespace {

// The rival curve against a driver with a person's limits, in the shipped data set.
class RivalCurve : public GameSession {
 protected:
  void SetUp() override { GameSession::SetUp(), ImageLoad(); }
  // The limited driver's race on course k from the player's grid, its keys in *rec.
  autopilot::RaceOutcome PersonRace(int k, int mode, autopilot::KeyRecording* rec) {
    autopilot::LimitedDriver person(Line(k), autopilot::PersonPace(), autopilot::PersonLimits());
    *rec = autopilot::StartOn(k, autopilot::Grid::Player);
    autopilot::RaceOutcome out;
    EXPECT_TRUE(autopilot::DriveWith(
        screen, mode, [&] { return person.Decide(); }, rec, &out));
    return out;
  }
};

TEST_F(RivalCurve, ThePersonBeatsEveryRivalByAShrinkingMargin) {
  int32_t times[SLOT_COUNT] = {};
  ASSERT_TRUE(ReadBestTimes(times));
  // Mode 2, so the game's own win decision: three laps before the rival's path runs out and
  // faster than its time. The margin is the share of the rival's time left spare.
  double margin[6];
  for (int k = 0; k < 6; ++k) {
    autopilot::KeyRecording rec;
    const autopilot::RaceOutcome out = PersonRace(k, 2, &rec);
    const int32_t rival = times[autopilot::RivalSlot(k)];
    margin[k] = static_cast<double>(rival - out.Time) / rival;
    EXPECT_EQ(V(out.finished, out.beatRival, margin[k] > 0), V(1, 1, 1)) << "course " << k << ": " << out.Time;
    EXPECT_TRUE(k == 0 || margin[k] < margin[k - 1]) << "course " << k << " is no harder than the one before";
  }
  EXPECT_GT(margin[0], 0.3);  // course 0 leaves a newcomer room
}

TEST_F(RivalCurve, KeysChangeOnlyAtDecisionsAndNoPressIsUnderATap) {
  autopilot::KeyRecording rec;
  const autopilot::RaceOutcome out = PersonRace(2, 1, &rec);
  ASSERT_TRUE(out.finished && out.stayedOnRoad);
  // From the first decision of the race on (past the setup frame, the countdown and one
  // reaction): every press and every change of the pedals falls on one phase of the decision
  // rhythm of 6 frames, and every steering press is held for a tap of 3 frames at least.
  const uint8_t pedals = KEY_UP | KEY_DOWN, steering = KEY_LEFT | KEY_RIGHT;
  std::set<size_t> phases;
  int presses = 0;
  for (size_t i = 80; i < rec.keys.size(); ++i) {
    const uint8_t before = rec.keys[i - 1], now = rec.keys[i], pressed = now & steering & ~before;
    if ((now & pedals) != (before & pedals) || pressed) phases.insert(i % 6);
    if (!pressed) continue;
    ++presses;
    size_t held = 0;
    while (i + held < rec.keys.size() && (rec.keys[i + held] & pressed)) ++held;
    EXPECT_GE(held, 3u) << "press at call " << i;
  }
  EXPECT_EQ(V(phases.size(), presses > 40), V(1, 1));
}

TEST(KeyRecordingText, RoundTripsAndRejectsWhatIsNotARecording) {
  autopilot::KeyRecording rec, back;
  rec.course = 3, rec.posX = 86, rec.posY = 566, rec.dir = 18;
  for (int i = 0; i < 75; ++i) rec.keys.push_back(static_cast<uint8_t>(i * 37 % 256));
  ASSERT_TRUE(autopilot::ParseRecording(autopilot::FormatRecording(rec), &back));
  EXPECT_EQ(V(back.course, back.posX, back.posY, back.dir), V(3, 86, 566, 18));
  EXPECT_EQ(back.keys, rec.keys);
  // A short header, a course or facing out of range, a key that is no KeyMask.
  for (const char* bad :
       {"course 0 posX 1 posY 2\n1 2", "course 6 posX 1 posY 2 dir 0\n", "course 0 posX 1 posY 2 dir 24\n",
        "course 0 posX 1 posY 2 dir 0\n1 256", "course 0 posX 1 posY 2 dir 0\n1 x"})
    EXPECT_FALSE(autopilot::ParseRecording(bad, &back)) << bad;
}

}  // namespace
