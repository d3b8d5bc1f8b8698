#pragma once
// An icon whose picture is made on first use: until a control draws or measures it, it is only
// a promise, so that pictures nobody looks at cost nothing. Subclasses say how to make it.

#include <QIcon>
#include <QIconEngine>

namespace corvana {

class DeferredIconEngine : public QIconEngine {
public:
  void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
    made().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
    // A ratio of 1 hands the size to the made picture's own engine as it is.
    return made().pixmap(size, 1.0, mode, state);
  }
  QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
    return made().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return made().availableSizes(mode, state);
  }
  // Asked by buttons as they measure themselves, before anything is drawn.
  bool isNull() override { return m_made ? m_icon.isNull() : false; }

protected:
  virtual QIcon make() = 0;

  const QIcon &made() {
    if (!m_made) {
      m_made = true;
      m_icon = make();
    }
    return m_icon;
  }

private:
  bool m_made = false;
  QIcon m_icon;
};

} // namespace corvana
