// Integer rounding and scaling used by the layout: every rounding of the engine goes
// through these, so a value that is not finite or too large never reaches a cast.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>

// Nearest integer, ties to even, as a double (no overflow possible).
inline double RoundHalfEven(double x) {
  const double r = std::floor(x);
  const double diff = x - r;
  if (diff > 0.5) {
    return r + 1.0;
  }
  if (diff < 0.5) {
    return r;
  }
  return std::fmod(r, 2.0) == 0.0 ? r : r + 1.0;
}

// Nearest int, ties to even; saturates at the int range and reads NaN as 0.
inline int RoundToInt(double x) {
  if (std::isnan(x)) {
    return 0;
  }
  const double r = RoundHalfEven(x);
  if (r >= static_cast<double>(INT_MAX)) {
    return INT_MAX;
  }
  if (r <= static_cast<double>(INT_MIN)) {
    return INT_MIN;
  }
  return static_cast<int>(r);
}

// An offset in pixels from a percentage of the plot, kept far inside the int range so that
// a position plus an offset never overflows, whatever percentage was set.
inline int PixelOffset(double pixels) {
  constexpr int kLimit = 1 << 28;
  return std::clamp(RoundToInt(pixels), -kLimit, kLimit);
}

// Saturates a 64-bit integer to the int range.
inline int ClampToInt(long long x) {
  if (x > INT_MAX) {
    return INT_MAX;
  }
  if (x < INT_MIN) {
    return INT_MIN;
  }
  return static_cast<int>(x);
}

// a * b / c rounded to the nearest integer, halves away from zero; 0 when c is 0.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) {
    return 0;
  }
  long long num = static_cast<long long>(a) * b;
  long long den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const long long half = den / 2;
  const long long q = num >= 0 ? (num + half) / den : -((-num + half) / den);
  return ClampToInt(q);
}
