#pragma once
// The draws the soak's cases are made of.
#include <cstddef>
#include <random>

namespace vantrell::soak {

inline bool Chance(std::mt19937_64& rng, double p) { return std::bernoulli_distribution(p)(rng); }

template <typename T>
T Uniform(std::mt19937_64& rng, T low, T high) {
  return std::uniform_int_distribution<T>(low, high)(rng);
}

template <typename T, std::size_t N>
const T& Pick(std::mt19937_64& rng, const T (&items)[N]) {
  return items[Uniform<std::size_t>(rng, 0, N - 1)];
}

}  // namespace vantrell::soak
