#include "htmlview/HtmlNavigation.h"
#include "htmlview/HtmlPageEvents.h"
#include "htmlview/HtmlPage_p.h"
#include "htmlview/HtmlView.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"

namespace corvana {

HtmlPage::HtmlPage(QWebEngineProfile *profile, QObject *parent, HtmlNavigation &navigation, HtmlPageEvents &events)
    : QWebEnginePage(profile, parent), m_navigation(navigation), m_events(events) {}

bool HtmlPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) {
  if (type == NavigationTypeLinkClicked && !m_navigation.takePassedLink(url) && !m_events.uncaughtLinkClick(url))
    return false;
  if (isMainFrame)
    m_navigation.mainFrameRequested(type == NavigationTypeReload);
  return true;
}

QWebEnginePage *HtmlPage::createWindow(WebWindowType) {
  // Pop-ups opened by page scripts are not followed; links asking for a window are seen earlier.
  return nullptr;
}

void HtmlPage::javaScriptAlert(const QUrl &, const QString &msg) { Application().dialogs().message(msg); }

bool HtmlPage::javaScriptConfirm(const QUrl &, const QString &msg) { return Application().dialogs().confirm(msg); }

bool HtmlPage::javaScriptPrompt(const QUrl &, const QString &msg, const QString &defaultValue, QString *result) {
  *result = Application().dialogs().inputBox(Application().title(), msg, defaultValue);
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
