#include "platform/DeferredStyleIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <optional>

namespace corvana {

namespace {

class DeferredStandardIconEngine : public QIconEngine {
public:
  DeferredStandardIconEngine(const DeferredIconStyle *style, QStyle::StandardPixmap which, const QStyleOption *option,
                             const QWidget *widget)
      : m_style(style), m_which(which), m_widget(widget) {
    if (option)
      m_option = *option;
  }

  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
    made().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
    return made().pixmap(size, 1.0, mode, state);
  }
  QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return made().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
    return made().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return made().availableSizes(mode, state);
  }
  // Asked by buttons as they measure themselves; the standard pictures all exist.
  bool isNull() override { return m_made ? m_icon.isNull() : false; }
  QString key() const override { return QStringLiteral("corvana-deferred-standard"); }
  QIconEngine *clone() const override { return new DeferredStandardIconEngine(*this); }

private:
  const QIcon &made() {
    if (!m_made) {
      m_made = true;
      if (m_style)
        m_icon = m_style->madeIcon(m_which, m_option ? &*m_option : nullptr, m_widget);
    }
    return m_icon;
  }

  QPointer<const DeferredIconStyle> m_style;
  QStyle::StandardPixmap m_which;
  QPointer<const QWidget> m_widget;
  std::optional<QStyleOption> m_option;
  bool m_made = false;
  QIcon m_icon;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle *base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const {
  // An option lives only for the call. A plain one is kept as a copy; a picture asked for with
  // a richer one is made now.
  if (option && option->type != QStyleOption::SO_Default)
    return QProxyStyle::standardIcon(which, option, widget);
  return QIcon(new DeferredStandardIconEngine(this, which, option, widget));
}

QIcon DeferredIconStyle::madeIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const {
  const Qt::LayoutDirection direction = option   ? option->direction
                                        : widget ? widget->layoutDirection()
                                                 : QGuiApplication::layoutDirection();
  const int key = int(which) * 2 + (direction == Qt::RightToLeft ? 1 : 0);
  auto made = m_made.find(key);
  if (made == m_made.end())
    made = m_made.insert(key, baseStyle()->standardIcon(which, option, widget));
  return *made;
}

void DeferStandardIcons() {
  if (qobject_cast<DeferredIconStyle *>(QApplication::style()))
    return;
  QApplication::setStyle(new DeferredIconStyle(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace corvana
