// Track collision on small synthetic courses, and the rival contact tests of mode 2.
#include "app/keyboard.h"
#include "gfx/draw.h"
#include "race/car_model.h"
#include "race/car_state.h"
#include "race/race_state.h"
#include "race/rival_contact.h"
#include "race/track_collision.h"
#include "test_support.h"

namespace {

// Road grey, goal white, course-5 road brown, wall green.
const uint8_t kRoad[3] = {90, 90, 90};
const uint8_t kGoal[3] = {250, 250, 250};
const uint8_t kRoad5[3] = {120, 80, 40};

class RaceCollision : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ResetRaceState();
    car[0] = car[1] = CarState{};
    sample = MakeSurface24(3, 1, 0, 0, 0);
    FillRect(sample, 0, 0, 1, 1, kRoad[0], kRoad[1], kRoad[2]);
    FillRect(sample, 1, 0, 1, 1, kGoal[0], kGoal[1], kGoal[2]);
    FillRect(sample, 2, 0, 1, 1, kRoad5[0], kRoad5[1], kRoad5[2]);
    course = MakeSurface24(200, 200, 0, 160, 0);  // all wall
  }
  void TearDown() override {
    SDL_FreeSurface(sample);
    SDL_FreeSurface(course);
    SceneTest::TearDown();
  }
  void Paint(int x, int y, int w, int h, const uint8_t* rgb) { FillRect(course, x, y, w, h, rgb[0], rgb[1], rgb[2]); }
  // Puts the player's centre point at (cx, cy), facing dir, with a velocity from speed.
  void Place(int cx, int cy, float dir, float speed) {
    car[0].posX = static_cast<float>(cx - 26);
    car[0].posY = static_cast<float>(cy - 38);
    car[0].dir = dir;
    car[0].moveAng = 15 * static_cast<int>(dir);
    car[0].speed = speed;
    HeadingStep(car[0]);
  }
  float CentreX() const { return car[0].posX + 26; }
  float CentreY() const { return car[0].posY + 38; }
  SDL_Surface* sample = nullptr;
  SDL_Surface* course = nullptr;
};

TEST_F(RaceCollision, CourseColoursComeFromTheSampleRow) {
  ASSERT_TRUE(TakeCourseColours(sample, 0));
  EXPECT_EQ(race.wayColor, getpixel(sample, 0, 0));
  EXPECT_EQ(race.goalColor, getpixel(sample, 1, 0));
  ASSERT_TRUE(TakeCourseColours(sample, 5));
  EXPECT_EQ(race.wayColor, getpixel(sample, 2, 0));
  SDL_Surface* narrow = MakeSurface24(1, 1, 1, 2, 3);
  race.wayColor = 77;
  EXPECT_FALSE(TakeCourseColours(narrow, 0));
  EXPECT_EQ(race.wayColor, 77u);  // nothing taken from a too-small sample
  EXPECT_FALSE(TakeCourseColours(nullptr, 0));
  SDL_FreeSurface(narrow);
}

TEST_F(RaceCollision, MovesTwoPixelsThenBouncesOffTheRoadEnd) {
  TakeCourseColours(sample, 0);
  Paint(50, 100, 53, 1, kRoad);  // x 50..102 drivable, 103 wall
  Place(100, 100, 0, 9.0f);
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 102.0f);
  EXPECT_EQ(car[0].speed, -6.0f);
  EXPECT_EQ(car[0].moveAng, 0);
}

TEST_F(RaceCollision, ReverseBounceKeepsTwoThirdsForward) {
  TakeCourseColours(sample, 0);
  Paint(98, 100, 10, 1, kRoad);  // wall at x 97
  Place(100, 100, 0, 0);
  car[0].speed = -4.0f;
  car[0].moveAng = 0;
  HeadingStep(car[0]);
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 98.0f);
  EXPECT_FLOAT_EQ(car[0].speed, 2.6666667f);
  HeadingStep(car[0]);
  EXPECT_GT(car[0].velX, 2.0f);  // forward along the facing next frame
}

