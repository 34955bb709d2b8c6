// The chart engine under arbitrary points and axis settings.
//
// The input is read from the front as a sequence of choices: the chart's size, margins and
// title; for each of the four axes its switches, a few range operations (minimum, maximum,
// limits, increment), label, tick and position settings (positions within +-1000 per
// cent), a value format and a title; then up to four line or point series with their
// pointer, marks and axes and up to 400 points each. A number is one tag byte: below 64 a
// value from a table of awkward ones (NaN, the infinities, the extremes of double, signed
// zeros, ...), below 160 a small whole number with a fraction, else the next eight bytes
// as a double of any bit pattern. Bytes past the end read as zero.
//
// The chart is drawn on the recording canvas, resized and drawn again. A crash, a
// sanitizer report, a hang, an exception out of drawing, a setter that refuses a value and
// still changes the property, or a drawing call at a saturated or wrapped coordinate is a
// failure.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <exception>
#include <initializer_list>
#include <limits>
#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "Chart.h"
#include "CustomSeries.h"
#include "FuzzCheck.h"
#include "RecordingCanvas.h"

namespace {

class TByteReader {
 public:
  TByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Flag() { return (Byte() & 1) != 0; }
  // A whole number in [lo, hi] from two bytes.
  int Int(int lo, int hi) {
    const unsigned raw = static_cast<unsigned>(Byte()) << 8 | Byte();
    return lo + static_cast<int>(raw % static_cast<unsigned>(hi - lo + 1));
  }
  template <typename E>
  E Choice(int count) {
    return static_cast<E>(Byte() % count);
  }

