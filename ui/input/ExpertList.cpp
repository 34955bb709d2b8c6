#include "ExpertList.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "Elicitation.h"
#include "InputWindow.h"
#include "JudgementUndo.h"
#include "RadioGroup.h"
#include "SimpleControls.h"

ExpertList::ExpertList(InputWindow& window, Elicitation& document, JudgementUndo& undo,
                       QWidget* parent)
    : QWidget(parent), Window_(window), Document_(document), Undo_(undo) {
  setObjectName(QStringLiteral("ExpertList"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(16, 4, 14, 2);
  auto* caption = new QLabel(tr("Expert:"), this);
  caption->setObjectName(QStringLiteral("ExpertCaption"));
  Choice = new QComboBox(this);
  Choice->setObjectName(QStringLiteral("ExpertChoice"));
  Choice->setAccessibleName(tr("Expert"));
  Choice->setAccessibleDescription(tr("The expert whose judgements the fields show"));
  caption->setBuddy(Choice);
  const auto button = [this](const QString& text, const char* name, const QString& description) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(text);
    b->setAccessibleDescription(description);
    b->setAutoDefault(false);
    return b;
  };
  AddButton =
      button(tr("Add"), "AddExpertButton", tr("Adds an expert with the initial judgements"));
  RenameButton = button(tr("Rename..."), "RenameExpertButton", tr("Renames the expert shown"));
  RemoveButton = button(tr("Remove"), "RemoveExpertButton",
                        tr("Takes the expert shown out of the elicitation"));
  row->addWidget(caption);
  row->addWidget(Choice, 1);
  row->addWidget(AddButton);
  row->addWidget(RenameButton);
  row->addWidget(RemoveButton);
  AskName = [this](const QString& current) {
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Rename Expert"), tr("Name:"),
                                               QLineEdit::Normal, current, &ok);
    return ok ? name : QString();
  };
  connect(AddButton, &QPushButton::clicked, this, &ExpertList::AddExpert);
  connect(RemoveButton, &QPushButton::clicked, this, &ExpertList::RemoveExpert);
  connect(RenameButton, &QPushButton::clicked, this, [this] {
    const QString name = AskName(DisplayName(Document_, Document_.CurrentExpert()));
    if (!name.isNull())
      RenameExpert(name);
  });
  connect(Choice, &QComboBox::activated, this, &ExpertList::ShowExpert);
  connect(&Window_, &InputWindow::TypedShown, this, &ExpertList::Refresh);
  // After the fields' designed order, before it begins again at the plot button.
  QWidget* last = Window_.ModeSwitch->Item(Window_.ModeSwitch->Count() - 1);
  for (QWidget* next :
       std::initializer_list<QWidget*>{Choice, AddButton, RenameButton, RemoveButton}) {
    QWidget::setTabOrder(last, next);
    last = next;
  }
  Refresh();
}

QString ExpertList::DisplayName(const Elicitation& document, std::size_t index) {
  const std::string& name = document.ExpertName(index);
  return name.empty() ? tr("Expert %1").arg(index + 1) : QString::fromStdString(name);
}

void ExpertList::Refresh() {
  const QSignalBlocker quiet(Choice);
  Choice->clear();
  for (std::size_t i = 0; i < Document_.ExpertCount(); ++i)
    Choice->addItem(DisplayName(Document_, i));
  Choice->setCurrentIndex(static_cast<int>(Document_.CurrentExpert()));
  RemoveButton->setEnabled(Document_.ExpertCount() > 1);
}

void ExpertList::ShowCurrent() {
  Window_.SwitchExpert(Document_.CurrentExpert());
  QStringList messages;
  for (const std::string& message : Window_.Refit())
    messages << QString::fromStdString(message);
  Window_.MessageLine->SetCaption(messages.join(u'\n'));
  Refresh();
}

void ExpertList::ShowExpert(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Document_.ExpertCount() ||
      static_cast<std::size_t>(index) == Document_.CurrentExpert()) {
    Refresh();
    return;
  }
  // What the fields hold uncommitted is a change of the expert they show.
  Undo_.TakeCommit();
  Window_.KeepFields();
  Document_.SwitchExpert(static_cast<std::size_t>(index));
  ShowCurrent();
  Undo_.Rebase();
}

void ExpertList::AddExpert() {
  const std::size_t index = Document_.ExpertCount();
  ExpertRecord expert;
  expert.Name = tr("Expert %1").arg(index + 1).toStdString();
  // The expert keeps its number through undo and redo, so that the changes of its
  // judgements on the stack find it again.
  auto id = std::make_shared<int>(-1);
  Undo_.PushExpertChange(
      tr("Add Expert"),
      [this, index, expert, id] {
        Window_.KeepFields();
        Document_.InsertExpert(index, expert, 1, *id);
        *id = Document_.ExpertId(index);
        Document_.SwitchExpert(index);
        ShowCurrent();
      },
      [this, id] {
        Document_.RemoveExpert(Document_.IndexOfExpert(*id));
        ShowCurrent();
      });
}

void ExpertList::RemoveExpert() {
  if (Document_.ExpertCount() <= 1)
    return;
  Undo_.TakeCommit();
  // The fields' text is the expert's: what is removed, and put back, is what they hold.
  Window_.KeepFields();
  const std::size_t index = Document_.CurrentExpert();
  const ExpertRecord expert = Document_.Record();
  const double weight = Document_.Weights()[index];
  const int id = Document_.ExpertId(index);
  Undo_.PushExpertChange(
      tr("Remove Expert"),
      [this, id] {
        Document_.RemoveExpert(Document_.IndexOfExpert(id));
        ShowCurrent();
      },
      [this, index, expert, weight, id] {
        Document_.InsertExpert(index, expert, weight, id);
        Document_.SwitchExpert(index);
        ShowCurrent();
      });
}

void ExpertList::RenameExpert(const QString& name) {
  const int id = Document_.ExpertId(Document_.CurrentExpert());
  const std::string before = Document_.ExpertName(Document_.CurrentExpert());
  const std::string after = name.trimmed().toStdString();
  if (before == after)
    return;
  const auto rename = [this, id](const std::string& to) {
    Document_.RenameExpert(Document_.IndexOfExpert(id), to);
    Refresh();
    // The legend names it.
    Window_.Refit();
  };
  Undo_.PushExpertChange(
      tr("Rename Expert"), [rename, after] { rename(after); },
      [rename, before] { rename(before); });
}

void ExpertList::ChangeWeights(const std::vector<double>& weights) {
  const std::vector<double> before = Document_.Weights();
  if (weights == before) {
    return;
  }
  if (!Document_.SetWeights(weights)) {
    Window_.Refit();
    return;
  }
  Undo_.PushExpertChange(
      tr("Change Pool Weights"),
      [this, weights] {
        Document_.SetWeights(weights);
        Window_.Refit();
      },
      [this, before] {
        Document_.SetWeights(before);
        Window_.Refit();
      });
}
