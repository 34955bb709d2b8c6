#include "SeriesMarks.h"

TSeriesMarks::TSeriesMarks() {
  arrow_.SetOnChange([this] { Changed(); });
  frame_.SetOnChange([this] { Changed(); });
  font_.SetOnChange([this] { Changed(); });
}
