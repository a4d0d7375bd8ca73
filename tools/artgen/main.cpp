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

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && !std::strcmp(argv[1], "--checkpoints")) {
    coursekit::CourseDescription d;
    std::string err;
    if (!coursekit::LoadCourseDescription(argv[2], &d, &err)) {
      std::fprintf(stderr, "%s\n", err.c_str());
      return 1;
    }
    std::fputs(coursekit::FormatCheckpoints(coursekit::DeriveCheckpoints(d)).c_str(), stdout);
    return 0;
  }
  if (argc == 3 && !std::strcmp(argv[1], "--icons")) {
    std::string dir = argv[2];
    MakeDir(dir);
    bool ok = true;
    for (int size : {16, 32, 48, 64, 128, 256})
      ok &= DrawIcon(size).SaveBmp(dir + "/velkaro-" + std::to_string(size) + ".bmp", false);
    return ok ? 0 : 1;
  }
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr,
                 "usage: %s OUTDIR [--courses DIR] [--preview DIR]\n       %s --checkpoints COURSE-FILE\n"
                 "       %s --icons DIR\n",
                 argv[0], argv[0], argv[0]);
    return 2;
  }
  std::string out = argv[1], courseDir = VELKARO_COURSES_DIR, preview;
  for (int i = 2; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--courses"))
      courseDir = argv[i + 1];
    else if (!std::strcmp(argv[i], "--preview"))
      preview = argv[i + 1];
  }
  SDL_Init(0);
  SetFontDir(VELKARO_FONT_DIR);
  if (!FontsReady()) {
    std::fprintf(stderr, "artgen: cannot open the DejaVu fonts in %s\n", VELKARO_FONT_DIR);
    return 1;
  }
  MakeDir(out);
  MakeDir(out + "/image");
  if (!preview.empty()) MakeDir(preview);

  bool ok = true;
  std::vector<coursekit::CourseDescription> descs;
  std::vector<Canvas> thumbs;
  for (int k = 0; k < 6; ++k) {
    coursekit::CourseDescription d;
    std::string err, path = courseDir + "/course" + std::to_string(k) + ".txt";
    if (!coursekit::LoadCourseDescription(path, &d, &err)) {
      std::fprintf(stderr, "artgen: %s\n", err.c_str());
      return 1;
    }
    Canvas map = PaintCourse(d);
    std::string file = out + "/image/map" + std::to_string(k) + ".bmp";
    ok &= map.SaveBmp(file, false);
    thumbs.push_back(Thumbnail(map));
    if (!preview.empty()) ok &= Preview(map, false, 384).SaveBmp(preview + "/map" + std::to_string(k) + ".bmp", false);
    descs.push_back(d);
  }
  for (auto& s : DrawSheets(thumbs, descs)) {
    ok &= s.canvas.SaveBmp(out + "/image/" + s.file, s.keyed);
    if (!preview.empty()) ok &= Preview(s.canvas, s.keyed, 1300).SaveBmp(preview + "/" + s.file, false);
  }
  ok &= DrawIcon().SaveBmp(out + "/icon.bmp", false);
  if (!ok) std::fprintf(stderr, "artgen: could not write every file under %s\n", out.c_str());
  CloseFonts();
  SDL_Quit();
  return ok ? 0 : 1;
}
