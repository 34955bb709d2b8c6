#include "NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

namespace {

TEST(FormatNumberTest, FixedPointWithEightDecimals) {
  EXPECT_EQ(FormatNumber(0.5L), "0.50000000");
  EXPECT_EQ(FormatNumber(-1), "-1.00000000");
  EXPECT_EQ(FormatNumber(7), "7.00000000");
  EXPECT_EQ(FormatNumber(20.890525352L), "20.89052535");
  EXPECT_EQ(FormatNumber(1234567.125L), "1234567.12500000") << "no thousands separators";
  EXPECT_EQ(FormatNumber(0.123456785L), "0.12345678") << "correctly rounded";
  EXPECT_EQ(FormatNumber(9.999999999L), "10.00000000");
  EXPECT_EQ(FormatNumber(0), "0.00000000");
}

TEST(FormatNumberTest, NineSignificantDigitsWhereEightDecimalsKeepFewerThanEight) {
  // The 1e-7 fit's lower bound, which eight decimals showed as -0.00000066.
  EXPECT_EQ(FormatNumber(-6.632455532033676e-7L), "-6.63245553e-07");
  EXPECT_EQ(FormatNumber(9e-7L), "9.00000000e-07") << "trailing zeros kept: nine digits";
  EXPECT_EQ(FormatNumber(0.0123456789L), "0.0123456789") << "fixed down to 1e-4";
  EXPECT_EQ(FormatNumber(0.000123456789L), "0.000123456789");
  EXPECT_EQ(FormatNumber(0.00009999999999L), "0.000100000000") << "the rounded value's exponent";
  EXPECT_EQ(FormatNumber(0.0999999999L), "0.10000000") << "eight digits as it stands";
  EXPECT_EQ(FormatNumber(0.0999999904L), "0.0999999904");
  EXPECT_EQ(FormatNumber(6.5e-300L), "6.50000000e-300");
  EXPECT_EQ(FormatNumber(-3.64519953188247460253e-4951L), "-3.64519953e-4951") << "smallest";
  EXPECT_EQ(FormatNumber(2687209042812.375L), "2687209042812.37500000") << "large stays fixed";
}

TEST(FormatNumberTest, NeverCutAndPaddedToTen) {
  const std::string huge = FormatNumber(1e4000L);
  // 1e4000 is not exact in extended: the nearest value lies just below it.
  EXPECT_EQ(huge.size(), 4000u + 9u);
  EXPECT_EQ(huge.substr(0, 5), "99999");
  EXPECT_EQ(FormatNumber(std::numeric_limits<long double>::infinity()), "  Infinity");
  EXPECT_EQ(FormatNumber(-std::numeric_limits<long double>::infinity()), " -Infinity");
  EXPECT_EQ(FormatNumber(std::numeric_limits<long double>::quiet_NaN()), "       NaN");
}

TEST(FormatNumberTest, IgnoresTheProcessLocale) {
  // A locale with a decimal comma, when the machine has one.
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) {
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  EXPECT_EQ(FormatNumber(6.5L), "6.50000000");
  EXPECT_EQ(ReadNumberText("x", "6.5"), 6.5L);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(ReadNumberTextTest, ReadsDecimalNumbersCorrectlyRounded) {
  EXPECT_EQ(ReadNumberText("f", "6.5"), 6.5L);
  EXPECT_EQ(ReadNumberText("f", "0.1"), 0.1L);
  EXPECT_EQ(ReadNumberText("f", "9.588495255"), 9.588495255L);
  EXPECT_EQ(ReadNumberText("f", "-7"), -7);
  EXPECT_EQ(ReadNumberText("f", "+7."), 7);
  EXPECT_EQ(ReadNumberText("f", ".25"), 0.25L);
  EXPECT_EQ(ReadNumberText("f", "1.5E3"), 1500);
  EXPECT_EQ(ReadNumberText("f", "25e-1"), 2.5L);
  EXPECT_EQ(ReadNumberText("f", "1e4000"), 1e4000L);
  EXPECT_EQ(ReadNumberText("f", "12345678901234567890123"), 12345678901234567890123.0L);
  EXPECT_EQ(ReadNumberText("f", "0e-5000"), 0);
  EXPECT_EQ(ReadNumberText("f", "-0.000"), 0);
  EXPECT_GT(ReadNumberText("f", "4e-4951"), 0) << "the smallest extended value is taken";
}

TEST(ReadNumberTextTest, AcceptsBlanksAroundTheNumber) {
  EXPECT_EQ(ReadNumberText("f", "6.5 "), 6.5L);
  EXPECT_EQ(ReadNumberText("f", "  6.5"), 6.5L);
  EXPECT_EQ(ReadNumberText("f", "\t6.5\t "), 6.5L);
}

std::string Refusal(std::string_view text) {
  try {
    ReadNumberText("Lower Quantile (a_p)", text);
  } catch (const EInputError& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(ReadNumberTextTest, RefusesWhatIsNotOneNumber) {
  for (const char* text :
       {"abc", "6.5.1", "6 5", "--5", "+-5", "1e", "1e+", ".", "-", "e5", "inf", "nan", "Infinity",
        "0x10", "6.5x", "1,000.5", "5%", "1e5.5", "\xe2\x80\x8b"}) {
    EXPECT_NE(Refusal(text), "(accepted)") << "\"" << text << "\"";
  }
}

TEST(ReadNumberTextTest, MessagesNameTheFieldAndTheFix) {
  EXPECT_EQ(Refusal("6,5"),
            "\"Lower Quantile (a_p)\" reads \"6,5\", which is not a number: the decimal "
            "separator is \".\" (type 6.5).");
  EXPECT_EQ(Refusal(""), "\"Lower Quantile (a_p)\" is empty: type a number, such as 6.5.");
  EXPECT_EQ(Refusal("   "), "\"Lower Quantile (a_p)\" is empty: type a number, such as 6.5.");
  EXPECT_EQ(Refusal("abc"),
            "\"Lower Quantile (a_p)\" reads \"abc\", which is not a number: type digits with "
            "an optional \".\" and exponent, such as 6.5 or 1.2e3.");
  EXPECT_NE(Refusal("1e5000").find("too large"), std::string::npos);
  EXPECT_NE(Refusal("-1e5000").find("too large"), std::string::npos);
  EXPECT_EQ(Refusal("1e-5000"),
            "\"Lower Quantile (a_p)\" reads \"1e-5000\", which is too small: a number other "
            "than 0 must be at least 3.6e-4951 in size (type 0 for zero).");
  EXPECT_NE(Refusal("-0.1e-4950").find("too small"), std::string::npos);
  const std::string longText(1000, '7');
  EXPECT_LT(Refusal(longText + "x").size(), 300u) << "a long text is shortened in the message";
}

TEST(QuotedTextTest, KeepsWholeCharactersAndEscapesTheRest) {
  EXPECT_EQ(QuotedText("abc"), "\"abc\"");
  EXPECT_EQ(QuotedText("\xff"), "\"\\xFF\"");
  EXPECT_EQ(QuotedText("a\nb\\"), "\"a\\x0Ab\\\\\"");
  // 39 letters and an e-acute of two bytes: the 40th character is kept whole.
  const std::string text = std::string(39, 'a') + "\xc3\xa9" + "z";
  EXPECT_EQ(QuotedText(text), "\"" + std::string(39, 'a') + "\xc3\xa9\"...");
  // Overlong forms, surrogates, code points beyond U+10FFFF and cut sequences are bytes.
  EXPECT_EQ(EscapedText("\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82"),
            "\\xC0\\xAF\\xED\\xA0\\x80\\xF4\\x90\\x80\\x80\\xE2\\x82");
  EXPECT_EQ(EscapedText("\xf0\x9f\x98\x80\xe2\x82\xac"), "\xf0\x9f\x98\x80\xe2\x82\xac");
  // A refusal quotes the text the same way.
  EXPECT_EQ(Refusal("\xff"),
            "\"Lower Quantile (a_p)\" reads \"\\xFF\", which is not a number: type digits "
            "with an optional \".\" and exponent, such as 6.5 or 1.2e3.");
}

}  // namespace
