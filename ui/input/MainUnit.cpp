#include "MainUnit.h"

#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "Appearance.h"
#include "Elicitation.h"
#include "ErrorBoundary.h"
#include "NumberPanel.h"
#include "PlotComputation.h"
#include "PlotPDFUnit.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SpinEdit.h"

namespace {

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TLabel* Caption(QWidget* parent, const char* name, std::string_view text, int left, int top) {
  auto* label = Named(new TLabel(Latin1(text), parent), name);
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
  return Caption(parent, name, FieldCaption(field), left, top);
}

TSpinEdit* LevelSpin(QWidget* parent, const char* name, int minimum, int maximum, LevelField field,
                     int top) {
  auto* spin = Named(new TSpinEdit(parent), name);
  ApplyFont(spin, TFontSpec{TTextColour::Black});
  spin->setGeometry(392, top, 89, 22);
  spin->SetMinValue(minimum);
  spin->SetMaxValue(maximum);
  spin->SetValue(kInitialLevels[static_cast<std::size_t>(field)].Percent());
  // A level typed digit by digit is fitted once the number stands, not at each digit.
  spin->SetTypingPause(TMainForm::kTypingPauseMs);
  return spin;
}

}  // namespace

TMainForm::TMainForm(Elicitation& document, TPlotPDFForm& feedback, THandlerBoundary& boundary,
                     QWidget* parent)
    : QWidget(parent), Document_(document), Feedback_(feedback), Boundary_(boundary) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Morvane"));
  ApplyFont(this, TFontSpec{});
  CreateBasicInformation();
  CreateAdditionalInformation();
  CreateFeasibilityBounds();
  CreateCommandArea();
  SetTabOrder();
  move(187, 188);
  resize(kClientWidth, kClientHeight);
  // The controls stand at fixed places: any smaller and the right column is cut.
  setMinimumSize(kClientWidth, kClientHeight);
  // Handlers are connected last, so that building the window runs none of them.
  ConnectHandlers();
}

void TMainForm::CreateBasicInformation() {
  GroupBox1 =
      Named(new TGroupBox(QStringLiteral("Basic Information Specification"), this), "GroupBox1");
  GroupBox1->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});
  GroupBox1->setGeometry(16, 8, 513, 129);

  Label1 = FieldLabel(GroupBox1, "Label1", NumberField::LowerQuantile, 16, 24);
  Edit1 = NumberEdit(GroupBox1, "Edit1", NumberField::LowerQuantile, 168, 24);
  Label2 = Caption(GroupBox1, "Label2", "Quantile Level (p)", 272, 24);
  SpinEdit1 = LevelSpin(GroupBox1, "SpinEdit1", 0, 80, LevelField::Lower, 24);

  Label3 = FieldLabel(GroupBox1, "Label3", NumberField::ModeValue, 16, 56);
  Edit2 = NumberEdit(GroupBox1, "Edit2", NumberField::ModeValue, 168, 56);
  Label9 = Caption(GroupBox1, "Label9", "(When 0<n<1 m is an anti-mode!)", 272, 56);

  Label4 = FieldLabel(GroupBox1, "Label4", NumberField::UpperQuantile, 16, 88);
  Edit3 = NumberEdit(GroupBox1, "Edit3", NumberField::UpperQuantile, 168, 88);
  Label5 = Caption(GroupBox1, "Label5", "Quantile Level (r)", 272, 88);
  SpinEdit2 = LevelSpin(GroupBox1, "SpinEdit2", 80, 100, LevelField::Upper, 88);
}

void TMainForm::CreateAdditionalInformation() {
  GroupBox2 = Named(new TGroupBox(QStringLiteral("Additional Information Specification"), this),
                    "GroupBox2");
  GroupBox2->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});
  GroupBox2->setGeometry(16, 144, 513, 217);

  RadioGroup1 = Named(new TRadioGroup(GroupBox2), "RadioGroup1");
  RadioGroup1->setGeometry(16, 24, 481, 49);
  RadioGroup1->SetColumns(2);
  RadioGroup1->SetItems(
      {QStringLiteral("Power Parameter (n)"), QStringLiteral("Additional Quantile (x_s)")});
  RadioGroup1->SetItemIndex(0);

  // The two fourth judgements share one place; the mode decides which is shown.
  Label6 = FieldLabel(GroupBox2, "Label6", NumberField::ExtraQuantile, 24, 92);
  Edit4 = NumberEdit(GroupBox2, "Edit4", NumberField::ExtraQuantile, 168, 88);
  Label7 = Caption(GroupBox2, "Label7", "Quantile Level (s)", 272, 92);
  SpinEdit3 = LevelSpin(GroupBox2, "SpinEdit3", 10, 90, LevelField::Extra, 88);
  Label8 = FieldLabel(GroupBox2, "Label8", NumberField::Power, 24, 92);
  Edit5 = NumberEdit(GroupBox2, "Edit5", NumberField::Power, 168, 88);
  for (QWidget* control : std::initializer_list<QWidget*>{Label6, Edit4, Label7, SpinEdit3}) {
    control->setVisible(false);
    control->setEnabled(false);
  }
}

