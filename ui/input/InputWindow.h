// The input window: the expert's judgements, the mode switch between a power parameter n
// and an additional quantile x_s, the coupled quantile levels, the feasibility bounds of an
// additional quantile, and the plot command.
//
// Each handler takes what the fields hold as one value (Typed) and hands it to the
// elicitation document through one of its operations; it shows the feasibility bounds and
// the messages the operation's outcome holds, and has the feedback window show the fit.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "Fit.h"
#include "Judgements.h"
#include "Message.h"

class Elicitation;
class FeedbackWindow;
class QMenuBar;
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
  // Below them, a message line of three lines for the refits the expert did not ask for.
  static constexpr int kClientHeight = 421 + 48;
  // How long typing in a level field pauses before the level is fitted.
  static constexpr int kTypingPauseMs = 400;

  // Works on the document, presents its fits in the feedback window and runs its handlers
  // inside the boundary, which shows its messages; all three must outlive it.
  InputWindow(Elicitation& document, FeedbackWindow& feedback, THandlerBoundary& boundary,
              QWidget* parent = nullptr);
  ~InputWindow() override;

  // The judgements as the fields hold them: every number field's text, the value of each
  // level field and the mode; the credibility level is the document's. A level field whose
  // text is not a level (s only in additional-quantile mode) raises EInputError naming it.
  TypedJudgements Typed() const;

  // Mode switch: re-captions the feedback window's density and distribution pages and
  // shows the fields of the selected mode; the document takes the judgements, and entering
  // the additional-quantile mode advises on the side of x_s and shows the feasibility
  // bounds. Plots nothing. False when the document refused the judgements.
  bool SwitchMode();
  // The level handlers refit without being asked: their messages show in MessageLine, and
  // a level that is not one ("", "2.55") is refused there. The levels range over 0 % to
  // 100 % each, coupled to no other; the checks of the fit say when they are out of order.
  // Level p: forces the power-parameter mode at p = 0, then plots.
  void ChangeLowerLevel();
  // Level r: forces the power-parameter mode at r = 100, then plots.
  void ChangeUpperLevel();
  // Level s: plots, which shows the feasibility bounds of the new s and advises on the side
  // of x_s.
  void ChangeExtraLevel();
  // The plot command: fits the judgements in the window's mode and, when there is a fit,
  // presents all of it in the feedback window and brings that window to the front. Nothing
  // is presented before the whole fit and its graphs are computed.
  void Plot();

  // [SECTION] For the commands of the menus

  // Puts judgements into the fields as they are, the levels unclamped and coupled, and shows
  // the fields of their mode, running no handler and computing nothing; the credibility
  // level is the document's and stays.
  void ShowTyped(const TypedJudgements& typed);
  // Fits what the fields hold as the plot command does, without a message box: every
  // message the fit raises is handed back instead, in order.
  std::vector<std::string> Refit();
  // What the fields hold goes to the document's current expert: refitted quietly when it
  // differs from the judgements the document holds; a level that is not one is left.
  void KeepFields();
  // Makes the index-th expert the document's current one and shows its judgements, and its
  // credibility level in the feedback window, computing nothing (ShowTyped).
  void SwitchExpert(std::size_t index);
  // The row of the experts (ExpertList), between the menu bar and the controls' area, or
  // none; PlaceMenuBar gives it its room.
  QWidget* ExpertBar = nullptr;

  // Gives the menu bar the height its menus take, the controls' area the room under it and
  // the window the size of both; for whoever has filled the bar.
  void PlaceMenuBar();
  // The File and Edit menus' bar, above the controls.
  QMenuBar* MenuBar = nullptr;
  // The controls' area, kClientWidth x kClientHeight, under the menu bar.
  QWidget* ControlArea = nullptr;

  TGroupBox* BasicInformationGroup = nullptr;  // "Basic Information Specification"
  TLabel* LowerQuantileLabel = nullptr;        // "Lower Quantile (a_p)"
  TEdit* LowerQuantileEdit = nullptr;          // a_p
  TLabel* LowerLevelLabel = nullptr;           // "Quantile Level (p)"
  TSpinEdit* LowerLevelSpin = nullptr;         // p, in percent, to a tenth
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
  // The messages of the last refit the expert did not ask for by Plot or Enter (a level
  // changed), and of any clamp of a level left beyond its range: shown here, not in boxes,
  // so that typing goes on. Emptied by the next plot that is asked for.
  TLabel* MessageLine = nullptr;

 signals:
  // A handler the expert started (a mode switch, a level, the plot command) has ended, or
  // a number field's edit was finished: what the fields hold is a committed change, if it
  // differs from what they held at the last one.
  void JudgementsCommitted();
  // The fields were given judgements to show (ShowTyped): of another expert, maybe.
  void TypedShown();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateBasicInformation();
  void CreateAdditionalInformation();
  void CreateFeasibilityBounds();
  void CreateCommandArea();
  void SetTabOrder();
  // The accessible names and descriptions of the controls.
  void NameControls();
  void ConnectHandlers();
  // Runs a handler and then reports a committed change, whether or not the handler ended
  // in an error.
  void Committing(const std::function<void()>& handler);
  // Shows the messages of an outcome, in order; true when none is a refusal.
  bool ShowMessages(const JudgementReview& review);
  // A message in a box, or in the message line during a refit the expert did not ask for.
  void Show(const Message& message);
  // Runs a level handler's refit: its messages, and the refusal of a text that is not a
  // level or a number, go to the message line instead of boxes.
  void RefitUnasked(const std::function<void()>& refit);
  // Level p or r: reads it from its field, forces the power-parameter mode when it stands
  // at `edge` (0 for p, 100 for r), then plots.
  void ChangeOuterLevel(const TLabel& label, const TSpinEdit& spin, Level edge);
  // Adds to the message line that leaving a level field brought `typed` back into range.
  void NoteClamp(const QString& caption, const QString& typed, const QString& now);

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
  // In additional-quantile mode, the feasibility bounds of the judgements as they now stand,
  // after any change of a_p, m or b_r: empty while they have none. Says nothing.
  void RefreshFeasibilityBounds();
  // The smaller bound in FeasibilityLowerPanel, the larger in FeasibilityUpperPanel.
  void ShowFeasibilityBounds(const FeasibilityBounds& bounds);

  Elicitation& Document_;
  FeedbackWindow& Feedback_;
  THandlerBoundary& Boundary_;
  bool Committing_ = false;
  bool Unasked_ = false;
  QStringList Notes_;
};
