#include "ChartPersistent.h"

#include "ChartMath.h"

namespace {

constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

}  // namespace

void TChartPen::Assign(const TChartPen& other) {
  SetColor(other.color_);
  SetWidth(other.width_);
  SetStyle(other.style_);
  SetVisible(other.visible_);
  SetSmallDots(other.smallDots_);
}

TCanvasPen TChartPen::ToCanvas() const {
  return ToCanvas(color_);
}

TCanvasPen TChartPen::ToCanvas(TColor color) const {
  if (!visible_) {
    return TCanvasPen{color, width_, psClear};
  }
  return TCanvasPen{color, width_, style_};
}

TChartFont::TChartFont(std::string name, int size, TColor color)
    : name_(std::move(name)), height_(MulDiv(size, kScreenDpi, kPointsPerInch)), color_(color) {}

int TChartFont::Size() const {
  return MulDiv(height_, kPointsPerInch, kScreenDpi);
}

void TChartFont::SetSize(int points) {
  SetHeight(MulDiv(points, kScreenDpi, kPointsPerInch));
}

TCanvasFont TChartFont::ToCanvas(int angle) const {
  return TCanvasFont{name_, height_, color_, style_, angle};
}
