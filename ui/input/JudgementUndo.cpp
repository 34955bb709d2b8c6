#include "JudgementUndo.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QUndoCommand>
#include <array>
#include <utility>

#include "Elicitation.h"
#include "InputWindow.h"
#include "NotesDialog.h"
#include "Translations.h"

namespace {

// The judgements without the credibility level, which is not one.
TypedJudgements WithoutCredibility(TypedJudgements typed) {
  typed.Credibility = kInitialCredibility;
  return typed;
}

}  // namespace

// One committed change. The first redo is the change the expert made, already in the
// fields; every later one puts it back.
class JudgementChange final : public QUndoCommand {
 public:
  JudgementChange(JudgementUndo& owner, int expertId, JudgementState before, JudgementState after)
      : QUndoCommand(DescribeChange(before, after)),
        Owner_(owner),
        ExpertId_(expertId),
        Before_(std::move(before)),
        After_(std::move(after)) {}

  void undo() override { Owner_.PutBack(ExpertId_, Before_); }
  void redo() override {
    if (std::exchange(Made_, false)) {
      return;
    }
    Owner_.PutBack(ExpertId_, After_);
  }

 private:
  JudgementUndo& Owner_;
  int ExpertId_;
  JudgementState Before_;
  JudgementState After_;
  bool Made_ = true;
};

// A change of the experts or their weights, made and taken back by the functions it is given.
class ExpertChange final : public QUndoCommand {
 public:
  ExpertChange(JudgementUndo& owner, const QString& text, std::function<void()> redo,
               std::function<void()> undo)
      : QUndoCommand(text), Owner_(owner), Redo_(std::move(redo)), Undo_(std::move(undo)) {}

  void undo() override {
    Undo_();
    Owner_.Rebase();
  }
  void redo() override {
    Redo_();
    Owner_.Rebase();
  }

 private:
  JudgementUndo& Owner_;
  std::function<void()> Redo_;
  std::function<void()> Undo_;
};

QString DescribeChange(const JudgementState& beforeState, const JudgementState& afterState) {
  const TypedJudgements& before = beforeState.Typed;
  const TypedJudgements& after = afterState.Typed;
  std::vector<QString> changed;
  if (beforeState.Notes != afterState.Notes) {
    changed.push_back(JudgementUndo::tr("Change Notes"));
  }
  if (before.Mode != after.Mode) {
    changed.push_back(after.Mode == FitMode::ExtraQuantile
                          ? JudgementUndo::tr("Switch to Additional Quantile (x_s)")
                          : JudgementUndo::tr("Switch to Power Parameter (n)"));
  }
  constexpr std::array<NumberField, 5> fields{NumberField::LowerQuantile, NumberField::ModeValue,
                                              NumberField::UpperQuantile, NumberField::Power,
                                              NumberField::ExtraQuantile};
  for (const NumberField field : fields) {
    if (before.Text(field) != after.Text(field)) {
      changed.push_back(
          JudgementUndo::tr("Change %1").arg(TranslatedSystemText(FieldCaption(field))));
    }
  }
  constexpr std::array<std::pair<LevelField, const char*>, 3> levels{
      {{LevelField::Lower, QT_TRANSLATE_NOOP("JudgementUndo", "Change Quantile Level (p)")},
       {LevelField::Upper, QT_TRANSLATE_NOOP("JudgementUndo", "Change Quantile Level (r)")},
       {LevelField::Extra, QT_TRANSLATE_NOOP("JudgementUndo", "Change Quantile Level (s)")}}};
  for (const auto& [field, text] : levels) {
    if (before.LevelOf(field) != after.LevelOf(field)) {
      changed.push_back(JudgementUndo::tr(text));
    }
  }
  return changed.size() == 1 ? changed.front() : JudgementUndo::tr("Change Judgements");
}

