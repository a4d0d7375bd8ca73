// course_rules.cpp -- the course checker: the table of rules, run in order, and the image loader.
#include "course_rules.h"

#include <SDL.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "course_check.h"
#include "race/car_state.h"

namespace coursekit {

namespace {

struct CourseRule {
  const char* name;  // the verdict line's rule name
  bool (*check)(CourseCheck& c, std::string* detail);
  bool needsCheckpoints;  // skipped when no checkpoint file is given
  bool stopOnFail;        // the rules after it cannot run on this image
};

const CourseRule kRules[] = {
    {"image size", CheckImageSize, false, true},
    {"colour sample", CheckColourSample, false, true},
    {"start on road", CheckStartOnRoad, false, false},
    {"start heading", CheckStartHeading, false, false},
    {"closed region", CheckClosedRegion, false, false},
    {"barrier", CheckBarrier, false, false},
    {"goal stripe", CheckGoalStripe, false, false},
    {"goal probe at start", CheckGoalProbe, false, false},
    {"closed loop", CheckClosedLoop, false, false},
    {"checkpoints on road", CheckCheckpointsOnRoad, true, false},
    {"road width at checkpoints", CheckRoadWidth, true, false},
    {"checkpoint order", CheckCheckpointOrder, true, false},
    {"lap length", CheckLapLength, false, false},
};

// One pixel of a locked surface as 0xRRGGBB.
uint32_t RgbAt(const SDL_Surface* s, int x, int y) {
  const int bpp = s->format->BytesPerPixel;
  const Uint8* p =
      static_cast<const Uint8*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch + static_cast<ptrdiff_t>(x) * bpp;
  Uint32 v = 0;
  for (int i = 0; i < bpp; ++i) v |= static_cast<Uint32>(p[i]) << (8 * i);  // little-endian pixel bytes
  Uint8 r, g, b;
  SDL_GetRGB(v, s->format, &r, &g, &b);
  return (static_cast<uint32_t>(r) << 16) | (g << 8) | b;
}

}  // namespace

std::string Fmt(const char* f, double a, double b, double c, double d) {
  char buf[256];
  std::snprintf(buf, sizeof buf, f, a, b, c, d);
  return buf;
}

StartAxes AxesOf(const CourseStart& st) {
  StartAxes f{};
  switch (st.initAng) {
    case 0: f = {1, 0, st.goalX, st.goalX + st.goalW, st.goalY, st.goalY + st.goalH}; break;
    case 6: f = {0, 1, st.goalY, st.goalY + st.goalH, st.goalX, st.goalX + st.goalW}; break;
    case 12: f = {-1, 0, -(st.goalX + st.goalW), -st.goalX, st.goalY, st.goalY + st.goalH}; break;
    default: f = {0, -1, -(st.goalY + st.goalH), -st.goalY, st.goalX, st.goalX + st.goalW}; break;
  }
  return f;
}

// Cars are placed by their sprite's top-left corner; the centre is 26, 38 inside it.
CourseCheck::CourseCheck(const RgbImage& map, const RgbImage& colours, int course,
                         const std::vector<Checkpoint>* checkpoints, CourseReport* rep)
    : map(map),
      colours(colours),
      course(course),
      checkpoints(checkpoints),
      st(StartOf(course)),
      axes(AxesOf(st)),
      sx(st.initX + CAR_CENTRE_X),
      sy(st.initY + CAR_CENTRE_Y),
      ax(st.initAX + CAR_CENTRE_X),
      ay(st.initAY + CAR_CENTRE_Y),
      rep(rep) {}

bool CourseReport::AllPass() const {
  for (const auto& v : verdicts)
    if (!v.pass) return false;
  return !verdicts.empty();
}

float MaxLapLength(int course) {
  float frames = std::min(8000.0f, 0.6f * StartOf(course).overTime / 16.0f);
  return frames / 3.0f * 5.0f;
}

bool LoadRgbImage(const std::string& path, RgbImage* out) {
  SDL_Surface* s = SDL_LoadBMP(path.c_str());
  if (!s) return false;
  SDL_LockSurface(s);
  out->w = s->w;
  out->h = s->h;
  out->px.assign(static_cast<size_t>(s->w) * s->h, 0);
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x) out->px[static_cast<size_t>(y) * s->w + x] = RgbAt(s, x, y);
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  return true;
}

CourseReport CheckCourse(const RgbImage& map, const RgbImage& colours, int course,
                         const std::vector<Checkpoint>* checkpoints) {
  CourseReport rep;
  CourseCheck c(map, colours, course, checkpoints, &rep);
  for (const CourseRule& rule : kRules) {
    if (rule.needsCheckpoints && !checkpoints) continue;
    std::string detail;
    const bool pass = rule.check(c, &detail);
    rep.verdicts.push_back({rule.name, pass, detail});
    if (!pass && rule.stopOnFail) break;
  }
  return rep;
}

}  // namespace coursekit
