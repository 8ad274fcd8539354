#pragma once

#include <QtGlobal>
#include <optional>
#include <random>

// The program's one random-number generator, seeded once per run from the system's random
// source.
namespace RandomSeed {

std::mt19937_64& generator();

// Tests re-seed it with a fixed value; nullopt re-seeds it from the random source.
void setSeed(std::optional<quint64> seed);

}  // namespace RandomSeed
