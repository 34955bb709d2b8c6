// The bound solver's screened path against its plain path on arbitrary bytes: every field
// of the record and the model, the halving count and the error must agree bit for bit.
//
// The first byte chooses the decoding. With its bit 1 set the judgements a_p, p, m, b_r,
// r, n, x_s, s are taken as raw 80-bit values, ten bytes each (NaNs, infinities and
// denormals included). Otherwise they are shaped like judgements: a scale 2^e with e from
// -1100 to 1100, a_p, m - a_p and b_r - m as scaled fractions or a few ulps, whole-percent
// levels and n from 1e-5 to 1e5 on a log scale. Bit 0 runs the power search, which solves
// dozens of times, instead of one solve. Missing bytes read as zero.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

#include "BoundsPaths.h"
#include "FuzzCheck.h"

namespace {

class TBytes {
 public:
  TBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i)
      w = w << 8 | Byte();
    return w;
  }
  long double Raw() {
    unsigned char bytes[sizeof(long double)] = {};
    for (int i = 0; i < 10; ++i)
      bytes[i] = Byte();
    long double v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
  }
  // A fraction in [0, 1).
  long double Fraction() { return Word() * 0x1p-32L; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

long double Ulps(long double v, int k) {
  for (int i = 0; i < k; ++i)
    v = std::nextafter(v, std::numeric_limits<long double>::infinity());
  return v;
}

TBoundsCase Decode(TBytes& in) {
  TBoundsCase c;
  const std::uint8_t how = in.Byte();
  c.search = (how & 1) != 0;
  if (how & 2) {
    c.ap = in.Raw();
    c.p = in.Raw();
    c.m = in.Raw();
    c.br = in.Raw();
    c.r = in.Raw();
    c.n = in.Raw();
    c.xs = in.Raw();
    c.s = in.Raw();
    return c;
  }
  const int exponent = static_cast<int>(in.Word() % 2201) - 1100;
  const long double scale = std::ldexp(1.0L, exponent);
  c.ap = scale * (in.Fraction() * 4 - 2);
  const std::uint8_t shape = in.Byte();
  const long double left = scale * std::ldexp(in.Fraction() + 0x1p-32L, -(shape % 40));
  const long double right = scale * std::ldexp(in.Fraction() + 0x1p-32L, -(shape / 40 % 6 * 8));
  c.m = (shape & 0x80) ? Ulps(c.ap, 1 + in.Byte() % 4) : c.ap + left;
  c.br = (shape & 0x40) && !(shape & 0x80) ? Ulps(c.m, 1 + in.Byte() % 4) : c.m + right;
  c.p = static_cast<long double>(in.Byte() % 101) / 100;
  c.r = static_cast<long double>(in.Byte() % 101) / 100;
  c.n = std::pow(10.0L, in.Fraction() * 10 - 5);
  c.xs = c.ap + (c.br - c.ap) * in.Fraction();
  c.s = static_cast<long double>(1 + in.Byte() % 99) / 100;
  return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TBytes bytes(data, size);
  const TBoundsCase c = Decode(bytes);
  const std::string difference = bounds_paths::Difference(c);
  FUZZ_EXPECT(difference.empty()) << "a_p " << Digits(c.ap) << " p " << Digits(c.p) << " m "
                                  << Digits(c.m) << " b_r " << Digits(c.br) << " r " << Digits(c.r)
                                  << " n " << Digits(c.n) << (c.search ? " (search)" : "") << ":"
                                  << difference;
  return 0;
}
