#include "Accessibility.h"

#include <QWidget>

void SetAccessibleTexts(QWidget* control, const QString& name, const QString& description) {
  if (control == nullptr) {
    return;
  }
  control->setAccessibleName(name);
  if (!description.isEmpty()) {
    control->setAccessibleDescription(description);
  }
  for (QWidget* part : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (part->focusPolicy() != Qt::NoFocus && part->accessibleName().isEmpty()) {
      part->setAccessibleName(name);
      if (!description.isEmpty()) {
        part->setAccessibleDescription(description);
      }
    }
  }
}
