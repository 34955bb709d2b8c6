#include "Judgements.h"

#include "NumberText.h"

Extended Level::Fraction() const {
  TFloatScope scope;
  return Checked(static_cast<Extended>(Percent_) / 100);
}

std::string Level::Text() const {
  return std::to_string(Percent_);
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
