#pragma once
// TFwIntegerList: a list of integers with an optional allowed range (Min..Max; equal
// values mean no range), optional sorting and a duplicates rule. It is the base of the
// tab-stop list of tabbed list boxes. Every failure throws from the EListError family and
// leaves the list unchanged.

#include "platform/ui/ListError.h"

#include <vector>

namespace fw {

// A value outside Min..Max, or a range that the values already break.
class EOutOfRange : public EListError {
public:
  using EListError::EListError;
};

class TFwIntegerList {
public:
  TFwIntegerList() = default;
  virtual ~TFwIntegerList() = default;
  TFwIntegerList(const TFwIntegerList&) = delete;
  TFwIntegerList& operator=(const TFwIntegerList&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  int Items(int index) const;
  void SetItems(int index, int value) { SetItem(index, value); }

  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);

  // Halving search of a sorted list: true when found; index is where the value stands or
  // would be inserted.
  virtual bool Find(int value, int& index) const;
  virtual void SetItem(int index, int value);
  virtual void Sort();
  // Adds the value in its place (sorted) or at the end; returns its index. A value that
  // the duplicates rule ignores is not added and its existing index is returned.
  virtual int Add(int value);
  virtual void AddIntegers(const TFwIntegerList& list);
  virtual void Clear();
  virtual void Delete(int index);
  virtual void Exchange(int index1, int index2);
  virtual int IndexOf(int value) const;
  // Inserts at index 0..Count; not allowed on a sorted list.
  virtual void Insert(int index, int value);
  virtual void InsertItem(int index, int value);
  virtual void Move(int fromIndex, int toIndex);

  void Assign(const TFwIntegerList& source);
  bool Equals(const TFwIntegerList& other) const { return items_ == other.items_; }

private:
  void CheckRange(int value) const;
  void CheckIndex(int index) const;
  void QuickSort(int left, int right);

  std::vector<int> items_;
  int min_ = 0;
  int max_ = 0;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
  bool sorted_ = false;
};

} // namespace fw
