// Track collision on small synthetic courses, and the rival contact tests of mode 2.
#include <array>

#include "test_race_support.h"

// Road grey, goal white, course-5 road brown, wall green.
const uint32_t kRoad = 0x5A5A5A, kGoal = 0xFAFAFA, kRoad5 = 0x785028, kWall = 0x00A000;
using Rect = std::array<uint32_t, 5>;  // x, y, w, h, rgb
const Rect kAll = {0, 0, COURSE_W, COURSE_H, kRoad};

class RaceCollision : public RaceSceneTest {
 protected:
  // Paints rects over an all-wall course and takes the colours of courseNo.
  static void Paint(std::vector<Rect> rects, int courseNo = 0) {
    rects.insert(rects.begin(), {0, 0, COURSE_W, COURSE_H, kWall});
    for (const Rect& r : rects) FillRect(img.mapImage, r[0], r[1], r[2], r[3], r[4] >> 16, r[4] >> 8, r[4]);
    TakeCourseColours(img.checkImage, courseNo);
  }
  // One movement step on course's colours from the player's centre (cx, cy) along dir; the centre and
  // the speed after it.
  static std::vector<double> Move(int course, const std::vector<Rect>& rects, int cx, int cy, float dir, float speed) {
    Paint(rects, course);
    car[0] = CarAt(dir, speed, 15 * static_cast<int>(dir), cx - 26.0f, cy - 38.0f);
    HeadingStep(car[0]), MovementStep(CourseViewOf(img.mapImage), 1);
    return V(car[0].posX + 26, car[0].posY + 38, car[0].speed);
  }
};

TEST_F(RaceCollision, MovementSamples) {
  // Two pixels, then a bounce. The goal colour is road, course 5's road a wall; on course 5
  // course 0's grey is the wall.
  EXPECT_EQ(Move(0, {{50, 100, 53, 1, kRoad}}, 100, 100, 0, 9.0f), V(102, 100, -6.0f));
  EXPECT_EQ(Move(0, {{90, 100, 5, 1, kRoad}, {95, 100, 3, 1, kGoal}, {98, 100, 5, 1, kRoad5}}, 92, 100, 0, 9.0f),
            V(97, 100, -6.0f));
  EXPECT_EQ(Move(5, {{95, 100, 3, 1, kRoad}, {98, 100, 5, 1, kRoad5}}, 100, 100, 12.0f, 3.0f), V(98, 100, -2.0f));
  // x moves before y, and y uses the velocity from before an x bounce; both bouncing keep the sign.
  EXPECT_EQ(Move(0, {{90, 100, 21, 1, kRoad}, {106, 100, 1, 11, kRoad}}, 100, 100, 3.0f, 9.0f), V(106, 106, 9.0f));
  EXPECT_EQ(Move(0, {{90, 90, 11, 30, kRoad}}, 100, 100, 3.0f, 9.0f), V(100, 106, -6.0f));
  EXPECT_EQ(Move(0, {kAll, {101, 0, 1, 200, kWall}, {0, 107, 200, 1, kWall}}, 100, 106, 3.0f, 9.0f), V(100, 106, 4.0f));
  // Velocities below 1 (0.99 each way; 5e-16 in x) move and read nothing.
  EXPECT_EQ(Move(0, {kAll, {101, 100, 1, 1, kWall}, {100, 101, 1, 1, kWall}}, 100, 100, 3.0f, 1.4f), V(100, 100, 1.4f));
  EXPECT_EQ(Move(0, {kAll, {101, 100, 1, 1, kWall}}, 100, 100, 6.0f, 9.0f), V(100, 109, 9.0f));
  // Probes outside the image are walls, even for a black road.
  EXPECT_EQ(Move(0, {kAll}, COURSE_W - 2, 1, 0, 9.0f), V(COURSE_W - 1, 1, -6.0f));
  EXPECT_EQ(Move(0, {kAll}, 1, 1, 18.0f, 9.0f), V(1, 0, -6.0f));
  race.wayColor = 0;
  EXPECT_EQ(V(IsDrivable(CourseViewOf(img.mapImage), COURSE_W, 5), IsDrivable(CourseViewOf(nullptr), 5, 5)), V(0, 0));
}

TEST_F(RaceCollision, RivalPushDirectionsAndReach) {
  race.secondCarFlg = 1, raceProgram.dmgAng = 33.0f;
  // Player position, the player's dispX, the push and the speed after it. The rival faces right,
  // its nose at dispX + 42: on the player's centre at 116, 16 px from it at 132 (no push), 15 at 131.
  // Identical positions keep the previous direction.
  const int32_t cases[][5] = {{110, 50, 116, 0, 2},   {90, 50, 116, 180, 2},  {100, 60, 116, 90, 2},
                              {100, 40, 116, 270, 2}, {110, 60, 116, 45, 2},  {90, 60, 116, 135, 2},
                              {110, 40, 116, 315, 2}, {100, 50, 116, 315, 2}, {110, 50, 132, 0, 7},
                              {110, 50, 131, 0, 2}};
  for (const auto& t : cases) {
    car[0] = CarAt(0, 7.0f, 0, t[0], t[1]), car[1] = CarAt(0, 0, 0, 100, 50);
    car[1].dispX = car[1].dispY = car[0].dispY = 100, car[0].dispX = t[2];
    ContactDeflectionStep();
    EXPECT_EQ(V(car[0].moveAng, car[0].speed), V(t[3], t[4])) << t[0] << "," << t[1] << " " << t[2];
  }
}

TEST_F(RaceCollision, NoseBoundaryAt256AndStoppingShortOfTheRival) {
  race.secondCarFlg = 1;
  // The player's nose 16 px right of its centre, the rival's centre 16 px beyond it.
  car[0] = CarAt(0, 9.0f, 0, 100, 100), car[1] = CarAt(0, 0, 0, 132, 100);
  EXPECT_EQ(Seq() << NoseClear() << (car[1].posX = 133, NoseClear()), V(0, 1));
  // Stepping toward the rival stops short without a bounce; mode 1 passes through.
  Paint({kAll}), car[1].posX = 135;
  HeadingStep(car[0]), MovementStep(CourseViewOf(img.mapImage), 2);
  EXPECT_EQ(V(car[0].posX, car[0].speed), V(103, 9));
  EXPECT_EQ((MovementStep(CourseViewOf(img.mapImage), 1), car[0].posX), 112.0f);
}

TEST_F(RaceCollision, BounceMinusTwoThirdsInDoubleSnapsTravel) {
  Paint({{100, 100, 1, 1, kRoad}});  // every step from the centre is a wall
  for (int k = -80; k <= 180; ++k) {
    const float speed = k * 0.05f;
    if (speed > -1.05f && speed < 1.05f) continue;  // too slow to take a step
    car[0] = CarAt(0, speed, 8, 74, 62);            // travel 4 degrees off the facing after the chase
    HeadingStep(car[0]), MovementStep(CourseViewOf(img.mapImage), 1);
    EXPECT_EQ(V(car[0].speed, car[0].moveAng), V(static_cast<float>(speed * -2.0 / 3.0), 0)) << speed;
  }
}
