#pragma once
// An image control that sizes itself to its picture and draws it unscaled at its top left.

#include "raster/Bitmap.h"

#include <QWidget>

namespace corvana {

class PictureView : public QWidget {
  Q_OBJECT

public:
  explicit PictureView(QWidget *parent = nullptr);

  const Bitmap &bitmap() const { return m_bitmap; }
  void setBitmap(Bitmap bitmap);
  void clear() { setBitmap({}); }
  // Shows a picture still being decoded and paints it at once, before the decoder goes on.
  void showPartial(const Bitmap &bitmap);
  // Called before a picture is decoded: partialPaints counts from here.
  void beginPicture() { m_partialPaints = 0; }
  // Pictures painted by showPartial for the picture last begun.
  int partialPaints() const { return m_partialPaints; }

  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  Bitmap m_bitmap;
  int m_partialPaints = 0;
};

} // namespace corvana
