#include "FitSample.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <future>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "FloatErrors.h"

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

// [SECTION] The exponential of the draws

#if MORVANE_HAS_X87

// 2^f - 1 for |f| <= 1/2: Exp's own instruction.
Extended TwoToTheMinusOne(Extended f) {
  Extended r;
  __asm__("f2xm1" : "=t"(r) : "0"(f));
  return r;
}

// Exp(v) with the same bits. Exp rounds t = v log2 e to a whole number k with frndint and
// scales 2^(t - k) by 2^k with fscale, two slow microcoded instructions. Here t + 1.5 * 2^63
// lies where extended values are 1 apart, so the sum is t rounded to nearest, as frndint
// rounds it, and holds k in its significand; the scaling is a product with 2^k written
// into the exponent field, exact while 2^k and the result are normal numbers: for
// -16381 <= t <= 16383 the result lies between 2^-16381.5 and 2^16383.5. Elsewhere (and
// for an infinite or NaN t) Exp itself, with its flags.
Extended DrawExp(Extended v) {
  // The extended value nearest log2 e, which fldl2e loads.
  constexpr Extended kLog2E = 1.44269504088896340735992468100189213743L;
  constexpr Extended kRounder = 0x1.8p63L;
  const Extended t = v * kLog2E;
  if (!(t >= -16381 && t <= 16383))
    return Exp(v);
  const Extended shifted = t + kRounder;
  const Extended k = shifted - kRounder;
  std::uint64_t significand;
  std::memcpy(&significand, &shifted, sizeof significand);
  const auto exponent = static_cast<std::uint16_t>(
      16383 + static_cast<std::int64_t>(significand - 0xC000000000000000ULL));
  // 2^k: the explicit leading bit of the significand and the biased exponent.
  unsigned char bytes[sizeof(Extended)] = {};
  const std::uint64_t leadingBit = 1ULL << 63;
  std::memcpy(bytes, &leadingBit, sizeof leadingBit);
  std::memcpy(bytes + sizeof leadingBit, &exponent, sizeof exponent);
  Extended scale;
  std::memcpy(&scale, bytes, sizeof scale);
  return (TwoToTheMinusOne(t - k) + 1) * scale;
}

#else

Extended DrawExp(Extended v) {
  return Exp(v);
}

#endif

// [SECTION] Writing

// The draws written per block, and so the share of one processor's work.
constexpr std::size_t kBlockDraws = std::size_t{1} << 16;
// The most blocks worked on at once, which bounds the memory the writing takes.
constexpr unsigned kMostBlocksAtOnce = 16;
// Text: the longest draw, "-1.2345678901234567e+4931", and its newline.
constexpr std::size_t kLongestText = 26;

constexpr std::string_view kBeyondDouble =
    "The fit's draws lie beyond 1.7e308, which doubles cannot hold. --format text writes "
    "them in full.";

// The draw's text and a newline at `out`; returns the end.
char* PutText(char* out, Extended value) {
  const auto result =
      std::to_chars(out, out + kLongestText, value, std::chars_format::scientific, 16);
  *result.ptr = '\n';
  return result.ptr + 1;
}

// The double nearest to the draw as 8 little-endian bytes at `out`; returns the end.
char* PutFloat64(char* out, Extended value) {
  const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(value));
  for (int i = 0; i < 8; ++i)
    out[i] = static_cast<char>(bits >> (8 * i));
  return out + 8;
}

char* PutDraw(char* out, Extended value, TDrawFormat format) {
  return format == TDrawFormat::Text ? PutText(out, value) : PutFloat64(out, value);
}

// Every draw a double can hold is below 2^1024 - 2^970 in size; that value itself rounds
// to infinity.
bool FitsDouble(Extended value) {
  return std::fabs(value) < 0x1p1024L - 0x1p970L;
}

struct TDrawBlock {
  std::vector<std::uint64_t> Bits;  // the generator's outputs, one a draw
  std::string Bytes;                // the draws as written
  bool Flagged = false;  // an operation raised an error flag: the draws are redone one by one
};

// Works out and writes a block into its bytes on any thread: the control word and flags
// are the thread's own, and one test of the flags covers the block.
void EncodeBlock(TDrawBlock& block, const TDrawQuantile& quantile, TDrawFormat format) {
  fpu::EnsureExtendedControlWord();
  fpu::ClearFlags();
  block.Bytes.resize(block.Bits.size() * (format == TDrawFormat::Text ? kLongestText : 8));
  char* out = block.Bytes.data();
  Extended last = 0;
  for (const std::uint64_t bits : block.Bits) {
    last = quantile(OpenUnitInterval(bits));
    out = PutDraw(out, last, format);
  }
  block.Bytes.resize(static_cast<std::size_t>(out - block.Bytes.data()));
  try {
    Checked(last);
  } catch (const EMathError&) {
    block.Flagged = true;
  }
}

