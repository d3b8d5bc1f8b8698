#pragma once
// What a view's page and its script report: link clicks and hovers, form submits, control
// clicks, background sounds and frame focus. The view implements it; the page and the bridge
// call it, and never reach into the view.

#include <QString>
#include <QStringList>
#include <QUrl>

namespace corvana {

// A form control a user clicked.
struct THtmlFormControl {
  QString tagName; // "input", "button", "select", "textarea"
  QString type;    // "button", "submit", "text"…
  QString name;
  QString value;
  QString id;
  // Whether it is a push button ("button", "submit" or "reset").
  bool isPushButton() const {
    if (tagName == QStringLiteral("button"))
      return true;
    return tagName == QStringLiteral("input") &&
           (type == QStringLiteral("button") || type == QStringLiteral("submit") || type == QStringLiteral("reset"));
  }
};

class HtmlPageEvents {
public:
  // A link the script saw clicked in a frame whose base is `base`; true lets the engine follow it.
  virtual bool hotSpotClick(const QString &href, const QString &target, const QString &landing, const QString &base,
                            bool userClick) = 0;
  virtual void hotSpotCovered(const QString &target, const QString &href) = 0;
  // true lets the form submit go on in the page.
  virtual bool formSubmit(const QString &action, const QString &target, const QString &encType, const QString &method,
                          const QStringList &lines, const QString &base) = 0;
  virtual void objectClick(const THtmlFormControl &control, const QString &onClick) = 0;
  virtual void soundRequest(const QString &src, int loop, const QString &base) = 0;
  virtual void frameActivated(const QString &url, const QString &title, bool top) = 0;
  // A link the page script did not see (clicked before it ran); true lets it through.
  virtual bool uncaughtLinkClick(const QUrl &url) = 0;

protected:
  ~HtmlPageEvents() = default;
};

} // namespace corvana
