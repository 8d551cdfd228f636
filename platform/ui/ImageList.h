#pragma once
// TImageList: a list of equally sized images addressed by index, used by menus,
// actions and the controls that show small pictures.

#include "platform/ui/Component.h"

#include <QIcon>
#include <QImage>
#include <functional>
#include <vector>

namespace fw {

class TImageList;

// A client's subscription to the changes of an image list (images added, deleted,
// cleared, a new size). Many links may watch one list; a link leaves its list when it is
// destroyed, and a destroyed list leaves its links without a sender.
class TChangeLink {
public:
  TChangeLink() = default;
  explicit TChangeLink(std::function<void()> onChange) : OnChange(std::move(onChange)) {}
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  ~TChangeLink();

  TImageList* Sender() const { return sender_; }
  // Moves the link to another list (nullptr: to none).
  void SetSender(TImageList* list);

  std::function<void()> OnChange;

private:
  friend class TImageList;
  TImageList* sender_ = nullptr;
};

// The grey, faded look of an image on a disabled control.
QImage DisabledImage(const QImage& image);

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const { return width_; }
  void SetWidth(int value);
  int Height() const { return height_; }
  void SetHeight(int value);
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds an image (scaled to the list's size when it differs) and returns its index.
  int Add(const QImage& image);
  // Adds every Width-wide tile of a strip of images; returns the index of the first.
  int AddStrip(const QImage& strip);
  void Delete(int index);
  void Clear();

  // An empty image / icon for an index out of range.
  QImage Image(int index) const;
  // The image as a disabled control shows it (DisabledImage), or as it is.
  QImage Image(int index, bool enabled) const;
  QIcon Icon(int index) const;

  std::function<void(TImageList*)> OnChange;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

private:
  void Changed();

  std::vector<TChangeLink*> links_;

  int width_ = 16;
  int height_ = 16;
  std::vector<QImage> images_;
};

} // namespace fw
