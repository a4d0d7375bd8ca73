// bench_timing.h -- per-frame work times gathered by scene, and the table they print as
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Frame work times in milliseconds, wall clock and the thread's processor
// time, one list per scene name, kept in the order the names first appeared.
// The processor time leaves out the time the thread waited for a core, which
// on a loaded machine is most of a wall-clock spike.
class FrameTimes {
 public:
  void Add(const std::string& scene, double wallMs, double cpuMs);
  // One row per scene: frames; wall median, 99th percentile and maximum;
  // processor-time 99th percentile and maximum.
  void PrintTable() const;
  // The scene names in order, and the 99th percentile of one scene's wall or
  // processor times ("" for all frames together).
  std::vector<std::string> Names() const;
  double P99(const std::string& scene, bool cpu) const;

 private:
  struct Scene {
    std::string name;
    std::vector<double> wall, cpu;
  };
  std::vector<Scene> scenes;
};

// Monotonic milliseconds.
double NowMs();
// This thread's processor time in milliseconds.
double CpuMs();

// The nearest-rank percentile (0 < q <= 100) of a list; 0 for an empty one.
double Percentile(std::vector<double> values, double q);
