// The drawing surface the engine paints through. The engine never draws any other way,
// so the same chart paints on a Qt image or on the recording canvas of the tests.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "ChartTypes.h"

// A pen as the canvas uses it; style psClear draws nothing.
struct TCanvasPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = psSolid;
  friend bool operator==(const TCanvasPen&, const TCanvasPen&) = default;
};

// A brush as the canvas uses it; style bsClear fills nothing.
struct TCanvasBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  friend bool operator==(const TCanvasBrush&, const TCanvasBrush&) = default;
};

// A font as the canvas uses it. Height is the character height in pixels; Angle is the
// direction of the text in degrees counter-clockwise (0, 90 or 270).
struct TCanvasFont {
  std::string Name = "Arial";
  int Height = 11;
  TColor Color = clBlack;
  TFontStyles Style = 0;
  int Angle = 0;
  friend bool operator==(const TCanvasFont&, const TCanvasFont&) = default;
};

// Where TextOut's point lies on the text: along the text (left, centre, right) and across
// it (top or bottom of the text cell), in the text's own direction.
enum class TTextAlignH { Left, Center, Right };
enum class TTextAlignV { Top, Bottom };

// Whether text cells and the gaps of broken lines are filled with the background colour.
enum class TBackMode { Transparent, Opaque };

class TChartCanvas {
 public:
  virtual ~TChartCanvas() = default;

  // [SECTION] Off-screen buffer
  // Sizes the off-screen bitmap (recreated empty when a dimension differs) and starts
  // drawing into it.
  virtual void BeginBuffer(int width, int height) = 0;
  // Ends drawing into the bitmap.
  virtual void EndBuffer() = 0;
  // Copies the bitmap to the window with its top-left corner at (x, y).
  virtual void CopyToWindow(int x, int y) = 0;

  // [SECTION] Drawing state
  virtual void SetPen(const TCanvasPen& pen) = 0;
  virtual void SetBrush(const TCanvasBrush& brush) = 0;
  virtual void SetFont(const TCanvasFont& font) = 0;
  virtual void SetBackMode(TBackMode mode) = 0;
  virtual void SetBackColor(TColor color) = 0;
  virtual void SetTextAlign(TTextAlignH horizontal, TTextAlignV vertical) = 0;

  // [SECTION] Text extents in the current font
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  // The font height: the height of the text "W".
  int FontHeight() { return TextHeight("W"); }

  // [SECTION] Drawing
  // Lines: the end point of a line is not painted.
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // Lines through the points in order, drawn as one path so that no join loses a pixel;
  // the last point is not painted.
  virtual void Polyline(std::span<const TPoint> points) = 0;
  // Outline with the pen, inside with the brush; right and bottom edges excluded.
  virtual void Rectangle(const TRect& rect) = 0;
  // Ellipse inscribed in the rectangle, outline with the pen, inside with the brush.
  virtual void Ellipse(const TRect& rect) = 0;
  // Closed polygon, outline with the pen, inside with the brush.
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  // Fills the rectangle with the brush, no outline.
  virtual void FillRect(const TRect& rect) = 0;
  // A three-dimensional frame of the given width inside rect: top and left edges in
  // topLeft, bottom and right edges in bottomRight.
  virtual void Frame3D(const TRect& rect, TColor topLeft, TColor bottomRight, int width) = 0;
  // Text at (x, y) in the current font, alignment and background mode.
  virtual void TextOut(int x, int y, std::string_view text) = 0;

  // [SECTION] Clipping
  // Intersects the clip region with the rectangle.
  virtual void ClipRectangle(const TRect& rect) = 0;
  // Removes every clip.
  virtual void UnClipRectangle() = 0;
};
