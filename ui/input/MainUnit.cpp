#include "MainUnit.h"

#include <QRadioButton>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "AnalysisUnit.h"
#include "Appearance.h"
#include "ErrorBoundary.h"
#include "FitCheck.h"
#include "GTSPUnit.h"
#include "JudgementSheet.h"
#include "MessageService.h"
#include "NumberPanel.h"
#include "PlotComputation.h"
#include "PlotPDFUnit.h"
#include "RadioGroup.h"
#include "SimpleControls.h"
#include "SpinEdit.h"

TMainForm* MainForm = nullptr;

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
TEdit* NumberField(QWidget* parent, const char* name, TNumberField field, int left, int top) {
  auto* edit = Named(new TEdit(parent), name);
  ApplyFont(edit, TFontSpec{TTextColour::Black});
  edit->SetText(Latin1(InitialText(field)));
  edit->setGeometry(left, top, 89, 21);
  return edit;
}
TLabel* FieldLabel(QWidget* parent, const char* name, TNumberField field, int left, int top) {
  return Caption(parent, name, FieldCaption(field), left, top);
}

TSpinEdit* LevelField(QWidget* parent, const char* name, int minimum, int maximum,
                      TLevelField field, int top) {
  auto* spin = Named(new TSpinEdit(parent), name);
  ApplyFont(spin, TFontSpec{TTextColour::Black});
  spin->setGeometry(392, top, 89, 22);
  spin->SetMinValue(minimum);
  spin->SetMaxValue(maximum);
  spin->SetValue(InitialLevel(field));
  return spin;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
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
  // Handlers are connected last, so that building the window runs none of them.
  ConnectHandlers();
}

TMainForm::~TMainForm() {
  if (MainForm == this) {
    MainForm = nullptr;
  }
}

void TMainForm::CreateBasicInformation() {
  GroupBox1 =
      Named(new TGroupBox(QStringLiteral("Basic Information Specification"), this), "GroupBox1");
  GroupBox1->SetCaptionFont(TFontSpec{TTextColour::Maroon, true});
  GroupBox1->setGeometry(16, 8, 513, 129);

  Label1 = FieldLabel(GroupBox1, "Label1", TNumberField::LowerQuantile, 16, 24);
  Edit1 = NumberField(GroupBox1, "Edit1", TNumberField::LowerQuantile, 168, 24);
  Label2 = Caption(GroupBox1, "Label2", "Quantile Level (p)", 272, 24);
  SpinEdit1 = LevelField(GroupBox1, "SpinEdit1", 0, 80, TLevelField::Lower, 24);

  Label3 = FieldLabel(GroupBox1, "Label3", TNumberField::ModeValue, 16, 56);
  Edit2 = NumberField(GroupBox1, "Edit2", TNumberField::ModeValue, 168, 56);
  Label9 = Caption(GroupBox1, "Label9", "(When 0<n<1 m is an anti-mode!)", 272, 56);

  Label4 = FieldLabel(GroupBox1, "Label4", TNumberField::UpperQuantile, 16, 88);
  Edit3 = NumberField(GroupBox1, "Edit3", TNumberField::UpperQuantile, 168, 88);
  Label5 = Caption(GroupBox1, "Label5", "Quantile Level (r)", 272, 88);
  SpinEdit2 = LevelField(GroupBox1, "SpinEdit2", 80, 100, TLevelField::Upper, 88);
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
  Label6 = FieldLabel(GroupBox2, "Label6", TNumberField::ExtraQuantile, 24, 92);
  Edit4 = NumberField(GroupBox2, "Edit4", TNumberField::ExtraQuantile, 168, 88);
  Label7 = Caption(GroupBox2, "Label7", "Quantile Level (s)", 272, 92);
  SpinEdit3 = LevelField(GroupBox2, "SpinEdit3", 10, 90, TLevelField::Extra, 88);
  Label8 = FieldLabel(GroupBox2, "Label8", TNumberField::Power, 24, 92);
  Edit5 = NumberField(GroupBox2, "Edit5", TNumberField::Power, 168, 88);
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
  ConnectHandler(RadioGroup1, &TRadioGroup::Clicked, this, [this] { RadioGroup1Click(); });
  ConnectHandler(SpinEdit1, &TSpinEdit::Changed, this, [this] { SpinEdit1Change(); });
  ConnectHandler(SpinEdit2, &TSpinEdit::Changed, this, [this] { SpinEdit2Change(); });
  ConnectHandler(SpinEdit3, &TSpinEdit::Changed, this, [this] { SpinEdit3Change(); });
  ConnectHandler(BitBtn1, &TButton::clicked, this, [this] { BitBtn1Click(); });
}

// [SECTION] What the solver reads

