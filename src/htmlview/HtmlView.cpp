#include "htmlview/HtmlView.h"

#include "htmlview/HtmlNames.h"
#include "htmlview/HtmlPage_p.h"
#include "htmlview/PageScript.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Forms.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace corvana {

namespace {

// setHtml carries its document in a data URL, which the engine limits to 2 MB.
constexpr qsizetype kMaxInlineDocument = 1'500'000;
constexpr int kMaxCopyLength = 32000;
constexpr int kMaxViewLinkLength = 4096;

QString jsString(const QString &text) {
  return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

} // namespace

bool THtmlFormControl::isPushButton() const {
  if (tagName == QStringLiteral("button"))
    return true;
  return tagName == QStringLiteral("input") &&
         (type == QStringLiteral("button") || type == QStringLiteral("submit") || type == QStringLiteral("reset"));
}

bool WaitUntil(const std::function<bool()> &done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  QTimer wake;
  wake.start(20);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 50);
  return done();
}

// ---- page and bridge --------------------------------------------------------------------------

HtmlPage::HtmlPage(QWebEngineProfile *profile, THtmlViewBase *view) : QWebEnginePage(profile, view), m_view(view) {}

bool HtmlPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) {
  if (type == NavigationTypeLinkClicked) {
    const bool passed = m_view->m_passUrls.removeOne(url.adjusted(QUrl::RemoveFragment));
    if (!passed && !m_view->uncaughtLinkClick(url))
      return false;
  }
  if (isMainFrame) {
    if (m_view->m_ownNavigation)
      m_view->m_ownNavigation = false;
    else
      m_view->m_mode =
          type == NavigationTypeReload ? THtmlViewBase::HistoryMode::Stay : THtmlViewBase::HistoryMode::Push;
  }
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

bool HtmlBridge::hotSpotClick(const QVariantMap &link) {
  const QVariantMap frame = link.value(QStringLiteral("frame")).toMap();
  return m_view->hotSpotClick(
      link.value(QStringLiteral("href")).toString(), link.value(QStringLiteral("target")).toString(),
      link.value(QStringLiteral("landing")).toString(), frame.value(QStringLiteral("base")).toString(),
      link.value(QStringLiteral("trusted")).toBool());
}

void HtmlBridge::hotSpotCovered(const QString &target, const QString &href) { m_view->hotSpotCovered(target, href); }

bool HtmlBridge::formSubmit(const QVariantMap &form) {
  m_view->m_linkBase = form.value(QStringLiteral("frame")).toMap().value(QStringLiteral("base")).toString();
  return m_view->formSubmit(
      form.value(QStringLiteral("action")).toString(), form.value(QStringLiteral("target")).toString(),
      form.value(QStringLiteral("encoding")).toString(), form.value(QStringLiteral("method")).toString(),
      form.value(QStringLiteral("lines")).toStringList());
}

void HtmlBridge::objectClick(const QVariantMap &control) {
  THtmlFormControl c;
  c.tagName = control.value(QStringLiteral("tag")).toString();
  c.type = control.value(QStringLiteral("type")).toString();
  c.name = control.value(QStringLiteral("name")).toString();
  c.value = control.value(QStringLiteral("value")).toString();
  c.id = control.value(QStringLiteral("id")).toString();
  m_view->objectClick(c, control.value(QStringLiteral("onclick")).toString());
}

void HtmlBridge::soundRequest(const QString &src, int loop, const QString &base) {
  m_view->soundRequest(src, loop, base);
}

void HtmlBridge::frameActivated(const QVariantMap &frame) {
  m_view->frameActivated(frame.value(QStringLiteral("url")).toString(), frame.value(QStringLiteral("title")).toString(),
                         frame.value(QStringLiteral("top")).toBool());
}

// ---- the view ---------------------------------------------------------------------------------

THtmlViewBase::THtmlViewBase(QWidget *parent) : QWidget(parent), m_history(50) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  setFocusPolicy(Qt::StrongFocus);
}

