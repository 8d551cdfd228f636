#pragma once
// The parties of the page logic rules meet through these small interfaces: the entry
// form offers its editors' values (IRuleEditors) and turns to a listed rule's field
// (IRuleJumpTarget); the message list window lists the broken rules (IMessageList); the
// rule engine of the core checks pages (IPageRuleChecker). The entry form holds an
// IPageRuleChecker and an IMessageList and works without either: with none it behaves
// as with an empty message list.

#include <QString>

namespace fw {

// The entry form's editors as the rules read them. Editors are named after their
// dt_data columns; names compare without regard to case.
class IRuleEditors {
public:
  virtual ~IRuleEditors() = default;
  // The value of the editor called `name`: false when no editor has that name. An empty
  // numeric editor gives 0.
  virtual bool RuleEditorValue(const QString& name, double& value) const = 0;
};

// The list of broken rules shown beside the entry form.
class IMessageList {
public:
  virtual ~IMessageList() = default;
  // Empties the list and hides it.
  virtual void ClearMessageList() = 0;
  // Appends one broken rule: the rule as shown, its explanation in words, the field to
  // go to and the entry-form page (1..12) the rule belongs to.
  virtual void AddMessage(const QString& rule, const QString& explanation, const QString& focus,
                          int page) = 0;
  virtual bool IsMessageListEmpty() const = 0;
  virtual void ShowMessageList() = 0;
  virtual void HideMessageList() = 0;
  // True while a double click on a row is taking the user to its page and field; the
  // entry form's page change reads it.
  virtual bool JumpInProgress() const = 0;
};

// Where a double click on a listed rule takes the user: the entry form turns to the
// page (its page change runs as for a click on the tab) and focuses the editor called
// `field` when there is one that can take the focus.
class IRuleJumpTarget {
public:
  virtual ~IRuleJumpTarget() = default;
  virtual void JumpToRule(int page, const QString& field) = 0;
};

// The page rules as the entry form runs them.
class IPageRuleChecker {
public:
  virtual ~IPageRuleChecker() = default;
  // Evaluates the rules of one sheet page (1..12), clearing the list first when `clear`;
  // true when the list is empty afterwards. Any other page gives false and leaves the
  // list alone.
  virtual bool CheckPageRules(int page, bool clear) = 0;
  // Pages 1 to 12 in order, the list cleared before the first.
  virtual bool CheckAllPages() = 0;
};

} // namespace fw
