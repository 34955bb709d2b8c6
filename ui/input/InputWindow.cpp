#include "InputWindow.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "Accessibility.h"
#include "Appearance.h"
#include "Elicitation.h"
#include "ErrorBoundary.h"
#include "FeedbackWindow.h"
#include "FloatErrors.h"
#include "NumberPanel.h"
#include "NumberText.h"
#include "PlotComputation.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SpinEdit.h"
#include "Translations.h"

namespace {

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString QuotedForMessage(const QString& text) {
  return QString::fromStdString(QuotedText(text.toStdString()));
}

TLabel* Caption(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = Named(new TLabel(text, parent), name);
  label->move(left, top);
  return label;
}

// A number field at its initial text, and the label that names it.
TEdit* NumberEdit(QWidget* parent, const char* name, NumberField field, int left, int top) {
  auto* edit = Named(new TEdit(parent), name);
  ApplyFont(edit, TFontSpec{TTextColour::Black});
  edit->SetText(Latin1(kInitialNumberTexts[static_cast<std::size_t>(field)]));
  edit->setGeometry(left, top, 89, 21);
  return edit;
}
TLabel* FieldLabel(QWidget* parent, const char* name, NumberField field, int left, int top) {
  return Caption(parent, name, TranslatedSystemText(FieldCaption(field)), left, top);
}

// A level field, in tenths of a percent from 0 to 100 %, stepping by whole percents.
TSpinEdit* LevelSpin(QWidget* parent, const char* name, LevelField field, int top) {
  auto* spin = Named(new TSpinEdit(parent), name);
  ApplyFont(spin, TFontSpec{TTextColour::Black});
  spin->setGeometry(392, top, 89, 22);
  spin->SetDecimals(1);
  spin->SetMinValue(0);
  spin->SetMaxValue(1000);
  spin->SetValue(static_cast<int>(kInitialLevels[static_cast<std::size_t>(field)].Tenths()));
  // A level typed digit by digit is fitted once the number stands, not at each digit.
  spin->SetTypingPause(InputWindow::kTypingPauseMs);
  return spin;
}

}  // namespace

InputWindow::InputWindow(Elicitation& document, FeedbackWindow& feedback,
                         THandlerBoundary& boundary, QWidget* parent)
    : QWidget(parent), Document_(document), Feedback_(feedback), Boundary_(boundary) {
  setObjectName(QStringLiteral("InputWindow"));
  setWindowTitle(QStringLiteral("Morvane"));
  ApplyFont(this, TFontSpec{});
  MenuBar = Named(new QMenuBar(this), "MenuBar");
  ControlArea = Named(new QWidget(this), "ControlArea");
  CreateBasicInformation();
  CreateAdditionalInformation();
  CreateFeasibilityBounds();
  CreateCommandArea();
  SetTabOrder();
  NameControls();
  move(187, 188);
  PlaceMenuBar();
  // Handlers are connected last, so that building the window runs none of them.
  ConnectHandlers();
}

InputWindow::~InputWindow() {
  // A field that loses the focus as it is destroyed finishes its edit: nobody is left to
  // commit it to.
  for (TEdit* edit :
       {LowerQuantileEdit, ModeValueEdit, UpperQuantileEdit, PowerEdit, ExtraQuantileEdit}) {
    disconnect(edit, nullptr, this, nullptr);
  }
}

void InputWindow::CreateBasicInformation() {
  BasicInformationGroup = Named(new TGroupBox(tr("Basic Information Specification"), ControlArea),
                                "BasicInformationGroup");
  BasicInformationGroup->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});
  BasicInformationGroup->setGeometry(16, 8, 513, 129);

  LowerQuantileLabel =
      FieldLabel(BasicInformationGroup, "LowerQuantileLabel", NumberField::LowerQuantile, 16, 24);
  LowerQuantileEdit =
      NumberEdit(BasicInformationGroup, "LowerQuantileEdit", NumberField::LowerQuantile, 168, 24);
  LowerLevelLabel =
      Caption(BasicInformationGroup, "LowerLevelLabel", tr("Quantile Level (p)"), 272, 24);
  LowerLevelSpin = LevelSpin(BasicInformationGroup, "LowerLevelSpin", LevelField::Lower, 24);

  ModeValueLabel =
      FieldLabel(BasicInformationGroup, "ModeValueLabel", NumberField::ModeValue, 16, 56);
  ModeValueEdit =
      NumberEdit(BasicInformationGroup, "ModeValueEdit", NumberField::ModeValue, 168, 56);
  AntiModeRemark = Caption(BasicInformationGroup, "AntiModeRemark",
                           tr("(When 0<n<1 m is an anti-mode!)"), 272, 56);

  UpperQuantileLabel =
      FieldLabel(BasicInformationGroup, "UpperQuantileLabel", NumberField::UpperQuantile, 16, 88);
  UpperQuantileEdit =
      NumberEdit(BasicInformationGroup, "UpperQuantileEdit", NumberField::UpperQuantile, 168, 88);
  UpperLevelLabel =
      Caption(BasicInformationGroup, "UpperLevelLabel", tr("Quantile Level (r)"), 272, 88);
  UpperLevelSpin = LevelSpin(BasicInformationGroup, "UpperLevelSpin", LevelField::Upper, 88);
}

