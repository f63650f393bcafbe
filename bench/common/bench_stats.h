// Wall-clock time and the statistics the benchmarks report: medians of repeated measurements
// and ratios of medians taken side by side in one run.
#pragma once

#include <chrono>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

inline double SecondsSince(BenchClock::time_point start) {
  return std::chrono::duration<double>(BenchClock::now() - start).count();
}

double Median(std::vector<double> values);
// "12.3" style: milliseconds with a precision that suits the size, for the result tables.
std::string Milliseconds(double seconds);
std::string Microseconds(double seconds);
std::string Ratio(double value);
std::string Percent(double share);
