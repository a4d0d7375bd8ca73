// bench_timing.cpp -- frame-time lists, percentiles and the printed table
#include "bench_timing.h"

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

double NowMs() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

double CpuMs() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double Percentile(std::vector<double> values, double q) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  size_t rank = static_cast<size_t>(std::ceil(q / 100.0 * values.size()));
  if (rank < 1) rank = 1;
  return values[std::min(rank, values.size()) - 1];
}

void FrameTimes::Add(const std::string& scene, double wallMs, double cpuMs) {
  for (Scene& s : scenes) {
    if (s.name == scene) {
      s.wall.push_back(wallMs);
      s.cpu.push_back(cpuMs);
      return;
    }
  }
  scenes.push_back(Scene{scene, {wallMs}, {cpuMs}});
}

static double maxOf(const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); }

void FrameTimes::PrintTable() const {
  printf("| %-24s | %6s | %11s | %8s | %8s | %8s | %8s |\n", "scene", "frames", "wall median", "wall p99", "wall max",
         "cpu p99", "cpu max");
  printf("|--------------------------|-------:|------------:|---------:|---------:|---------:|---------:|\n");
  for (const Scene& s : scenes) {
    printf("| %-24s | %6zu | %8.2f ms | %5.2f ms | %5.2f ms | %5.2f ms | %5.2f ms |\n", s.name.c_str(), s.wall.size(),
           Percentile(s.wall, 50), Percentile(s.wall, 99), maxOf(s.wall), Percentile(s.cpu, 99), maxOf(s.cpu));
  }
}

std::vector<std::string> FrameTimes::Names() const {
  std::vector<std::string> names;
  for (const Scene& s : scenes) names.push_back(s.name);
  return names;
}

double FrameTimes::P99(const std::string& scene, bool cpu) const {
  std::vector<double> all;
  for (const Scene& s : scenes) {
    if (scene.empty() || s.name == scene)
      all.insert(all.end(), (cpu ? s.cpu : s.wall).begin(), (cpu ? s.cpu : s.wall).end());
  }
  return Percentile(all, 99);
}