void InputWindow::CreateAdditionalInformation() {
  AdditionalInformationGroup =
      Named(new TGroupBox(tr("Additional Information Specification"), ControlArea),
            "AdditionalInformationGroup");
  AdditionalInformationGroup->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});
  AdditionalInformationGroup->setGeometry(16, 144, 513, 217);

  ModeSwitch = Named(new TRadioGroup(AdditionalInformationGroup), "ModeSwitch");
  ModeSwitch->setGeometry(16, 24, 481, 49);
  ModeSwitch->SetColumns(2);
  ModeSwitch->SetItems({tr("Power Parameter (n)"), tr("Additional Quantile (x_s)")});
  ModeSwitch->SetItemIndex(0);

  // The two fourth judgements share one place; the mode decides which is shown.
  ExtraQuantileLabel = FieldLabel(AdditionalInformationGroup, "ExtraQuantileLabel",
                                  NumberField::ExtraQuantile, 24, 92);
  ExtraQuantileEdit = NumberEdit(AdditionalInformationGroup, "ExtraQuantileEdit",
                                 NumberField::ExtraQuantile, 168, 88);
  ExtraLevelLabel =
      Caption(AdditionalInformationGroup, "ExtraLevelLabel", tr("Quantile Level (s)"), 272, 92);
  ExtraLevelSpin = LevelSpin(AdditionalInformationGroup, "ExtraLevelSpin", LevelField::Extra, 88);
  PowerLabel = FieldLabel(AdditionalInformationGroup, "PowerLabel", NumberField::Power, 24, 92);
  PowerEdit = NumberEdit(AdditionalInformationGroup, "PowerEdit", NumberField::Power, 168, 88);
  for (QWidget* control : std::initializer_list<QWidget*>{ExtraQuantileLabel, ExtraQuantileEdit,
                                                          ExtraLevelLabel, ExtraLevelSpin}) {
    control->setVisible(false);
    control->setEnabled(false);
  }
}

void InputWindow::CreateFeasibilityBounds() {
  FeasibilityGroup =
      Named(new TGroupBox(tr("Boundaries for Additional Quantile that Guarantee TSP feasibility"),
                          AdditionalInformationGroup),
            "FeasibilityGroup");
  FeasibilityGroup->SetCaptionFont(TFontSpec{TTextColour::WindowText, true});
  FeasibilityGroup->setGeometry(16, 128, 481, 73);
  FeasibilityLowerLabel =
      Caption(FeasibilityGroup, "FeasibilityLowerLabel", tr("Lower Bound x_s"), 24, 28);
  FeasibilityUpperLabel =
      Caption(FeasibilityGroup, "FeasibilityUpperLabel", tr("Upper Bound x_s"), 264, 28);
  const auto boundPanel = [this](const char* name, int left) {
    auto* panel = Named(new TPanel(FeasibilityGroup), name);
    panel->SetBevel(TBevel::Lowered);
    panel->SetCaption(QStringLiteral("Panel1"));
    panel->setGeometry(left, 24, kResultPanelWidth, 25);
    return panel;
  };
  FeasibilityLowerPanel = boundPanel("FeasibilityLowerPanel", 152);
  FeasibilityUpperPanel = boundPanel("FeasibilityUpperPanel", 376);
  FeasibilityGroup->setVisible(false);
}

