// The names assistive technology reads for the windows' controls.
#pragma once

#include <QString>

class QWidget;

// Gives a control its accessible name and, when not empty, its description. A composite
// control (a spin edit and its text field) passes both on to every focusable part that has
// no other name of its own, so that the part the keyboard lands on is named too.
void SetAccessibleTexts(QWidget* control, const QString& name, const QString& description = {});
