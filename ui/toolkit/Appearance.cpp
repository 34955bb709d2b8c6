#include "Appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <QWidget>

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

QColor ToQColor(TTextColour colour) {
  switch (colour) {
    case TTextColour::Black:
      return QColor(0, 0, 0);
    case TTextColour::Maroon:
      return QColor(128, 0, 0);
    case TTextColour::Blue:
      return QColor(0, 0, 255);
    case TTextColour::WindowText:
      break;
  }
  return QApplication::palette().color(QPalette::Active, QPalette::WindowText);
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
