// A canvas that draws nothing and records every call with its arguments and the drawing
// state in force. Text is measured with a fixed metric, so layouts are exact without fonts:
// each character is (height + 1) / 2 pixels wide and a line is height + 3 pixels high.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ChartCanvas.h"

// One recorded call.
struct TCanvasCall {
  std::string Op;         // the operation: "LineTo", "TextOut", "Rectangle", "SetPen", ...
  std::vector<int> Args;  // its integer arguments in order (rectangles: left, top, right, bottom)
  std::string Text;       // the text of TextOut
  TPoint From;            // LineTo: where the line starts
  TCanvasPen Pen;         // the state in force when the call was made
  TCanvasBrush Brush;
  TCanvasFont Font;
  TTextAlignH AlignH = TTextAlignH::Left;
  TTextAlignV AlignV = TTextAlignV::Top;
  TBackMode BackMode = TBackMode::Opaque;
  int Clips = 0;  // how many clip rectangles are in force
  // A readable line: "LineTo 18 313 -> 590 313", "TextOut 20 30 \"0.5\"", ...
  std::string ToString() const;
};

class TRecordingCanvas : public TChartCanvas {
 public:
  // Every call so far, in order.
  const std::vector<TCanvasCall>& Calls() const { return calls_; }
  // The calls of one operation, in order.
  std::vector<TCanvasCall> Calls(std::string_view op) const;
  // Every call as a readable line.
  std::vector<std::string> Log() const;
  // Forgets the calls (the drawing state stays).
  void Clear() { calls_.clear(); }

  // The fixed metric.
  static int CharWidth(int fontHeight) { return (fontHeight + 1) / 2; }
  static int LineHeight(int fontHeight) { return fontHeight + 3; }

  void BeginBuffer(int width, int height) override;
  void EndBuffer() override;
  void CopyToWindow(int x, int y) override;
  void SetPen(const TCanvasPen& pen) override;
  void SetBrush(const TCanvasBrush& brush) override;
  void SetFont(const TCanvasFont& font) override;
  void SetBackMode(TBackMode mode) override;
  void SetBackColor(TColor color) override;
  void SetTextAlign(TTextAlignH horizontal, TTextAlignV vertical) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(std::span<const TPoint> points) override;
  void Rectangle(const TRect& rect) override;
  void Ellipse(const TRect& rect) override;
  void Polygon(std::span<const TPoint> points) override;
  void SetPixel(int x, int y, TColor color) override;
  void FillRect(const TRect& rect) override;
  void Frame3D(const TRect& rect, TColor topLeft, TColor bottomRight, int width) override;
  void TextOut(int x, int y, std::string_view text) override;
  void ClipRectangle(const TRect& rect) override;
  void UnClipRectangle() override;

 private:
  TCanvasCall& Record(std::string op, std::vector<int> args);

  std::vector<TCanvasCall> calls_;
  TCanvasPen pen_;
  TCanvasBrush brush_;
  TCanvasFont font_;
  TTextAlignH alignH_ = TTextAlignH::Left;
  TTextAlignV alignV_ = TTextAlignV::Top;
  TBackMode backMode_ = TBackMode::Opaque;
  TPoint penPos_;
  int clips_ = 0;
};
