#include "FitSample.h"

#include <charconv>

namespace {

std::uint64_t SplitMix64(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t RotateLeft(std::uint64_t x, int k) {
  return (x << k) | (x >> (64 - k));
}

}  // namespace

TDrawGenerator::TDrawGenerator(std::uint64_t seed) {
  for (std::uint64_t& word : State_)
    word = SplitMix64(seed);
}

std::uint64_t TDrawGenerator::Next() {
  auto& s = State_;
  const std::uint64_t result = RotateLeft(s[1] * 5, 7) * 9;
  const std::uint64_t t = s[1] << 17;
  s[2] ^= s[0];
  s[3] ^= s[1];
  s[1] ^= s[2];
  s[0] ^= s[3];
  s[2] ^= t;
  s[3] = RotateLeft(s[3], 45);
  return result;
}

Extended OpenUnitInterval(std::uint64_t bits) {
  constexpr Extended kScale = 0x1p-53L;
  return (static_cast<Extended>(bits >> 11) + 0.5L) * kScale;
}

std::string DrawText(Extended value) {
  // 17 digits of the largest extended value with its exponent fit easily.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 16);
  return std::string(buffer, result.ptr);
}

void WriteSample(std::ostream& out, const TwoSidedPower& model, std::uint64_t count,
                 std::uint64_t seed) {
  TDrawGenerator generator(seed);
  for (std::uint64_t i = 0; i < count; ++i)
    out << DrawText(Quantile(model, OpenUnitInterval(generator.Next()))) << '\n';
}
