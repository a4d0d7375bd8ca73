// main.cpp -- velkaro_artgen: writes every sheet, the course images and the icon.
//
//   velkaro_artgen OUTDIR [--courses DIR] [--preview DIR]
//       writes OUTDIR/image/*.bmp and OUTDIR/icon.bmp; with --preview also writes
//       scaled BMP previews of every sheet and course into DIR.
//   velkaro_artgen --icons DIR
//       writes the desktop icon at every theme size as DIR/velkaro-SIZE.bmp.
//   velkaro_artgen --checkpoints COURSE-FILE
//       prints the checkpoint file derived from a course description.
#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "course.h"
#include "course_paint.h"
#include "palette.h"
#include "sheets.h"

// Both folders come from the build: the course descriptions and the DejaVu fonts.
#if !defined(VELKARO_COURSES_DIR) || !defined(VELKARO_FONT_DIR)
#error "build with VELKARO_COURSES_DIR and VELKARO_FONT_DIR defined"
#endif

using namespace artgen;

namespace {

void MakeDir(const std::string& p) { mkdir(p.c_str(), 0755); }

// A preview is the sheet over a neutral checker, so keyed parts show as such.
Canvas Preview(const Canvas& src, bool keyed, int maxW) {
  int f = 1;
  while (src.w() / f > maxW) ++f;
  Canvas out(src.w() / f, src.h() / f);
  for (int y = 0; y < out.h(); ++y)
    for (int x = 0; x < out.w(); ++x) {
      uint32_t v = src.Pixel(x * f, y * f);
      bool clear = keyed && (v >> 24) < 128;
      Rgb bg = ((x / 8 + y / 8) % 2) ? Rgb{179, 163, 140} : Rgb{160, 146, 124};
      out.SetPixel(x, y, clear ? bg : RgbOf(v));
    }
  return out;
}

// --checkpoints: the checkpoint file derived from a course description, on standard output.
int PrintCheckpoints(const char* coursePath) {
  coursekit::CourseDescription d;
  std::string err;
  if (!coursekit::LoadCourseDescription(coursePath, &d, &err)) {
    std::fprintf(stderr, "%s\n", err.c_str());
    return 1;
  }
  std::fputs(coursekit::FormatCheckpoints(coursekit::DeriveCheckpoints(d)).c_str(), stdout);
  return 0;
}

// --icons: the desktop icon at every theme size.
int WriteIcons(const std::string& dir) {
  MakeDir(dir);
  bool ok = true;
  for (int size : {16, 32, 48, 64, 128, 256})
    ok &= DrawIcon(size).SaveBmp(dir + "/velkaro-" + std::to_string(size) + ".bmp", false);
  return ok ? 0 : 1;
}

struct ArtPaths {
  std::string out;                              // the runtime directory written into
  std::string courseDir = VELKARO_COURSES_DIR;  // course descriptions
  std::string preview;                          // previews, when not empty
};

ArtPaths ParseArtPaths(int argc, char** argv) {
  ArtPaths paths;
  paths.out = argv[1];
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--courses"))
      paths.courseDir = argv[i + 1];
    else if (!std::strcmp(argv[i], "--preview"))
      paths.preview = argv[i + 1];
  }
  return paths;
}

// Paints and writes the six courses, keeping their thumbnails and descriptions for the sheets.
// False if a description cannot be read (nothing more is worth drawing); *ok turns false if a
// file cannot be written.
bool PaintCourses(const ArtPaths& paths, std::vector<coursekit::CourseDescription>* descs, std::vector<Canvas>* thumbs,
                  bool* ok) {
  for (int k = 0; k < 6; ++k) {
    coursekit::CourseDescription d;
    std::string err, path = paths.courseDir + "/course" + std::to_string(k) + ".txt";
    if (!coursekit::LoadCourseDescription(path, &d, &err)) {
      std::fprintf(stderr, "artgen: %s\n", err.c_str());
      return false;
    }
    Canvas map = PaintCourse(d);
    std::string file = paths.out + "/image/map" + std::to_string(k) + ".bmp";
    *ok &= map.SaveBmp(file, false);
    thumbs->push_back(Thumbnail(map));
    if (!paths.preview.empty())
      *ok &= Preview(map, false, 384).SaveBmp(paths.preview + "/map" + std::to_string(k) + ".bmp", false);
    descs->push_back(d);
  }
  return true;
}

// Every sheet and the window icon; false if a file cannot be written.
bool WriteSheets(const ArtPaths& paths, const std::vector<Canvas>& thumbs,
                 const std::vector<coursekit::CourseDescription>& descs) {
  bool ok = true;
  for (auto& s : DrawSheets(thumbs, descs)) {
    ok &= s.canvas.SaveBmp(paths.out + "/image/" + s.file, s.keyed);
    if (!paths.preview.empty()) ok &= Preview(s.canvas, s.keyed, 1300).SaveBmp(paths.preview + "/" + s.file, false);
  }
  return ok & DrawIcon().SaveBmp(paths.out + "/icon.bmp", false);
}

// Draws everything into the runtime directory.
int WriteArt(const ArtPaths& paths) {
  SDL_Init(0);
  SetFontDir(VELKARO_FONT_DIR);
  if (!FontsReady()) {
    std::fprintf(stderr, "artgen: cannot open the DejaVu fonts in %s\n", VELKARO_FONT_DIR);
    return 1;
  }
  MakeDir(paths.out);
  MakeDir(paths.out + "/image");
  if (!paths.preview.empty()) MakeDir(paths.preview);
  bool ok = true;
  std::vector<coursekit::CourseDescription> descs;
  std::vector<Canvas> thumbs;
  if (!PaintCourses(paths, &descs, &thumbs, &ok)) return 1;
  ok &= WriteSheets(paths, thumbs, descs);
  if (!ok) std::fprintf(stderr, "artgen: could not write every file under %s\n", paths.out.c_str());
  CloseFonts();
  SDL_Quit();
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && !std::strcmp(argv[1], "--checkpoints")) return PrintCheckpoints(argv[2]);
  if (argc == 3 && !std::strcmp(argv[1], "--icons")) return WriteIcons(argv[2]);
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr,
                 "usage: %s OUTDIR [--courses DIR] [--preview DIR]\n       %s --checkpoints COURSE-FILE\n"
                 "       %s --icons DIR\n",
                 argv[0], argv[0], argv[0]);
    return 2;
  }
  return WriteArt(ParseArtPaths(argc, argv));
}