THtmlViewBase::~THtmlViewBase() {
  // The page must go before its view and the profile.
  delete m_view;
  delete m_page;
}

void THtmlViewBase::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  ensureView();
}

void THtmlViewBase::ensureView() {
  if (m_view)
    return;
  m_view = new QWebEngineView(this);
  m_view->setObjectName(QStringLiteral("EngineView"));
  m_page = new HtmlPage(QWebEngineProfile::defaultProfile(), this);
  m_bridge = new HtmlBridge(this);
  m_bridge->setParent(m_page);
  auto *channel = new QWebChannel(m_page);
  channel->registerObject(QString::fromLatin1(kBridgeObjectName), m_bridge);
  m_page->setWebChannel(channel, QWebEngineScript::ApplicationWorld);

  QWebEngineScript script;
  script.setName(QStringLiteral("corvana-hooks"));
  script.setSourceCode(PageScriptSource());
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(true);
  m_page->scripts().insert(script);

  m_view->setPage(m_page);
  m_view->setAcceptDrops(false);
  setFocusProxy(m_view);
  layout()->addWidget(m_view);
  applySettings();

  connect(m_page, &QWebEnginePage::loadStarted, this, &THtmlViewBase::onLoadStarted);
  connect(m_page, &QWebEnginePage::loadFinished, this, &THtmlViewBase::onLoadFinished);
  connect(m_page, &QWebEnginePage::titleChanged, this, &THtmlViewBase::onTitleChanged);
}

void THtmlViewBase::applySettings() {
  if (!m_page)
    return;
  QWebEngineSettings *s = m_page->settings();
  s->setAttribute(QWebEngineSettings::AutoLoadImages, m_viewImages);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
  // Web and mail links go through the view's own events, never straight to the desktop.
  s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
  s->setFontFamily(QWebEngineSettings::StandardFont, m_defFontName);
  s->setFontFamily(QWebEngineSettings::SerifFont, m_defFontName);
  s->setFontFamily(QWebEngineSettings::FixedFont, m_defPreFontName);
  m_page->setBackgroundColor(ToQColor(m_defBackground));
}

void THtmlViewBase::setViewImages(bool view) {
  if (m_viewImages == view)
    return;
  m_viewImages = view;
  applySettings();
  if (!m_page || m_currentUrl.isEmpty() || !m_stringsHtml.isEmpty()) {
    Reload();
    return;
  }
  // Images already shown sit in the engine's cache; only a reload past it drops them.
  reloadPage(QWebEnginePage::ReloadAndBypassCache);
}

void THtmlViewBase::setDefBackground(TColor color) {
  m_defBackground = color;
  applySettings();
}

void THtmlViewBase::setDefFontName(const QString &name) {
  m_defFontName = name;
  applySettings();
}

void THtmlViewBase::setDefPreFontName(const QString &name) {
  m_defPreFontName = name;
  applySettings();
}

void THtmlViewBase::LoadFromFile(const QString &name) {
  QString file = FileUrlToName(name);
  QString anchor;
  if (!QFileInfo(file).isFile()) {
    const NameAndAnchor split = SplitAnchor(file);
    file = split.name;
    anchor = split.anchor;
  }
  const QFileInfo info(file);
  if (file.isEmpty() || !info.isFile())
    throw Error(QStringLiteral("Can't locate file: ") + file);
  QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  if (anchor.size() > 1)
    url.setFragment(anchor.mid(1));
  m_stringsHtml.clear();
  loadUrl(url, HistoryMode::Push);
}

