#pragma once
// The test fixture of a report grid on a form: the grid placed at the form's top left
// with the given counts, the form shown and active with the focus in the grid when asked,
// and scripted hooks answering every message.

#include "grid/EasyGrid.h"
#include "platform/ui/Form.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace fwtest {

struct TGridPlace {
  int FormWidth, FormHeight;
  int GridWidth, GridHeight;
  int Cols, Rows;
  bool Shown = true;
};

class GridOnForm : public ::testing::Test {
protected:
  explicit GridOnForm(const TGridPlace& place);

  ScriptedHooks hooks;
  fw::TForm form;
  fw::TEasyGrid* grid;
};

} // namespace fwtest
