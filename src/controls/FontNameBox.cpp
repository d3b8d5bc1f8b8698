#include "controls/FontNameBox.h"

#include <QCompleter>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>

namespace corvana {

FontNameBox::FontNameBox(QWidget *parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  completer()->setCaseSensitivity(Qt::CaseInsensitive);
  // Wide enough for common names without measuring every family.
  setMinimumContentsLength(16);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

bool FontNameBox::listable(const QString &family) {
  return !QFontDatabase::isPrivateFamily(family) &&
         QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin);
}

void FontNameBox::selectFamily(const QString &family) {
  if (m_filled) {
    setCurrentIndex(findText(family));
    return;
  }
  clear();
  // Asking the font system about a name costs nearly a millisecond, and the window asks about
  // the same name twice while it starts.
  if (family != m_checkedFamily) {
    m_checkedFamily = family;
    m_checkedShowable = !family.isEmpty() && QFontDatabase::hasFamily(family) && listable(family);
  }
  if (!m_checkedShowable) {
    setCurrentIndex(-1);
    return;
  }
  addItem(family);
  setCurrentIndex(0);
}

void FontNameBox::fill() {
  if (m_filled)
    return;
  m_filled = true;
  const QString shown = currentIndex() >= 0 ? currentText() : QString();
  QStringList families;
  for (const QString &family : QFontDatabase::families(QFontDatabase::Latin))
    if (!QFontDatabase::isPrivateFamily(family))
      families.append(family);
  const QSignalBlocker quiet(this);
  clear();
  addItems(families);
  setCurrentIndex(shown.isEmpty() ? -1 : findText(shown));
}

void FontNameBox::showPopup() {
  fill();
  QComboBox::showPopup();
}

void FontNameBox::focusInEvent(QFocusEvent *event) {
  // Typing completes against the families.
  fill();
  QComboBox::focusInEvent(event);
}

void FontNameBox::keyPressEvent(QKeyEvent *event) {
  fill();
  QComboBox::keyPressEvent(event);
}

void FontNameBox::wheelEvent(QWheelEvent *event) {
  fill();
  QComboBox::wheelEvent(event);
}

} // namespace corvana
