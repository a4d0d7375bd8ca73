// Headless drives on the generated courses: the car keeps to drivable pixels and inside the image.
#include <cmath>

#include "test_race_support.h"

using RaceGeneratedCourse = RaceSceneTest;

TEST_F(RaceGeneratedCourse, RandomDrivingStaysOnEachCoursesRoad) {
  ImageRelease();  // the synthetic course makes way for the generated ones
  if (!LoadGeneratedImages() || system("cp '" VELKARO_RUNTIME_DIR "/data/'check*.txt data/ 2>/dev/null") != 0)
    SKIP_OR_FAIL_ON_CI("generated art or checkpoints not built yet");
  const uint8_t moves[] = {KEY_UP,   KEY_UP, KEY_UP | KEY_LEFT, KEY_UP | KEY_RIGHT, KEY_DOWN, KEY_DOWN | KEY_LEFT,
                           KEY_LEFT, 0};
  for (int course = 0; course < 6; ++course) {
    ASSERT_TRUE(LoadCoursePair(course));  // as the course select leaves things before a race
    for (auto& c : car) c = CarAt(static_cast<float>(kTrack[course].InitAng), 0, 15 * kTrack[course].InitAng);
    race.readyFlg = 0, PushKeys(0, 60);
    uint32_t dice = 12345;  // a fixed-seed key stream, the same on every machine
    for (int i = 0; i < 600; ++i) PushKeys(moves[((dice = dice * 1103515245u + 12345u) >> 16) % 8], 1 + i % 5);
    for (int frame = 0; !KeyScript().empty(); ++frame) {
      ASSERT_EQ(Game(screen, course, 1), 4) << "course " << course << " frame " << frame;
      // The sprite may overhang the image; its centre may not, and stays on the road.
      const auto cx = static_cast<int32_t>(std::floor(car[0].posX + 26)),
                 cy = static_cast<int32_t>(std::floor(car[0].posY + 38));
      ASSERT_TRUE(IsDrivable(CourseViewOf(img.mapImage), cx, cy))
          << course << ": " << cx << "," << cy << " frame " << frame;
    }
  }
}
