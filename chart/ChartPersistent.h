// Small configurable parts of a chart (pens, brushes, fonts) and the change link that
// lets every part invalidate the chart it belongs to.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "ChartCanvas.h"
#include "ChartTypes.h"
#include "PropertyUpdate.h"

// A part whose setters report changes to its owner. Parts live inside their owner and are
// neither copied nor moved; Assign copies the settings.
class TChartPersistent {
 public:
  TChartPersistent() = default;
  TChartPersistent(const TChartPersistent&) = delete;
  TChartPersistent& operator=(const TChartPersistent&) = delete;
  virtual ~TChartPersistent() = default;

  // Called after every setter that changed a value.
  void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

 protected:
  void Changed() const {
    if (onChange_) {
      onChange_();
    }
  }
  // Stores value and reports the change when it differs from the stored one.
  template <class T, class U>
  void Update(T& field, U&& value) {
    UpdateProperty(field, std::forward<U>(value), [this] { Changed(); });
  }

 private:
  std::function<void()> onChange_;
};

// [SECTION] Pens

// A pen with a visibility switch; an invisible pen draws nothing.
class TChartPen : public TChartPersistent {
 public:
  TChartPen() = default;
  TChartPen(TColor color, int width, TPenStyle style, bool visible)
      : color_(color), width_(width), style_(style), visible_(visible) {}

  TColor Color() const { return color_; }
  void SetColor(TColor v) { Update(color_, v); }
  int Width() const { return width_; }  // = 1, line weight in pixels
  void SetWidth(int v) { Update(width_, v); }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle v) { Update(style_, v); }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { Update(visible_, v); }
  bool SmallDots() const { return smallDots_; }  // dotted lines drawn one pixel apart
  void SetSmallDots(bool v) { Update(smallDots_, v); }

  // Copies every setting of other.
  void Assign(const TChartPen& other);
  // The canvas pen: a clear pen when invisible; colour replaced by color when given.
  TCanvasPen ToCanvas() const;
  TCanvasPen ToCanvas(TColor color) const;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  bool visible_ = true;
  bool smallDots_ = false;
};

// Axis line: black, solid, width 2.
class TChartAxisPen : public TChartPen {
 public:
  TChartAxisPen() : TChartPen(clBlack, 2, psSolid, true) {}
};

// Ticks: dark grey, width 1.
class TDarkGrayPen : public TChartPen {
 public:
  TDarkGrayPen() : TChartPen(clGray, 1, psSolid, true) {}
};

// Grid: grey, dotted.
class TDottedGrayPen : public TChartPen {
 public:
  TDottedGrayPen() : TChartPen(clGray, 1, psDot, true) {}
};

// A pen that starts invisible.
class TChartHiddenPen : public TChartPen {
 public:
  TChartHiddenPen() : TChartPen(clBlack, 1, psSolid, false) {}
};

// Mark arrows: white, width 1.
class TChartArrowPen : public TChartPen {
 public:
  TChartArrowPen() : TChartPen(clWhite, 1, psSolid, true) {}
};

// [SECTION] Brush

class TChartBrush : public TChartPersistent {
 public:
  TChartBrush() = default;
  TChartBrush(TColor color, TBrushStyle style) : color_(color), style_(style) {}

  TColor Color() const { return color_; }
  void SetColor(TColor v) { Update(color_, v); }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle v) { Update(style_, v); }

 private:
  TColor color_ = clDefault;
  TBrushStyle style_ = bsSolid;
};

// [SECTION] Font

// A font by name, size, colour and style. Size is in points, Height the character height in
// pixels on a 96 dots-per-inch screen; setting one sets the other.
class TChartFont : public TChartPersistent {
 public:
  TChartFont() = default;
  TChartFont(std::string name, int size, TColor color);

  const std::string& Name() const { return name_; }
  void SetName(std::string v) { Update(name_, std::move(v)); }
  int Height() const { return height_; }
  void SetHeight(int v) { Update(height_, v); }
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor v) { Update(color_, v); }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles v) { Update(style_, v); }

  // The canvas font, turned by angle degrees.
  TCanvasFont ToCanvas(int angle = 0) const;

 private:
  std::string name_ = "Arial";
  int height_ = 11;
  TColor color_ = clBlack;
  TFontStyles style_ = 0;
};
