#include "prosel/ColorComboBox.h"

#include <QPainter>
#include <QPixmap>

namespace corvana {

namespace {

struct NamedColor {
  const char *name;
  TColor color;
};

constexpr NamedColor StandardColors[] = {
    {"Black", clBlack},   {"Maroon", clMaroon},   {"Green", clGreen}, {"Olive", clOlive},
    {"Navy", clNavy},     {"Purple", clPurple},   {"Teal", clTeal},   {"Gray", clGray},
    {"Silver", clSilver}, {"Red", clRed},         {"Lime", clLime},   {"Yellow", clYellow},
    {"Blue", clBlue},     {"Fuchsia", clFuchsia}, {"Aqua", clAqua},   {"White", clWhite},
};

QIcon swatch(TColor color) {
  QPixmap pixmap(14, 14);
  pixmap.fill(ToQColor(color));
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, 13, 13);
  return QIcon(pixmap);
}

} // namespace

ColorComboBox::ColorComboBox(QWidget *parent) : QComboBox(parent) {
  for (const NamedColor &c : StandardColors)
    addItem(swatch(c.color), QString::fromLatin1(c.name), QVariant::fromValue(c.color));
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (index >= 0)
      emit colorChosen(itemData(index).value<TColor>());
  });
}

TColor ColorComboBox::selected() const { return currentIndex() < 0 ? clBlack : currentData().value<TColor>(); }

void ColorComboBox::select(TColor color) { setCurrentIndex(findData(QVariant::fromValue(color))); }

} // namespace corvana
