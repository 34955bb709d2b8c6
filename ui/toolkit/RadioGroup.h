// The radio group: a frame of radio buttons laid out in columns, one of them selected.
//
// SetItemIndex(i) with i other than the current index checks item i and then emits
// Clicked synchronously, with ItemIndex() already i; selecting the current index does
// nothing. A user click on an unchecked item does the same; a click on the checked item
// does nothing. Disabling the group disables every item.
#pragma once

#include <QGroupBox>
#include <QString>
#include <QStringList>
#include <vector>

#include "ErrorBoundary.h"

class QButtonGroup;
class QGridLayout;
class QRadioButton;

class TRadioGroup : public QGroupBox, public THandlerControl {
  Q_OBJECT

 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  // Replaces the items; none is selected afterwards.
  void SetItems(const QStringList& captions);
  int Count() const { return static_cast<int>(Buttons_.size()); }
  QRadioButton* Item(int index) const;

  // Items are laid out row by row in this many columns (at least 1).
  void SetColumns(int columns);
  int Columns() const { return Columns_; }

  void SetCaption(const QString& caption);
  QString Caption() const { return title(); }

  // -1 when no item is selected.
  int ItemIndex() const { return ItemIndex_; }
  // An index beyond the items selects the last one; below 0 clears the selection without
  // emitting Clicked.
  void SetItemIndex(int index);

 signals:
  void Clicked();

 private:
  void OnToggled(int index, bool checked);
  void LayOut();

  QButtonGroup* Group_ = nullptr;
  QGridLayout* Grid_ = nullptr;
  std::vector<QRadioButton*> Buttons_;
  int Columns_ = 1;
  int ItemIndex_ = -1;
};