std::string TMainForm::NumberText(TNumberField field) const {
  const TEdit* edit = nullptr;
  switch (field) {
    case TNumberField::LowerQuantile:
      edit = Edit1;
      break;
    case TNumberField::ModeValue:
      edit = Edit2;
      break;
    case TNumberField::UpperQuantile:
      edit = Edit3;
      break;
    case TNumberField::Power:
      edit = Edit5;
      break;
    case TNumberField::ExtraQuantile:
      edit = Edit4;
      break;
  }
  return edit == nullptr ? std::string() : edit->Text().toStdString();
}

int TMainForm::LevelValue(TLevelField field) const {
  switch (field) {
    case TLevelField::Lower:
      return SpinEdit1->Value();
    case TLevelField::Upper:
      return SpinEdit2->Value();
    case TLevelField::Extra:
      return SpinEdit3->Value();
  }
  return 0;
}

std::string TMainForm::NumberCaption(TNumberField field) const {
  const TLabel* label = nullptr;
  switch (field) {
    case TNumberField::LowerQuantile:
      label = Label1;
      break;
    case TNumberField::ModeValue:
      label = Label3;
      break;
    case TNumberField::UpperQuantile:
      label = Label4;
      break;
    case TNumberField::Power:
      label = Label8;
      break;
    case TNumberField::ExtraQuantile:
      label = Label6;
      break;
  }
  return label == nullptr ? std::string() : label->Caption().toStdString();
}

int TMainForm::ModeIndex() const {
  return RadioGroup1->ItemIndex();
}

// [SECTION] Handlers

void TMainForm::RadioGroup1Click() {
  const bool extraQuantile = RadioGroup1->ItemIndex() == 1;
  // The fields of the item now selected are shown before anything is computed, so that a
  // judgement the computation refuses never leaves the window half-switched.
  ShowModeFields(extraQuantile);
  if (extraQuantile) {
    RefreshFeasibilityBounds();
  } else {
    AnalysisForm.ReadInputs();
  }
}

void TMainForm::SpinEdit1Change() {
  const int p = SpinEdit1->Value();
  SpinEdit3->SetMinValue(p);
  CoupleModeSwitch(p == 0);
  BitBtn1Click();
}

void TMainForm::SpinEdit2Change() {
  const int r = SpinEdit2->Value();
  SpinEdit3->SetMaxValue(r);
  CoupleModeSwitch(r == 100);
  BitBtn1Click();
}

void TMainForm::SpinEdit3Change() {
  const int s = SpinEdit3->Value();
  SpinEdit1->SetMaxValue(s);
  SpinEdit2->SetMinValue(s);
  RefreshFeasibilityBounds();
  BitBtn1Click();
}

void TMainForm::BitBtn1Click() {
  std::optional<TPlotOutcome> outcome =
      ComputePlot(AnalysisForm, GTSPForm, PlotPDFForm->CredibilityLevel(), MessageSink());
  if (!outcome) {
    return;
  }
  const bool antiMode = outcome->Figures.AntiMode;
  PlotPDFForm->ShowFit(std::move(*outcome));
  // The warning waits until the whole fit stands in the window: an open window never shows
  // panels of two fits side by side while the box is up.
  if (antiMode) {
    MessageService().ShowWarning(kAntiModeWarning);
  }
  PlotPDFForm->Present();
}

// [SECTION] Steps of the handlers

void TMainForm::ShowModeFields(bool extraQuantile) {
  PlotPDFForm->ShowModeCaptions(extraQuantile ? TFitMode::ExtraQuantile : TFitMode::PowerParameter);
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

void TMainForm::RefreshFeasibilityBounds() {
  // Emptied first: bounds of earlier judgements would pass for the bounds of these if the
  // refresh failed.
  Panel6->SetCaption(QString());
  Panel7->SetCaption(QString());
  AnalysisForm.ReadInputs();
  // As in the plot command, judgements are refused before any advice is given on them.
  CheckJudgements(AnalysisForm, TFitMode::ExtraQuantile);
  if (const auto advice = SideRecommendation(AnalysisForm)) {
    MessageService().ShowError(*advice);
  }
  const TFeasibilityBounds bounds = ComputeFeasibilityBounds(AnalysisForm);
  ShowNumber(*Panel6, bounds.Smaller);
  ShowNumber(*Panel7, bounds.Larger);
}

void TMainForm::CoupleModeSwitch(bool forcePowerParameter) {
  // The additional-quantile mode needs 0 < p and r < 100. The switch is set before the
  // forced return to the power-parameter mode, whose handler may fail, so that it is never
  // left enabled there.
  RadioGroup1->setEnabled(SpinEdit1->Value() > 0 && SpinEdit2->Value() < 100);
  if (forcePowerParameter) {
    RadioGroup1->SetItemIndex(0);
  }
}
