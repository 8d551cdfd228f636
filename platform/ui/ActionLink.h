#pragma once
// The rule that ties a client (control, menu item, group-bar item) to its action: when
// the link is made the client takes the action's values; afterwards a value follows the
// action only while the two agree. An action reports only "something changed", so the
// link keeps the values the client saw last: a changed value is carried into the client
// when the client still shows the old one. A value the client was given on its own
// (a button's own image, a button pressed down by hand) stays.

#include "platform/ui/Action.h"

#include <QString>

namespace fw {

// The values of an action that clients show.
struct TActionValues {
  QString Caption;
  QString Hint;
  int ImageIndex = -1;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  TShortCut ShortCut = 0;

  static TActionValues Of(const TAction& action);
};

// One change of an action as a client sees it: the values seen before and now.
struct TActionChange {
  TActionValues Old;
  TActionValues Now;

  // Passes the action's new value to set when the action changed it and the client's
  // value `shown` still equals the old one.
  template <class T, class Set>
  void Follow(T TActionValues::*value, const T& shown, Set&& set) const {
    if (Now.*value != Old.*value && shown == Old.*value) set(Now.*value);
  }
};

// What a client remembers of its action between two changes.
class TActionLink {
public:
  // Starts from the action's present values (when the link is made).
  void Reset(const TAction& action) { seen_ = TActionValues::Of(action); }
  // The change since the last call (or Reset); the new values are remembered.
  TActionChange Changed(const TAction& action);

private:
  TActionValues seen_;
};

// Taking an action's value when the link is made: always, or, while a form is being
// built (checkDefaults), only into a value the client still has at its default.
template <class T, class Set>
void TakeActionValue(const T& actionValue, bool clientAtDefault, bool checkDefaults, Set&& set) {
  if (!checkDefaults || clientAtDefault) set(actionValue);
}

} // namespace fw
