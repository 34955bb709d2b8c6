#include "RecordingCanvas.h"

#include <cstdio>
#include <sstream>

namespace {

std::string Hex(TColor c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06X", c);
  return buffer;
}

const char* PenStyleName(TPenStyle s) {
  switch (s) {
    case psSolid:
      return "solid";
    case psDash:
      return "dash";
    case psDot:
      return "dot";
    case psDashDot:
      return "dashdot";
    case psDashDotDot:
      return "dashdotdot";
    case psClear:
      return "clear";
  }
  return "?";
}

}  // namespace

std::string TCanvasCall::ToString() const {
  std::ostringstream out;
  out << Op;
  if (Op == "LineTo") {
    out << ' ' << From.X << ' ' << From.Y << " -> " << Args[0] << ' ' << Args[1];
  } else if (Op == "SetPen") {
    out << ' ' << Hex(Pen.Color) << ' ' << Pen.Width << ' ' << PenStyleName(Pen.Style);
  } else if (Op == "SetBrush") {
    out << ' ' << Hex(Brush.Color) << (Brush.Style == bsClear ? " clear" : " solid");
  } else if (Op == "SetFont") {
    out << ' ' << Font.Name << ' ' << Font.Height << ' ' << Hex(Font.Color) << ' ' << Font.Angle;
  } else {
    for (const int a : Args) {
      out << ' ' << a;
    }
    if (Op == "TextOut") {
      out << " \"" << Text << '"';
    }
  }
  return out.str();
}

std::vector<TCanvasCall> TRecordingCanvas::Calls(std::string_view op) const {
  std::vector<TCanvasCall> out;
  for (const TCanvasCall& c : calls_) {
    if (c.Op == op) {
      out.push_back(c);
    }
  }
  return out;
}

std::vector<std::string> TRecordingCanvas::Log() const {
  std::vector<std::string> out;
  out.reserve(calls_.size());
  for (const TCanvasCall& c : calls_) {
    out.push_back(c.ToString());
  }
  return out;
}

TCanvasCall& TRecordingCanvas::Record(std::string op, std::vector<int> args) {
  TCanvasCall c;
  c.Op = std::move(op);
  c.Args = std::move(args);
  c.From = penPos_;
  c.Pen = pen_;
  c.Brush = brush_;
  c.Font = font_;
  c.AlignH = alignH_;
  c.AlignV = alignV_;
  c.BackMode = backMode_;
  c.Clips = clips_;
  calls_.push_back(std::move(c));
  return calls_.back();
}

void TRecordingCanvas::BeginBuffer(int width, int height) {
  Record("BeginBuffer", {width, height});
}

void TRecordingCanvas::EndBuffer() {
  Record("EndBuffer", {});
}

void TRecordingCanvas::CopyToWindow(int x, int y) {
  Record("CopyToWindow", {x, y});
}

void TRecordingCanvas::SetPen(const TCanvasPen& pen) {
  pen_ = pen;
  Record("SetPen", {});
}

void TRecordingCanvas::SetBrush(const TCanvasBrush& brush) {
  brush_ = brush;
  Record("SetBrush", {});
}

void TRecordingCanvas::SetFont(const TCanvasFont& font) {
  font_ = font;
  Record("SetFont", {});
}

void TRecordingCanvas::SetBackMode(TBackMode mode) {
  backMode_ = mode;
  Record("SetBackMode", {mode == TBackMode::Opaque ? 1 : 0});
}

void TRecordingCanvas::SetBackColor(TColor color) {
  Record("SetBackColor", {static_cast<int>(color)});
}

void TRecordingCanvas::SetTextAlign(TTextAlignH horizontal, TTextAlignV vertical) {
  alignH_ = horizontal;
  alignV_ = vertical;
}

int TRecordingCanvas::TextWidth(std::string_view text) {
  int chars = 0;
  for (const char c : text) {
    // UTF-8 continuation bytes do not start a character.
    chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  }
  return chars * CharWidth(font_.Height);
}

int TRecordingCanvas::TextHeight(std::string_view /*text*/) {
  return LineHeight(font_.Height);
}

void TRecordingCanvas::MoveTo(int x, int y) {
  Record("MoveTo", {x, y});
  penPos_ = TPoint{x, y};
}

void TRecordingCanvas::LineTo(int x, int y) {
  Record("LineTo", {x, y});
  penPos_ = TPoint{x, y};
}

void TRecordingCanvas::Polyline(std::span<const TPoint> points) {
  std::vector<int> args;
  for (const TPoint& p : points) {
    args.push_back(p.X);
    args.push_back(p.Y);
  }
  Record("Polyline", std::move(args));
  if (!points.empty()) {
    penPos_ = points.back();
  }
}

void TRecordingCanvas::Rectangle(const TRect& r) {
  Record("Rectangle", {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::Ellipse(const TRect& r) {
  Record("Ellipse", {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points) {
  std::vector<int> args;
  for (const TPoint& p : points) {
    args.push_back(p.X);
    args.push_back(p.Y);
  }
  Record("Polygon", std::move(args));
}

void TRecordingCanvas::SetPixel(int x, int y, TColor color) {
  Record("SetPixel", {x, y, static_cast<int>(color)});
}

void TRecordingCanvas::FillRect(const TRect& r) {
  Record("FillRect", {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::Frame3D(const TRect& r, TColor topLeft, TColor bottomRight, int width) {
  Record("Frame3D", {r.Left, r.Top, r.Right, r.Bottom, static_cast<int>(topLeft),
                     static_cast<int>(bottomRight), width});
}

void TRecordingCanvas::TextOut(int x, int y, std::string_view text) {
  Record("TextOut", {x, y}).Text = std::string(text);
}

void TRecordingCanvas::ClipRectangle(const TRect& r) {
  ++clips_;
  Record("ClipRectangle", {r.Left, r.Top, r.Right, r.Bottom});
}

void TRecordingCanvas::UnClipRectangle() {
  clips_ = 0;
  Record("UnClipRectangle", {});
}