void THtmlViewBase::loadUrl(const QUrl &url, HistoryMode mode) {
  ensureView();
  const bool sameDocument = !m_processing && !m_currentUrl.isEmpty() && url.hasFragment() &&
                            url.adjusted(QUrl::RemoveFragment) == m_currentUrl.adjusted(QUrl::RemoveFragment);
  if (sameDocument) {
    // Only the anchor changes: scroll without a new load.
    m_page->runJavaScript(QStringLiteral("(function (n) { var e = document.getElementById(n) || "
                                         "document.getElementsByName(n)[0]; if (e) e.scrollIntoView(); "
                                         "else location.hash = '#' + n; })(%1);")
                              .arg(jsString(url.fragment())),
                          QWebEngineScript::ApplicationWorld);
    m_currentUrl = url;
    if (mode == HistoryMode::Push)
      m_history.push(m_currentFile, m_title);
    return;
  }
  m_mode = mode;
  m_ownNavigation = true;
  setProcessing(true);
  m_page->load(url);
}

void THtmlViewBase::LoadStrings(const QStringList &lines) {
  ensureView();
  m_stringsHtml = lines.join(u'\n');
  m_mode = HistoryMode::Stay;
  m_ownNavigation = true;
  setProcessing(true);
  const QUrl base = QUrl::fromLocalFile(AppDir());
  if (m_stringsHtml.size() < kMaxInlineDocument) {
    m_page->setHtml(m_stringsHtml, base);
    return;
  }
  // Too large for an inline document: it goes through a temporary file that keeps the base.
  m_stringsFile = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/corvana-XXXXXX.htm"));
  if (!m_stringsFile->open()) {
    setProcessing(false);
    throw Error::cannotCreate(m_stringsFile->fileName());
  }
  m_stringsFile->write(QStringLiteral("<base href=\"%1\">").arg(base.toString(QUrl::FullyEncoded)).toUtf8());
  m_stringsFile->write(m_stringsHtml.toUtf8());
  m_stringsFile->close();
  m_page->load(QUrl::fromLocalFile(m_stringsFile->fileName()));
}

QString THtmlViewBase::HTMLExpandFilename(const QString &name) const {
  QString base = m_linkBase;
  if (base.isEmpty())
    base = m_currentFile.isEmpty() ? AppDir() : m_currentFile;
  return ExpandLinkName(base, name);
}

std::optional<THtmlFrameInfo> THtmlViewBase::ActiveViewer() const {
  if (m_activeFrame)
    return m_activeFrame;
  if (m_currentFile.isEmpty() && m_stringsHtml.isEmpty())
    return std::nullopt;
  return THtmlFrameInfo{m_currentFile, m_title};
}

void THtmlViewBase::Reload() {
  if (!m_page)
    return;
  if (!m_stringsHtml.isEmpty()) {
    LoadStrings(m_stringsHtml.split(u'\n'));
    return;
  }
  if (m_currentUrl.isEmpty())
    return;
  reloadPage(QWebEnginePage::Reload);
}

void THtmlViewBase::reloadPage(int action) {
  m_mode = HistoryMode::Stay;
  m_ownNavigation = true;
  setProcessing(true);
  m_page->triggerAction(QWebEnginePage::WebAction(action));
}

void THtmlViewBase::showHistoryEntry(const QString &file) {
  if (file.isEmpty())
    return;
  const QUrl url = IsFileUrl(file) || file.startsWith(u'/') ? QUrl::fromLocalFile(FileUrlToName(file)) : QUrl(file);
  m_stringsHtml.clear();
  loadUrl(url, HistoryMode::Stay);
  if (OnHistoryChange)
    OnHistoryChange();
}

void THtmlViewBase::GoBack() {
  if (m_history.canGoBack())
    showHistoryEntry(m_history.back());
}

void THtmlViewBase::GoFwd() {
  if (m_history.canGoForward())
    showHistoryEntry(m_history.forward());
}

void THtmlViewBase::setProcessing(bool processing) {
  if (m_processing == processing)
    return;
  m_processing = processing;
  if (OnProcessing)
    OnProcessing(processing);
}

void THtmlViewBase::onLoadStarted() { setProcessing(true); }

