#include "Judgements.h"

#include "NumberText.h"

Extended Level::Fraction() const {
  TFloatScope scope;
  return Checked(static_cast<Extended>(Tenths_) / 1000);
}

std::string Level::Text() const {
  const long long whole = Tenths_ / 10;
  const long long tenth = Tenths_ % 10;
  std::string text = Tenths_ < 0 && whole == 0 ? "-0" : std::to_string(whole);
  // Appended a character at a time: a temporary joined with "+" sets off GCC 12's
  // -Wrestrict false positive at -O3 (GCC bug 105651).
  if (tenth != 0) {
    text += '.';
    text += static_cast<char>('0' + (tenth < 0 ? -tenth : tenth));
  }
  return text;
}

Level ReadLevelText(std::string_view fieldName, std::string_view text) {
  const std::string_view raw = text;
  const auto refuse = [&](std::string_view why) {
    std::string message(fieldName);
    if (text.empty())
      message += " is empty: type a percentage in steps of 0.1, such as 2.5.";
    else
      message += " reads " + QuotedText(raw) + ", which " + std::string(why) + ".";
    return EInputError(message);
  };
  constexpr std::string_view kNotALevel =
      "is not a level: type a percentage in steps of 0.1, such as 2.5";
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '+' || text[0] == '-'))
    ++i;
  const auto digit = [&text](std::size_t at) {
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
  };
  long long tenths = 0;
  bool digits = false;
  bool tooLarge = false;
  for (; digit(i); ++i) {
    digits = true;
    if (tenths <= kLargestLevelTenths)
      tenths = tenths * 10 + (text[i] - '0') * 10;
    tooLarge = tooLarge || tenths > kLargestLevelTenths;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (digit(i)) {
      digits = true;
      tenths += text[i] - '0';
      ++i;
    }
    for (; digit(i); ++i) {
      if (text[i] != '0')
        throw refuse("goes beyond a tenth: levels go in steps of 0.1, such as 2.5");
    }
  }
  if (text.empty() || !digits || i != text.size())
    throw refuse(kNotALevel);
  if (tooLarge || tenths > kLargestLevelTenths)
    throw refuse("is too large for a level: levels are percentages from 0 to 100");
  return Level::FromTenths(negative ? -tenths : tenths);
}

std::string_view FieldCaption(NumberField field) {
  switch (field) {
    case NumberField::LowerQuantile:
      return "Lower Quantile (a_p)";
    case NumberField::ModeValue:
      return "Most Likely Value (m)";
    case NumberField::UpperQuantile:
      return "Upper Quantile (b_r)";
    case NumberField::Power:
      return "Power Parameter n";
    case NumberField::ExtraQuantile:
      return "Additional Quantile (x_s)";
  }
  return "";
}

Judgements ReadJudgements(const TypedJudgements& typed) {
  TFloatScope scope;
  const auto number = [&typed](NumberField field) {
    return ReadNumberText(FieldCaption(field), typed.Text(field));
  };
  Judgements judgements;
  judgements.Typed = typed;
  judgements.LowerQuantile = number(NumberField::LowerQuantile);
  judgements.ModeValue = number(NumberField::ModeValue);
  judgements.UpperQuantile = number(NumberField::UpperQuantile);
  if (typed.Mode == FitMode::PowerParameter) {
    judgements.Power = number(NumberField::Power);
  } else {
    judgements.ExtraQuantile = number(NumberField::ExtraQuantile);
  }
  return judgements;
}
