// A home's random choices, from a stream seeded by the region's seed and the home.
#include "app/region/draws.h"

#include <cmath>

namespace trf::region {

namespace {

// Mixes `x` into well-spread bits (splitmix64), so that neighbouring homes start far apart.
uint64_t Mixed(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

Draws::Draws(uint64_t seed, int64_t home) : engine_(Mixed(Mixed(seed) ^ static_cast<uint64_t>(home))) {}

bool Draws::Chance(double p) { return Uniform(0, 1) < p; }

int Draws::Between(int least, int most) { return std::uniform_int_distribution<int>(least, most)(engine_); }

double Draws::Uniform(double least, double most) {
  return least + (most - least) * std::generate_canonical<double, 53>(engine_);
}

double Draws::LogNormal(double median, double sigma) {
  return median * std::exp(sigma * std::normal_distribution<double>(0, 1)(engine_));
}

const char* Draws::Pick(std::span<const char* const> words) {
  return words[static_cast<size_t>(Between(0, static_cast<int>(words.size()) - 1))];
}

}  // namespace trf::region
