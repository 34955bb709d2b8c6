#include "ChartTypes.h"

TColor PaletteColor(int k) {
  const int n = static_cast<int>(DefaultPalette.size());
  return DefaultPalette[static_cast<std::size_t>(((k % n) + n) % n)];
}

TColor ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) == 0) {
    return color;
  }
  // The usual appearance of the toolkit's system colours.
  switch (color) {
    case clWindow:
    case clBtnHighlight:
      return 0xFFFFFF;
    case clBtnFace:
      return 0xF0F0F0;
    case clBtnShadow:
      return 0xA0A0A0;
    default:
      return 0x000000;
  }
}
