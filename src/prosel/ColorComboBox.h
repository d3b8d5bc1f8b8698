#pragma once
// A combo box of the sixteen standard colours, each shown with a swatch and its name.

#include "platform/Colors.h"

#include <QComboBox>

namespace corvana {

class ColorComboBox : public QComboBox {
  Q_OBJECT

public:
  explicit ColorComboBox(QWidget *parent = nullptr);
  TColor selected() const;
  // Selects the entry of that colour; nothing when it is not in the list.
  void select(TColor color);

signals:
  void colorChosen(corvana::TColor color);
};

} // namespace corvana
