#include "controls/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace corvana {

BusyCursor::BusyCursor(bool busy) : m_busy(busy) {
  if (m_busy)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
  if (m_busy)
    QGuiApplication::restoreOverrideCursor();
}

} // namespace corvana
