#pragma once
// Guids the stand-alone host generates are random, as the application's are. A session
// whose output is compared line by line seeds them, so every run generates the same ones.
#include <cstdint>
#include <random>

namespace sim {
std::mt19937_64& GuidEngine();
void SeedGuids(std::uint64_t seed);
} // namespace sim