void InputWindow::CreateCommandArea() {
  PlotButton = Named(new TButton(tr("Plot Two-Sided Power Graphs"), ControlArea), "PlotButton");
  ApplyFont(PlotButton, TFontSpec{TTextColour::Black, true});
  PlotButton->setGeometry(16, 368, 505, 25);
  CreditLabel = Caption(ControlArea, "CreditLabel", QStringLiteral("Morvane"), 64, 400);
  ApplyFont(CreditLabel, TFontSpec{TTextColour::Maroon, true});
  CreditLabel->adjustSize();
  CreditNoteLabel =
      Caption(ControlArea, "CreditNoteLabel", tr("Two-sided power elicitation"), 296, 400);
  ApplyFont(CreditNoteLabel, TFontSpec{TTextColour::Blue, true});
  CreditNoteLabel->adjustSize();
  MessageLine = Named(new TLabel(ControlArea), "MessageLine");
  ApplyFont(MessageLine, TFontSpec{TTextColour::Maroon});
  MessageLine->SetAutoSize(false);
  MessageLine->setWordWrap(true);
  MessageLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MessageLine->setGeometry(16, 418, 505, kClientHeight - 418);
}

void InputWindow::SetTabOrder() {
  QWidget* const order[] = {PlotButton,          LowerQuantileEdit,  LowerLevelSpin,
                            ModeValueEdit,       UpperQuantileEdit,  UpperLevelSpin,
                            ExtraQuantileEdit,   ExtraLevelSpin,     PowerEdit,
                            ModeSwitch->Item(0), ModeSwitch->Item(1)};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
  // The first control in the tab order has the focus when the window opens.
  PlotButton->setFocus(Qt::OtherFocusReason);
}

void InputWindow::NameControls() {
  // A field is named by the caption beside it.
  const std::pair<QWidget*, const TLabel*> fields[] = {
      {LowerQuantileEdit, LowerQuantileLabel},
      {LowerLevelSpin, LowerLevelLabel},
      {ModeValueEdit, ModeValueLabel},
      {UpperQuantileEdit, UpperQuantileLabel},
      {UpperLevelSpin, UpperLevelLabel},
      {PowerEdit, PowerLabel},
      {ExtraQuantileEdit, ExtraQuantileLabel},
      {ExtraLevelSpin, ExtraLevelLabel},
      {FeasibilityLowerPanel, FeasibilityLowerLabel},
      {FeasibilityUpperPanel, FeasibilityUpperLabel}};
  for (const auto& [field, label] : fields) {
    SetAccessibleTexts(field, label->Caption());
  }
  const std::pair<QWidget*, QString> descriptions[] = {
      {LowerLevelSpin, tr("Probability in percent of a value below the lower quantile a_p")},
      {UpperLevelSpin, tr("Probability in percent of a value below the upper quantile b_r")},
      {ExtraLevelSpin, tr("Probability in percent of a value below the additional quantile x_s")},
      {FeasibilityLowerPanel, tr("Smallest additional quantile x_s that can be fitted")},
      {FeasibilityUpperPanel, tr("Largest additional quantile x_s that can be fitted")}};
  for (const auto& [control, description] : descriptions) {
    SetAccessibleTexts(control, control->accessibleName(), description);
  }
  SetAccessibleTexts(ModeSwitch, tr("Fourth judgement"),
                     tr("Whether the power parameter n or an additional quantile x_s is given"));
  SetAccessibleTexts(PlotButton, PlotButton->text(),
                     tr("Fits the distribution to the judgements and shows the feedback window"));
  SetAccessibleTexts(MessageLine, tr("Messages of the last fit"));
  SetAccessibleTexts(MenuBar, tr("Menu bar"));
}

void InputWindow::ConnectHandlers() {
  Boundary_.Connect(ModeSwitch, &TRadioGroup::Clicked, this,
                    [this] { Committing([this] { SwitchMode(); }); });
  Boundary_.Connect(LowerLevelSpin, &TSpinEdit::Changed, this,
                    [this] { Committing([this] { ChangeLowerLevel(); }); });
  Boundary_.Connect(UpperLevelSpin, &TSpinEdit::Changed, this,
                    [this] { Committing([this] { ChangeUpperLevel(); }); });
  Boundary_.Connect(ExtraLevelSpin, &TSpinEdit::Changed, this,
                    [this] { Committing([this] { ChangeExtraLevel(); }); });
  Boundary_.Connect(PlotButton, &TButton::clicked, this,
                    [this] { Committing([this] { Plot(); }); });
  const std::pair<TSpinEdit*, const TLabel*> levels[] = {{LowerLevelSpin, LowerLevelLabel},
                                                         {UpperLevelSpin, UpperLevelLabel},
                                                         {ExtraLevelSpin, ExtraLevelLabel}};
  for (const auto& [spin, label] : levels) {
    connect(spin, &TSpinEdit::Clamped, this, [this, spin, label](const QString& typed) {
      NoteClamp(label->Caption(), typed, spin->Text());
    });
  }
  for (TEdit* edit : {LowerQuantileEdit, ModeValueEdit, UpperQuantileEdit}) {
    Boundary_.Connect(edit, &QLineEdit::textChanged, this, [this] { RefreshFeasibilityBounds(); });
  }
  for (TEdit* edit :
       {LowerQuantileEdit, ModeValueEdit, UpperQuantileEdit, PowerEdit, ExtraQuantileEdit}) {
    connect(edit, &TEdit::editingFinished, this, &InputWindow::JudgementsCommitted);
  }
}

