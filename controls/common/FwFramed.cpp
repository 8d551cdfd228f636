#include "controls/common/FwFramed.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>

namespace fw {

void ShowInnerWidgetFrame(QWidget* inner, bool show) {
  if (auto* edit = qobject_cast<QLineEdit*>(inner))
    edit->setFrame(show);
  else if (auto* combo = qobject_cast<QComboBox*>(inner))
    combo->setFrame(show);
  else if (auto* frame = qobject_cast<QFrame*>(inner))
    frame->setFrameShape(show ? QFrame::StyledPanel : QFrame::NoFrame);
}

} // namespace fw
