#include "ChartParts.h"

TChartTitle::TChartTitle() {
  font_.SetOnChange([this] { Changed(); });
  brush_.SetOnChange([this] { Changed(); });
  frame_.SetOnChange([this] { Changed(); });
}

TChartLegend::TChartLegend() {
  font_.SetOnChange([this] { Changed(); });
  frame_.SetOnChange([this] { Changed(); });
}

TChartWall::TChartWall() {
  brush_.SetOnChange([this] { Changed(); });
  pen_.SetOnChange([this] { Changed(); });
}