void THtmlViewBase::onLoadFinished(bool) {
  const QUrl url = m_page->url();
  m_currentUrl = url;
  m_currentFile = m_stringsHtml.isEmpty() ? UrlToDocumentName(url) : QString();
  m_title = CleanDocumentTitle(m_page->title(), url);
  m_activeFrame.reset();
  m_linkBase.clear();
  bool changed = false;
  if (m_mode == HistoryMode::Push && !m_currentFile.isEmpty()) {
    m_history.push(m_currentFile, m_title);
    changed = true;
  } else {
    m_history.setCurrentTitle(m_title);
  }
  m_mode = HistoryMode::Push;
  if (changed && OnHistoryChange)
    OnHistoryChange();
  setProcessing(false);
}

void THtmlViewBase::onTitleChanged(const QString &title) {
  if (m_processing)
    return;
  m_title = CleanDocumentTitle(title, m_page->url());
  m_history.setCurrentTitle(m_title);
}

bool THtmlViewBase::waitForLoad(int timeoutMs) {
  return WaitUntil([this] { return !m_processing; }, timeoutMs);
}

// ---- what the page script reports ---------------------------------------------------------------

namespace {
bool trustScriptedClicks = false;
} // namespace

void THtmlViewBase::TrustScriptedClicks(bool trust) { trustScriptedClicks = trust; }

bool THtmlViewBase::hotSpotClick(const QString &rawHref, const QString &target, const QString &landing,
                                 const QString &base, bool userClick) {
  const QString href = rawHref.left(kMaxViewLinkLength);
  m_linkBase = base;
  bool handled = false;
  const bool tellHandlers = userClick || trustScriptedClicks;
  if (tellHandlers && OnHotSpotTargetClick)
    OnHotSpotTargetClick(target, href, handled);
  if (tellHandlers && !handled && OnHotSpotClick)
    OnHotSpotClick(href, handled);
  if (handled)
    return false;
  if (landing == QStringLiteral("blank")) {
    if (OnBlankWindowRequest) {
      OnBlankWindowRequest(target, href);
      return false;
    }
    followLocally(href);
    return false;
  }
  if (landing == QStringLiteral("main")) {
    followLocally(href);
    return false;
  }
  const QString expanded = HTMLExpandFilename(href);
  const QUrl url = expanded.startsWith(u'/') ? QUrl::fromLocalFile(expanded) : QUrl(expanded);
  m_passUrls.append(url.adjusted(QUrl::RemoveFragment));
  if (m_passUrls.size() > 16)
    m_passUrls.removeFirst();
  return true;
}

void THtmlViewBase::followLocally(const QString &href) {
  if (href.startsWith(u'#')) {
    loadUrl(QUrl(m_currentUrl.adjusted(QUrl::RemoveFragment).toString() + href), HistoryMode::Push);
    return;
  }
  const QString expanded = HTMLExpandFilename(href);
  if (expanded.startsWith(u'/')) {
    guarded([&] { LoadFromFile(expanded + SplitAnchor(href).anchor); });
    return;
  }
  const QUrl url(expanded);
  if (url.isValid() && !url.scheme().isEmpty()) {
    m_stringsHtml.clear();
    loadUrl(url, HistoryMode::Push);
  }
}

bool THtmlViewBase::uncaughtLinkClick(const QUrl &url) {
  // Nothing shows that a person clicked this one: the view follows it without the handlers.
  if (!trustScriptedClicks)
    return true;
  const QString href = url.toString();
  m_linkBase = m_currentFile;
  bool handled = false;
  if (OnHotSpotTargetClick)
    OnHotSpotTargetClick(QString(), href, handled);
  if (!handled && OnHotSpotClick)
    OnHotSpotClick(href, handled);
  return !handled;
}

void THtmlViewBase::hotSpotCovered(const QString &target, const QString &href) {
  const QString url = href.left(kMaxViewLinkLength);
  if (OnHotSpotTargetCovered)
    OnHotSpotTargetCovered(url.isEmpty() ? QString() : target, url);
  if (OnHotSpotCovered)
    OnHotSpotCovered(url);
}

