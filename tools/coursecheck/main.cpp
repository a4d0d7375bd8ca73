// main.cpp -- velkaro_coursecheck: verifies a course image against the race's rules.
//
//   velkaro_coursecheck MAP.bmp COLORCHECK.bmp COURSE [CHECKPOINTS.txt]
//
// Prints "PASS rule: detail" or "FAIL rule: detail" for every rule and exits 0 only if all pass.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "course_rules.h"

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: %s MAP.bmp COLORCHECK.bmp COURSE(0..5) [CHECKPOINTS.txt]\n", argv[0]);
    return 2;
  }
  int course = std::atoi(argv[3]);
  if (course < 0 || course > 5) {
    std::fprintf(stderr, "course must be 0..5\n");
    return 2;
  }
  SDL_Init(0);
  coursekit::RgbImage map, colours;
  if (!coursekit::LoadRgbImage(argv[1], &map)) {
    std::printf("FAIL image: cannot read %s\n", argv[1]);
    return 1;
  }
  if (!coursekit::LoadRgbImage(argv[2], &colours)) {
    std::printf("FAIL colour sample: cannot read %s\n", argv[2]);
    return 1;
  }
  std::vector<coursekit::Checkpoint> cps;
  bool haveCps = false;
  if (argc == 5) {
    std::ifstream in(argv[4]);
    std::stringstream ss;
    ss << in.rdbuf();
    if (!in || !coursekit::ParseCheckpoints(ss.str(), &cps)) {
      std::printf("FAIL checkpoint file: cannot read twenty \"x,y\" pairs from %s\n", argv[4]);
      return 1;
    }
    haveCps = true;
  }
  coursekit::CourseReport rep = coursekit::CheckCourse(map, colours, course, haveCps ? &cps : nullptr);
  for (const auto& v : rep.verdicts)
    std::printf("%s %s: %s\n", v.pass ? "PASS" : "FAIL", v.rule.c_str(), v.detail.c_str());
  std::printf("%s course %d\n", rep.AllPass() ? "PASS" : "FAIL", course);
  SDL_Quit();
  return rep.AllPass() ? 0 : 1;
}
