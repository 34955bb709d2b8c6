// Undo and redo of the judgements in the input window.
//
// - Every committed change of what the fields hold is one command on a QUndoStack: a
//   number field's edit once finished (or the plot it triggers), a mode switch, a level
//   step or a level typed and settled. Keystrokes are not changes; a commit that changes
//   nothing pushes nothing. A level handler that forces the mode back is one change.
// - A command holds the judgements and the notes before and after, as values. Undoing or
//   redoing it puts them back into the fields and the document and refits the judgements as
//   the plot command does, without a message box; what the refit had to say is kept
//   (LastRefitMessages). A change of the notes (ChangeNotes) is a command of its own.
// - The credibility level is the feedback window's and is not a judgement: it is neither
//   compared nor put back.
// - Ctrl+Z and Ctrl+Shift+Z (the platform's Undo and Redo keys) undo and redo in every
//   field too: what a field holds uncommitted is committed first, so that an undo then
//   takes it back, as a whole, like any other change.
// - The stack is clean where the elicitation was last saved or opened (Restart, SetClean).
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>
#include <string>
#include <vector>

#include "ElicitationFile.h"
#include "Judgements.h"

class Elicitation;
class InputWindow;
class QAction;
class QMenu;

// What one command puts back.
struct JudgementState {
  TypedJudgements Typed;
  ElicitationNotes Notes;
  friend bool operator==(const JudgementState&, const JudgementState&) = default;
};

class JudgementUndo : public QObject {
  Q_OBJECT

 public:
  // Takes the committed changes of the window and the notes of its document, which must
  // both outlive it, and gives the window an Edit menu with Undo and Redo.
  JudgementUndo(InputWindow& window, Elicitation& document);

  QUndoStack& Stack() { return Stack_; }
  QAction* UndoAction() const { return UndoAction_; }
  QAction* RedoAction() const { return RedoAction_; }
  QMenu* EditMenu() const { return EditMenu_; }

  // Starts afresh from what the fields hold: nothing to undo, and clean.
  void Restart();
  // Takes a committed change: one command when the fields hold other judgements than at
  // the last commit.
  void TakeCommit();
  // Gives the document new notes, as one command.
  void ChangeNotes(const ElicitationNotes& notes);
  // The judgements and notes as last committed.
  const JudgementState& Committed() const { return Committed_; }
  // A change of the list of experts or of their weights as one command: `redo` makes it
  // (at once), `undo` takes it back; each leaves the fields showing the document's current
  // expert. What the fields hold uncommitted is committed first, as a change of the expert
  // they show. A change of judgements belongs to the expert it was made on: undoing or
  // redoing it shows that expert first.
  void PushExpertChange(const QString& text, std::function<void()> redo,
                        std::function<void()> undo);
  // The fields now show another expert: what they hold is the committed state.
  void Rebase();

  void Undo();
  void Redo();
  // The messages of the last refit an undo or redo ran, in order; empty when it fitted
  // without a word.
  const std::vector<std::string>& LastRefitMessages() const { return LastRefitMessages_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class JudgementChange;
  friend class ExpertChange;
  // Puts judgements back into the fields, showing the expert (by its number) first, and
  // refits them.
  void PutBack(int expertId, const JudgementState& state);
  JudgementState Current() const;
  void Push(JudgementState now);

  InputWindow& Window_;
  Elicitation& Document_;
  QUndoStack Stack_;
  JudgementState Committed_;
  std::vector<std::string> LastRefitMessages_;
  QAction* UndoAction_ = nullptr;
  QAction* RedoAction_ = nullptr;
  QMenu* EditMenu_ = nullptr;
};

// What a change between two sets of judgements is called in the Edit menu: "Change Lower
// Quantile (a_p)", "Change Quantile Level (p)", "Switch to Additional Quantile (x_s)", or
// "Change Notes" when only the notes differ, "Change Judgements" when several things do.
QString DescribeChange(const JudgementState& before, const JudgementState& after);
