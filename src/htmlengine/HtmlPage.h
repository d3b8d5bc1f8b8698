#pragma once
// The engine-side helpers of the HTML views: the page that screens navigation and routes
// script dialogs to the view, and the object the page script calls.

#include <QObject>
#include <QVariantMap>
#include <QWebEnginePage>

namespace corvana {

class HtmlEngineHost;
class HtmlPageEvents;

class HtmlPage : public QWebEnginePage {
  Q_OBJECT

public:
  HtmlPage(QWebEngineProfile *profile, QObject *parent, HtmlEngineHost &host);

protected:
  bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage *createWindow(WebWindowType type) override;
  void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
  bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
  bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                        QString *result) override;
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}

private:
  HtmlEngineHost &m_host;
};

class HtmlBridge : public QObject {
  Q_OBJECT

public:
  explicit HtmlBridge(HtmlPageEvents &events) : m_events(events) {}

  Q_INVOKABLE bool hotSpotClick(const QVariantMap &link);
  Q_INVOKABLE void hotSpotCovered(const QString &target, const QString &href);
  Q_INVOKABLE bool formSubmit(const QVariantMap &form);
  Q_INVOKABLE void objectClick(const QVariantMap &control);
  Q_INVOKABLE void soundRequest(const QString &src, int loop, const QString &base);
  Q_INVOKABLE void frameActivated(const QVariantMap &frame);

private:
  HtmlPageEvents &m_events;
};

} // namespace corvana
