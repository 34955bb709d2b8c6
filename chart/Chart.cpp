#include "Chart.h"

#include <algorithm>

// [SECTION] Construction

TChart::TChart() {
  for (TChartPersistent* part : std::initializer_list<TChartPersistent*>{
           &title_, &foot_, &backWall_, &leftWall_, &bottomWall_, &legend_, &gradient_}) {
    part->SetOnChange([this] { Invalidate(); });
  }
  autoRepaint_ = true;
}

TChart::~TChart() {
  destroying_ = true;
  // Each series is detached first, then freed.
  for (auto& series : series_) {
    series->AttachTo(nullptr);
  }
  series_.clear();
}

// [SECTION] Series

TChartSeries* TChart::AddSeries(std::unique_ptr<TChartSeries> series) {
  if (!series) {
    return nullptr;
  }
  TChartSeries* s = series.get();
  s->AttachTo(this);
  if (s->SeriesColor() == clDefault) {
    // The first palette colour no series of the chart has and that stands out from the
    // panel and the back wall.
    TColor free = PaletteColor(0);
    for (int k = 0; k < static_cast<int>(DefaultPalette.size()); ++k) {
      const TColor c = PaletteColor(k);
      const bool taken = std::any_of(series_.begin(), series_.end(),
                                     [c](const auto& other) { return other->SeriesColor() == c; });
      if (!taken && c != color_ && c != backWall_.Color()) {
        free = c;
        break;
      }
    }
    s->seriesColor_ = free;
  }
  series_.push_back(std::move(series));
  Invalidate();
  return s;
}

std::unique_ptr<TChartSeries> TChart::RemoveSeries(TChartSeries* series) {
  const auto it = std::find_if(series_.begin(), series_.end(),
                               [series](const auto& s) { return s.get() == series; });
  if (it == series_.end()) {
    return nullptr;
  }
  std::unique_ptr<TChartSeries> taken = std::move(*it);
  series_.erase(it);
  taken->AttachTo(nullptr);
  Invalidate();
  return taken;
}

bool TChart::HasActiveSeries() const {
  return std::any_of(series_.begin(), series_.end(), [](const auto& s) { return s->Active(); });
}

// [SECTION] Properties

void TChart::SetSize(int width, int height) {
  if (width != width_ || height != height_) {
    width_ = width;
    height_ = height;
    Invalidate();
  }
}

void TChart::SetColor(TColor v) {
  Update(color_, v);
}
void TChart::SetView3D(bool v) {
  Update(view3D_, v);
}
void TChart::SetMarginLeft(int v) {
  Update(marginLeft_, v);
}
void TChart::SetMarginTop(int v) {
  Update(marginTop_, v);
}
void TChart::SetMarginRight(int v) {
  Update(marginRight_, v);
}
void TChart::SetMarginBottom(int v) {
  Update(marginBottom_, v);
}
void TChart::SetAxisVisible(bool v) {
  Update(axisVisible_, v);
}
void TChart::SetClipPoints(bool v) {
  Update(clipPoints_, v);
}
void TChart::SetBevelOuter(TBevelCut v) {
  Update(bevelOuter_, v);
}
void TChart::SetBevelInner(TBevelCut v) {
  Update(bevelInner_, v);
}
void TChart::SetBevelWidth(int v) {
  Update(bevelWidth_, v);
}
void TChart::SetBorderWidth(int v) {
  Update(borderWidth_, v);
}

// [SECTION] Repainting

void TChart::Invalidate() {
  if (!autoRepaint_) {
    return;
  }
  dirty_ = true;
  if (repaintRequest_) {
    repaintRequest_();
  }
}

void TChart::Paint(TChartCanvas& canvas) {
  if (dirty_) {
    // Cleared first: a change made while drawing leaves the chart dirty for the next request.
    dirty_ = false;
    Draw(canvas);
  }
  canvas.CopyToWindow(0, 0);
}