void InputWindow::Committing(const std::function<void()>& handler) {
  // Only the outermost handler commits: a level handler that forces the mode switch back
  // makes one change, not two.
  const bool outermost = !Committing_;
  Committing_ = true;
  try {
    handler();
  } catch (...) {
    if (outermost) {
      Committing_ = false;
      emit JudgementsCommitted();
    }
    throw;
  }
  if (outermost) {
    Committing_ = false;
    emit JudgementsCommitted();
  }
}

void InputWindow::keyPressEvent(QKeyEvent* event) {
  // Enter in any field, or on a focused control that has no use for it, plots.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    Boundary_.Run([this] { Committing([this] { Plot(); }); });
    return;
  }
  QWidget::keyPressEvent(event);
}

// [SECTION] What the fields hold

TypedJudgements InputWindow::Typed() const {
  TypedJudgements typed = Document_.Typed();
  const std::pair<NumberField, const TEdit*> edits[] = {
      {NumberField::LowerQuantile, LowerQuantileEdit},
      {NumberField::ModeValue, ModeValueEdit},
      {NumberField::UpperQuantile, UpperQuantileEdit},
      {NumberField::Power, PowerEdit},
      {NumberField::ExtraQuantile, ExtraQuantileEdit}};
  for (const auto& [field, edit] : edits) {
    typed.Type(field, edit->Text().toStdString());
  }
  typed.Mode = ModeSwitch->ItemIndex() == 0 ? FitMode::PowerParameter : FitMode::ExtraQuantile;
  const auto level = [](const TLabel* label, const TSpinEdit* spin) {
    return ReadLevelText(label->Caption().toStdString(), spin->Text().toStdString());
  };
  typed.LevelOf(LevelField::Lower) = level(LowerLevelLabel, LowerLevelSpin);
  typed.LevelOf(LevelField::Upper) = level(UpperLevelLabel, UpperLevelSpin);
  // s is read in power-parameter mode only when it stands as a level; else the last one
  // is kept, since that mode does not use it.
  if (typed.Mode == FitMode::ExtraQuantile || ExtraLevelSpin->ReadValue())
    typed.LevelOf(LevelField::Extra) = level(ExtraLevelLabel, ExtraLevelSpin);
  return typed;
}

// [SECTION] Handlers

bool InputWindow::SwitchMode() {
  const bool extraQuantile = ModeSwitch->ItemIndex() == 1;
  // The fields of the item now selected are shown before anything is computed, so that a
  // judgement the computation refuses never leaves the window half-switched.
  ShowModeFields(extraQuantile);
  // The captions now name the judgements of the other mode: the fit shown is an old one.
  JudgementReview review;
  try {
    review = Document_.SwitchMode(Typed());
  } catch (...) {
    Feedback_.ShowStaleness();
    throw;
  }
  Feedback_.ShowStaleness();
  return extraQuantile ? ShowFeasibilityReview(review) : ShowMessages(review);
}

void InputWindow::ChangeLowerLevel() {
  ChangeOuterLevel(*LowerLevelLabel, *LowerLevelSpin, Level::FromPercent(0));
}

void InputWindow::ChangeUpperLevel() {
  ChangeOuterLevel(*UpperLevelLabel, *UpperLevelSpin, Level::FromPercent(100));
}

void InputWindow::ChangeOuterLevel(const TLabel& label, const TSpinEdit& spin, Level edge) {
  RefitUnasked([&] {
    const Level level = ReadLevelText(label.Caption().toStdString(), spin.Text().toStdString());
    if (CoupleModeSwitch(level == edge)) {
      Plot();
    }
  });
}

void InputWindow::ChangeExtraLevel() {
  // The plot shows the bounds of the new s and gives its advice, once.
  RefitUnasked([this] { Plot(); });
}

