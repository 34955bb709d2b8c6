#include "NotesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QPlainTextEdit* NoteEdit(const std::string& text, int lines, QWidget* parent) {
  auto* edit = new QPlainTextEdit(Text(text), parent);
  edit->setTabChangesFocus(true);
  edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + 12);
  return edit;
}

}  // namespace

NotesDialog::NotesDialog(const ElicitationNotes& notes, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("NotesDialog"));
  setWindowTitle(tr("Elicitation Notes"));
  auto* form = new QFormLayout;
  QuantityEdit = new QLineEdit(Text(notes.Quantity), this);
  UnitEdit = new QLineEdit(Text(notes.Unit), this);
  ExpertEdit = new QLineEdit(Text(notes.Expert), this);
  DateEdit = new QLineEdit(Text(notes.Date), this);
  DateEdit->setPlaceholderText(tr("yyyy-mm-dd"));
  DateEdit->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("(\\d{4}-\\d{2}-\\d{2})?")), DateEdit));
  form->addRow(tr("&Quantity"), QuantityEdit);
  form->addRow(tr("&Unit"), UnitEdit);
  form->addRow(tr("&Expert"), ExpertEdit);
  form->addRow(tr("&Date"), DateEdit);
  const char* const captions[] = {QT_TR_NOOP("Why a_p at p"), QT_TR_NOOP("Why m"),
                                  QT_TR_NOOP("Why b_r at r"), QT_TR_NOOP("Why n"),
                                  QT_TR_NOOP("Why x_s at s")};
  for (std::size_t i = 0; i < RationaleEdits.size(); ++i) {
    RationaleEdits[i] = NoteEdit(notes.Rationale[i], 2, this);
    form->addRow(tr(captions[i]), RationaleEdits[i]);
  }
  OverallEdit = NoteEdit(notes.Overall, 4, this);
  form->addRow(tr("On the &whole"), OverallEdit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(480, sizeHint().height());
}

ElicitationNotes NotesDialog::Notes() const {
  ElicitationNotes notes;
  notes.Quantity = QuantityEdit->text().toStdString();
  notes.Unit = UnitEdit->text().toStdString();
  notes.Expert = ExpertEdit->text().toStdString();
  notes.Date = DateEdit->text().toStdString();
  for (std::size_t i = 0; i < RationaleEdits.size(); ++i) {
    notes.Rationale[i] = RationaleEdits[i]->toPlainText().toStdString();
  }
  notes.Overall = OverallEdit->toPlainText().toStdString();
  return notes;
}
