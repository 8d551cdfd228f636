#pragma once
// TImageList: a list of equally sized images addressed by index, used by menus,
// actions and the controls that show small pictures.

#include "platform/ui/Component.h"

#include <QIcon>
#include <QImage>
#include <functional>
#include <vector>

namespace fw {

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner);

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
  QIcon Icon(int index) const;

  std::function<void(TImageList*)> OnChange;

private:
  void Changed();

  int width_ = 16;
  int height_ = 16;
  std::vector<QImage> images_;
};

} // namespace fw
