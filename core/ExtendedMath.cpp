#include "ExtendedMath.h"

namespace fpu {

namespace {
// Precision control 64 bits (bits 8-9 = 11), rounding to nearest (bits 10-11 = 00), the
// six exceptions masked (bits 0-5).
constexpr unsigned short kMask = 0x0F3F;
constexpr unsigned short kWanted = 0x037F & kMask;
}  // namespace

unsigned ControlWord() {
#if MORVANE_HAS_X87
  unsigned short cw;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw));
  return cw;
#else
  return 0;
#endif
}

bool EnsureExtendedControlWord() {
#if MORVANE_HAS_X87
  unsigned short cw = static_cast<unsigned short>(ControlWord());
  if ((cw & kMask) == kWanted)
    return true;
  cw = static_cast<unsigned short>((cw & ~kMask) | kWanted);
  __asm__ __volatile__("fldcw %0" ::"m"(cw));
  return false;
#else
  std::fesetround(FE_TONEAREST);
  return true;
#endif
}

void RaiseFlagged(unsigned status) {
  ClearFlags();
  // The flags are sticky, so one test can find several. A division by zero or an
  // overflow makes an infinity, which later operations often turn into an invalid one
  // (inf - inf, 0 * inf), while an invalid operation makes a NaN, which raises nothing
  // further: so a division by zero or an overflow came first.
  if (status & kZeroDivide)
    throw EZeroDivide();
  if (status & kOverflow)
    throw EOverflow();
  throw EInvalidOp();
}

}  // namespace fpu
