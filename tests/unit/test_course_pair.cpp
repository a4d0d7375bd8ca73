// The course pair: fresh independent copies of the course file on every choice, whether
// the file was read ahead, reused from memory or changed on disk since.
#include <fcntl.h>
#include <sys/stat.h>

#include "gfx/draw.h"
#include "gfx/images.h"
#include "test_support.h"

// A course image of one colour with a marker square at (100, 100), modified at mtime
// (explicit, so that a rewrite is told apart however fast it follows).
static void WriteCourse(int k, uint32_t rgb, long mtime, int w = COURSE_W, int h = COURSE_H) {
  SDL_Surface* course = MakeSurface24(w, h, rgb >> 16, rgb >> 8, rgb);
  FillRect(course, 100, 100, 10, 10, 1, 2, 3);
  const std::string path = "image/map" + std::to_string(k) + ".bmp";
  ASSERT_EQ(SDL_SaveBMP(course, path.c_str()), 0);
  SDL_FreeSurface(course);
  const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

using CoursePairTest = SceneTest;

TEST_F(CoursePairTest, EachChoiceGivesFreshCopiesOfFileAsNow) {
  WriteCourse(2, 0x288C3C, 1000);
  ImageLoad();  // reads the course ahead; the sheets are missing, which is fine here
  for (int choice = 0; choice < 2; ++choice) {
    ASSERT_TRUE(LoadCoursePair(2));
    // The second choice: the marks below are gone and the display copy is as a fresh load leaves it.
    EXPECT_EQ(V(PixelRGB(img.bbMap, 10, 0), PixelRGB(img.mapImage, 105, 105)), V(0x288C3C, 0x010203));
    EXPECT_EQ(img.bbMap->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY), 0u);
    Draw_Line(img.bbMap, 0, 0, 50, 0, SDL_MapRGB(img.bbMap->format, 100, 100, 100));  // a skid mark
    SetSheetAlpha(img.bbMap, 40);
    EXPECT_EQ(PixelRGB(img.mapImage, 10, 0), 0x288C3Cu);  // the collision copy is a surface of its own
  }
  WriteCourse(2, 0xC80A0A, 2000);  // changed on disk: read again
  ASSERT_TRUE(LoadCoursePair(2));
  EXPECT_EQ(V(PixelRGB(img.mapImage, 0, 0), PixelRGB(img.bbMap, 0, 0)), V(0xC80A0A, 0xC80A0A));
  // Not read ahead; then an unreadable and a missing course leave the pair as it was.
  WriteCourse(1, 0x288C3C, 1000);
  ASSERT_TRUE(LoadCoursePair(1));
  SDL_Surface* collision = img.mapImage;
  WriteTextFile("image/map3.bmp", "not a picture");
  EXPECT_FALSE(LoadCoursePair(3) || LoadCoursePair(4));
  EXPECT_EQ(V(img.mapImage == collision, PixelRGB(img.mapImage, 0, 0), PixelRGB(img.bbMap, 0, 0)),
            V(1, 0x288C3C, 0x288C3C));
  // A course of another size gets surfaces of its own, which the race cannot use.
  WriteCourse(5, 0x090807, 1000, 64, 48);
  ASSERT_TRUE(LoadCoursePair(5));
  EXPECT_EQ(V(img.mapImage->w, img.bbMap->h, PixelRGB(img.bbMap, 63, 47), CoursePairUsable()), V(64, 48, 0x090807, 0));
}
