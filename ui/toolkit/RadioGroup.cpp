#include "RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include "Appearance.h"
#include "ErrorBoundary.h"

TRadioGroup::TRadioGroup(QWidget* parent)
    : QGroupBox(parent), Group_(new QButtonGroup(this)), Grid_(new QGridLayout(this)) {
  ApplyFont(this, TFontSpec{});
  Group_->setExclusive(true);
  Grid_->setContentsMargins(8, 4, 8, 4);
  connect(Group_, &QButtonGroup::idToggled, this, &TRadioGroup::OnToggled);
}

void TRadioGroup::SetItems(const QStringList& captions) {
  for (QRadioButton* button : Buttons_) {
    Group_->removeButton(button);
    delete button;
  }
  Buttons_.clear();
  ItemIndex_ = -1;
  for (const QString& caption : captions) {
    auto* button = new QRadioButton(caption, this);
    Group_->addButton(button, static_cast<int>(Buttons_.size()));
    Buttons_.push_back(button);
  }
  LayOut();
}

QRadioButton* TRadioGroup::Item(int index) const {
  if (index < 0 || index >= Count()) {
    return nullptr;
  }
  return Buttons_[static_cast<std::size_t>(index)];
}

void TRadioGroup::SetColumns(int columns) {
  Columns_ = columns > 1 ? columns : 1;
  LayOut();
}

void TRadioGroup::SetCaption(const QString& caption) {
  if (caption != title()) {
    setTitle(caption);
  }
}

void TRadioGroup::SetItemIndex(int index) {
  if (index >= Count()) {
    index = Count() - 1;
  }
  if (index < 0) {
    index = -1;
  }
  if (index == ItemIndex_) {
    return;
  }
  if (index < 0) {
    // An exclusive group never unchecks its last checked button by itself.
    Group_->setExclusive(false);
    for (QRadioButton* button : Buttons_) {
      button->setChecked(false);
    }
    Group_->setExclusive(true);
    ItemIndex_ = -1;
    return;
  }
  Buttons_[static_cast<std::size_t>(index)]->setChecked(true);  // emits Clicked
  RethrowPendingHandlerError();
}

void TRadioGroup::OnToggled(int index, bool checked) {
  if (!checked || index == ItemIndex_) {
    return;
  }
  ItemIndex_ = index;
  emit Clicked();
}

void TRadioGroup::LayOut() {
  while (Grid_->count() > 0) {
    delete Grid_->takeAt(0);
  }
  for (int i = 0; i < Count(); ++i) {
    Grid_->addWidget(Buttons_[static_cast<std::size_t>(i)], i / Columns_, i % Columns_);
  }
  for (int column = 0; column < Grid_->columnCount(); ++column) {
    Grid_->setColumnStretch(column, column < Columns_ ? 1 : 0);
  }
  // Items added to a group already on screen show at once, in their places.
  for (QRadioButton* button : Buttons_) {
    button->show();
  }
  Grid_->activate();
}
