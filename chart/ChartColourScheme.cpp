#include "ChartColourScheme.h"

#include <cmath>

namespace {

// The sRGB channel in the low byte of `rgb >> shift`, linearised.
double LinearChannel(TColor rgb, int shift) {
  const double c = static_cast<double>((rgb >> shift) & 0xFF) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

TColor Mix(TColor from, TColor to, int step, int steps) {
  TColor mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = static_cast<int>((from >> shift) & 0xFF);
    const int b = static_cast<int>((to >> shift) & 0xFF);
    mixed |= static_cast<TColor>(a + (b - a) * step / steps) << shift;
  }
  return mixed;
}

// The button face and the button shadow of the toolkit's system colours.
constexpr TColor kDesignedFace = 0xF0F0F0;
constexpr TColor kDesignedShadow = 0xA0A0A0;

}  // namespace

double RelativeLuminance(TColor rgb) {
  return 0.2126 * LinearChannel(rgb, 0) + 0.7152 * LinearChannel(rgb, 8) +
         0.0722 * LinearChannel(rgb, 16);
}

double ContrastRatio(TColor first, TColor second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::fmax(a, b) + 0.05) / (std::fmin(a, b) + 0.05);
}

bool IsDarkPaper(TColor paper) {
  return ContrastRatio(paper, clWhite) > ContrastRatio(paper, clBlack);
}

TColor ReadableOn(TColor color, TColor paper, double minimumContrast) {
  const TColor target = IsDarkPaper(paper) ? clWhite : clBlack;
  // Ten steps reach the target itself, which has the most contrast there is.
  constexpr int kSteps = 10;
  TColor shown = color & 0xFFFFFF;
  for (int step = 1; step <= kSteps && ContrastRatio(shown, paper) < minimumContrast; ++step) {
    shown = Mix(color & 0xFFFFFF, target, step, kSteps);
  }
  return shown;
}

TColor SchemeColor(const TChartColourScheme& scheme, TColor color) {
  const TColor rgb = ColorToRGB(color);
  if (scheme == TChartColourScheme{}) {
    return rgb;
  }
  switch (rgb) {
    case clWhite:
      return scheme.Paper;
    case clBlack:
      return scheme.Ink;
    case clGray:
    case kDesignedShadow:
      return scheme.Grid;
    case kDesignedFace:
      return scheme.Face;
    default:
      break;
  }
  // Lines and marks need the contrast of large text to be told apart from the paper.
  constexpr double kLineContrast = 3.0;
  return IsDarkPaper(scheme.Paper) ? ReadableOn(rgb, scheme.Paper, kLineContrast) : rgb;
}

TColor SchemeFill(const TChartColourScheme& scheme, TColor color) {
  const TColor rgb = ColorToRGB(color);
  if (scheme == TChartColourScheme{} || !IsDarkPaper(scheme.Paper)) {
    return SchemeColor(scheme, color);
  }
  switch (rgb) {
    case clWhite:
    case clBlack:
    case clGray:
    case kDesignedShadow:
    case kDesignedFace:
      return SchemeColor(scheme, color);
    default:
      break;
  }
  constexpr double kTextContrast = 4.5;
  return ReadableOn(rgb, scheme.Ink, kTextContrast);
}
