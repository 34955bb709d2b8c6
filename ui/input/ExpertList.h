// The experts of the elicitation, above the input window's fields: a choice of the expert
// whose judgements the fields show, and Add, Rename and Remove.
//
// - Choosing another expert commits what the fields hold to the expert they showed, then
//   shows the chosen one's judgements and fits them; the messages of that fit go to the
//   window's message line. Choosing is not a change of the elicitation and is not undone.
// - Add, Rename and Remove are changes: each is one command on the undo stack, and undoing
//   a change of judgements made while another expert was shown shows that expert first
//   (JudgementUndo). Remove is disabled while there is one expert.
// - The list follows the document whenever the fields are given judgements to show.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class Elicitation;
class InputWindow;
class JudgementUndo;
class QComboBox;
class QPushButton;

class ExpertList : public QWidget {
  Q_OBJECT

 public:
  // The row's height in the input window.
  static constexpr int kHeight = 30;

  // Works on the window's document through the window and the undo stack; all three must
  // outlive it.
  ExpertList(InputWindow& window, Elicitation& document, JudgementUndo& undo,
             QWidget* parent = nullptr);

  // The commands, without their dialogs.
  void AddExpert();
  void RemoveExpert();
  // Renames the expert shown; an empty name leaves the default one, "Expert 2".
  void RenameExpert(const QString& name);
  void ShowExpert(int index);
  // Gives the experts new weights in the pool, as one command; weights the document
  // refuses (all 0) leave the old ones, shown again.
  void ChangeWeights(const std::vector<double>& weights);
  // Shows the document's experts and which one the fields show.
  void Refresh();

  // The name an expert goes by: its own, or "Expert N" for one without a name.
  static QString DisplayName(const Elicitation& document, std::size_t index);

  // The new name, asked in a dialog by default; tests answer it themselves. A null string
  // when cancelled.
  std::function<QString(const QString& current)> AskName;

  QComboBox* Choice = nullptr;
  QPushButton* AddButton = nullptr;
  QPushButton* RenameButton = nullptr;
  QPushButton* RemoveButton = nullptr;

 private:
  // Puts the document's current expert into the fields and fits it.
  void ShowCurrent();

  InputWindow& Window_;
  Elicitation& Document_;
  JudgementUndo& Undo_;
};