void TMainForm::CreateFeasibilityBounds() {
  GroupBox3 =
      Named(new TGroupBox(
                QStringLiteral("Boundaries for Additional Quantile that Guarantee TSP feasibility"),
                GroupBox2),
            "GroupBox3");
  GroupBox3->SetCaptionFont(TFontSpec{TTextColour::WindowText, true});
  GroupBox3->setGeometry(16, 128, 481, 73);
  Label14 = Caption(GroupBox3, "Label14", "Lower Bound x_s", 24, 28);
  Label15 = Caption(GroupBox3, "Label15", "Upper Bound x_s", 264, 28);
  const auto boundPanel = [this](const char* name, int left) {
    auto* panel = Named(new TPanel(GroupBox3), name);
    panel->SetBevel(TBevel::Lowered);
    panel->SetCaption(QStringLiteral("Panel1"));
    panel->setGeometry(left, 24, kResultPanelWidth, 25);
    return panel;
  };
  Panel6 = boundPanel("Panel6", 152);
  Panel7 = boundPanel("Panel7", 376);
  GroupBox3->setVisible(false);
}

void TMainForm::CreateCommandArea() {
  BitBtn1 = Named(new TButton(QStringLiteral("Plot Two-Sided Power Graphs"), this), "BitBtn1");
  ApplyFont(BitBtn1, TFontSpec{TTextColour::Black, true});
  BitBtn1->setGeometry(16, 368, 505, 25);
  Label10 = Caption(this, "Label10", "Morvane", 64, 400);
  ApplyFont(Label10, TFontSpec{TTextColour::Maroon, true});
  Label10->adjustSize();
  Label11 = Caption(this, "Label11", "Two-sided power elicitation", 296, 400);
  ApplyFont(Label11, TFontSpec{TTextColour::Blue, true});
  Label11->adjustSize();
}

void TMainForm::SetTabOrder() {
  QWidget* const order[] = {BitBtn1,
                            Edit1,
                            SpinEdit1,
                            Edit2,
                            Edit3,
                            SpinEdit2,
                            Edit4,
                            SpinEdit3,
                            Edit5,
                            RadioGroup1->Item(0),
                            RadioGroup1->Item(1)};
  for (std::size_t i = 1; i < std::size(order); ++i) {
    setTabOrder(order[i - 1], order[i]);
  }
  // The first control in the tab order has the focus when the window opens.
  BitBtn1->setFocus(Qt::OtherFocusReason);
}

void TMainForm::ConnectHandlers() {
  Boundary_.Connect(RadioGroup1, &TRadioGroup::Clicked, this, [this] { RadioGroup1Click(); });
  Boundary_.Connect(SpinEdit1, &TSpinEdit::Changed, this, [this] { SpinEdit1Change(); });
  Boundary_.Connect(SpinEdit2, &TSpinEdit::Changed, this, [this] { SpinEdit2Change(); });
  Boundary_.Connect(SpinEdit3, &TSpinEdit::Changed, this, [this] { SpinEdit3Change(); });
  Boundary_.Connect(BitBtn1, &TButton::clicked, this, [this] { BitBtn1Click(); });
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
  // Enter in any field, or on a focused control that has no use for it, plots.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    Boundary_.Run([this] { BitBtn1Click(); });
    return;
  }
  QWidget::keyPressEvent(event);
}

// [SECTION] What the fields hold

