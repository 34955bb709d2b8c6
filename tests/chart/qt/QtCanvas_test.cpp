#include "QtCanvas.h"

#include <gtest/gtest.h>

#include <array>

#include "QtTestApp.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);

// A canvas on a white 40 x 40 buffer, drawn into between BeginBuffer and EndBuffer.
class QtCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.BeginBuffer(40, 40);
    canvas.SetBrush(TCanvasBrush{clWhite, bsSolid});
    canvas.FillRect(TRect{0, 0, 40, 40});
  }
  QRgb At(int x, int y) const { return buffer.pixel(x, y) | 0xFF000000u; }
  // Dark pixels inside [left, right) x [top, bottom).
  int DarkPixels(int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, buffer.height()); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, buffer.width()); ++x) {
        n += qGray(buffer.pixel(x, y)) < 128 ? 1 : 0;
      }
    }
    return n;
  }
  QImage buffer;
  QtCanvas canvas{buffer};
};

TEST_F(QtCanvasTest, RectangleLeavesOutItsRightAndBottomEdges) {
  canvas.SetPen(TCanvasPen{clBlack, 1, psSolid});
  canvas.SetBrush(TCanvasBrush{clRed, bsSolid});
  canvas.Rectangle(TRect{2, 2, 8, 8});
  canvas.EndBuffer();
  EXPECT_EQ(At(2, 2), kBlack);
  EXPECT_EQ(At(7, 7), kBlack) << "outline on the last column and row inside";
  EXPECT_EQ(At(7, 4), kBlack);
  EXPECT_EQ(At(4, 4), kRed);
  EXPECT_EQ(At(8, 8), kWhite);
  EXPECT_EQ(At(8, 4), kWhite);
  EXPECT_EQ(At(4, 8), kWhite);
}

TEST_F(QtCanvasTest, LinesLeaveOutTheirEndPoint) {
  canvas.SetPen(TCanvasPen{clBlack, 1, psSolid});
  canvas.MoveTo(1, 10);
  canvas.LineTo(6, 10);
  canvas.MoveTo(20, 1);
  canvas.LineTo(20, 6);
  canvas.EndBuffer();
  for (int x = 1; x < 6; ++x) {
    EXPECT_EQ(At(x, 10), kBlack) << x;
  }
  EXPECT_EQ(At(6, 10), kWhite);
  EXPECT_EQ(At(0, 10), kWhite);
  for (int y = 1; y < 6; ++y) {
    EXPECT_EQ(At(20, y), kBlack) << y;
  }
  EXPECT_EQ(At(20, 6), kWhite);
}

TEST_F(QtCanvasTest, DiamondIsRedInsideAndOutlinedInBlack) {
  canvas.SetPen(TCanvasPen{clBlack, 1, psSolid});
  canvas.SetBrush(TCanvasBrush{clRed, bsSolid});
  const std::array<TPoint, 4> diamond{{{7, 10}, {10, 7}, {13, 10}, {10, 13}}};
  canvas.Polygon(diamond);
  canvas.EndBuffer();
  EXPECT_EQ(At(10, 10), kRed);
  EXPECT_EQ(At(7, 10), kBlack);
  EXPECT_EQ(At(10, 7), kBlack);
  EXPECT_EQ(At(10, 13), kBlack);
  EXPECT_EQ(At(8, 8), kWhite) << "corner of the bounding box stays clear";
  EXPECT_EQ(At(15, 10), kWhite);
}

TEST_F(QtCanvasTest, ClipKeepsDrawingInsideUntilRemoved) {
  canvas.ClipRectangle(TRect{5, 5, 10, 10});
  canvas.ClipRectangle(TRect{0, 0, 8, 40});
  canvas.SetBrush(TCanvasBrush{clRed, bsSolid});
  canvas.FillRect(TRect{0, 0, 40, 40});
  canvas.UnClipRectangle();
  canvas.SetPixel(30, 30, clBlack);
  canvas.EndBuffer();
  EXPECT_EQ(At(5, 5), kRed);
  EXPECT_EQ(At(7, 9), kRed);
  EXPECT_EQ(At(8, 9), kWhite) << "the second clip intersects the first";
  EXPECT_EQ(At(5, 10), kWhite);
  EXPECT_EQ(At(4, 5), kWhite);
  EXPECT_EQ(At(30, 30), kBlack);
}

TEST_F(QtCanvasTest, TextSitsWhereItsAlignmentSays) {
  canvas.SetFont(TCanvasFont{"Arial", 11, clBlack, 0, 0});
  const int w = canvas.TextWidth("W");
  const int h = canvas.FontHeight();
  EXPECT_GE(w, 8);
  EXPECT_LE(w, 13);
  EXPECT_GE(h, 11);
  EXPECT_LE(h, 15);
  canvas.SetBackMode(TBackMode::Transparent);
  canvas.SetTextAlign(TTextAlignH::Right, TTextAlignV::Top);
  canvas.TextOut(20, 2, "W");
  // Turned 90 degrees, centred on y 30, standing on x 30: the glyph lies left of x 30.
  canvas.SetFont(TCanvasFont{"Arial", 11, clBlack, 0, 90});
  canvas.SetTextAlign(TTextAlignH::Center, TTextAlignV::Bottom);
  canvas.TextOut(30, 30, "W");
  canvas.EndBuffer();
  EXPECT_GT(DarkPixels(20 - w, 2, 20, 2 + h), 5);
  EXPECT_EQ(DarkPixels(20, 0, 40, 2 + h), 0) << "nothing right of a right-aligned text";
  EXPECT_EQ(DarkPixels(0, 0, 40, 2), 0) << "nothing above a top-aligned text";
  EXPECT_GT(DarkPixels(30 - h, 30 - w / 2 - 1, 30, 30 + w / 2 + 1), 5);
  EXPECT_EQ(DarkPixels(30, 16, 40, 40), 0);
}

TEST_F(QtCanvasTest, BufferFollowsTheRequestedSizeAndCopiesToTheWindow) {
  canvas.SetBrush(TCanvasBrush{clRed, bsSolid});
  canvas.FillRect(TRect{0, 0, 40, 40});
  canvas.EndBuffer();
  QImage window(60, 60, QImage::Format_ARGB32_Premultiplied);
  window.fill(Qt::white);
  {
    QPainter painter(&window);
    canvas.SetWindowPainter(&painter);
    canvas.CopyToWindow(10, 5);
    canvas.SetWindowPainter(nullptr);
  }
  EXPECT_EQ(window.pixel(10, 5) | 0xFF000000u, kRed);
  EXPECT_EQ(window.pixel(49, 44) | 0xFF000000u, kRed);
  EXPECT_EQ(window.pixel(50, 45) | 0xFF000000u, kWhite);

  canvas.BeginBuffer(30, 20);
  canvas.EndBuffer();
  EXPECT_EQ(buffer.size(), QSize(30, 20));
  canvas.BeginBuffer(0, 20);
  canvas.FillRect(TRect{0, 0, 5, 5});  // nothing to draw on, nothing happens
  canvas.EndBuffer();
  EXPECT_TRUE(buffer.isNull());
}

TEST(QtCanvasColourTest, SystemColoursResolve) {
  EXPECT_EQ(QtCanvas::ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(QtCanvas::ToQColor(0x80FFFF), QColor(255, 255, 128));
  EXPECT_EQ(QtCanvas::ToQColor(clBtnFace), QColor(240, 240, 240));
}

}  // namespace
