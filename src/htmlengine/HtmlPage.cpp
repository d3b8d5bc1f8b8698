#include "htmlengine/HtmlPage.h"

#include "htmlview/HtmlEngine.h"

namespace corvana {

HtmlPage::HtmlPage(QWebEngineProfile *profile, QObject *parent, HtmlEngineHost &host)
    : QWebEnginePage(profile, parent), m_host(host) {}

bool HtmlPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) {
  return m_host.engineNavigationRequest(url, type == NavigationTypeLinkClicked, type == NavigationTypeReload,
                                        isMainFrame);
}

QWebEnginePage *HtmlPage::createWindow(WebWindowType) {
  // Pop-ups opened by page scripts are not followed; links asking for a window are seen earlier.
  return nullptr;
}

void HtmlPage::javaScriptAlert(const QUrl &, const QString &msg) { m_host.scriptAlert(msg); }

bool HtmlPage::javaScriptConfirm(const QUrl &, const QString &msg) { return m_host.scriptConfirm(msg); }

bool HtmlPage::javaScriptPrompt(const QUrl &, const QString &msg, const QString &defaultValue, QString *result) {
  *result = m_host.scriptPrompt(msg, defaultValue);
  return true;
}

namespace {
QString frameBase(const QVariantMap &call) {
  return call.value(QStringLiteral("frame")).toMap().value(QStringLiteral("base")).toString();
}
} // namespace

bool HtmlBridge::hotSpotClick(const QVariantMap &link) {
  return m_events.hotSpotClick(link.value(QStringLiteral("href")).toString(),
                               link.value(QStringLiteral("target")).toString(),
                               link.value(QStringLiteral("landing")).toString(), frameBase(link),
                               link.value(QStringLiteral("trusted")).toBool());
}

void HtmlBridge::hotSpotCovered(const QString &target, const QString &href) { m_events.hotSpotCovered(target, href); }

bool HtmlBridge::formSubmit(const QVariantMap &form) {
  return m_events.formSubmit(
      form.value(QStringLiteral("action")).toString(), form.value(QStringLiteral("target")).toString(),
      form.value(QStringLiteral("encoding")).toString(), form.value(QStringLiteral("method")).toString(),
      form.value(QStringLiteral("lines")).toStringList(), frameBase(form));
}

void HtmlBridge::objectClick(const QVariantMap &control) {
  THtmlFormControl c;
  c.tagName = control.value(QStringLiteral("tag")).toString();
  c.type = control.value(QStringLiteral("type")).toString();
  c.name = control.value(QStringLiteral("name")).toString();
  c.value = control.value(QStringLiteral("value")).toString();
  c.id = control.value(QStringLiteral("id")).toString();
  m_events.objectClick(c, control.value(QStringLiteral("onclick")).toString());
}

void HtmlBridge::soundRequest(const QString &src, int loop, const QString &base) {
  m_events.soundRequest(src, loop, base);
}

void HtmlBridge::frameActivated(const QVariantMap &frame) {
  m_events.frameActivated(frame.value(QStringLiteral("url")).toString(),
                          frame.value(QStringLiteral("title")).toString(), frame.value(QStringLiteral("top")).toBool());
}

} // namespace corvana
