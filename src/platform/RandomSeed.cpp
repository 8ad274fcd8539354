#include "platform/RandomSeed.h"

namespace RandomSeed {
namespace {
quint64 freshSeed() {
  std::random_device source;
  return (static_cast<quint64>(source()) << 32) ^ source();
}
}  // namespace

std::mt19937_64& generator() {
  static std::mt19937_64 engine(freshSeed());
  return engine;
}

void setSeed(std::optional<quint64> seed) { generator().seed(seed ? *seed : freshSeed()); }

}  // namespace RandomSeed