bool THtmlViewBase::formSubmit(const QString &action, const QString &target, const QString &encType,
                               const QString &method, const QStringList &lines) {
  if (!OnFormSubmit)
    return true;
  OnFormSubmit(action, target, encType, method, lines);
  return false;
}

void THtmlViewBase::objectClick(const THtmlFormControl &control, const QString &onClick) {
  if (OnObjectClick)
    OnObjectClick(control, onClick);
}

void THtmlViewBase::soundRequest(const QString &src, int loop, const QString &base) {
  m_linkBase = base;
  if (OnSoundRequest)
    OnSoundRequest(src, loop, false);
}

void THtmlViewBase::frameActivated(const QString &url, const QString &title, bool top) {
  const QUrl frameUrl(url);
  if (top && frameUrl.adjusted(QUrl::RemoveFragment) == m_currentUrl.adjusted(QUrl::RemoveFragment)) {
    m_activeFrame = THtmlFrameInfo{m_currentFile, m_title};
    return;
  }
  m_activeFrame = THtmlFrameInfo{UrlToDocumentName(frameUrl), CleanDocumentTitle(title, frameUrl)};
}

// ---- selection and find -------------------------------------------------------------------------

void THtmlViewBase::Find(const QString &text, bool matchCase, std::function<void(bool)> done) {
  if (!m_page || text.isEmpty()) {
    done(false);
    return;
  }
  // The focused frame searches on from its selection; with no frame focused, the frames are
  // searched in order from the one holding the selection.
  static const QString script = QStringLiteral(R"JS(
(function (text, matchCase) {
  function focused(w) {
    try {
      var el = w.document.activeElement;
      if (el && (el.localName === 'frame' || el.localName === 'iframe') && el.contentWindow)
        return focused(el.contentWindow);
    } catch (e) {}
    return w;
  }
  function all(w, out) {
    out.push(w);
    try { for (var i = 0; i < w.frames.length; ++i) all(w.frames[i], out); } catch (e) {}
    return out;
  }
  function selected(w) {
    try { var s = w.getSelection(); return s && s.rangeCount > 0 && !s.isCollapsed; } catch (e) { return false; }
  }
  var win = focused(window);
  var list = win === window && window.frames.length > 0 ? all(window, []).slice(1) : [win];
  var start = 0;
  for (var i = 0; i < list.length; ++i) if (selected(list[i])) { start = i; break; }
  for (var j = start; j < list.length; ++j) {
    try {
      if (list[j].find(text, matchCase, false, false, false, false, false)) return true;
      var s = list[j].getSelection();
      if (s) s.removeAllRanges();
    } catch (e) {}
  }
  return false;
})(%1, %2)
)JS");
  QPointer<THtmlViewBase> self(this);
  m_page->runJavaScript(script.arg(jsString(text), matchCase ? QStringLiteral("true") : QStringLiteral("false")),
                        QWebEngineScript::ApplicationWorld, [self, done](const QVariant &result) {
                          if (self)
                            done(result.toBool());
                        });
}

bool THtmlViewBase::Find(const QString &text, bool matchCase) {
  std::optional<bool> answer;
  Find(text, matchCase, [&answer](bool found) { answer = found; });
  WaitUntil([&answer] { return answer.has_value(); }, 15000);
  return answer.value_or(false);
}

void THtmlViewBase::SelectAll() {
  if (m_page)
    m_page->triggerAction(QWebEnginePage::SelectAll);
}

QString THtmlViewBase::SelText() const { return m_page ? m_page->selectedText() : QString(); }

void THtmlViewBase::CopyToClipboard() {
  const QString text = SelText();
  if (text.size() >= kMaxCopyLength)
    throw Error(QStringLiteral("Selected text exceeds buffer size"));
  if (!text.isEmpty())
    QApplication::clipboard()->setText(text);
}

} // namespace corvana
