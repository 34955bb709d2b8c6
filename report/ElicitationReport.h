// The report of an elicitation, to hand on: a PDF with the quantity, its unit, the expert
// and the date, the judgements with the reasons the expert gave, the ten figures of the
// fit, the table of its quantiles, the density and distribution charts drawn as vectors by
// the chart engine and, in additional-quantile mode, every power that fits x_s; for several
// experts, each expert's part in turn and then their linear pool. Qt Gui
// only: no window is needed, so the command-line fitter writes it too (on the offscreen
// platform). A QGuiApplication must exist.
#pragma once

#include <QString>
#include <QStringList>
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
// The report of a whole elicitation. One expert: the report above, page for page. Two or
// more: each expert's part as above, one after another, each from a new page, then the
// pool's: the experts with their weights, the pool's bounds, mean, standard deviation and
// quantiles, and the density and distribution charts of every expert and of the pool, in
// the feedback window's colours with its legend. An expert that cannot be fitted, or whose
// text is not a number, ends the report with EFileError and its refusal, named by its place
// and name: a report to hand on covers every expert or none. Raises EFileError too for
// weights that are not one for each expert or that give the pool no weight.
void WriteElicitationReport(const QString& path, const ElicitationRecord& record,
                            const std::string& today);

// The report's text part as HTML, for the PDF and for tests: every judgement as typed with
// its rationale, the ten figures and the quantile table in number text, and the powers.
QString ElicitationReportHtml(const ExpertRecord& expert, const PlotOutcome& outcome,
                              const std::string& today);
// The text of a whole elicitation's report, one HTML text a part (each part starts a new
// page): each expert's as above and, for two or more experts, the pool's, with each
// expert's weight and share in the pool, in number text. Fits as WriteElicitationReport
// does and raises what it raises.
QStringList ElicitationReportHtml(const ElicitationRecord& record, const std::string& today);
