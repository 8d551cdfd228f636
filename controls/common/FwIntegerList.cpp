#include "controls/common/FwIntegerList.h"

#include <algorithm>

namespace fw {

namespace {

[[noreturn]] void IndexError(int index) {
  throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

} // namespace

int TFwIntegerList::Items(int index) const {
  CheckIndex(index);
  return items_[size_t(index)];
}

void TFwIntegerList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
}

void TFwIntegerList::CheckRange(int value) const {
  if (min_ != max_ && (value < min_ || value > max_))
    throw EOutOfRange(QStringLiteral("Value must be within %1..%2").arg(min_).arg(max_));
}

void TFwIntegerList::SetMin(int value) {
  if (value == min_) return;
  if (std::any_of(items_.begin(), items_.end(), [value](int v) { return v < value; }))
    throw EOutOfRange(
        QStringLiteral("Unable to set new minimum value.\rList contains values below %1").arg(value));
  min_ = value;
  if (max_ < min_) max_ = min_;
}

void TFwIntegerList::SetMax(int value) {
  if (value == max_) return;
  if (std::any_of(items_.begin(), items_.end(), [value](int v) { return v > value; }))
    throw EOutOfRange(
        QStringLiteral("Unable to set new maximum value.\rList contains values above %1").arg(value));
  max_ = value;
  if (min_ > max_) min_ = max_;
}

void TFwIntegerList::SetSorted(bool value) {
  if (value == sorted_) return;
  // Sort runs while the flag is still off, so turning sorting on orders the list.
  if (value) Sort();
  sorted_ = value;
}

bool TFwIntegerList::Find(int value, int& index) const {
  bool found = false;
  int lo = 0;
  int hi = Count() - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) >> 1;
    if (items_[size_t(mid)] < value) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (items_[size_t(mid)] == value) {
        found = true;
        if (duplicates_ != TDuplicates::dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

void TFwIntegerList::SetItem(int index, int value) {
  CheckIndex(index);
  CheckRange(value);
  items_[size_t(index)] = value;
}

void TFwIntegerList::Sort() {
  if (!sorted_ && Count() > 1) QuickSort(0, Count() - 1);
}

void TFwIntegerList::QuickSort(int left, int right) {
  while (left < right) {
    int i = left;
    int j = right;
    const int pivot = items_[size_t((left + right) >> 1)];
    do {
      while (items_[size_t(i)] < pivot) ++i;
      while (items_[size_t(j)] > pivot) --j;
      if (i <= j) {
        std::swap(items_[size_t(i)], items_[size_t(j)]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSort(left, j);
    left = i;
  }
}

int TFwIntegerList::Add(int value) {
  int index = Count();
  if (sorted_) {
    if (Find(value, index)) {
      if (duplicates_ == TDuplicates::dupIgnore) return index;
      if (duplicates_ == TDuplicates::dupError) throw EListError(QStringLiteral("Duplicates not allowed"));
    }
  } else if (duplicates_ == TDuplicates::dupIgnore) {
    // The value is not added again, so the caller gets the place where it already is.
    const int existing = IndexOf(value);
    if (existing >= 0) return existing;
  }
  InsertItem(index, value);
  return index;
}

void TFwIntegerList::AddIntegers(const TFwIntegerList& list) {
  for (int value : list.items_) Add(value);
}

void TFwIntegerList::Clear() { items_.clear(); }

void TFwIntegerList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

void TFwIntegerList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[size_t(index1)], items_[size_t(index2)]);
}

int TFwIntegerList::IndexOf(int value) const {
  if (sorted_) {
    int index = 0;
    return Find(value, index) ? index : -1;
  }
  const auto it = std::find(items_.begin(), items_.end(), value);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

void TFwIntegerList::Insert(int index, int value) {
  if (sorted_) throw EListError(QStringLiteral("Operation not allowed on sorted list"));
  if (index < 0 || index > Count()) IndexError(index);
  InsertItem(index, value);
}

void TFwIntegerList::InsertItem(int index, int value) {
  CheckRange(value);
  if (duplicates_ == TDuplicates::dupIgnore && IndexOf(value) >= 0) return;
  if (index < 0 || index > Count()) IndexError(index);
  items_.insert(items_.begin() + index, value);
}

void TFwIntegerList::Move(int fromIndex, int toIndex) {
  if (fromIndex == toIndex) return;
  CheckIndex(fromIndex);
  CheckIndex(toIndex);
  const int value = items_[size_t(fromIndex)];
  items_.erase(items_.begin() + fromIndex);
  items_.insert(items_.begin() + toIndex, value);
}

void TFwIntegerList::Assign(const TFwIntegerList& source) {
  if (&source == this) return;
  Clear();
  AddIntegers(source);
}

} // namespace fw
