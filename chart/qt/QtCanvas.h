// The chart canvas on Qt: draws with a QPainter into a QImage (the off-screen buffer) and
// copies the image to a window painter; or draws straight onto a painter of any device (an
// SVG generator, an image of another scale), as vector shapes and text.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ChartCanvas.h"
#include "ChartColourScheme.h"

class QtCanvas : public TChartCanvas {
 public:
  // A canvas drawing into buffer, which it resizes as the chart asks.
  explicit QtCanvas(QImage& buffer);
  // A canvas drawing onto target, which is active and stays so: no buffer of its own, and
  // CopyToWindow copies nothing.
  explicit QtCanvas(QPainter& target);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // A text of the last drawing and the rectangle its glyph cells cover, in the buffer's
  // logical pixels.
  struct TDrawnText {
    std::string Text;
    QRect Box;
  };
  const std::vector<TDrawnText>& DrawnTexts() const { return drawnTexts_; }
  // The buffer holds this many device pixels per logical pixel (the screen's ratio); the
  // engine keeps drawing in logical pixels.
  void SetDevicePixelRatio(qreal ratio) { ratio_ = ratio > 0 ? ratio : 1.0; }
  qreal DevicePixelRatio() const { return ratio_; }

  // Where CopyToWindow draws the buffer; with none the copy is skipped.
  void SetWindowPainter(QPainter* window) { window_ = window; }
  // The Qt colour of a toolkit colour (system colours resolved).
  static QColor ToQColor(TColor color);
  // The colours the chart is shown in: as designed unless the window's palette says other.
  void SetColourScheme(const TChartColourScheme& scheme) { scheme_ = scheme; }
  const TChartColourScheme& ColourScheme() const { return scheme_; }

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
  // The Qt colour a designed colour is shown in under the scheme.
  QColor Shown(TColor color) const { return ToQColor(SchemeColor(scheme_, color)); }
  // The Qt colour a designed fill is shown in under the scheme.
  QColor ShownFill(TColor color) const { return ToQColor(SchemeFill(scheme_, color)); }
  const QFontMetrics& Metrics();
  void ApplyPen();
  void ApplyBrush();
  // Pen, brush, font, background and render hints as the engine last set them.
  void ApplyState();

  QImage unused_;  // the buffer of a canvas that draws onto a painter of another device
  QImage& buffer_;
  QPainter ownPainter_;
  QPainter* painter_ = &ownPainter_;
  bool external_ = false;  // drawing onto a painter it was given
  QPainter* window_ = nullptr;
  TCanvasPen pen_;
  TCanvasBrush brush_;
  TCanvasFont fontSpec_;
  QFont font_;
  std::optional<QFontMetrics> metrics_;
  TTextAlignH alignH_ = TTextAlignH::Left;
  TTextAlignV alignV_ = TTextAlignV::Top;
  bool opaque_ = true;
  QColor backColor_ = Qt::white;
  TChartColourScheme scheme_;
  QPoint penPos_;
  qreal ratio_ = 1.0;
  // Text widths by font and text: a repaint measures the same labels again.
  std::unordered_map<std::string, int> widths_;
  std::vector<TDrawnText> drawnTexts_;
};
