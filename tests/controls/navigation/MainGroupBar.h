#pragma once
// The group bar as the main window holds it: Outlook style, custom gradient, three
// groups of large items bound to actions, the first open.
#include "controls/navigation/FwGroup.h"
#include "controls/navigation/FwGroupBar.h"
#include "platform/ui/Action.h"
#include "platform/ui/ImageList.h"

#include <QIcon>
#include <QPainter>
#include <memory>

namespace fwtest {

// A 32 x 32 picture for a freedesktop icon name, drawn when the theme has none.
inline QImage IconImage(const QString& name, int index) {
  static bool themeSet = false;
  if (!themeSet) {
    QIcon::setThemeName(QStringLiteral("Adwaita"));
    themeSet = true;
  }
  for (const QString& n : {name, name + QStringLiteral("-symbolic")}) {
    const QIcon icon = QIcon::fromTheme(n);
    if (!icon.isNull()) {
      const QImage image = icon.pixmap(32, 32).toImage();
      if (!image.isNull()) return image.convertToFormat(QImage::Format_ARGB32);
    }
  }
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  static const QColor colours[] = {QColor(52, 101, 164), QColor(78, 154, 6), QColor(204, 0, 0), QColor(196, 160, 0)};
  p.setPen(QColor(40, 40, 40));
  p.setBrush(colours[index % 4]);
  p.drawRect(5, 3, 21, 26);
  p.setPen(Qt::white);
  for (int y = 9; y < 26; y += 5) p.drawLine(9, y, 22, y);
  return image;
}

struct MainGroupBar {
  fw::TComponent root{nullptr};
  fw::TImageList* large = new fw::TImageList(&root);
  fw::TFwGroupBar* bar = new fw::TFwGroupBar(&root);
  std::vector<fw::TFwGroup*> groups;
  std::vector<fw::TAction*> actions;

  fw::TAction* Action(const QString& caption, int image) {
    auto* a = new fw::TAction(&root);
    a->SetCaption(caption);
    a->SetImageIndex(image);
    a->OnExecute = [](fw::TBasicAction*) {};
    actions.push_back(a);
    return a;
  }

  fw::TFwGroup* Group(const QString& caption, bool opened, bool divider) {
    auto* g = new fw::TFwGroup(&root);
    g->SetCaption(caption);
    g->SetGroupBar(bar);
    g->SetItemStyle(fw::TFwItemStyle::isLarge);
    g->SetColor(15383449);
    g->SetCaptionColorStart(16773091);
    g->SetCaptionColorStop(15383449);
    g->CaptionFont().SetName(QStringLiteral("宋体"));
    g->CaptionFont().SetHeight(-12);
    g->CaptionFont().SetStyle(0);
    g->CaptionFont().SetColor(10828800);
    g->SetCaptionHotColor(16748098);
    g->SetDividerVisible(divider);
    if (opened) g->SetOpened(true);
    groups.push_back(g);
    return g;
  }

  static void Bind(fw::TFwGroup* g, fw::TAction* a) { g->Items().Add()->SetAction(a); }

  explicit MainGroupBar(int height = 708) {
    large->SetWidth(32);
    large->SetHeight(32);
    const char* names[] = {"document-new",   "edit-find",         "mail-send",      "edit-delete",
                           "document-edit",  "document-open",     "network-transmit", "preferences-system",
                           "view-list",      "", "", "", "", "", "", "",
                           "view-sort-ascending", "view-grid", "document-send", "dialog-information",
                           "package-x-generic", "document-save", "", "", "", "document-save-as", "document-print"};
    for (int i = 0; i < int(std::size(names)); ++i) large->Add(IconImage(QString::fromLatin1(names[i]), i));
    bar->SetStyle(fw::TFwGroupBarStyle::gbsOutlook);
    bar->SetGradientColorStyle(fw::TFwGradientColorStyle::gcsCustom);
    bar->SetGradientColorStart(16773091);
    bar->SetGradientColorStop(15383449);
    bar->SetGroupBorderSize(0);
    bar->SetColor(15383449);
    bar->SetLargeImages(large);
    bar->resize(101, height);

    fw::TFwGroup* data = Group(QStringLiteral("数据操作"), true, true);
    for (auto [caption, image] : std::initializer_list<std::pair<const char*, int>>{
             {"添加新记录", 0}, {"修改选中的记录", 4}, {"删除记录", 3}, {"检查数据的逻辑", 19}, {"指标查询", 1},
             {"数据汇总", 16}, {"数据分组", 17}, {"导出数据列表", 25}, {"打印选中记录的年报表", 26}})
      Bind(data, Action(QString::fromUtf8(caption), image));
    fw::TFwGroup* backup = Group(QStringLiteral("备份与上报"), false, false);
    Bind(backup, Action(QStringLiteral("数据导入"), 5));
    Bind(backup, Action(QStringLiteral("数据备份"), 21));
    Bind(backup, Action(QStringLiteral("数据上报"), 18));
    backup->Items()[2]->SetCaption(QStringLiteral("上报到离线版"));
    fw::TFwGroupItem* upload = backup->Items().Add();
    upload->SetCaption(QStringLiteral("上报到网络版"));
    upload->SetImageIndex(6);
    upload->OnClick = [](fw::TObject*) {};
    fw::TFwGroup* tools = Group(QStringLiteral("系统工具"), false, false);
    Bind(tools, Action(QStringLiteral("压缩数据库文件"), 20));
    Bind(tools, Action(QStringLiteral("参数设置"), 7));
    Bind(tools, Action(QStringLiteral("自定义列表显示"), 8));
    for (fw::TFwGroup* g : groups) {
      g->SetCaptionColorDefault(false);
      g->SetOpenedHeight(668);
    }
    groups[0]->SetCaptionColor(fw::clBtnFace);
    groups[1]->SetCaptionColor(fw::clBtnFace);
  }
};

} // namespace fwtest
