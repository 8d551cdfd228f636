#pragma once
// The property setter of the controls: compare, store, then show the change. A setter
// whose change only repaints calls SetAndInvalidate; one whose change moves things calls
// StoreIfChanged and runs its own relayout when it returns true:
//   void TFoo::SetColor(TColor value) { SetAndInvalidate(*this, color_, value); }
//   void TFoo::SetMargin(int value) { if (StoreIfChanged(margin_, value)) Relayout(); }

#include "platform/ui/Control.h"

#include <type_traits>

namespace fw {

// Stores value in field when the two differ; returns whether the field changed.
template <class T>
bool StoreIfChanged(T& field, const std::type_identity_t<T>& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Stores a changed value and repaints the control; returns whether the field changed.
template <class T>
bool SetAndInvalidate(TControl& control, T& field, const std::type_identity_t<T>& value) {
  if (!StoreIfChanged(field, value)) return false;
  control.Invalidate();
  return true;
}

} // namespace fw
