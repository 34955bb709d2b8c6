#include "ExtendedMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

long double Ulp(long double x) {
  return std::nextafter(std::fabs(x), std::numeric_limits<long double>::infinity()) - std::fabs(x);
}

TEST(ExtendedMathTest, ExactValues) {
  TFloatScope scope;
  EXPECT_EQ(Ln(1), 0);
  EXPECT_EQ(Exp(0), 1);
  EXPECT_EQ(Ln(2), 0.6931471805599453094172321L) << "ln 2 is the hardware's constant";
  EXPECT_EQ(Exp(-1e6L), 0) << "underflow to zero";
  EXPECT_EQ(Power(2, 10), 1024);
}

TEST(ExtendedMathTest, LnIsWithinTwoUlpsOfTheLibrary) {
  TFloatScope scope;
  for (long double x :
       {1e-4000L, 1e-300L, 0.1L, 0.5L, 0.999L, 1.001L, 3.0L, 7.25L, 1e10L, 1e300L, 1e4000L}) {
    EXPECT_LE(std::fabs(Ln(x) - std::log(x)), 2 * Ulp(std::log(x))) << "x = " << x;
  }
}

TEST(ExtendedMathTest, ExpAgreesWithTheLibraryToTheFormationsPrecision) {
  TFloatScope scope;
  // t = v log2 e is rounded once, so the relative error grows with |t|.
  for (long double v : {-11000.0L, -700.0L, -20.5L, -1.0L, -1e-9L, 1e-9L, 0.5L, 1.0L, 2.302585L,
                        30.0L, 700.0L, 11000.0L}) {
    const long double t = std::fabs(v) * 1.4426950408889634074L;
    const long double bound = (t + 4) * std::numeric_limits<long double>::epsilon();
    EXPECT_LE(std::fabs(Exp(v) / std::exp(v) - 1), bound) << "v = " << v;
  }
}

TEST(ExtendedMathTest, FormationIsBitForBit) {
  if (!kExactPrimitives)
    GTEST_SKIP() << "no x87 unit: the primitives are the library's";
  TFloatScope scope;
  // Guards the instruction sequences: any other formation changes these bits.
  EXPECT_EQ(Exp(1), 0xa.df85458a2bb4a9bp-2L);
  EXPECT_EQ(Ln(10), 0x9.35d8dddaaa8ac17p-2L);
  EXPECT_EQ(Exp(-1), 0xb.c5ab1b16779be35p-5L);
}

TEST(ExtendedMathTest, FatalFlagsRaiseTypedErrors) {
  TFloatScope scope;
  EXPECT_THROW(Checked(Ln(0)), EZeroDivide);
  EXPECT_THROW(Checked(Ln(-1)), EInvalidOp);
  EXPECT_THROW(Checked(Exp(20000)), EOverflow);
  volatile long double zero = 0;
  EXPECT_THROW(Checked(1 / zero), EZeroDivide);
  EXPECT_THROW(Checked(zero / zero), EInvalidOp);
  try {
    Checked(Ln(0));
  } catch (const EMathError& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero.");
  }
  try {
    Checked(Ln(-2));
  } catch (const EMathError& e) {
    EXPECT_STREQ(e.what(), "Invalid floating point operation.");
  }
  try {
    Checked(Exp(1e5L));
  } catch (const EMathError& e) {
    EXPECT_STREQ(e.what(), "Floating point overflow.");
  }
}

TEST(ExtendedMathTest, UnderflowDenormalsAndInexactPassSilently) {
  TFloatScope scope;
  const long double tiny = std::numeric_limits<long double>::denorm_min();
  EXPECT_NO_THROW(Checked(tiny * 0.5L));
  EXPECT_NO_THROW(Checked(tiny + tiny));
  EXPECT_NO_THROW(Checked(Exp(-20000)));
  EXPECT_NO_THROW(Checked(1.0L / 3));
}

TEST(ExtendedMathTest, ErrorClearsTheFlagsForTheNextStep) {
  TFloatScope scope;
  EXPECT_THROW(Checked(Ln(0)), EZeroDivide);
  EXPECT_NO_THROW(Checked(Ln(3)));
}

TEST(ExtendedMathTest, DivisionByZeroReportedBeforeTheInvalidItCauses) {
  TFloatScope scope;
  volatile long double zero = 0;
  const long double inf = 1 / zero;
  EXPECT_THROW(Checked(inf - inf), EZeroDivide);
}

TEST(ExtendedMathTest, ANestedScopeStartsCleanAndGivesTheCallerItsFlagsBack) {
  TFloatScope outer;
  volatile long double zero = 0;
  const long double inf = 1 / zero;  // a division by zero the caller has not yet tested
  {
    TFloatScope inner;
    EXPECT_NO_THROW(Checked(Ln(3))) << "the caller's flag is not the callee's error";
    EXPECT_THROW(Checked(Ln(-1)), EInvalidOp) << "the callee's own flag is";
  }
  EXPECT_THROW(Checked(inf), EZeroDivide) << "the caller still sees its own";
  EXPECT_NO_THROW(Checked(Ln(3)));
}

TEST(ExtendedMathTest, ScopeRestoresTheControlWord) {
  if (!kExactPrimitives)
    GTEST_SKIP() << "no x87 unit";
  // Double precision and rounding towards zero, as a foreign library might leave it.
  const unsigned short foreign = 0x0E7F;
  __asm__ __volatile__("fldcw %0" ::"m"(foreign));
  {
    TFloatScope scope;
    EXPECT_EQ(fpu::ControlWord() & 0x0F3F, 0x033Fu);
    EXPECT_EQ(Ln(2), 0.6931471805599453094172321L);
  }
  EXPECT_TRUE(fpu::EnsureExtendedControlWord());
}

}  // namespace
