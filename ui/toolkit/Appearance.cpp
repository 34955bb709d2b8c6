#include "Appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <QWidget>

#include "ChartColourScheme.h"

QFont ToolkitFont(const TFontSpec& style) {
  QFont font;
  if (style.Family.isEmpty()) {
    font.setFamilies(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  } else {
    font.setFamilies(QStringList{style.Family, QStringLiteral("Liberation Sans")});
  }
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(style.PixelSize > 0 ? style.PixelSize : 11);
  // Set even when false, so that a bold parent does not make the control bold.
  font.setBold(style.Bold);
  font.setItalic(false);
  return font;
}

namespace {

TColor ToTColor(const QColor& colour) {
  const QRgb rgb = colour.rgb();
  return static_cast<TColor>(qRed(rgb)) | static_cast<TColor>(qGreen(rgb)) << 8 |
         static_cast<TColor>(qBlue(rgb)) << 16;
}

QColor FromTColor(TColor rgb) {
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

// An accent colour as designed on a light window; on a dark one lightened until it reads
// as well as body text.
QColor Accent(const QColor& designed, const QPalette& palette) {
  const TColor window = ToTColor(palette.color(QPalette::Active, QPalette::Window));
  if (!IsDarkPaper(window)) {
    return designed;
  }
  constexpr double kTextContrast = 4.5;
  return FromTColor(ReadableOn(ToTColor(designed), window, kTextContrast));
}

}  // namespace

QColor ToQColor(TTextColour colour) {
  const QPalette palette = QApplication::palette();
  switch (colour) {
    case TTextColour::Black:
      // The text of edits and fields: black on the default palette.
      return palette.color(QPalette::Active, QPalette::Text);
    case TTextColour::Maroon:
      return Accent(QColor(128, 0, 0), palette);
    case TTextColour::Blue:
      return Accent(QColor(0, 0, 255), palette);
    case TTextColour::WindowText:
      break;
  }
  return palette.color(QPalette::Active, QPalette::WindowText);
}

void ApplyFont(QWidget* widget, const TFontSpec& style) {
  if (widget == nullptr) {
    return;
  }
  widget->setFont(ToolkitFont(style));
  const QColor colour = ToQColor(style.Colour);
  QPalette palette = widget->palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(group, role, colour);
    }
  }
  widget->setPalette(palette);
}

void InstallToolkitFont() {
  QApplication::setFont(ToolkitFont());
}
