#include "SeriesPointer.h"

namespace {

void CheckPointerSize(int size) {
  if (size < 1) {
    throw ChartException("Pointer size must be greater than zero");
  }
}

}  // namespace

TSeriesPointer::TSeriesPointer() {
  pen_.SetOnChange([this] { Changed(); });
  brush_.SetOnChange([this] { Changed(); });
}

void TSeriesPointer::SetHorizSize(int v) {
  CheckPointerSize(v);
  Update(horizSize_, v);
}

void TSeriesPointer::SetVertSize(int v) {
  CheckPointerSize(v);
  Update(vertSize_, v);
}
