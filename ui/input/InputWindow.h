// The input window: the expert's judgements, the mode switch between a power parameter n
// and an additional quantile x_s, the coupled quantile levels, the feasibility bounds of an
// additional quantile, and the plot command.
//
// Each handler takes what the fields hold as one value (Typed) and hands it to the
// elicitation document through one of its operations; it shows the feasibility bounds and
// the messages the operation's outcome holds, and has the feedback window show the fit.
#pragma once

#include <QWidget>

#include "Fit.h"
#include "Judgements.h"

class Elicitation;
class FeedbackWindow;
class THandlerBoundary;
class TButton;
class TEdit;
class TGroupBox;
class TLabel;
class TPanel;
class TRadioGroup;
class TSpinEdit;

class InputWindow : public QWidget {
  Q_OBJECT

 public:
  // The client area of a window 543 x 455 pixels outside, with a frame of 4 pixels and a
  // caption bar of 30, the frame the feedback window's outer and client sizes imply.
  static constexpr int kClientWidth = 535;
  static constexpr int kClientHeight = 421;
  // How long typing in a level field pauses before the level is fitted.
  static constexpr int kTypingPauseMs = 400;

  // Works on the document, presents its fits in the feedback window and runs its handlers
  // inside the boundary, which shows its messages; all three must outlive it.
  InputWindow(Elicitation& document, FeedbackWindow& feedback, THandlerBoundary& boundary,
              QWidget* parent = nullptr);

  // The judgements as the fields hold them: every number field's text, the value of each
  // level field and the mode; the credibility level is the document's.
  TypedJudgements Typed() const;

  // Mode switch: re-captions the feedback window's density and distribution pages and
  // shows the fields of the selected mode; the document takes the judgements, and entering
  // the additional-quantile mode advises on the side of x_s and shows the feasibility
  // bounds. Plots nothing. False when the document refused the judgements.
  bool SwitchMode();
  // Level p: couples the minimum of s, forces the power-parameter mode at p = 0, then plots.
  void ChangeLowerLevel();
  // Level r: couples the maximum of s, forces the power-parameter mode at r = 100, then plots.
  void ChangeUpperLevel();
  // Level s: couples the maximum of p and the minimum of r, then plots, which shows the
  // feasibility bounds of the new s and advises on the side of x_s.
  void ChangeExtraLevel();
  // The plot command: fits the judgements in the window's mode and, when there is a fit,
  // presents all of it in the feedback window and brings that window to the front. Nothing
  // is presented before the whole fit and its graphs are computed.
  void Plot();

  TGroupBox* BasicInformationGroup = nullptr;  // "Basic Information Specification"
  TLabel* LowerQuantileLabel = nullptr;        // "Lower Quantile (a_p)"
  TEdit* LowerQuantileEdit = nullptr;          // a_p
  TLabel* LowerLevelLabel = nullptr;           // "Quantile Level (p)"
  TSpinEdit* LowerLevelSpin = nullptr;         // p, in percent
  TLabel* ModeValueLabel = nullptr;            // "Most Likely Value (m)"
  TEdit* ModeValueEdit = nullptr;              // m
  TLabel* AntiModeRemark = nullptr;            // the anti-mode remark
  TLabel* UpperQuantileLabel = nullptr;        // "Upper Quantile (b_r)"
  TEdit* UpperQuantileEdit = nullptr;          // b_r
  TLabel* UpperLevelLabel = nullptr;           // "Quantile Level (r)"
  TSpinEdit* UpperLevelSpin = nullptr;         // r, in percent

  TGroupBox* AdditionalInformationGroup = nullptr;  // "Additional Information Specification"
  TRadioGroup* ModeSwitch = nullptr;
  TLabel* PowerLabel = nullptr;             // "Power Parameter n"
  TEdit* PowerEdit = nullptr;               // n
  TLabel* ExtraQuantileLabel = nullptr;     // "Additional Quantile (x_s)"
  TEdit* ExtraQuantileEdit = nullptr;       // x_s
  TLabel* ExtraLevelLabel = nullptr;        // "Quantile Level (s)"
  TSpinEdit* ExtraLevelSpin = nullptr;      // s, in percent
  TGroupBox* FeasibilityGroup = nullptr;    // the feasibility bounds of x_s
  TLabel* FeasibilityLowerLabel = nullptr;  // "Lower Bound x_s"
  TPanel* FeasibilityLowerPanel = nullptr;
  TLabel* FeasibilityUpperLabel = nullptr;  // "Upper Bound x_s"
  TPanel* FeasibilityUpperPanel = nullptr;

  TButton* PlotButton = nullptr;  // "Plot Two-Sided Power Graphs"
  TLabel* CreditLabel = nullptr;  // credit lines
  TLabel* CreditNoteLabel = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateBasicInformation();
  void CreateAdditionalInformation();
  void CreateFeasibilityBounds();
  void CreateCommandArea();
  void SetTabOrder();
  void ConnectHandlers();
  // Shows the messages of an outcome, in order; true when none is a refusal.
  bool ShowMessages(const JudgementReview& review);

  // Re-captions the feedback window's first two pages for the mode and shows the fields of
  // the mode, each control enabled exactly when it is shown.
  void ShowModeFields(bool extraQuantile);
  // Shows the feasibility bounds of a review of x_s, the smaller in FeasibilityLowerPanel, and its
  // messages; a review without bounds leaves both panels empty. False on a refusal.
  bool ShowFeasibilityReview(const JudgementReview& review);
  // Enables the mode switch exactly while 0 < p and r < 100, then goes back to the
  // power-parameter mode when told to, running the mode switch handler; false when that
  // handler refused the judgements, which ends the level handler too.
  bool CoupleModeSwitch(bool forcePowerParameter);
  // The smaller bound in FeasibilityLowerPanel, the larger in FeasibilityUpperPanel.
  void ShowFeasibilityBounds(const FeasibilityBounds& bounds);

  Elicitation& Document_;
  FeedbackWindow& Feedback_;
  THandlerBoundary& Boundary_;
};
