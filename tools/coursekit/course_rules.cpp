// course_rules.cpp -- the course checker: flood fills and path lengths over the road colours.
#include "course_rules.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <queue>

namespace coursekit {

namespace {

const int kMapW = 1536, kMapH = 1152;
const int kBorderGap = 2;  // drivable pixels keep this far from the image border
const float kMinWidth = 90, kMaxWidth = 150;
const float kCheckRadius = 83.66f;  // sqrt(7000), the race's checkpoint radius
const int kBarrierReach = 18;       // a barrier lies this close to every wall pixel at the road

std::string Fmt(const char* f, double a = 0, double b = 0, double c = 0, double d = 0) {
  char buf[256];
  std::snprintf(buf, sizeof buf, f, a, b, c, d);
  return buf;
}

struct Frame {
  int dx, dy;  // driving direction at the start
  int g0, g1;  // goal along the driving axis: near and far edge (in driving order)
  int p0, p1;  // goal across the driving axis (exclusive bounds)
};

Frame StartFrame(const CourseStart& st) {
  Frame f{};
  switch (st.initAng) {
    case 0: f = {1, 0, st.goalX, st.goalX + st.goalW, st.goalY, st.goalY + st.goalH}; break;
    case 6: f = {0, 1, st.goalY, st.goalY + st.goalH, st.goalX, st.goalX + st.goalW}; break;
    case 12: f = {-1, 0, -(st.goalX + st.goalW), -st.goalX, st.goalY, st.goalY + st.goalH}; break;
    default: f = {0, -1, -(st.goalY + st.goalH), -st.goalY, st.goalX, st.goalX + st.goalW}; break;
  }
  return f;
}

}  // namespace

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
  const int bpp = s->format->BytesPerPixel;
  for (int y = 0; y < s->h; ++y) {
    const Uint8* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < s->w; ++x) {
      const Uint8* p = row + x * bpp;
      Uint32 v = 0;
      for (int i = 0; i < bpp; ++i) v |= static_cast<Uint32>(p[i]) << (8 * i);  // little-endian pixel bytes
      Uint8 r, g, b;
      SDL_GetRGB(v, s->format, &r, &g, &b);
      out->px[static_cast<size_t>(y) * s->w + x] = (static_cast<uint32_t>(r) << 16) | (g << 8) | b;
    }
  }
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  return true;
}