JudgementUndo::JudgementUndo(InputWindow& window, Elicitation& document)
    : Window_(window), Document_(document), Committed_(Current()) {
  UndoAction_ = Stack_.createUndoAction(this, tr("&Undo"));
  UndoAction_->setObjectName(QStringLiteral("UndoAction"));
  UndoAction_->setShortcut(QKeySequence::Undo);
  RedoAction_ = Stack_.createRedoAction(this, tr("&Redo"));
  RedoAction_->setObjectName(QStringLiteral("RedoAction"));
  RedoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  // The stack's own triggers would undo without committing what a field holds first.
  for (QAction* action : {UndoAction_, RedoAction_}) {
    QObject::disconnect(action, nullptr, &Stack_, nullptr);
  }
  connect(UndoAction_, &QAction::triggered, this, &JudgementUndo::Undo);
  connect(RedoAction_, &QAction::triggered, this, &JudgementUndo::Redo);
  EditMenu_ = Window_.MenuBar->addMenu(tr("&Edit"));
  EditMenu_->setObjectName(QStringLiteral("EditMenu"));
  EditMenu_->addAction(UndoAction_);
  EditMenu_->addAction(RedoAction_);
  EditMenu_->addSeparator();
  QAction* notes = EditMenu_->addAction(tr("&Notes..."));
  notes->setObjectName(QStringLiteral("NotesAction"));
  connect(notes, &QAction::triggered, this, [this] {
    NotesDialog dialog(Document_.Notes(), &Window_);
    if (dialog.exec() == QDialog::Accepted) {
      ChangeNotes(dialog.Notes());
    }
  });
  // The window's own list, so that the keys work without the menu bar's help.
  Window_.addAction(UndoAction_);
  Window_.addAction(RedoAction_);
  connect(&Window_, &InputWindow::JudgementsCommitted, this, &JudgementUndo::TakeCommit);
  for (QLineEdit* field : Window_.findChildren<QLineEdit*>()) {
    field->installEventFilter(this);
  }
}

JudgementState JudgementUndo::Current() const {
  return {WithoutCredibility(Window_.Typed()), Document_.Notes()};
}

void JudgementUndo::Restart() {
  Stack_.clear();
  Committed_ = Current();
  LastRefitMessages_.clear();
}

void JudgementUndo::TakeCommit() {
  // A level field whose text is not a level holds no judgement to keep: its refusal has
  // been said where it was typed, and the change is committed once the text is a level.
  try {
    Push(Current());
  } catch (const EInputError&) {
  }
}

void JudgementUndo::ChangeNotes(const ElicitationNotes& notes) {
  // The fields' uncommitted text is a change of its own, before the notes'.
  TakeCommit();
  Document_.SetNotes(notes);
  TakeCommit();
}

void JudgementUndo::Push(JudgementState now) {
  if (now == Committed_) {
    return;
  }
  JudgementState before = std::exchange(Committed_, now);
  Stack_.push(new JudgementChange(*this, Document_.ExpertId(Document_.CurrentExpert()),
                                  std::move(before), std::move(now)));
}

void JudgementUndo::Undo() {
  TakeCommit();
  Stack_.undo();
}

void JudgementUndo::Redo() {
  // A change not yet committed would be lost under the redone one: it becomes the last
  // command instead, and there is nothing left to redo.
  TakeCommit();
  Stack_.redo();
}

void JudgementUndo::PushExpertChange(const QString& text, std::function<void()> redo,
                                     std::function<void()> undo) {
  TakeCommit();
  Stack_.push(new ExpertChange(*this, text, std::move(redo), std::move(undo)));
}

void JudgementUndo::Rebase() {
  try {
    Committed_ = Current();
  } catch (const EInputError&) {
    // A level that is not one: the next commit that reads one compares with the last.
  }
}

void JudgementUndo::PutBack(int expertId, const JudgementState& state) {
  const std::size_t index = Document_.IndexOfExpert(expertId);
  // The commands of the experts come and go with their experts: the expert is there.
  if (index == Document_.ExpertCount()) {
    return;
  }
  if (index != Document_.CurrentExpert()) {
    Window_.KeepFields();
    Window_.SwitchExpert(index);
  }
  Window_.ShowTyped(state.Typed);
  Document_.SetNotes(state.Notes);
  Committed_ = state;
  LastRefitMessages_ = Window_.Refit();
}

bool JudgementUndo::eventFilter(QObject* watched, QEvent* event) {
  // A field would take the keys for its own text's undo; they belong to the window's.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
        key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z)) {
      event->ignore();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
