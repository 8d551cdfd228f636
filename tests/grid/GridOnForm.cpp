#include "GridOnForm.h"

#include "platform/ui/Fonts.h"

#include <QApplication>

namespace fwtest {

GridOnForm::GridOnForm(const TGridPlace& place) : form(nullptr) {
  fw::InstallFontSubstitutions();
  form.resize(place.FormWidth, place.FormHeight);
  grid = new fw::TEasyGrid(&form);
  grid->SetParent(&form);
  grid->SetBounds(0, 0, place.GridWidth, place.GridHeight);
  grid->SetColCount(place.Cols);
  grid->SetRowCount(place.Rows);
  if (!place.Shown) return;
  form.Show();
  form.activateWindow();
  grid->SetFocus();
  QApplication::processEvents();
}

} // namespace fwtest
