#include "controls/CompactComboBox.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

namespace corvana {

CompactComboBox::CompactComboBox(int characters, QWidget *parent) : QComboBox(parent) {
  setMinimumContentsLength(characters);
}

QSize CompactComboBox::sizeHint() const {
  if (!m_hint.isValid()) {
    // The measure Qt gives a box sized to its minimum contents length with an icon.
    const QFontMetrics metrics = fontMetrics();
    const QSize icon = iconSize();
    const QSize contents(minimumContentsLength() * metrics.horizontalAdvance(QLatin1Char('X')) + icon.width() + 4,
                         qMax(qMax(qCeil(QFontMetricsF(metrics).height()), 14) + 2, icon.height() + 2));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    m_hint = style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
  }
  return m_hint;
}

QSize CompactComboBox::minimumSizeHint() const { return sizeHint(); }

void CompactComboBox::changeEvent(QEvent *event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    m_hint = QSize();
  QComboBox::changeEvent(event);
}

} // namespace corvana
