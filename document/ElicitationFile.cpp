#include "ElicitationFile.h"

std::string WriteElicitationText(const ElicitationRecord&, const std::vector<const PlotOutcome*>&) {
  throw EFileError("writing an elicitation is not built yet");
}

ElicitationRecord ReadElicitationText(std::string_view) {
  throw EFileError("reading an elicitation is not built yet");
}

void WriteFileAtomically(const std::string&, std::string_view) {
  throw EFileError("writing a file is not built yet");
}
