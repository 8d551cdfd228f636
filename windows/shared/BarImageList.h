#pragma once
// TBarImageList: a window's one image list for its tool buttons, filled by icon name from
// the program's icon theme. Each icon is added once per look it is asked for: as it is,
// lightened (the hot look under the pointer), greyed (disabled) and darkened (held down),
// so that every window's buttons show the same pictures in the same looks.

#include "platform/ui/ImageList.h"

#include <QHash>
#include <QString>

namespace fw {

class TForm;
class TFwToolButton;

// The program's one set of button pictures, by what the button does.
namespace BarIcon {
constexpr const char* Return = "application-exit";  // 返回, 关闭
constexpr const char* Ok = "object-select";         // 确定, 确认, 是
constexpr const char* Cancel = "window-close";      // 取消, 否
constexpr const char* YesToAll = "edit-select-all";
constexpr const char* NoToAll = "edit-clear-all";
constexpr const char* Add = "list-add";
constexpr const char* Remove = "list-remove";
constexpr const char* Edit = "document-edit";
constexpr const char* Delete = "edit-delete";
constexpr const char* Import = "document-open";
constexpr const char* Export = "document-save-as";
constexpr const char* Save = "document-save";
constexpr const char* Hold = "document-open-recent";
constexpr const char* Print = "document-print";
constexpr const char* Find = "edit-find";
constexpr const char* Locate = "find-location";
constexpr const char* Sum = "accessories-calculator";
constexpr const char* Check = "tools-check-spelling";
constexpr const char* Pause = "media-playback-pause";
constexpr const char* Resume = "media-playback-start";
constexpr const char* Group = "view-grid";
constexpr const char* First = "go-first";
constexpr const char* Prev = "go-previous";
constexpr const char* Next = "go-next";
constexpr const char* Last = "go-last";
constexpr const char* Working = "system-run";  // a button held down: its work starts
} // namespace BarIcon

enum class TBarImageLook { Normal, Hot, Disabled, Down };

// The looks a button takes besides its own image.
enum TBarLooks : unsigned { blkNone = 0, blkHot = 1, blkDisabled = 2, blkDown = 4 };

class TBarImageList : public TImageList {
public:
  // Images of size x size pixels.
  TBarImageList(TComponent* owner, int size);

  // The index of the icon in that look, added on first use.
  int IndexOf(const QString& icon, TBarImageLook look);
  // Gives the button this list, the icon as its image and the looks asked for.
  void Dress(TFwToolButton& button, const QString& icon, unsigned looks);
  // Adds `icon` now, at the next index, as the one picture that every button dressed
  // afterwards with the down look shows while held down (instead of its own, darkened).
  int ShareDownImage(const QString& icon);

private:
  QHash<QString, int> indexes_;
  int sharedDown_ = -1;
};

// The form's image list for its tool buttons ("ImageList1", 16 x 16), made on first use.
TBarImageList* FormBarImages(TForm& form);

} // namespace fw
