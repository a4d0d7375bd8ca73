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
#include <vector>

#include "course_rules.h"

namespace {

// Reads the checkpoint file; false (with a FAIL line printed) if it lacks twenty pairs.
bool ReadCheckpointFile(const char* path, std::vector<coursekit::Checkpoint>* cps) {
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  if (!in || !coursekit::ParseCheckpoints(ss.str(), cps)) {
    std::printf("FAIL checkpoint file: cannot read twenty \"x,y\" pairs from %s\n", path);
    return false;
  }
  return true;
}

// Checks and prints one verdict line per rule and the overall one; 0 if every rule passes.
int CheckAndReport(const char* mapPath, const char* coloursPath, int course, const char* checkpointPath) {
  coursekit::RgbImage map, colours;
  if (!coursekit::LoadRgbImage(mapPath, &map)) {
    std::printf("FAIL image: cannot read %s\n", mapPath);
    return 1;
  }
  if (!coursekit::LoadRgbImage(coloursPath, &colours)) {
    std::printf("FAIL colour sample: cannot read %s\n", coloursPath);
    return 1;
  }
  std::vector<coursekit::Checkpoint> cps;
  if (checkpointPath && !ReadCheckpointFile(checkpointPath, &cps)) return 1;
  coursekit::CourseReport rep = coursekit::CheckCourse(map, colours, course, checkpointPath ? &cps : nullptr);
  for (const auto& v : rep.verdicts)
    std::printf("%s %s: %s\n", v.pass ? "PASS" : "FAIL", v.rule.c_str(), v.detail.c_str());
  std::printf("%s course %d\n", rep.AllPass() ? "PASS" : "FAIL", course);
  return rep.AllPass() ? 0 : 1;
}

}  // namespace

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
  const int status = CheckAndReport(argv[1], argv[2], course, argc == 5 ? argv[4] : nullptr);
  SDL_Quit();
  return status;
}