TEST_F(RaceCollision, GoalColourIsRoadAndAnotherCoursesRoadIsWall) {
  TakeCourseColours(sample, 0);
  Paint(90, 100, 5, 1, kRoad);
  Paint(95, 100, 3, 1, kGoal);
  Paint(98, 100, 5, 1, kRoad5);
  Place(92, 100, 0, 9.0f);
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 97.0f);  // across the goal stripe, stopped by the course-5 colour
  EXPECT_LT(car[0].speed, 0.0f);
  // On course 5 its own road colour is drivable and course 0's grey is the wall.
  TakeCourseColours(sample, 5);
  Paint(95, 100, 3, 1, kRoad);
  Place(100, 100, 12.0f, 3.0f);  // heading 180: to the left
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 98.0f);
  EXPECT_EQ(car[0].speed, -2.0f);
}

TEST_F(RaceCollision, BounceInXStillMovesYWithTheEarlierVelocity) {
  TakeCourseColours(sample, 0);
  Paint(90, 90, 11, 30, kRoad);  // x 90..100, y 90..119
  Place(100, 100, 3.0f, 9.0f);   // 45 degrees: 6 px per axis
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 100.0f);
  EXPECT_EQ(CentreY(), 106.0f);
  EXPECT_EQ(car[0].speed, -6.0f);
  // Both axes bouncing multiplies by 4/9 and keeps the sign.
  Paint(0, 0, 200, 200, kRoad);
  FillRect(course, 101, 0, 1, 200, 0, 160, 0);
  FillRect(course, 0, 107, 200, 1, 0, 160, 0);
  Place(100, 106, 3.0f, 9.0f);
  MovementStep(course, 1);
  EXPECT_FLOAT_EQ(car[0].speed, 4.0f);
}

TEST_F(RaceCollision, FractionsMoveNothingAndReadNothing) {
  TakeCourseColours(sample, 0);
  Paint(0, 0, 200, 200, kRoad);
  Place(100, 100, 0, 0);
  car[0].velX = 0.99f;
  car[0].velY = -0.99f;
  FillRect(course, 101, 100, 1, 1, 0, 160, 0);  // would bounce if read
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 100.0f);
  EXPECT_EQ(CentreY(), 100.0f);
  EXPECT_EQ(car[0].speed, 0.0f);
  Place(100, 100, 6.0f, 9.0f);  // velX about 5e-16: no x step at all
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 100.0f);
  EXPECT_EQ(CentreY(), 109.0f);
}

TEST_F(RaceCollision, ProbesAtOrBeyondTheImageEdgeAreWalls) {
  TakeCourseColours(sample, 0);
  Paint(0, 0, 200, 200, kRoad);  // drivable right up to the edges
  Place(198, 1, 0, 9.0f);
  MovementStep(course, 1);
  EXPECT_EQ(CentreX(), 199.0f);  // x 200 is outside: a wall
  EXPECT_EQ(car[0].speed, -6.0f);
  Place(1, 1, 18.0f, 9.0f);  // heading 270: up
  MovementStep(course, 1);
  EXPECT_EQ(CentreY(), 0.0f);
  EXPECT_EQ(car[0].speed, -6.0f);
  EXPECT_FALSE(IsDrivable(course, -1, 5));
  EXPECT_FALSE(IsDrivable(course, 5, 200));
  EXPECT_FALSE(IsDrivable(nullptr, 5, 5));
  // A black road must not make the outside drivable (getpixel gives 0 there).
  race.wayColor = 0;
  EXPECT_FALSE(IsDrivable(course, 200, 5));
}

// ---- Rival contact, mode 2 ----

