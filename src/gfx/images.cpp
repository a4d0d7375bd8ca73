// images.cpp -- loading and releasing the sheets and the course pair
#include "gfx/images.h"

#include <SDL_image.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/bmp_check.h"
#include "records/file_gate.h"

ImageSet img = {};

struct SheetEntry {
  SDL_Surface* ImageSet::*slot;
  const char* file;
  bool keyed;
};

static const SheetEntry sheets[] = {
    {&ImageSet::carImage, "image/car.bmp", true},           {&ImageSet::EcarImage, "image/Ecar.bmp", true},
    {&ImageSet::titleImage, "image/title.bmp", true},       {&ImageSet::menuImage, "image/menu.bmp", true},
    {&ImageSet::stickImage, "image/stick.bmp", true},       {&ImageSet::keybordImage, "image/keybord.bmp", true},
    {&ImageSet::helpImage, "image/help.bmp", true},         {&ImageSet::modeImage, "image/mode.bmp", true},
    {&ImageSet::smallMapImage, "image/SmallMap.bmp", true}, {&ImageSet::finishImage, "image/finish.bmp", true},
    {&ImageSet::frameImage, "image/frame.bmp", true},       {&ImageSet::checkImage, "image/colorCheck.bmp", true},
    {&ImageSet::fullImage, "image/full.bmp", false},        {&ImageSet::selectImage, "image/GameSelect.bmp", false},
    {&ImageSet::numImage, "image/num.bmp", true},           {&ImageSet::numImage2, "image/kazu.bmp", true},
    {&ImageSet::commentImage, "image/comment.bmp", true},
};

static const uint32_t kTransparentKey = 0xFF00FF;  // magenta in the 24-bit sheets

static void releaseSurface(SDL_Surface*& surface) {
  if (surface) SDL_FreeSurface(surface);
  surface = nullptr;
}

// The course images as read from their files, kept so that choosing a course
// costs two copies into warm memory instead of two file loads (each some
// 40 ms, most of it the first touch of freshly allocated pages). A file that
// changed on disk since it was read is read again.
struct CourseOriginal {
  SDL_Surface* surface;
  struct stat file;
};
static const int kCourses = 6;  // image/map0.bmp .. image/map5.bmp
static CourseOriginal courseOriginals[kCourses] = {};

// The rest of an open picture file, checked, then decoded by SDL_image from
// memory: the file is never opened a second time by name.
static SDL_Surface* decodeChecked(FILE* file, int32_t maxWidth, int32_t maxHeight) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(file, GATE_IMAGE_BYTES, &bytes)) return nullptr;
  if (BmpProblem(bytes.data(), bytes.size(), maxWidth, maxHeight)) return nullptr;
  return IMG_Load_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

SDL_Surface* LoadCheckedImage(const char* path, int32_t maxWidth, int32_t maxHeight) {
  FILE* file = OpenGatedFile(path, GATE_IMAGE_BYTES);
  if (!file) return nullptr;
  SDL_Surface* loaded = decodeChecked(file, maxWidth, maxHeight);
  fclose(file);
  return loaded;
}

static void coursePath(int course, char* path, size_t size) { snprintf(path, size, "image/map%d.bmp", course); }

static bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// The course's original, read from its file unless the kept one is current;
// nullptr when the file cannot be read.
static SDL_Surface* courseOriginal(int course) {
  if (course < 0 || course >= kCourses) return nullptr;
  char path[32];
  coursePath(course, path, sizeof path);
  struct stat file;
  FILE* stream = OpenGatedFile(path, GATE_IMAGE_BYTES, &file);
  if (!stream) return nullptr;
  CourseOriginal& kept = courseOriginals[course];
  SDL_Surface* loaded = nullptr;
  if (!kept.surface || !sameFile(kept.file, file)) loaded = decodeChecked(stream, BMP_COURSE_MAX_W, BMP_COURSE_MAX_H);
  fclose(stream);
  if (kept.surface && sameFile(kept.file, file)) return kept.surface;
  if (!loaded) return nullptr;
  if (kept.surface) SDL_FreeSurface(kept.surface);
  kept.surface = loaded;
  kept.file = file;
  return loaded;
}

// Two course-sized surfaces made (and so touched) before the first frame, for
// the first course choice, which has no held pair to reuse.
static SDL_Surface* spareCourseSurfaces[2] = {};

static void forgetCourseOriginals() {
  for (CourseOriginal& kept : courseOriginals) {
    if (kept.surface) SDL_FreeSurface(kept.surface);
    kept.surface = nullptr;
  }
  for (SDL_Surface*& spare : spareCourseSurfaces) releaseSurface(spare);
}

