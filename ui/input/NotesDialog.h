// The notes of an elicitation, as a dialog: what the quantity is and its unit, the expert
// and the date, why the expert gave each judgement, and a note on the whole. It edits a
// copy; the caller takes Notes() once the dialog is accepted.
#pragma once

#include <QDialog>
#include <array>

#include "ElicitationFile.h"

class QLineEdit;
class QPlainTextEdit;

class NotesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NotesDialog(const ElicitationNotes& notes, QWidget* parent = nullptr);

  ElicitationNotes Notes() const;

  QLineEdit* QuantityEdit = nullptr;
  QLineEdit* UnitEdit = nullptr;
  QLineEdit* ExpertEdit = nullptr;
  QLineEdit* DateEdit = nullptr;  // yyyy-mm-dd
  // Why the expert gave a_p with p, m, b_r with r, n, x_s with s: in the order of NumberField.
  std::array<QPlainTextEdit*, 5> RationaleEdits{};
  QPlainTextEdit* OverallEdit = nullptr;
};
