#include "ExtendedMath.h"

namespace fpu {

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
  if ((cw & kControlMask) == kControlWanted)
    return true;
  cw = static_cast<unsigned short>((cw & ~kControlMask) | kControlWanted);
  __asm__ __volatile__("fldcw %0" ::"m"(cw));
  return false;
#else
  std::fesetround(FE_TONEAREST);
  return true;
#endif
}

void RestoreFlags(unsigned flags) {
#if MORVANE_HAS_X87
  // The status word is the second word of the 28-byte environment.
  unsigned short environment[14];
  __asm__ __volatile__("fnstenv %0" : "=m"(environment));
  environment[2] = static_cast<unsigned short>(environment[2] | (flags & kFatal));
  __asm__ __volatile__("fldenv %0" ::"m"(environment) : "memory");
#else
  int raised = 0;
  if (flags & kInvalid)
    raised |= FE_INVALID;
  if (flags & kZeroDivide)
    raised |= FE_DIVBYZERO;
  if (flags & kOverflow)
    raised |= FE_OVERFLOW;
  std::feraiseexcept(raised);
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
