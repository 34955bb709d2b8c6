#include "JudgementSheet.h"

std::string_view FieldCaption(TNumberField field) {
  switch (field) {
    case TNumberField::LowerQuantile:
      return "Lower Quantile (a_p)";
    case TNumberField::ModeValue:
      return "Most Likely Value (m)";
    case TNumberField::UpperQuantile:
      return "Upper Quantile (b_r)";
    case TNumberField::Power:
      return "Power Parameter n";
    case TNumberField::ExtraQuantile:
      return "Additional Quantile (x_s)";
  }
  return "";
}
