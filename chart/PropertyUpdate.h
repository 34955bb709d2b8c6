// The one way a property setter stores a value: only a value that differs from the stored
// one is stored, and only then is the owner told (for a chart part: the chart repaints).
#pragma once

#include <utility>

// Stores value in field and calls changed when it differs; returns whether it did.
template <class T, class U, class Changed>
bool UpdateProperty(T& field, U&& value, Changed&& changed) {
  if (field == value) {
    return false;
  }
  field = std::forward<U>(value);
  changed();
  return true;
}
