#include "platform/DeferredStyleIcons.h"

#include "platform/DeferredIconEngine.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <optional>

namespace corvana {

namespace {

class DeferredStandardIconEngine : public DeferredIconEngine {
public:
  DeferredStandardIconEngine(const DeferredIconStyle *style, QStyle::StandardPixmap which, const QStyleOption *option,
                             const QWidget *widget)
      : m_style(style), m_which(which), m_widget(widget) {
    if (option)
      m_option = *option;
  }

  QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return made().pixmap(size, scale, mode, state);
  }
  QString key() const override { return QStringLiteral("corvana-deferred-standard"); }
  QIconEngine *clone() const override { return new DeferredStandardIconEngine(*this); }

protected:
  QIcon make() override {
    return m_style ? m_style->madeIcon(m_which, m_option ? &*m_option : nullptr, m_widget) : QIcon();
  }

private:
  QPointer<const DeferredIconStyle> m_style;
  QStyle::StandardPixmap m_which;
  QPointer<const QWidget> m_widget;
  std::optional<QStyleOption> m_option;
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
