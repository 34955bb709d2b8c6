// The input window: the expert's judgements, the mode switch between a power parameter n
// and an additional quantile x_s, the coupled quantile levels, the feasibility bounds of an
// additional quantile, and the plot command.
//
// The window keeps no values of its own beyond what its controls show: the solver reads
// the judgements afresh from the controls whenever a handler needs them.
#pragma once

#include <QWidget>
#include <string>

#include "Judgements.h"

class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TPanel;
class TRadioGroup;
class TSpinEdit;

class TMainForm : public QWidget, public TJudgementSource {
  Q_OBJECT

 public:
  // The client area of a window 543 x 455 pixels outside, with a frame of 4 pixels and a
  // caption bar of 30, the frame the feedback window's outer and client sizes imply.
  static constexpr int kClientWidth = 535;
  static constexpr int kClientHeight = 421;

  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // What the solver reads.
  std::string NumberText(TNumberField field) const override;
  int LevelValue(TLevelField field) const override;
  int ModeIndex() const override;
  std::string NumberCaption(TNumberField field) const override;

  // Mode switch: reads the judgements; entering the additional-quantile mode advises on the
  // side of x_s and refreshes the feasibility bounds. Re-captions the feedback window's
  // density and distribution pages and shows the fields of the selected mode. Plots nothing.
  void RadioGroup1Click();
  // Level p: couples the minimum of s, forces the power-parameter mode at p = 0, then plots.
  void SpinEdit1Change();
  // Level r: couples the maximum of s, forces the power-parameter mode at r = 100, then plots.
  void SpinEdit2Change();
  // Level s: couples the maximum of p and the minimum of r, advises on the side of x_s,
  // refreshes the feasibility bounds, then plots.
  void SpinEdit3Change();
  // The plot command: fits the judgements in the window's mode and, when there is a fit,
  // presents all of it in the feedback window and brings that window to the front. Nothing
  // is presented before the whole fit and its graphs are computed.
  void BitBtn1Click();

  TGroupBox* GroupBox1 = nullptr;  // "Basic Information Specification"
  TLabel* Label1 = nullptr;        // "Lower Quantile (a_p)"
  TEdit* Edit1 = nullptr;          // a_p
  TLabel* Label2 = nullptr;        // "Quantile Level (p)"
  TSpinEdit* SpinEdit1 = nullptr;  // p, in percent
  TLabel* Label3 = nullptr;        // "Most Likely Value (m)"
  TEdit* Edit2 = nullptr;          // m
  TLabel* Label9 = nullptr;        // the anti-mode remark
  TLabel* Label4 = nullptr;        // "Upper Quantile (b_r)"
  TEdit* Edit3 = nullptr;          // b_r
  TLabel* Label5 = nullptr;        // "Quantile Level (r)"
  TSpinEdit* SpinEdit2 = nullptr;  // r, in percent

  TGroupBox* GroupBox2 = nullptr;  // "Additional Information Specification"
  TRadioGroup* RadioGroup1 = nullptr;
  TLabel* Label8 = nullptr;        // "Power Parameter n"
  TEdit* Edit5 = nullptr;          // n
  TLabel* Label6 = nullptr;        // "Additional Quantile (x_s)"
  TEdit* Edit4 = nullptr;          // x_s
  TLabel* Label7 = nullptr;        // "Quantile Level (s)"
  TSpinEdit* SpinEdit3 = nullptr;  // s, in percent
  TGroupBox* GroupBox3 = nullptr;  // the feasibility bounds of x_s
  TLabel* Label14 = nullptr;       // "Lower Bound x_s"
  TPanel* Panel6 = nullptr;
  TLabel* Label15 = nullptr;  // "Upper Bound x_s"
  TPanel* Panel7 = nullptr;

  TButton* BitBtn1 = nullptr;  // "Plot Two-Sided Power Graphs"
  TLabel* Label10 = nullptr;   // credit lines
  TLabel* Label11 = nullptr;

 private:
  void CreateBasicInformation();
  void CreateAdditionalInformation();
  void CreateFeasibilityBounds();
  void CreateCommandArea();
  void SetTabOrder();
  void ConnectHandlers();

  // Re-captions the feedback window's first two pages for the mode and shows the fields of
  // the mode, each control enabled exactly when it is shown.
  void ShowModeFields(bool extraQuantile);
  // Reads the judgements, advises on the side of x_s, computes the feasibility bounds and
  // shows them, the smaller in Panel6. A refresh that fails leaves both panels empty.
  void RefreshFeasibilityBounds();
  // Enables the mode switch exactly while 0 < p and r < 100, after going back to the
  // power-parameter mode when told to.
  void CoupleModeSwitch(bool forcePowerParameter);
};

// The input window of the process, set when it is created.
extern TMainForm* MainForm;
