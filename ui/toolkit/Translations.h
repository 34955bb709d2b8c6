// The windows' language: the catalogue built into the program, and the translation of the
// texts that reach the windows from the window-free layers.
//
// The fitting code, the plot work and the document say what happened in English texts of
// their own ("Additional Quantile Specification not Feasible"), which tests and recorded
// sessions compare. They stay English where they are made; a window translates one when it
// shows it, through TranslatedSystemText. A text with a number in it has no entry in the
// catalogue and is shown as it came.
#pragma once

#include <QString>
#include <string_view>

// Installs the catalogue of `language` ("de", "de_DE"; "en" or "C" for none) in the
// application, replacing one installed before. An empty language takes the system's
// languages in order of preference. True when a catalogue other than English was installed.
bool InstallTranslation(const QString& language = {});

// The window text of a fixed English text of the window-free layers: its translation when
// the installed catalogue has one, else the text itself.
QString TranslatedSystemText(std::string_view text);
