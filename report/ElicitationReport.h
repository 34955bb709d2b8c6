// The report of an elicitation, to hand on: a PDF with the quantity, its unit, the expert
// and the date, the judgements with the reasons the expert gave, the ten figures of the
// fit, the table of its quantiles, the density and distribution charts drawn as vectors by
// the chart engine and, in additional-quantile mode, every power that fits x_s. Qt Gui
// only: no window is needed, so the command-line fitter writes it too (on the offscreen
// platform). A QGuiApplication must exist.
#pragma once

#include <QString>
#include <string>

#include "ElicitationFile.h"

// Fits the expert's judgements (with their graphs) and writes the report to path,
// atomically (the file holds its old content or the whole report). The date is the notes'
// when they have one, else `today` (yyyy-mm-dd). Raises EFileError with the refusal when
// the judgements cannot be fitted, EFitError for a text that is not a number, EMathError
// for an arithmetic fault, and EFileError saying what failed when the file cannot be
// written; no file is left half-written in any case.
void WriteElicitationReport(const QString& path, const ExpertRecord& expert,
                            const std::string& today);

// The report's text part as HTML, for the PDF and for tests: every judgement as typed with
// its rationale, the ten figures and the quantile table in number text, and the powers.
QString ElicitationReportHtml(const ExpertRecord& expert, const PlotOutcome& outcome,
                              const std::string& today);
