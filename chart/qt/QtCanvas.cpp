#include "QtCanvas.h"

#include <QPolygon>
#include <QRect>
#include <QString>
#include <QVector>
#include <cmath>

namespace {

Qt::PenStyle ToQtPenStyle(TPenStyle style) {
  switch (style) {
    case psSolid:
      return Qt::SolidLine;
    case psDash:
      return Qt::DashLine;
    case psDot:
      return Qt::DotLine;
    case psDashDot:
      return Qt::DashDotLine;
    case psDashDotDot:
      return Qt::DashDotDotLine;
    case psClear:
      return Qt::NoPen;
  }
  return Qt::SolidLine;
}

Qt::BrushStyle ToQtBrushStyle(TBrushStyle style) {
  switch (style) {
    case bsSolid:
      return Qt::SolidPattern;
    case bsClear:
      return Qt::NoBrush;
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::FDiagPattern;
    case bsBDiagonal:
      return Qt::BDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtCanvas::QtCanvas(QImage& buffer) : buffer_(buffer) {}

QtCanvas::QtCanvas(QPainter& target) : buffer_(unused_), painter_(&target), external_(true) {}

QtCanvas::~QtCanvas() {
  if (!external_ && painter_->isActive()) {
    painter_->end();
  }
}

QColor QtCanvas::ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

// [SECTION] Off-screen buffer

void QtCanvas::BeginBuffer(int width, int height) {
  drawnTexts_.clear();
  if (external_) {
    if (painter_->isActive()) {
      painter_->setClipping(false);
      ApplyState();
    }
    return;
  }
  if (painter_->isActive()) {
    painter_->end();
  }
  const int deviceWidth = static_cast<int>(std::ceil(width * ratio_));
  const int deviceHeight = static_cast<int>(std::ceil(height * ratio_));
  if (buffer_.width() != deviceWidth || buffer_.height() != deviceHeight ||
      buffer_.devicePixelRatio() != ratio_) {
    buffer_ = width > 0 && height > 0
                  ? QImage(deviceWidth, deviceHeight, QImage::Format_ARGB32_Premultiplied)
                  : QImage();
    buffer_.setDevicePixelRatio(ratio_);
  }
  if (buffer_.isNull()) {
    return;
  }
  painter_->begin(&buffer_);
  ApplyState();
}

void QtCanvas::ApplyState() {
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  // Bring the painter in line with the state the engine believes in.
  ApplyPen();
  ApplyBrush();
  painter_->setFont(font_);
  SetBackMode(opaque_ ? TBackMode::Opaque : TBackMode::Transparent);
  painter_->setBackground(backColor_);
}

void QtCanvas::EndBuffer() {
  if (!external_ && painter_->isActive()) {
    painter_->end();
  }
}

void QtCanvas::CopyToWindow(int x, int y) {
  if (!external_ && window_ != nullptr && !buffer_.isNull()) {
    window_->drawImage(x, y, buffer_);
  }
}

// [SECTION] Drawing state

void QtCanvas::SetPen(const TCanvasPen& pen) {
  if (pen == pen_) {
    return;
  }
  pen_ = pen;
  ApplyPen();
}

void QtCanvas::ApplyPen() {
  if (painter_->isActive()) {
    painter_->setPen(QPen(Shown(pen_.Color), pen_.Width < 1 ? 1 : pen_.Width,
                          ToQtPenStyle(pen_.Style), Qt::FlatCap, Qt::MiterJoin));
  }
}

void QtCanvas::SetBrush(const TCanvasBrush& brush) {
  if (brush == brush_) {
    return;
  }
  brush_ = brush;
  ApplyBrush();
}

void QtCanvas::ApplyBrush() {
  if (painter_->isActive()) {
    painter_->setBrush(QBrush(ShownFill(brush_.Color), ToQtBrushStyle(brush_.Style)));
  }
}

void QtCanvas::SetFont(const TCanvasFont& font) {
  if (font == fontSpec_ && metrics_) {
    return;
  }
  fontSpec_ = font;
  QFont f(ToQString(font.Name));
  f.setPixelSize(font.Height < 1 ? 1 : font.Height);
  f.setBold((font.Style & fsBold) != 0);
  f.setItalic((font.Style & fsItalic) != 0);
  f.setUnderline((font.Style & fsUnderline) != 0);
  f.setStrikeOut((font.Style & fsStrikeOut) != 0);
  font_ = f;
  metrics_.reset();
  if (painter_->isActive()) {
    painter_->setFont(font_);
  }
}

void QtCanvas::SetBackMode(TBackMode mode) {
  opaque_ = mode == TBackMode::Opaque;
  if (painter_->isActive()) {
    painter_->setBackgroundMode(opaque_ ? Qt::OpaqueMode : Qt::TransparentMode);
  }
}

void QtCanvas::SetBackColor(TColor color) {
  backColor_ = ShownFill(color);
  if (painter_->isActive()) {
    painter_->setBackground(backColor_);
  }
}

void QtCanvas::SetTextAlign(TTextAlignH horizontal, TTextAlignV vertical) {
  alignH_ = horizontal;
  alignV_ = vertical;
}

// [SECTION] Text

const QFontMetrics& QtCanvas::Metrics() {
  if (!metrics_) {
    metrics_.emplace(font_);
  }
  return *metrics_;
}

int QtCanvas::TextWidth(std::string_view text) {
  std::string key = fontSpec_.Name;
  key.append(1, '\x1f')
      .append(std::to_string(fontSpec_.Height))
      .append(1, static_cast<char>('a' + (fontSpec_.Style & 15)))
      .append(text);
  const auto found = widths_.find(key);
  if (found != widths_.end()) {
    return found->second;
  }
  if (widths_.size() > 4096) {
    widths_.clear();
  }
  const int width = Metrics().horizontalAdvance(ToQString(text));
  widths_.emplace(std::move(key), width);
  return width;
}

int QtCanvas::TextHeight(std::string_view /*text*/) {
  return Metrics().height();
}

void QtCanvas::TextOut(int x, int y, std::string_view text) {
  if (!painter_->isActive()) {
    return;
  }
  const QString s = ToQString(text);
  const QFontMetrics& fm = Metrics();
  const int width = fm.horizontalAdvance(s);
  int dx = 0;
  if (alignH_ == TTextAlignH::Center) {
    dx = -width / 2;
  } else if (alignH_ == TTextAlignH::Right) {
    dx = -width;
  }
  const int top = alignV_ == TTextAlignV::Top ? 0 : -fm.height();
  painter_->save();
  painter_->translate(x, y);
  if (fontSpec_.Angle != 0) {
    painter_->rotate(-fontSpec_.Angle);
  }
  if (opaque_) {
    painter_->fillRect(QRect(dx, top, width, fm.height()), backColor_);
  }
  painter_->setPen(Shown(fontSpec_.Color));
  painter_->drawText(QPoint(dx, top + fm.ascent()), s);
  drawnTexts_.push_back(
      TDrawnText{std::string(text),
                 painter_->transform().mapRect(QRect(dx, top, width, fm.height())).normalized()});
  painter_->restore();
}

// [SECTION] Shapes

void QtCanvas::MoveTo(int x, int y) {
  penPos_ = QPoint(x, y);
}

void QtCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (painter_->isActive() && pen_.Style != psClear && to != penPos_) {
    painter_->drawLine(penPos_, to);
  }
  penPos_ = to;
}

void QtCanvas::Polyline(std::span<const TPoint> points) {
  if (!painter_->isActive() || pen_.Style == psClear || points.size() < 2) {
    return;
  }
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const TPoint& p : points) {
    polygon << QPoint(p.X, p.Y);
  }
  painter_->drawPolyline(polygon);
  penPos_ = polygon.back();
}

void QtCanvas::Rectangle(const TRect& r) {
  if (!painter_->isActive() || r.Width() <= 0 || r.Height() <= 0) {
    return;
  }
  if (pen_.Style == psClear) {
    if (brush_.Style != bsClear) {
      painter_->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), painter_->brush());
    }
    return;
  }
  // A stroked QRect covers one pixel more than its size: the outline then runs on the
  // rectangle's last column and row, inside it.
  painter_->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void QtCanvas::Ellipse(const TRect& r) {
  if (painter_->isActive()) {
    painter_->drawEllipse(QRect(r.Left, r.Top, r.Width(), r.Height()));
  }
}