class RaceContact : public RaceCollision {
 protected:
  void SetUp() override {
    RaceCollision::SetUp();
    race.secondCarFlg = 1;
    raceProgram.dmgAng = 33.0f;
  }
  // Both cars' screen positions equal to their world positions.
  void Screens() {
    for (auto& c : car) {
      c.dispX = static_cast<int32_t>(c.posX);
      c.dispY = static_cast<int32_t>(c.posY);
    }
  }
  void Push(float px, float py, float rx, float ry, float rivalDir = 0) {
    car[1].posX = rx;
    car[1].posY = ry;
    car[1].dir = rivalDir;
    car[0].posX = px;
    car[0].posY = py;
    car[0].speed = 7.0f;
    // The rival's nose right on the player's centre: contact.
    car[1].dispX = 100;
    car[1].dispY = 100;
    car[0].dispX = 116;
    car[0].dispY = 100;
    ContactDeflectionStep();
  }
};

TEST_F(RaceContact, PushDirectionsFromRivalToPlayer) {
  Push(110, 50, 100, 50);
  EXPECT_EQ(car[0].moveAng, 0);
  EXPECT_EQ(car[0].speed, 2.0f);
  Push(90, 50, 100, 50);
  EXPECT_EQ(car[0].moveAng, 180);
  Push(100, 60, 100, 50);
  EXPECT_EQ(car[0].moveAng, 90);
  Push(100, 40, 100, 50);
  EXPECT_EQ(car[0].moveAng, 270);
  Push(110, 60, 100, 50);
  EXPECT_EQ(car[0].moveAng, 45);
  EXPECT_EQ(raceProgram.textkaku, 1.0f);
  Push(90, 60, 100, 50);
  EXPECT_EQ(car[0].moveAng, 135);
  Push(110, 40, 100, 50);
  EXPECT_EQ(car[0].moveAng, 315);
  EXPECT_FLOAT_EQ(raceProgram.dmgAng, 315.0f);
}

TEST_F(RaceContact, IdenticalPositionsKeepThePreviousDirection) {
  Push(100, 60, 100, 50);
  ASSERT_EQ(raceProgram.dmgAng, 90.0f);
  Push(100, 50, 100, 50);
  EXPECT_EQ(raceProgram.dmgAng, 90.0f);
  EXPECT_EQ(car[0].moveAng, 90);
  EXPECT_EQ(car[0].speed, 2.0f);
}

TEST_F(RaceContact, DeflectionNeedsLessThan256) {
  car[1].dir = 0;  // rival nose at (dispX + 42, dispY + 38)
  car[1].dispX = 100;
  car[1].dispY = 100;
  car[0].dispX = 100 + 16 + 16;  // player centre 16 px right of the rival's nose
  car[0].dispY = 100;
  car[0].speed = 7.0f;
  car[0].moveAng = 10;
  ContactDeflectionStep();
  EXPECT_EQ(car[0].speed, 7.0f);  // exactly 256: no push
  EXPECT_EQ(car[0].moveAng, 10);
  car[0].dispX = 100 + 16 + 15;
  ContactDeflectionStep();
  EXPECT_EQ(car[0].speed, 2.0f);
}

TEST_F(RaceContact, NoseTestNeedsMoreThan256AndStopsTheAxis) {
  car[0].dir = 0;  // player's nose 16 px right of its centre
  car[0].posX = 100;
  car[0].posY = 100;
  car[1].posX = 132;  // rival centre 16 px beyond the nose: exactly 256
  car[1].posY = 100;
  EXPECT_FALSE(NoseClear());
  car[1].posX = 133;
  EXPECT_TRUE(NoseClear());
  // Stepping right toward the rival: steps stop, no bounce.
  TakeCourseColours(sample, 0);
  Paint(0, 0, 200, 200, kRoad);
  car[1].posX = 100 + 16 + 16 + 3;  // three steps allowed, the fourth would touch
  car[0].moveAng = 0;
  car[0].speed = 9.0f;
  HeadingStep(car[0]);
  MovementStep(course, 2);
  EXPECT_EQ(car[0].posX, 103.0f);
  EXPECT_EQ(car[0].speed, 9.0f);
  // Mode 1: the cars pass through each other.
  car[0].posX = 100;
  MovementStep(course, 1);
  EXPECT_EQ(car[0].posX, 109.0f);
}

}  // namespace
