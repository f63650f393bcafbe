// Medians and the number formats of the result tables.
#include "bench_stats.h"

#include <algorithm>
#include <cstdio>

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2.0;
}

namespace {

std::string Format(double value) {
  char text[32];
  if (value >= 100.0 || value <= -100.0)
    std::snprintf(text, sizeof text, "%.0f", value);
  else if (value >= 10.0 || value <= -10.0)
    std::snprintf(text, sizeof text, "%.1f", value);
  else
    std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

std::string Milliseconds(double seconds) {
  return Format(seconds * 1e3);
}

std::string Microseconds(double seconds) {
  return Format(seconds * 1e6);
}

std::string Ratio(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string Percent(double share) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f%%", share * 100.0);
  return text;
}
