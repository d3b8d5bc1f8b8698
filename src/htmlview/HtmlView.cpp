#include "htmlview/HtmlView.h"

#include "htmlview/HtmlNames.h"
#include "htmlview/HtmlPage_p.h"
#include "htmlview/PageScript.h"
#include "platform/Errors.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
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

// ---- the view ---------------------------------------------------------------------------------

THtmlViewBase::THtmlViewBase(QWidget *parent) : QWidget(parent), m_navigation(50) {
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
  HtmlPageEvents &events = *this;
  m_page = new HtmlPage(QWebEngineProfile::defaultProfile(), this, m_navigation, events);
  auto *bridge = new HtmlBridge(events);
  bridge->setParent(m_page);
  auto *channel = new QWebChannel(m_page);
  channel->registerObject(QString::fromLatin1(kBridgeObjectName), bridge);
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
  if (!m_page || m_navigation.currentUrl().isEmpty() || m_navigation.showsStrings()) {
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
  m_navigation.clearStrings();
  loadUrl(url, Mode::Push);
}

void THtmlViewBase::loadUrl(const QUrl &url, Mode mode) {
  ensureView();
  if (!m_processing && m_navigation.isAnchorMove(url)) {
    // Only the anchor changes: scroll without a new load.
    m_page->runJavaScript(ScrollToAnchorScript(url.fragment()), QWebEngineScript::ApplicationWorld);
    if (m_navigation.finishAnchorMove(url, mode) && OnHistoryChange)
      OnHistoryChange();
    return;
  }
  m_navigation.beginLoad(mode);
  setProcessing(true);
  m_page->load(url);
}

void THtmlViewBase::LoadStrings(const QStringList &lines) {
  ensureView();
  const QString html = lines.join(u'\n');
  m_navigation.setStrings(html);
  m_navigation.beginLoad(Mode::Stay);
  setProcessing(true);
  const QUrl base = QUrl::fromLocalFile(AppDir());
  if (html.size() < kMaxInlineDocument) {
    m_page->setHtml(html, base);
    return;
  }
  // Too large for an inline document: it goes through a temporary file that keeps the base.
  m_stringsFile = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/corvana-XXXXXX.htm"));
  if (!m_stringsFile->open()) {
    setProcessing(false);
    throw Error::cannotCreate(m_stringsFile->fileName());
  }
  m_stringsFile->write(QStringLiteral("<base href=\"%1\">").arg(base.toString(QUrl::FullyEncoded)).toUtf8());
  m_stringsFile->write(html.toUtf8());
  m_stringsFile->close();
  m_page->load(QUrl::fromLocalFile(m_stringsFile->fileName()));
}

QString THtmlViewBase::HTMLExpandFilename(const QString &name) const {
  const QString base = m_navigation.linkBase();
  return ExpandLinkName(base.isEmpty() ? AppDir() : base, name);
}

std::optional<THtmlFrameInfo> THtmlViewBase::ActiveViewer() const {
  if (m_activeFrame)
    return m_activeFrame;
  if (CurrentFile().isEmpty() && !m_navigation.showsStrings())
    return std::nullopt;
  return THtmlFrameInfo{CurrentFile(), DocumentTitle()};
}

void THtmlViewBase::Reload() {
  if (!m_page)
    return;
  if (m_navigation.showsStrings()) {
    LoadStrings(m_navigation.stringsHtml().split(u'\n'));
    return;
  }
  if (m_navigation.currentUrl().isEmpty())
    return;
  reloadPage(QWebEnginePage::Reload);
}

void THtmlViewBase::reloadPage(int action) {
  m_navigation.beginLoad(Mode::Stay);
  setProcessing(true);
  m_page->triggerAction(QWebEnginePage::WebAction(action));
}

void THtmlViewBase::GoToHistory(int index) {
  const QString file = m_navigation.stepTo(index);
  if (file.isEmpty())
    return;
  const QUrl url = IsFileUrl(file) || file.startsWith(u'/') ? QUrl::fromLocalFile(FileUrlToName(file)) : QUrl(file);
  m_navigation.clearStrings();
  // The history change is told when the entry's document is shown, so that its handlers see
  // the entry's file and title.
  loadUrl(url, Mode::Step);
}

void THtmlViewBase::GoBack() {
  if (BackButtonEnabled())
    GoToHistory(HistoryIndex() + 1);
}

void THtmlViewBase::GoFwd() {
  if (FwdButtonEnabled())
    GoToHistory(HistoryIndex() - 1);
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
  m_activeFrame.reset();
  if (m_navigation.finishLoad(m_page->url(), m_page->title()) && OnHistoryChange)
    OnHistoryChange();
  setProcessing(false);
}

void THtmlViewBase::onTitleChanged(const QString &title) {
  if (!m_processing)
    m_navigation.titleChanged(title, m_page->url());
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
  m_navigation.setLinkBase(base);
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
  m_navigation.passLink(expanded.startsWith(u'/') ? QUrl::fromLocalFile(expanded) : QUrl(expanded));
  return true;
}

void THtmlViewBase::followLocally(const QString &href) {
  if (href.startsWith(u'#')) {
    loadUrl(QUrl(m_navigation.currentUrl().adjusted(QUrl::RemoveFragment).toString() + href), Mode::Push);
    return;
  }
  const QString expanded = HTMLExpandFilename(href);
  if (expanded.startsWith(u'/')) {
    guarded([&] { LoadFromFile(expanded + SplitAnchor(href).anchor); });
    return;
  }
  const QUrl url(expanded);
  if (url.isValid() && !url.scheme().isEmpty()) {
    m_navigation.clearStrings();
    loadUrl(url, Mode::Push);
  }
}

bool THtmlViewBase::uncaughtLinkClick(const QUrl &url) {
  // Nothing shows that a person clicked this one: the view follows it without the handlers.
  if (!trustScriptedClicks)
    return true;
  const QString href = url.toString();
  m_navigation.setLinkBase(CurrentFile());
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
                               const QString &method, const QStringList &lines, const QString &base) {
  m_navigation.setLinkBase(base);
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
  m_navigation.setLinkBase(base);
  if (OnSoundRequest)
    OnSoundRequest(src, loop, false);
}

void THtmlViewBase::frameActivated(const QString &url, const QString &title, bool top) {
  const QUrl frameUrl(url);
  if (top && frameUrl.adjusted(QUrl::RemoveFragment) == m_navigation.currentUrl().adjusted(QUrl::RemoveFragment)) {
    m_activeFrame = THtmlFrameInfo{CurrentFile(), DocumentTitle()};
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
  QPointer<THtmlViewBase> self(this);
  m_page->runJavaScript(FindScript(text, matchCase), QWebEngineScript::ApplicationWorld,
                        [self, done](const QVariant &result) {
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
