#pragma once
// A drop-down list as wide as a set number of characters, whatever its entries hold. Qt's own
// policy for that builds the drop-down on the spot; this box leaves it until it is first opened.

#include <QComboBox>

namespace corvana {

class CompactComboBox : public QComboBox {
  Q_OBJECT

public:
  // `characters` wide, with room for an entry's picture.
  explicit CompactComboBox(int characters, QWidget *parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void changeEvent(QEvent *event) override;

private:
  mutable QSize m_hint;
};

} // namespace corvana
