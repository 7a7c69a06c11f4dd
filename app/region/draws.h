// Draws: the random choices of one home of a made region, from a stream of its own, so that a home
// comes out the same whatever the region's size and whatever the other homes drew.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>

namespace trf::region {

class Draws {
 public:
  // The stream of `home` of the region made with `seed`.
  Draws(uint64_t seed, int64_t home);

  // True with probability `p`.
  bool Chance(double p);
  // A whole number from `least` to `most`, both included.
  int Between(int least, int most);
  // A number from `least` up to `most`.
  double Uniform(double least, double most);
  // A log-normal number around `median`.
  double LogNormal(double median, double sigma);
  // One of `words`.
  const char* Pick(std::span<const char* const> words);

 private:
  std::mt19937_64 engine_;
};

}  // namespace trf::region