void QtCanvas::Polygon(std::span<const TPoint> points) {
  if (!painter_->isActive() || points.empty()) {
    return;
  }
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const TPoint& p : points) {
    polygon << QPoint(p.X, p.Y);
  }
  painter_->drawPolygon(polygon);
}

void QtCanvas::SetPixel(int x, int y, TColor color) {
  if (painter_->isActive()) {
    painter_->fillRect(QRect(x, y, 1, 1), Shown(color));
  }
}

void QtCanvas::FillRect(const TRect& r) {
  if (painter_->isActive() && brush_.Style != bsClear && r.Width() > 0 && r.Height() > 0) {
    painter_->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), painter_->brush());
  }
}

void QtCanvas::Frame3D(const TRect& r, TColor topLeft, TColor bottomRight, int width) {
  if (!painter_->isActive()) {
    return;
  }
  const QColor light = Shown(topLeft);
  const QColor dark = Shown(bottomRight);
  for (int i = 0; i < width; ++i) {
    const int w = r.Width() - 2 * i;
    const int h = r.Height() - 2 * i;
    if (w <= 0 || h <= 0) {
      return;
    }
    const int left = r.Left + i;
    const int top = r.Top + i;
    painter_->fillRect(QRect(left, top, w, 1), light);
    painter_->fillRect(QRect(left, top, 1, h), light);
    painter_->fillRect(QRect(left, top + h - 1, w, 1), dark);
    painter_->fillRect(QRect(left + w - 1, top, 1, h), dark);
  }
}

// [SECTION] Clipping

void QtCanvas::ClipRectangle(const TRect& r) {
  if (!painter_->isActive()) {
    return;
  }
  const QRect rect(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
  painter_->setClipRect(rect, painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void QtCanvas::UnClipRectangle() {
  if (painter_->isActive()) {
    painter_->setClipping(false);
  }
}
