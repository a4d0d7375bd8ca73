// The course pair: fresh independent copies of the course file on every choice, whether
// the file was read ahead, reused from memory or changed on disk since.
#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "gfx/draw.h"
#include "gfx/images.h"
#include "test_support.h"

class CoursePairTest : public SceneTest {
 protected:
  // A course image of one colour with a marker square at (100, 100).
  static void WriteCourse(int k, uint8_t r, uint8_t g, uint8_t b, long mtime) {
    SDL_Surface* course = MakeSurface24(COURSE_W, COURSE_H, r, g, b);
    FillRect(course, 100, 100, 10, 10, 1, 2, 3);
    const std::string path = "image/map" + std::to_string(k) + ".bmp";
    ASSERT_EQ(SDL_SaveBMP(course, path.c_str()), 0);
    SDL_FreeSurface(course);
    // Explicit times, so a rewrite is told apart however fast it follows.
    const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
};

TEST_F(CoursePairTest, EveryChoiceGivesTwoFreshIndependentCopies) {
  WriteCourse(2, 40, 140, 60, 1000);
  ImageLoad();  // reads the course ahead; the sheets are missing, which is fine here
  ASSERT_TRUE(LoadCoursePair(2));
  SDL_Surface* collision = img.mapImage;
  SDL_Surface* display = img.bbMap;
  ASSERT_NE(collision, display);
  EXPECT_EQ(V(PixelRGB(display, 0, 0), PixelRGB(collision, 105, 105)), V(0x288C3Cu, 0x010203u));
  Draw_Line(display, 0, 0, 50, 0, SDL_MapRGB(display->format, 100, 100, 100));  // a skid mark
  SetSheetAlpha(display, 40);
  EXPECT_EQ(PixelRGB(collision, 10, 0), 0x288C3Cu);  // the collision copy is its own surface
  ASSERT_TRUE(LoadCoursePair(2));                    // chosen again: the marks are gone
  EXPECT_EQ(PixelRGB(img.bbMap, 10, 0), 0x288C3Cu);
  EXPECT_FALSE(img.bbMap->flags & SDL_SRCALPHA);  // as a fresh load leaves it
  EXPECT_FALSE(img.bbMap->flags & SDL_SRCCOLORKEY);
  EXPECT_NE(img.mapImage, img.bbMap);
}

TEST_F(CoursePairTest, ACourseFileChangedOnDiskIsReadAgain) {
  WriteCourse(0, 40, 140, 60, 1000);
  ImageLoad();
  ASSERT_TRUE(LoadCoursePair(0));
  EXPECT_EQ(PixelRGB(img.mapImage, 0, 0), 0x288C3Cu);
  WriteCourse(0, 200, 10, 10, 2000);
  ASSERT_TRUE(LoadCoursePair(0));
  EXPECT_EQ(V(PixelRGB(img.mapImage, 0, 0), PixelRGB(img.bbMap, 0, 0)), V(0xC80A0Au, 0xC80A0Au));
}

TEST_F(CoursePairTest, AnUnreadableCourseLeavesThePairAsItWas) {
  WriteCourse(1, 40, 140, 60, 1000);
  ASSERT_TRUE(LoadCoursePair(1));  // not read ahead: no ImageLoad
  SDL_Surface* collision = img.mapImage;
  WriteTextFile("image/map3.bmp", "not a picture");
  EXPECT_FALSE(LoadCoursePair(3));
  EXPECT_FALSE(LoadCoursePair(4));  // no file at all
  EXPECT_EQ(img.mapImage, collision);
  EXPECT_EQ(V(PixelRGB(img.mapImage, 0, 0), PixelRGB(img.bbMap, 0, 0)), V(0x288C3Cu, 0x288C3Cu));
}

TEST_F(CoursePairTest, ACourseOfAnotherSizeGetsSurfacesOfItsOwn) {
  WriteCourse(0, 40, 140, 60, 1000);
  ASSERT_TRUE(LoadCoursePair(0));
  SDL_Surface* small = MakeSurface24(64, 48, 9, 8, 7);
  ASSERT_EQ(SDL_SaveBMP(small, "image/map5.bmp"), 0);
  SDL_FreeSurface(small);
  ASSERT_TRUE(LoadCoursePair(5));
  EXPECT_EQ(V(img.mapImage->w, img.bbMap->h, PixelRGB(img.bbMap, 63, 47)), V(64, 48, 0x090807u));
  EXPECT_FALSE(CoursePairUsable());
}
