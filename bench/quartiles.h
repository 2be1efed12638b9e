// The middle of a set of timings and how far it spreads: the median between the first and third
// quartiles.
#pragma once

#include <algorithm>
#include <vector>

namespace tallyvane::bench {

struct Quartiles {
  double first, median, third;
};

inline Quartiles QuartilesOf(std::vector<double> samples) {
  if (samples.empty()) return {0, 0, 0};
  std::sort(samples.begin(), samples.end());
  const auto at = [&](double fraction) {
    return samples[static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1))];
  };
  return {at(0.25), at(0.5), at(0.75)};
}

}  // namespace tallyvane::bench