  double Number() {
    static constexpr double kInf = std::numeric_limits<double>::infinity();
    static constexpr std::array<double, 24> kAwkward = {
        std::numeric_limits<double>::quiet_NaN(),
        kInf,
        -kInf,
        0.0,
        -0.0,
        1e300,
        -1e300,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(),
        -std::numeric_limits<double>::denorm_min(),
        1e-300,
        1e-10,
        1e-11,
        1e15,
        1e16,
        2147483647.0,
        -2147483648.0,
        4294967296.0,
        9.2233720368547758e18,
        1.0,
        0.5,
        1e308,
    };
    const std::uint8_t tag = Byte();
    if (tag < 64)
      return kAwkward[tag % kAwkward.size()];
    if (tag < 160)
      return static_cast<double>(static_cast<std::int8_t>(Byte())) + Byte() / 256.0;
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
      bits = bits << 8 | Byte();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // A percentage of the plot for the axis positions: any double, the infinities included.
  double Percentage() { return Number(); }

  // Up to maxLength bytes as text, any byte allowed.
  std::string Text(std::size_t maxLength) {
    const std::size_t length = Byte() % (maxLength + 1);
    std::string text;
    for (std::size_t i = 0; i < length && at_ < size_; ++i)
      text.push_back(static_cast<char>(Byte()));
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Same bits, so that a NaN kept is a NaN equal to itself.
bool Same(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A setter given a value it refuses raises the engine's exception with a message and keeps
// the property as it was.
template <typename Exception, typename Get, typename Set>
void SetOrKeep(Get get, Set set, const char* what) {
  const auto before = get();
  try {
    set();
  } catch (const Exception& e) {
    FUZZ_EXPECT(std::strlen(e.what()) > 0) << what << ": an empty message";
    FUZZ_EXPECT(Same(get(), before))
        << what << " changed though refused: " << before << " -> " << get();
  }
}

constexpr std::array<std::string_view, 8> kFormats = {
    "#,##0.###", "0.00", "#", "0", "0.###E+0", "##0.## %", "", "#,##0.################"};

void ConfigureAxis(TByteReader& in, TChartAxis& axis) {
  axis.SetVisible(in.Flag());
  axis.SetInverted(in.Flag());
  axis.SetLabels(in.Flag());
  axis.SetLabelsOnAxis(in.Flag());
  axis.SetRoundFirstLabel(in.Flag());
  axis.SetLabelsMultiLine(in.Flag());
  axis.SetGridCentered(in.Flag());
  axis.SetTickOnLabelsOnly(in.Flag());

  const int operations = in.Byte() % 6;
  for (int k = 0; k < operations; ++k) {
    switch (in.Byte() % 7) {
      case 0: {
        const double v = in.Number();
        SetOrKeep<AxisException>([&] { return axis.Minimum(); }, [&] { axis.SetMinimum(v); },
                                 "Minimum");
        break;
      }
      case 1: {
        const double v = in.Number();
        SetOrKeep<AxisException>([&] { return axis.Maximum(); }, [&] { axis.SetMaximum(v); },
                                 "Maximum");
        break;
      }
      case 2: {
        const double v = in.Number();
        SetOrKeep<AxisException>([&] { return axis.Increment(); }, [&] { axis.SetIncrement(v); },
                                 "Increment");
        break;
      }
      case 3: {
        const double a = in.Number();
        axis.SetLimits(a, in.Number());
        break;
      }
      case 4:
        axis.SetAutomatic(in.Flag());
        break;
      case 5:
        axis.SetAutomaticMinimum(in.Flag());
        break;
      default:
        axis.SetAutomaticMaximum(in.Flag());
        break;
    }
  }

  const int separation = in.Int(-20, 1000);
  SetOrKeep<AxisException>([&] { return axis.LabelsSeparation(); },
                           [&] { axis.SetLabelsSeparation(separation); }, "LabelsSeparation");
  axis.SetLabelStyle(in.Choice<TAxisLabelStyle>(5));
  axis.SetTickLength(in.Int(-50, 500));
  axis.SetTickInnerLength(in.Int(-50, 500));
  axis.SetMinorTickLength(in.Int(-50, 500));
  // Every minor tick asked for is drawn, between every two labels: ten million of them take
  // seconds, so the count stays within what a window could show.
  axis.SetMinorTickCount(in.Int(-5, 2000000000));
  axis.SetLabelsSize(in.Int(-50, 500));
  axis.SetTitleSize(in.Int(-50, 500));
  axis.SetStartPosition(in.Percentage());
  axis.SetEndPosition(in.Percentage());
  axis.SetPositionPercent(in.Percentage());
  axis.SetAxisValuesFormat(in.Flag() ? std::string(kFormats[in.Byte() % kFormats.size()])
                                     : in.Text(24));
  axis.Title().SetCaption(in.Text(24));
  axis.Grid().SetVisible(in.Flag());
  axis.MinorGrid().SetVisible(in.Flag());
  axis.Axis().SetWidth(in.Int(-5, 50));
}

void AddSeries(TByteReader& in, TChart& chart) {
  TCustomSeries* series = in.Flag() ? static_cast<TCustomSeries*>(chart.AddSeries<TLineSeries>())
                                    : chart.AddSeries<TPointSeries>();
  series->SetActive(in.Byte() % 8 != 0);
  series->SetColorEachPoint(in.Flag());
  series->SetHorizAxis(in.Choice<THorizAxis>(4));
  series->SetVertAxis(in.Choice<TVertAxis>(4));
  series->SetValueFormat(in.Flag() ? std::string(kFormats[in.Byte() % kFormats.size()])
                                   : in.Text(24));
  series->XValues().SetOrder(in.Choice<TChartListOrder>(3));
  if (in.Byte() % 4 == 0)
    series->YValues().SetMultiplier(in.Number());

  TSeriesPointer& pointer = series->Pointer();
  pointer.SetVisible(in.Flag());
  pointer.SetStyle(in.Choice<TSeriesPointerStyle>(9));
  const int horizSize = in.Int(-3, 80);
  SetOrKeep<ChartException>([&] { return pointer.HorizSize(); },
                            [&] { pointer.SetHorizSize(horizSize); }, "HorizSize");
  const int vertSize = in.Int(-3, 80);
  SetOrKeep<ChartException>([&] { return pointer.VertSize(); },
                            [&] { pointer.SetVertSize(vertSize); }, "VertSize");
  pointer.SetInflateMargins(in.Flag());
  series->LinePen().SetWidth(in.Int(-3, 30));
  series->LinePen().SetStyle(in.Choice<TPenStyle>(6));

  TSeriesMarks& marks = series->Marks();
  marks.SetVisible(in.Byte() % 4 == 0);
  marks.SetStyle(in.Choice<TSeriesMarksStyle>(9));
  marks.SetArrowLength(in.Int(-50, 200));
  marks.SetClip(in.Flag());

  const int points = in.Int(0, 400);
  for (int k = 0; k < points; ++k) {
    const double x = in.Number();
    const double y = in.Number();
    switch (in.Byte() % 8) {
      case 0:
        series->AddNullXY(x, y);
        break;
      case 1:
        series->AddY(y);
        break;
      case 2:
        series->AddPoint(x, y, in.Text(12));
        break;
      case 3:
        series->AddPoint(x, y, {}, static_cast<TColor>(in.Int(0, 0xFFFFFF)));
        break;
      default:
        series->AddPoint(x, y);
        break;
    }
  }
}

// The recording canvas, with every coordinate checked as it is drawn. A coordinate near
// the limits of int is a pixel that saturated or wrapped on its way, not a place: a real
// painter stalls or draws across the window. (Far but sane pixels are allowed: a label of
// an axis whose range is below the label step's slack of 1e-12 can lie millions of pixels
// off the axis.) Calls are recorded up to kRecorded; a chart with more (thousands of
// labels, each with its minor ticks) is still drawn and checked in full, without the
// recorder's cost.
class TCheckingCanvas : public TRecordingCanvas {
 public:
  static constexpr std::size_t kRecorded = 20000;
  static constexpr int kFar = 1 << 30;

  explicit TCheckingCanvas(const TChart& chart) : chart_(chart) {}

  void MoveTo(int x, int y) override {
    if (Check("MoveTo", {x, y}))
      TRecordingCanvas::MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    if (Check("LineTo", {x, y}))
      TRecordingCanvas::LineTo(x, y);
  }
  void Rectangle(const TRect& r) override {
    if (Check("Rectangle", {r.Left, r.Top, r.Right, r.Bottom}))
      TRecordingCanvas::Rectangle(r);
  }
  void Ellipse(const TRect& r) override {
    if (Check("Ellipse", {r.Left, r.Top, r.Right, r.Bottom}))
      TRecordingCanvas::Ellipse(r);
  }
  void Polygon(std::span<const TPoint> points) override {
    bool record = true;
    for (const TPoint& p : points)
      record = Check("Polygon", {p.X, p.Y}) && record;
    if (record)
      TRecordingCanvas::Polygon(points);
  }
  void SetPixel(int x, int y, TColor color) override {
    if (Check("SetPixel", {x, y}))
      TRecordingCanvas::SetPixel(x, y, color);
  }
  void FillRect(const TRect& r) override {
    if (Check("FillRect", {r.Left, r.Top, r.Right, r.Bottom}))
      TRecordingCanvas::FillRect(r);
  }
  void Frame3D(const TRect& r, TColor topLeft, TColor bottomRight, int width) override {
    if (Check("Frame3D", {r.Left, r.Top, r.Right, r.Bottom}))
      TRecordingCanvas::Frame3D(r, topLeft, bottomRight, width);
  }
  void TextOut(int x, int y, std::string_view text) override {
    if (Check("TextOut", {x, y}))
      TRecordingCanvas::TextOut(x, y, text);
  }
  void ClipRectangle(const TRect& r) override {
    if (Check("ClipRectangle", {r.Left, r.Top, r.Right, r.Bottom}))
      TRecordingCanvas::ClipRectangle(r);
  }

 private:
  // Checks the coordinates; true while the call is still to be recorded.
  bool Check(const char* op, std::initializer_list<int> coordinates) {
    for (const int v : coordinates) {
      FUZZ_EXPECT(v > -kFar && v < kFar) << op << " at " << v << " on a chart of " << chart_.Width()
                                         << " by " << chart_.Height() << AxesState();
    }
    return Calls().size() < kRecorded;
  }

  // Where the axes lie, for the report of a failed check.
  std::string AxesState() const {
    std::ostringstream state;
    state.precision(17);
    for (const TCustomChartAxis* axis : chart_.AxisList()) {
      state << "\n  axis: pixels " << axis->AxisStart() << " to " << axis->AxisEnd() << ", line at "
            << axis->AxisLinePos() << ", labels at " << axis->LabelsPos() << ", values "
            << axis->EffectiveMinimum() << " to " << axis->EffectiveMaximum() << " (range "
            << axis->EffectiveRange() << ")";
    }
    return state.str();
  }

  const TChart& chart_;
};

void DrawAndCheck(TChart& chart) {
  TCheckingCanvas canvas(chart);
  try {
    chart.Draw(canvas);
  } catch (const std::exception& e) {
    FUZZ_EXPECT(false) << "drawing raised: " << e.what();
  }
  const std::vector<TCanvasCall>& calls = canvas.Calls();
  FUZZ_EXPECT(!calls.empty() && calls.front().Op == "BeginBuffer" && calls.back().Op == "EndBuffer")
      << calls.size() << " calls, not one buffer";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TByteReader in(data, size);
  TChart chart;
  chart.SetSize(in.Int(-10, 2000), in.Int(-10, 2000));
  chart.SetMarginLeft(in.Int(-20, 120));
  chart.SetMarginTop(in.Int(-20, 120));
  chart.SetMarginRight(in.Int(-20, 120));
  chart.SetMarginBottom(in.Int(-20, 120));
  chart.SetClipPoints(in.Flag());
  chart.SetAxisVisible(in.Byte() % 8 != 0);
  chart.SetBevelWidth(in.Int(-3, 20));
  chart.SetBorderWidth(in.Int(-3, 20));
  if (in.Flag())
    chart.Title().SetText({in.Text(30), in.Text(30)});

  for (TChartAxis* axis :
       {&chart.BottomAxis(), &chart.LeftAxis(), &chart.TopAxis(), &chart.RightAxis()}) {
    ConfigureAxis(in, *axis);
  }
  const int seriesCount = in.Byte() % 5;
  for (int k = 0; k < seriesCount; ++k)
    AddSeries(in, chart);

  DrawAndCheck(chart);
  // Resized as a window is, and drawn again from the state the first drawing left.
  chart.SetSize(in.Int(-10, 2000), in.Int(-10, 2000));
  DrawAndCheck(chart);
  return 0;
}
