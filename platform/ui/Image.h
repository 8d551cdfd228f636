#pragma once
// TImage: a picture on its parent's surface, drawn at its size, stretched or centred.

#include "platform/ui/GraphicControl.h"

#include <QImage>

namespace fw {

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);

  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture);
  // Loads a picture file; false (and an empty picture) when it cannot be read.
  bool LoadFromFile(const QString& fileName);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  // Where the picture lands inside the control.
  TRect DestRect() const;

protected:
  void Paint() override;

private:
  QImage picture_;
  bool stretch_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool autoSize_ = false;
};

} // namespace fw
