// Extended-precision primitives and the floating-point state they rely on.
//
// Every quantity of the fit is an 80-bit extended real (`long double` on x86). ln, exp and
// powers are formed in one fixed way from the x87 instructions, so that a fit gives the
// same bits on every machine:
//   ln v   = ln 2 * log2 v                 (fyl2x with the constant ln 2)
//   exp v  = ((2^(t-k) - 1) + 1) * 2^k     (t = v * log2 e, k = t rounded to nearest;
//                                           f2xm1, fscale, frndint)
//   v^w    = exp(w * ln v)
// On a processor without the x87 unit the library's logl and expl stand in; results then
// agree to about the last bit, not bit for bit.
#pragma once

#include "FloatErrors.h"

#if defined(__x86_64__) || defined(__i386__)
#define MORVANE_HAS_X87 1
#else
#define MORVANE_HAS_X87 0
#endif

#if !MORVANE_HAS_X87
#include <cfenv>
#include <cmath>
#endif

using Extended = long double;

// True when the primitives are the x87 instruction sequences (bit-exact results).
constexpr bool kExactPrimitives = MORVANE_HAS_X87 != 0;

// ---------------------------------------------------------------------------------------
// [SECTION] Floating-point status
// ---------------------------------------------------------------------------------------

namespace fpu {

// Sets the arithmetic unit to a 64-bit significand, rounding to nearest and all exceptions
// masked, if anything had changed it. Returns true when the control word was already so.
bool EnsureExtendedControlWord();

// The control word as it stands (0 without an x87 unit).
unsigned ControlWord();

inline void ClearFlags() {
#if MORVANE_HAS_X87
  __asm__ __volatile__("fnclex" ::: "memory");
#else
  std::feclearexcept(FE_ALL_EXCEPT);
#endif
}

// Raises the typed error for the flagged invalid operation, division by zero or overflow.
[[noreturn]] void RaiseFlagged(unsigned status);

constexpr unsigned kInvalid = 0x01;
constexpr unsigned kZeroDivide = 0x04;
constexpr unsigned kOverflow = 0x08;
constexpr unsigned kFatal = kInvalid | kZeroDivide | kOverflow;

// The invalid-operation, division-by-zero and overflow flags that stand, cleared.
inline unsigned TakeFatalFlags() {
#if MORVANE_HAS_X87
  unsigned short sw;
  __asm__ __volatile__("fnstsw %0" : "=am"(sw)::"memory");
  if ((sw & kFatal) == 0)
    return 0;
  ClearFlags();
  return sw & kFatal;
#else
  unsigned flags = 0;
  if (std::fetestexcept(FE_INVALID))
    flags |= kInvalid;
  if (std::fetestexcept(FE_DIVBYZERO))
    flags |= kZeroDivide;
  if (std::fetestexcept(FE_OVERFLOW))
    flags |= kOverflow;
  if (flags != 0)
    std::feclearexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  return flags;
#endif
}

// Raises the given flags again, beside any raised since.
void RestoreFlags(unsigned flags);

// Precision control 64 bits (bits 8-9 = 11), rounding to nearest (bits 10-11 = 00), the
// six exceptions masked (bits 0-5).
constexpr unsigned short kControlMask = 0x0F3F;
constexpr unsigned short kControlWanted = 0x037F & kControlMask;

// Whether the control word is the one the core needs, without a call.
inline bool HasExtendedControlWord() {
#if MORVANE_HAS_X87
  unsigned short cw;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw));
  return (cw & kControlMask) == kControlWanted;
#else
  return true;
#endif
}

}  // namespace fpu

// Returns v once every operation before it has completed without an invalid operation, a
// division by zero or an overflow; otherwise clears the flags and throws the typed error.
// The value passes through memory, so the compiler cannot move its computation, or
// anything computed from the returned value, across the test.
inline Extended Checked(Extended v) {
  unsigned status;
#if MORVANE_HAS_X87
  unsigned short sw;
  __asm__ __volatile__("fnstsw %0" : "=am"(sw), "+m"(v)::"memory");
  status = sw;
#else
  __asm__ __volatile__("" : "+m"(v)::"memory");
  status = 0;
  if (std::fetestexcept(FE_INVALID))
    status |= fpu::kInvalid;
  if (std::fetestexcept(FE_DIVBYZERO))
    status |= fpu::kZeroDivide;
  if (std::fetestexcept(FE_OVERFLOW))
    status |= fpu::kOverflow;
#endif
  if (status & fpu::kFatal) [[unlikely]]
    fpu::RaiseFlagged(status);
  return v;
}

// Opened by every public operation of the core. A scope checks the control word and takes
// the invalid-operation, division-by-zero and overflow flags that stand, so that its work
// starts clean and a flag its Checked tests find is its own; when it ends it raises them
// again, so that a flag raised by the caller is still seen by the caller's own test. It
// keeps its state on the stack: scopes nest without a count, on every thread.
class TFloatScope {
 public:
  TFloatScope() : CallerFlags_(fpu::TakeFatalFlags()) {
    if (!fpu::HasExtendedControlWord()) [[unlikely]]
      fpu::EnsureExtendedControlWord();
  }
  ~TFloatScope() {
    if (CallerFlags_ != 0) [[unlikely]]
      fpu::RestoreFlags(CallerFlags_);
  }
  TFloatScope(const TFloatScope&) = delete;
  TFloatScope& operator=(const TFloatScope&) = delete;

 private:
  unsigned CallerFlags_;
};

// ---------------------------------------------------------------------------------------
// [SECTION] Primitives
// ---------------------------------------------------------------------------------------

// ln v = ln 2 * log2 v in one fyl2x. ln 0 flags a division by zero, ln of a negative
// number an invalid operation.
inline Extended Ln(Extended v) {
#if MORVANE_HAS_X87
  Extended r;
  __asm__ __volatile__(
      "fldln2\n\t"
      "fxch %%st(1)\n\t"
      "fyl2x"
      : "=t"(r)
      : "0"(v)
      : "st(1)");
  return r;
#else
  return std::log(v);
#endif
}

// exp v = ((2^f - 1) + 1) * 2^k with t = v * log2 e, k = round(t), f = t - k. Overflow
// is flagged by the scaling; an underflow to zero passes silently.
inline Extended Exp(Extended v) {
#if MORVANE_HAS_X87
  Extended r;
  __asm__ __volatile__(
      "fldl2e\n\t"
      "fmulp\n\t"  // t = v * log2 e
      "fld %%st(0)\n\t"
      "frndint\n\t"             // k, t
      "fxch %%st(1)\n\t"        // t, k
      "fsub %%st(1), %%st\n\t"  // f = t - k, k
      "f2xm1\n\t"               // 2^f - 1, k
      "fld1\n\t"
      "faddp\n\t"   // 2^f, k
      "fscale\n\t"  // 2^f * 2^k, k
      "fstp %%st(1)"
      : "=t"(r)
      : "0"(v)
      : "st(1)", "st(2)");
  return r;
#else
  return std::exp(v);
#endif
}

// v^w = exp(w * ln v); never a library power function.
inline Extended Power(Extended v, Extended w) {
  return Exp(w * Ln(v));
}

// v^2 = exp(2 ln v), for v > 0.
inline Extended Square(Extended v) {
  return Exp(2 * Ln(v));
}

// sqrt v = exp(0.5 ln v), for v > 0.
inline Extended SquareRoot(Extended v) {
  return Exp(0.5L * Ln(v));
}

// The tolerance of every iteration of the core: the extended value nearest to 1e-10.
constexpr Extended kTolerance = 1e-10L;