static bool sameLayout(const SDL_Surface* a, const SDL_Surface* b) {
  const SDL_PixelFormat* f = a->format;
  const SDL_PixelFormat* g = b->format;
  return a->w == b->w && a->h == b->h && a->pitch == b->pitch && f->BitsPerPixel == g->BitsPerPixel &&
         f->Rmask == g->Rmask && f->Gmask == g->Gmask && f->Bmask == g->Bmask && f->Amask == g->Amask && !f->palette &&
         !g->palette;
}

// The surface a course copy goes into: the held one when it has the
// original's layout (its pages are warm, so the copy costs no page faults),
// else a new one; nullptr when none can be made.
static SDL_Surface* newCourseSurface(const SDL_Surface* original) {
  const SDL_PixelFormat* f = original->format;
  SDL_Surface* made = SDL_CreateRGBSurface(SDL_SWSURFACE, original->w, original->h, f->BitsPerPixel, f->Rmask, f->Gmask,
                                           f->Bmask, f->Amask);
  if (made && !sameLayout(made, original)) {
    SDL_FreeSurface(made);
    made = nullptr;
  }
  return made;
}

static SDL_Surface* courseSurfaceFor(const SDL_Surface* original, SDL_Surface* held) {
  if (held && sameLayout(held, original)) return held;
  for (SDL_Surface*& spare : spareCourseSurfaces) {
    if (spare && sameLayout(spare, original)) {
      SDL_Surface* taken = spare;
      spare = nullptr;
      return taken;
    }
  }
  return newCourseSurface(original);
}

// Copies the original's pixels and leaves the surface as a fresh load does:
// no colour key, no alpha, the whole clip.
static void fillFromOriginal(SDL_Surface* copy, const SDL_Surface* original) {
  SDL_SetColorKey(copy, 0, 0);
  SDL_SetAlpha(copy, 0, SDL_ALPHA_OPAQUE);
  SDL_SetClipRect(copy, nullptr);
  memcpy(copy->pixels, original->pixels, static_cast<size_t>(original->pitch) * original->h);
}

void ImageLoad() {
  for (const SheetEntry& sheet : sheets) {
    img.*sheet.slot = LoadCheckedImage(sheet.file, BMP_SHEET_MAX_SIDE, BMP_SHEET_MAX_SIDE);
    if (!(img.*sheet.slot)) puts("NOT READ FILE");
  }
  for (const SheetEntry& sheet : sheets) {
    if (sheet.keyed && img.*sheet.slot) SDL_SetColorKey(img.*sheet.slot, SDL_SRCCOLORKEY, kTransparentKey);
  }
  // Read now, before the first frame, so the course select's choice frame
  // does not wait for the files. A course that cannot be read is not
  // reported here; choosing it reports it.
  for (int course = 0; course < kCourses; ++course) courseOriginal(course);
  if (SDL_Surface* first = courseOriginals[0].surface) {
    for (SDL_Surface*& spare : spareCourseSurfaces) {
      if (!spare) spare = newCourseSurface(first);
      // Written once now: a new surface's zeroed memory may not be backed by
      // pages yet, and the first write to each would be paid in the frame.
      if (spare) fillFromOriginal(spare, first);
    }
  }
}

void ImageRelease() {
  for (const SheetEntry& sheet : sheets) releaseSurface(img.*sheet.slot);
  releaseSurface(img.mapImage);
  releaseSurface(img.bbMap);
  releaseSurface(img.ZoomImage);
  forgetCourseOriginals();
}

bool LoadCoursePair(int course) {
  SDL_Surface* original = courseOriginal(course);
  SDL_Surface* collision = original ? courseSurfaceFor(original, img.mapImage) : nullptr;
  SDL_Surface* display = original ? courseSurfaceFor(original, img.bbMap) : nullptr;
  if (!collision || !display) {
    // Nothing held has been touched yet.
    if (collision && collision != img.mapImage) SDL_FreeSurface(collision);
    if (display && display != img.bbMap) SDL_FreeSurface(display);
    char path[32];
    coursePath(course, path, sizeof path);
    if (original)
      printf("course image %s is in a pixel format the game cannot race on\n", path);
    else
      printf("cannot load course image %s\n", path);
    return false;
  }
  fillFromOriginal(collision, original);
  fillFromOriginal(display, original);
  if (img.mapImage != collision) releaseSurface(img.mapImage);
  if (img.bbMap != display) releaseSurface(img.bbMap);
  img.mapImage = collision;
  img.bbMap = display;
  return true;
}

bool CoursePairUsable() {
  return img.mapImage && img.bbMap && img.mapImage->w >= COURSE_W && img.mapImage->h >= COURSE_H &&
         img.bbMap->w >= COURSE_W && img.bbMap->h >= COURSE_H;
}