void InputWindow::RefitUnasked(const std::function<void()>& refit) {
  // A nested refit (a level handler run by another's write) adds to the outer one's line.
  if (Unasked_) {
    refit();
    return;
  }
  Unasked_ = true;
  Notes_.clear();
  try {
    refit();
  } catch (const EFitError& refusal) {
    // Arithmetic errors are not refusals: they still reach the boundary's report.
    Notes_.push_back(TranslatedSystemText(refusal.what()));
  } catch (...) {
    Unasked_ = false;
    MessageLine->SetCaption(Notes_.join(u'\n'));
    throw;
  }
  Unasked_ = false;
  MessageLine->SetCaption(Notes_.join(u'\n'));
}

void InputWindow::NoteClamp(const QString& caption, const QString& typed, const QString& now) {
  const QString note = tr("%1 read %2, outside 0 % to 100 %: it now reads %3 %.")
                           .arg(caption, QuotedForMessage(typed), now);
  const QString line = MessageLine->Caption();
  MessageLine->SetCaption(line.isEmpty() ? note : line + u'\n' + note);
}

void InputWindow::Show(const Message& message) {
  if (Unasked_) {
    Notes_.push_back(TranslatedSystemText(message.Text));
  } else {
    Boundary_.Show(message);
  }
}

void InputWindow::Plot() {
  if (!Unasked_) {
    // Asked for: its messages come in boxes, and the line of an earlier refit is done with.
    MessageLine->SetCaption(QString());
  }
  const bool extraQuantile = ModeSwitch->ItemIndex() != 0;
  if (extraQuantile) {
    // Bounds of earlier judgements would pass for the bounds of these.
    FeasibilityLowerPanel->SetCaption(QString());
    FeasibilityUpperPanel->SetCaption(QString());
  }
  // Until this plot succeeds the feedback window shows the fit of earlier judgements, and
  // says so; a successful fit takes the mark away.
  const PlotOutcome* outcome = nullptr;
  try {
    outcome = &Document_.Plot(Typed());
  } catch (...) {
    Feedback_.ShowStaleness();
    throw;
  }
  Feedback_.ShowStaleness();
  if (outcome->Feasibility) {
    ShowFeasibilityBounds(*outcome->Feasibility);
  }
  if (!ShowMessages(*outcome)) {
    return;
  }
  const bool antiMode = outcome->Figures.AntiMode;
  Feedback_.ShowFit();
  // The warning waits until the whole fit stands in the window: an open window never shows
  // panels of two fits side by side while the box is up.
  if (antiMode) {
    Show({MessageKind::Warning, std::string(kAntiModeWarning)});
  }
  Feedback_.Present(frameGeometry());
}

bool InputWindow::ShowMessages(const JudgementReview& review) {
  for (const Message& message : review.Messages) {
    Show(message);
  }
  return !review.Refusal();
}

void InputWindow::RefreshFeasibilityBounds() {
  if (ModeSwitch->ItemIndex() != 1) {
    return;
  }
  FeasibilityLowerPanel->SetCaption(QString());
  FeasibilityUpperPanel->SetCaption(QString());
  try {
    TypedJudgements typed = Typed();
    // The bounds do not depend on x_s: one still being typed must not hide them.
    typed.Type(NumberField::ExtraQuantile, typed.Text(NumberField::ModeValue));
    ShowFeasibilityBounds(ComputeFeasibilityBounds(ReadJudgements(typed)));
  } catch (const EFitError&) {
    // Judgements without bounds leave the panels empty; the next plot says why.
  }
}

void InputWindow::ShowFeasibilityBounds(const FeasibilityBounds& bounds) {
  ShowNumber(*FeasibilityLowerPanel, bounds.Smaller());
  ShowNumber(*FeasibilityUpperPanel, bounds.Larger());
}

// [SECTION] Steps of the handlers

void InputWindow::ShowModeFields(bool extraQuantile) {
  Feedback_.ShowModeCaptions(extraQuantile ? FitMode::ExtraQuantile : FitMode::PowerParameter);
  const auto show = [](QWidget* control, bool on) {
    control->setVisible(on);
    control->setEnabled(on);
  };
  show(PowerLabel, !extraQuantile);
  show(PowerEdit, !extraQuantile);
  show(FeasibilityGroup, extraQuantile);
  show(ExtraQuantileLabel, extraQuantile);
  show(ExtraQuantileEdit, extraQuantile);
  show(ExtraLevelLabel, extraQuantile);
  show(ExtraLevelSpin, extraQuantile);
}