TypedJudgements TMainForm::Typed() const {
  TypedJudgements typed = Document_.Typed();
  const std::pair<NumberField, const TEdit*> edits[] = {{NumberField::LowerQuantile, Edit1},
                                                        {NumberField::ModeValue, Edit2},
                                                        {NumberField::UpperQuantile, Edit3},
                                                        {NumberField::Power, Edit5},
                                                        {NumberField::ExtraQuantile, Edit4}};
  for (const auto& [field, edit] : edits) {
    typed.Type(field, edit->Text().toStdString());
  }
  typed.LevelOf(LevelField::Lower) = Level::FromPercent(SpinEdit1->Value());
  typed.LevelOf(LevelField::Upper) = Level::FromPercent(SpinEdit2->Value());
  typed.LevelOf(LevelField::Extra) = Level::FromPercent(SpinEdit3->Value());
  typed.Mode = RadioGroup1->ItemIndex() == 0 ? FitMode::PowerParameter : FitMode::ExtraQuantile;
  return typed;
}

// [SECTION] Handlers

bool TMainForm::RadioGroup1Click() {
  const bool extraQuantile = RadioGroup1->ItemIndex() == 1;
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

void TMainForm::SpinEdit1Change() {
  const int p = SpinEdit1->Value();
  SpinEdit3->SetMinValue(p);
  if (CoupleModeSwitch(p == 0)) {
    BitBtn1Click();
  }
}

void TMainForm::SpinEdit2Change() {
  const int r = SpinEdit2->Value();
  SpinEdit3->SetMaxValue(r);
  if (CoupleModeSwitch(r == 100)) {
    BitBtn1Click();
  }
}

void TMainForm::SpinEdit3Change() {
  const int s = SpinEdit3->Value();
  SpinEdit1->SetMaxValue(s);
  SpinEdit2->SetMinValue(s);
  // The plot shows the bounds of the new s and gives its advice, once.
  BitBtn1Click();
}

void TMainForm::BitBtn1Click() {
  const bool extraQuantile = RadioGroup1->ItemIndex() != 0;
  if (extraQuantile) {
    // Bounds of earlier judgements would pass for the bounds of these.
    Panel6->SetCaption(QString());
    Panel7->SetCaption(QString());
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
    Boundary_.ShowWarning(kAntiModeWarning);
  }
  Feedback_.Present(frameGeometry());
}

bool TMainForm::ShowMessages(const JudgementReview& review) {
  for (const Message& message : review.Messages) {
    Boundary_.Show(message);
  }
  return !review.Refusal();
}

void TMainForm::ShowFeasibilityBounds(const FeasibilityBounds& bounds) {
  ShowNumber(*Panel6, bounds.Smaller());
  ShowNumber(*Panel7, bounds.Larger());
}

// [SECTION] Steps of the handlers

void TMainForm::ShowModeFields(bool extraQuantile) {
  Feedback_.ShowModeCaptions(extraQuantile ? FitMode::ExtraQuantile : FitMode::PowerParameter);
  const auto show = [](QWidget* control, bool on) {
    control->setVisible(on);
    control->setEnabled(on);
  };
  show(Label8, !extraQuantile);
  show(Edit5, !extraQuantile);
  show(GroupBox3, extraQuantile);
  show(Label6, extraQuantile);
  show(Edit4, extraQuantile);
  show(Label7, extraQuantile);
  show(SpinEdit3, extraQuantile);
}

bool TMainForm::ShowFeasibilityReview(const JudgementReview& review) {
  // Emptied first: bounds of earlier judgements would pass for the bounds of these if the
  // review refused them.
  Panel6->SetCaption(QString());
  Panel7->SetCaption(QString());
  if (review.Feasibility) {
    ShowFeasibilityBounds(*review.Feasibility);
  }
  return ShowMessages(review);
}

bool TMainForm::CoupleModeSwitch(bool forcePowerParameter) {
  // The additional-quantile mode needs 0 < p and r < 100. The switch is set before the
  // forced return to the power-parameter mode, whose handler may refuse, so that it is never
  // left enabled there.
  RadioGroup1->setEnabled(SpinEdit1->Value() > 0 && SpinEdit2->Value() < 100);
  if (!forcePowerParameter || RadioGroup1->ItemIndex() == 0) {
    return true;
  }
  {
    // The handler runs here, where its outcome can end the level handler, not from the
    // switch's signal.
    const QSignalBlocker quiet(RadioGroup1);
    RadioGroup1->SetItemIndex(0);
  }
  return RadioGroup1Click();
}
