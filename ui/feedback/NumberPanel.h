// Result panels that show a computed number whole.
#pragma once

#include "ExtendedMath.h"

class QString;
class QWidget;
class TLabel;
class TPanel;

// Every result panel is designed 89 pixels wide, room for the ten characters of a number
// from 0 to 10.
inline constexpr int kResultPanelWidth = 89;

// Writes the number text of the value into the panel. A text too long for the designed
// width widens the panel to the right, as far as the next control on its row or its
// parent's edge, then to the left, as far as the control before it; a text longer still is
// written in a smaller face, and the panel's tooltip holds it as well. A text that fits puts
// the panel back at its designed place, width and face.
void ShowNumber(TPanel& panel, Extended value);

// The pages' captions and panels, laid out at fixed places: a caption sized to its text, and
// a lowered result panel of the designed width, named for the tests.
TLabel* PageLabel(QWidget* parent, const QString& text, int left, int top);
TPanel* PagePanel(QWidget* parent, const QString& name, int left, int top);
