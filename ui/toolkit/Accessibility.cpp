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
    const QString own = part->accessibleName();
    if (part->focusPolicy() != Qt::NoFocus && (own.isEmpty() || own == name)) {
      part->setAccessibleName(name);
      if (!description.isEmpty()) {
        part->setAccessibleDescription(description);
      }
    }
  }
}
