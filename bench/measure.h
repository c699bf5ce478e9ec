#pragma once
// Side-by-side timing: two workloads run in alternation, so that whatever else
// the machine does weighs on both alike; the ratio of their medians is the result.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace quellix::bench {

struct Comparison {
  double medianA = 0;  // seconds per run
  double medianB = 0;
  double Ratio() const { return medianA / medianB; }
};

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

inline Comparison Compare(const std::function<void()>& a, const std::function<void()>& b,
                          int rounds) {
  std::vector<double> timesA;
  std::vector<double> timesB;
  const auto time = [](const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  a();  // warm-up
  b();
  for (int round = 0; round < rounds; ++round) {
    timesA.push_back(time(a));
    timesB.push_back(time(b));
  }
  return {Median(timesA), Median(timesB)};
}

inline void Report(const char* what, const Comparison& c, double goal) {
  std::printf("%s\n  %.6f s against %.6f s per run: ratio %.3f (goal at most %.2f: %s)\n", what,
              c.medianA, c.medianB, c.Ratio(), goal, c.Ratio() <= goal ? "met" : "NOT met");
}

}  // namespace quellix::bench
