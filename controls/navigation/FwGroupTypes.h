#pragma once
// Vocabulary shared by the group bar, its groups, items and the group controller.

#include "platform/ui/Control.h"
#include "platform/ui/Messages.h"

#include <QString>
#include <functional>
#include <stdexcept>

namespace fw {

class TFwGroupItem;

enum class TFwGroupBarStyle { gbsCategoryView, gbsTaskList, gbsOutlook };
enum class TFwCaptionStyle { csSmall, csLarge };
enum class TFwItemStyle { isSmall, isLarge };
enum class TFwItemSelectionStyle { issImage, issCaption };

// Hot state of a caption or an item while the mouse is over the group.
enum TFwHotState : int { hsNormal = 0, hsHot = 1, hsPressed = 2 };

// The private notice a selected item sends to its group (and, with UniqueItemSelection,
// to the other groups of the bar); LParam carries the item.
constexpr UINT CM_FWGROUPITEMSELECTED = 0xB3EF;

// FontColor of an item that draws in its group's colours.
constexpr TColor fwGroupColorDefault = 0x1FFFFFFF;

class EFwGroupBarError : public std::runtime_error {
public:
  explicit EFwGroupBarError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

using TFwCanCloseEvent = std::function<void(TObject* sender, bool& canClose)>;
using TFwCanOpenEvent = std::function<void(TObject* sender, bool& canOpen)>;
using TFwMouseOverItemEvent = std::function<void(TObject* sender, TFwGroupItem* item)>;
using TFwGroupItemPopupMenuEvent = std::function<void(TObject* sender, TFwGroupItem* item)>;

} // namespace fw
