// Types shared by the chart engine and the windows that host charts: colours, geometry,
// pen, brush and font styles, text alignment, bevels and the engine's two exceptions.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

// [SECTION] Colours

// A toolkit colour: red in the low byte, then green, then blue. Values with a high byte set
// are system colours (resolved by ColorToRGB) or the two sentinels below.
using TColor = std::uint32_t;

inline constexpr TColor clDefault = 0x20000000;  // use the owner's colour
inline constexpr TColor clNone = 0x1FFFFFFF;     // a point stored with it is a null point

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System colours: 0x80000000 plus the toolkit's colour index.
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnText = 0x80000012;
inline constexpr TColor clBtnHighlight = 0x80000014;

// The colours handed to series that join a chart without a colour of their own.
inline constexpr std::array<TColor, 16> DefaultPalette = {
    clRed,  clGreen,  clYellow, clBlue,  clWhite,  clGray,   clFuchsia, clTeal,
    clNavy, clMaroon, clLime,   clOlive, clPurple, clSilver, clAqua,    clBlack};

// Palette colour k: entry k mod 16 (k >= 0).
TColor PaletteColor(int k);

// The plain red-green-blue value of a colour: system colours become their usual RGB,
// the sentinels black; plain colours are returned unchanged.
TColor ColorToRGB(TColor color);

// [SECTION] Geometry

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle whose right and bottom edges lie just outside it.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Whether two rectangles (right and bottom edges excluded) share a pixel.
inline bool Overlaps(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// [SECTION] Styles

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

// Font style bits, combined in TFontStyles.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TBevelCut { bvNone, bvLowered, bvRaised };

// [SECTION] Exceptions

// An axis property was given a value it cannot take; the property keeps its old value.
class AxisException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A chart, series or pointer property was given a value it cannot take.
class ChartException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