// A flagged block, through the model's own Quantile: its draws up to the one that raises
// the error, which is then thrown.
void WriteOneByOne(std::ostream& out, const TwoSidedPower& model, const TDrawBlock& block,
                   TDrawFormat format) {
  for (const std::uint64_t bits : block.Bits) {
    const Extended value = Quantile(model, OpenUnitInterval(bits));
    if (format != TDrawFormat::Text && !FitsDouble(value))
      throw EFitError(std::string(kBeyondDouble));
    char buffer[kLongestText];
    out.write(buffer, PutDraw(buffer, value, format) - buffer);
  }
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
  char buffer[kLongestText];
  return std::string(buffer, PutText(buffer, value) - 1);
}

TDrawQuantile::TDrawQuantile(const TwoSidedPower& model)
    : LowerBound_(model.Lower()), LeftPower_(model.LeftPower()), RightPower_(model.RightPower()) {
  // The shape as the model forms it for every value.
  TFloatScope scope;
  Range_ = model.Upper() - model.Lower();
  Mu_ = Checked((model.Mode() - model.Lower()) / Range_);
  Pi_ = Checked((Mu_ * model.RightPower()) /
                ((1 - Mu_) * model.LeftPower() + Mu_ * model.RightPower()));
  UpperMu_ = 1 - Mu_;
  UpperPi_ = 1 - Pi_;
}

Extended TDrawQuantile::operator()(Extended u) const {
  Extended z = 0;
  if (u == 0 || u == 1) {
    z = u;
  } else if (u > 0 && u < 1) {
    if (u <= Pi_)
      z = DrawExp(Ln(u / Pi_) / LeftPower_) * Mu_;
    else
      z = 1 - DrawExp(Ln((1 - u) / UpperPi_) / RightPower_) * UpperMu_;
  }
  return Range_ * z + LowerBound_;
}

std::string NumPyHeader(std::uint64_t count) {
  std::string header = "\x93NUMPY\x01";
  header += '\0';
  std::string dictionary =
      "{'descr': '<f8', 'fortran_order': False, 'shape': (" + std::to_string(count) + ",), }";
  // The magic and version (8 bytes), the length (2), the dictionary and the newline.
  const std::size_t unpadded = 8 + 2 + dictionary.size() + 1;
  dictionary.append((64 - unpadded % 64) % 64, ' ');
  dictionary += '\n';
  header += static_cast<char>(dictionary.size() & 0xFF);
  header += static_cast<char>(dictionary.size() >> 8);
  return header + dictionary;
}

void WriteSample(std::ostream& out, const TwoSidedPower& model, std::uint64_t count,
                 std::uint64_t seed, TDrawFormat format) {
  if (format != TDrawFormat::Text && !(FitsDouble(model.Lower()) && FitsDouble(model.Upper())))
    throw EFitError(std::string(kBeyondDouble));
  if (format == TDrawFormat::NumPy)
    out << NumPyHeader(count);
  if (count == 0)
    return;

  const TDrawQuantile quantile(model);
  TDrawGenerator generator(seed);
  const unsigned atOnce = std::clamp(std::thread::hardware_concurrency(), 1U, kMostBlocksAtOnce);
  // Declared after the quantile function, so that every block has ended before it goes.
  std::deque<std::future<TDrawBlock>> pending;
  const auto writeFirst = [&] {
    const TDrawBlock block = pending.front().get();
    pending.pop_front();
    if (block.Flagged)
      WriteOneByOne(out, model, block, format);
    else
      out.write(block.Bytes.data(), static_cast<std::streamsize>(block.Bytes.size()));
  };
  for (std::uint64_t left = count; left > 0 && out;) {
    TDrawBlock block;
    block.Bits.resize(static_cast<std::size_t>(std::min<std::uint64_t>(left, kBlockDraws)));
    for (std::uint64_t& bits : block.Bits)
      bits = generator.Next();
    left -= block.Bits.size();
    pending.push_back(
        std::async(std::launch::async, [&quantile, format, block = std::move(block)]() mutable {
          EncodeBlock(block, quantile, format);
          return std::move(block);
        }));
    if (pending.size() >= atOnce)
      writeFirst();
  }
  while (!pending.empty() && out)
    writeFirst();
}