bool InputWindow::ShowFeasibilityReview(const JudgementReview& review) {
  // Emptied first: bounds of earlier judgements would pass for the bounds of these if the
  // review refused them.
  FeasibilityLowerPanel->SetCaption(QString());
  FeasibilityUpperPanel->SetCaption(QString());
  if (review.Feasibility) {
    ShowFeasibilityBounds(*review.Feasibility);
  }
  return ShowMessages(review);
}

bool InputWindow::CoupleModeSwitch(bool forcePowerParameter) {
  // The additional-quantile mode needs 0 < p and r < 100. The switch is set before the
  // forced return to the power-parameter mode, whose handler may refuse, so that it is never
  // left enabled there.
  ModeSwitch->setEnabled(LowerLevelSpin->Value() > 0 && UpperLevelSpin->Value() < 1000);
  if (!forcePowerParameter || ModeSwitch->ItemIndex() == 0) {
    return true;
  }
  {
    // The handler runs here, where its outcome can end the level handler, not from the
    // switch's signal.
    const QSignalBlocker quiet(ModeSwitch);
    ModeSwitch->SetItemIndex(0);
  }
  return SwitchMode();
}

// [SECTION] For the commands of the menus

void InputWindow::PlaceMenuBar() {
  const int menuHeight = MenuBar->actions().isEmpty() ? 0 : MenuBar->sizeHint().height();
  MenuBar->setGeometry(0, 0, kClientWidth, menuHeight);
  const int barHeight =
      ExpertBar == nullptr ? 0 : qMax(ExpertBar->sizeHint().height(), ExpertBar->minimumHeight());
  if (ExpertBar != nullptr) {
    ExpertBar->setGeometry(0, menuHeight, kClientWidth, barHeight);
  }
  const int top = menuHeight + barHeight;
  ControlArea->setGeometry(0, top, kClientWidth, kClientHeight);
  // The controls stand at fixed places: any smaller and the right column is cut.
  setMinimumSize(kClientWidth, kClientHeight + top);
  resize(kClientWidth, kClientHeight + top);
}

void InputWindow::ShowTyped(const TypedJudgements& typed) {
  const std::pair<NumberField, TEdit*> edits[] = {{NumberField::LowerQuantile, LowerQuantileEdit},
                                                  {NumberField::ModeValue, ModeValueEdit},
                                                  {NumberField::UpperQuantile, UpperQuantileEdit},
                                                  {NumberField::Power, PowerEdit},
                                                  {NumberField::ExtraQuantile, ExtraQuantileEdit}};
  for (const auto& [field, edit] : edits) {
    const QSignalBlocker quiet(edit);
    edit->SetText(QString::fromStdString(typed.Text(field)));
  }
  const std::pair<LevelField, TSpinEdit*> spins[] = {{LevelField::Lower, LowerLevelSpin},
                                                     {LevelField::Upper, UpperLevelSpin},
                                                     {LevelField::Extra, ExtraLevelSpin}};
  for (const auto& [field, spin] : spins) {
    const QSignalBlocker quiet(spin);
    // The text, not SetValue: a level is put back as it was given, never clamped.
    spin->SetText(QString::fromStdString(typed.LevelOf(field).Text()));
  }
  ModeSwitch->setEnabled(LowerLevelSpin->Value() > 0 && UpperLevelSpin->Value() < 1000);
  const bool extraQuantile = typed.Mode == FitMode::ExtraQuantile;
  {
    const QSignalBlocker quiet(ModeSwitch);
    ModeSwitch->SetItemIndex(extraQuantile ? 1 : 0);
  }
  ShowModeFields(extraQuantile);
  FeasibilityLowerPanel->SetCaption(QString());
  FeasibilityUpperPanel->SetCaption(QString());
  emit TypedShown();
}

void InputWindow::KeepFields() {
  try {
    TypedJudgements typed = Typed();
    typed.Credibility = Document_.Typed().Credibility;
    if (!(typed == Document_.Typed())) {
      Refit();
    }
  } catch (const EInputError&) {
    // Not a level: the document keeps the judgements it last took.
  }
}

void InputWindow::SwitchExpert(std::size_t index) {
  Document_.SwitchExpert(index);
  Feedback_.SetCredibilityLevel(Document_.Typed().Credibility);
  ShowTyped(Document_.Typed());
}

std::vector<std::string> InputWindow::Refit() {
  const TQuietMessages quiet(Boundary_);
  Boundary_.Run([this] { Plot(); });
  return quiet.Messages();
}
