#pragma once
// TFwTabStopList: the tab stops of a tabbed list box, in dialog units (a quarter of the
// font's average character width each). Every change runs OnChange, through which the
// list box applies the stops again.

#include "controls/common/FwIntegerList.h"

#include <functional>

namespace fw {

class TFwTabStopList : public TFwIntegerList {
public:
  void SetItem(int index, int value) override { TFwIntegerList::SetItem(index, value); Changed(); }
  void Sort() override { TFwIntegerList::Sort(); Changed(); }
  int Add(int value) override {
    const int index = TFwIntegerList::Add(value);
    Changed();
    return index;
  }
  void Clear() override { TFwIntegerList::Clear(); Changed(); }
  void Delete(int index) override { TFwIntegerList::Delete(index); Changed(); }
  void Exchange(int index1, int index2) override { TFwIntegerList::Exchange(index1, index2); Changed(); }
  void Insert(int index, int value) override { TFwIntegerList::Insert(index, value); Changed(); }
  void InsertItem(int index, int value) override { TFwIntegerList::InsertItem(index, value); Changed(); }
  void Move(int fromIndex, int toIndex) override { TFwIntegerList::Move(fromIndex, toIndex); Changed(); }

  std::function<void()> OnChange;

private:
  void Changed() {
    if (OnChange) OnChange();
  }
};

} // namespace fw