CourseReport CheckCourse(const RgbImage& map, const RgbImage& colours, int course,
                         const std::vector<Checkpoint>* checkpoints) {
  CourseReport rep;
  auto verdict = [&](const std::string& rule, bool ok, const std::string& detail) {
    rep.verdicts.push_back({rule, ok, detail});
    return ok;
  };
  const CourseStart& st = StartOf(course);

  if (!verdict("image size", map.w == kMapW && map.h == kMapH && colours.w >= 3 && colours.h >= 1,
               Fmt("course %gx%g, colour sample %gx%g", map.w, map.h, colours.w, colours.h)))
    return rep;
  const uint32_t road = colours.At(course == 5 ? 2 : 0, 0);
  const uint32_t goal = colours.At(1, 0);
  const uint32_t otherRoad = colours.At(course == 5 ? 0 : 2, 0);
  char hex[96];
  std::snprintf(hex, sizeof hex, "road #%06x, goal #%06x, other road #%06x", static_cast<unsigned>(road),
                static_cast<unsigned>(goal), static_cast<unsigned>(otherRoad));
  if (!verdict("colour sample", road != goal && road != otherRoad && goal != otherRoad, hex)) return rep;

  auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < map.w && y < map.h; };
  auto drivable = [&](int x, int y) {
    if (!inside(x, y)) return false;
    uint32_t c = map.At(x, y);
    return c == road || c == goal;
  };
  const int sx = st.initX + 26, sy = st.initY + 38;    // player's centre point
  const int ax = st.initAX + 26, ay = st.initAY + 38;  // rival's centre point
  verdict("start on road", drivable(sx, sy) && drivable(ax, ay),
          Fmt("player centre (%g, %g), rival centre (%g, %g)", sx, sy, ax, ay));

  const Frame fr = StartFrame(st);
  {
    int bad = 0;
    for (int t = -30; t <= 100; ++t)
      if (!drivable(sx + fr.dx * t, sy + fr.dy * t) || !drivable(ax + fr.dx * t, ay + fr.dy * t)) ++bad;
    verdict("start heading", bad == 0,
            bad ? Fmt("%g pixels off the road within 100 px along the start heading", bad)
                : Fmt("road runs straight along frame %g for 130 px", st.initAng));
  }

  // Region reachable from the start, four-connected as the car moves one axis at a time.
  std::vector<uint8_t> region(static_cast<size_t>(map.w) * map.h, 0);
  size_t regionSize = 0;
  int nearest = 1 << 30;
  if (drivable(sx, sy)) {
    std::vector<int> stack{sy * map.w + sx};
    region[stack[0]] = 1;
    while (!stack.empty()) {
      int i = stack.back();
      stack.pop_back();
      ++regionSize;
      int x = i % map.w, y = i / map.w;
      nearest = std::min({nearest, x, y, map.w - 1 - x, map.h - 1 - y});
      const int nx[4] = {x + 1, x - 1, x, x}, ny[4] = {y, y, y + 1, y - 1};
      for (int k = 0; k < 4; ++k) {
        if (!drivable(nx[k], ny[k])) continue;
        int j = ny[k] * map.w + nx[k];
        if (!region[j]) {
          region[j] = 1;
          stack.push_back(j);
        }
      }
    }
  }
  bool rivalIn = inside(ax, ay) && region[ay * map.w + ax];
  verdict("closed region", regionSize > 0 && nearest >= kBorderGap && rivalIn,
          Fmt("%g drivable pixels, nearest %g px to the border (need %g), rival start ",
              static_cast<double>(regionSize), nearest, kBorderGap) +
              (rivalIn ? "connected" : "NOT connected"));

  // Barrier: every wall pixel beside the road (not drivable, next to the region) has a barrier
  // colour within reach, so the player sees the wall all the way round.
  {
    int ring = 0, bare = 0, firstX = -1, firstY = -1;
    auto barrierNear = [&](int x, int y) {
      for (int yy = std::max(0, y - kBarrierReach); yy <= std::min(map.h - 1, y + kBarrierReach); ++yy)
        for (int xx = std::max(0, x - kBarrierReach); xx <= std::min(map.w - 1, x + kBarrierReach); ++xx)
          if (IsBarrierColour(map.At(xx, yy))) return true;
      return false;
    };
    for (int y = 1; y + 1 < map.h; ++y)
      for (int x = 1; x + 1 < map.w; ++x) {
        if (drivable(x, y)) continue;
        const size_t i = static_cast<size_t>(y) * map.w + x;
        if (!(region[i - 1] || region[i + 1] || region[i - map.w] || region[i + map.w])) continue;
        ++ring;
        if (!barrierNear(x, y) && bare++ == 0) firstX = x, firstY = y;
      }
    verdict("barrier", ring > 0 && bare == 0,
            bare ? Fmt("%g of %g wall pixels at the road have no barrier within %g px,", bare, ring, kBarrierReach) +
                       Fmt(" the first at (%g, %g)", firstX, firstY)
                 : Fmt("%g wall pixels at the road, each with a barrier within %g px", ring, kBarrierReach));
  }

  // Goal stripe: across the road at every step through the goal, the drivable run is all
  // goal colour and lies strictly within the goal rectangle, so every car crossing counts.
  {
    int runs = 0, badColour = 0, badSpan = 0, stray = 0;
    for (int a = fr.g0 + 1; a < fr.g1; ++a) {
      int along = a * (fr.dx + fr.dy);  // undo the sign of a backward axis
      auto at = [&](int p, int* x, int* y) {
        if (fr.dx) {
          *x = along;
          *y = p;
        } else {
          *x = p;
          *y = along;
        }
      };
      int c = fr.dx ? sy : sx, x, y;
      at(c, &x, &y);
      if (!drivable(x, y)) {
        ++badSpan;
        continue;
      }
      int lo = c, hi = c;
      for (;;) {
        at(lo - 1, &x, &y);
        if (!drivable(x, y)) break;
        --lo;
      }
      for (;;) {
        at(hi + 1, &x, &y);
        if (!drivable(x, y)) break;
        ++hi;
      }
      for (int p = lo; p <= hi; ++p) {
        at(p, &x, &y);
        if (map.At(x, y) != goal) ++badColour;
      }
      if (lo <= fr.p0 || hi >= fr.p1) ++badSpan;
      ++runs;
    }
    for (int y = 0; y < map.h; ++y)
      for (int x = 0; x < map.w; ++x)
        if (map.At(x, y) == goal && region[y * map.w + x] &&
            !(x >= st.goalX && x <= st.goalX + st.goalW && y >= st.goalY && y <= st.goalY + st.goalH))
          ++stray;
    verdict("goal stripe", runs > 0 && badColour == 0 && badSpan == 0 && stray == 0,
            Fmt("%g cross-sections; %g non-goal pixels on them, %g reaching outside the goal rectangle, "
                "%g goal pixels outside it",
                runs, badColour, badSpan, stray));
  }
  {
    const double a = st.initAng * 15 * 3.14159265358979 / 180;
    int px = static_cast<int>(st.initX + 24 + 18 * std::cos(a)),
        py = static_cast<int>(st.initY + 38 + 18 * std::sin(a));
    int along = fr.dx ? px * fr.dx : py * fr.dy;
    verdict("goal probe at start", along < fr.g1 && along >= fr.g0 - 60,
            Fmt("probe (%g, %g) is %g px before the goal's far edge", px, py, fr.g1 - along));
  }

  // Shortest drivable path around the loop: from just past the goal, with the goal stripe
  // closed, back to the player's start.
  std::vector<float> dist(static_cast<size_t>(map.w) * map.h, -1.0f);
  {
    using Node = std::pair<float, int>;
    std::priority_queue<Node, std::vector<Node>, std::greater<Node>> pq;
    auto roadOnly = [&](int x, int y) { return inside(x, y) && region[y * map.w + x] && map.At(x, y) == road; };
    for (int p = fr.p0 + 1; p < fr.p1; ++p) {
      int along = (fr.g1 + 2) * (fr.dx + fr.dy);
      int x = fr.dx ? along : p, y = fr.dx ? p : along;
      if (roadOnly(x, y)) {
        dist[y * map.w + x] = 0;
        pq.push({0.0f, y * map.w + x});
      }
    }
    while (!pq.empty()) {
      auto [d, i] = pq.top();
      pq.pop();
      if (d > dist[i]) continue;
      int x = i % map.w, y = i / map.w;
      for (int ddy = -1; ddy <= 1; ++ddy)
        for (int ddx = -1; ddx <= 1; ++ddx) {
          if (!ddx && !ddy) continue;
          int nx = x + ddx, ny = y + ddy;
          if (!roadOnly(nx, ny)) continue;
          if (ddx && ddy && !(roadOnly(x + ddx, y) && roadOnly(x, y + ddy))) continue;
          float nd = d + ((ddx && ddy) ? 1.41421356f : 1.0f);
          int j = ny * map.w + nx;
          if (dist[j] < 0 || nd < dist[j]) {
            dist[j] = nd;
            pq.push({nd, j});
          }
        }
    }
    float back = drivable(sx, sy) ? dist[sy * map.w + sx] : -1;
    int startAlong = fr.dx ? sx * fr.dx : sy * fr.dy;
    rep.pathLength = back < 0 ? 0 : back + (fr.g1 + 2 - startAlong);
    verdict("closed loop", back > 1000,
            back < 0 ? std::string("no way round: the road past the goal does not lead back to the start")
                     : Fmt("shortest way round %g px", rep.pathLength));
  }

  float cpPath = 0;
  if (checkpoints) {
    const auto& cps = *checkpoints;
    int off = 0, outside = 0;
    float wmin = 1e9f, wmax = 0;
    std::string widthNote;
    for (size_t i = 0; i < cps.size(); ++i) {
      int cx = cps[i].x + 26, cy = cps[i].y + 38;
      if (!drivable(cx, cy) || map.At(cx, cy) != road) {
        ++off;
        continue;
      }
      if (!region[cy * map.w + cx]) {
        ++outside;
        continue;
      }
      float best = 1e9f;
      for (int k = 0; k < 36; ++k) {
        double ang = k * 3.14159265358979 / 36, ux = std::cos(ang), uy = std::sin(ang);
        float len = 0;
        for (int sgn = -1; sgn <= 1; sgn += 2)
          for (float t = 0.5f;; t += 0.5f) {
            if (!drivable(static_cast<int>(std::floor(cx + 0.5 + sgn * t * ux)),
                          static_cast<int>(std::floor(cy + 0.5 + sgn * t * uy)))) {
              len += t;
              break;
            }
          }
        best = std::min(best, len - 1.0f);
      }
      if (i < 19) {
        wmin = std::min(wmin, best);
        wmax = std::max(wmax, best);
        if (best < kMinWidth || best > kMaxWidth) widthNote += Fmt(" #%g:%g", static_cast<double>(i), best);
      }
    }
    rep.minWidth = wmin;
    rep.maxWidth = wmax;
    verdict("checkpoints on road", cps.size() == 20 && off == 0 && outside == 0,
            Fmt("%g checkpoints, %g off the road colour, %g not connected to the start",
                static_cast<double>(cps.size()), off, outside));
    verdict("road width at checkpoints", widthNote.empty() && off == 0,
            Fmt("%g..%g px (need %g..%g)", wmin, wmax, kMinWidth, kMaxWidth) + widthNote);

    // Order along the loop: the distance from the goal must grow from checkpoint to checkpoint.
    std::vector<float> d;
    for (const auto& c : cps) {
      int cx = c.x + 26, cy = c.y + 38;
      d.push_back(inside(cx, cy) ? dist[cy * map.w + cx] : -1.0f);
    }
    std::string orderNote;
    for (size_t i = 0; i < d.size(); ++i)
      if (d[i] < 0) orderNote += Fmt(" #%g unreachable", static_cast<double>(i));
    for (size_t i = 1; i < 19 && i < d.size(); ++i)
      if (d[i] <= d[i - 1]) orderNote += Fmt(" #%g not after #%g", static_cast<double>(i), static_cast<double>(i) - 1);
    if (d.size() == 20 && d[19] < d[18]) orderNote += " #19 before #18";
    float lap = rep.pathLength;
    if (orderNote.empty() && d.size() == 20) {
      if (d[0] > 400) orderNote += Fmt(" #0 is %g px past the goal (max 400)", d[0]);
      if (lap - d[18] > 600) orderNote += Fmt(" #18 is %g px before the goal (max 600)", lap - d[18]);
    }
    verdict("checkpoint order", orderNote.empty() && d.size() == 20,
            orderNote.empty() ? Fmt("#0 %g px past the goal, #18 %g px before it", d.empty() ? 0 : d[0],
                                    d.size() > 18 ? lap - d[18] : 0)
                              : orderNote);
    // Consecutive checkpoints close enough that the car cannot pass the next one's disc
    // without entering it (it moves at most 13 px a frame).
    const CourseStart& s = st;
    float gx = s.goalX + s.goalW * 0.5f, gy = s.goalY + s.goalH * 0.5f;
    float px = gx, py = gy;
    for (size_t i = 0; i < 19 && i < cps.size(); ++i) {
      float cx = cps[i].x + 26.0f, cy = cps[i].y + 38.0f;
      cpPath += std::hypot(cx - px, cy - py);
      px = cx;
      py = cy;
    }
    cpPath += std::hypot(gx - px, gy - py);
    (void)kCheckRadius;
  }
  rep.lapLength = std::max(rep.pathLength, cpPath);
  float limit = MaxLapLength(course);
  verdict("lap length", rep.lapLength > 0 && rep.lapLength <= limit,
          Fmt("%g px (shortest path %g, via checkpoints %g); limit %g", rep.lapLength, rep.pathLength, cpPath, limit));
  return rep;
}

}  // namespace coursekit
