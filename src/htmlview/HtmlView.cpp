#include "htmlview/HtmlView.h"

#include "htmlview/HtmlNames.h"
#include "htmlview/PageScript.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Forms.h"
#include "platform/Modules.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QOpenGLContext>
#include <QTimer>
#include <QVBoxLayout>

QT_BEGIN_NAMESPACE
// Qt's own setter of the context every GL context shares with (exported, not in a public header).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);
QT_END_NAMESPACE

namespace corvana {

namespace {

// setHtml carries its document in a data URL, which the engine limits to 2 MB.
constexpr qsizetype kMaxInlineDocument = 1'500'000;
constexpr int kMaxCopyLength = 32000;
constexpr int kMaxViewLinkLength = 4096;

// The engine draws with GL contexts shared with the widgets' through one global context, which
// a program linking the engine gets made at start-up. Made here instead, just before the module
// is opened, starting the program does not pay for GL.
void prepareSharedGlContext() {
  if (QOpenGLContext::globalShareContext() || QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts))
    return;
  // Set even when it cannot be created, as the application would: the engine then draws
  // without the GPU, but it never finds no context.
  auto *context = new QOpenGLContext(qApp);
  context->create();
  qt_gl_set_global_share_context(context);
}

// The engine module's entry, opened by the first view; nullptr with `error` set when missing.
CreateHtmlEngineEntry engineEntry(QString *error) {
  const QString module = QString::fromLatin1(kHtmlEngineModule);
  if (!ModuleLoaded(module))
    prepareSharedGlContext();
  return reinterpret_cast<CreateHtmlEngineEntry>(ResolveModuleSymbol(module, kCreateHtmlEngineEntry, error));
}

} // namespace

bool WaitUntil(const std::function<bool()> &done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  // The timer bounds each wait so that the deadline is seen. The overload with a time limit
  // would not wait at all: it would spin and starve the engine's own threads.
  QTimer wake;
  wake.start(20);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  return done();
}

// ---- the view ---------------------------------------------------------------------------------

THtmlViewBase::THtmlViewBase(QWidget *parent) : QWidget(parent), m_navigation(50) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  setFocusPolicy(Qt::StrongFocus);
}

THtmlViewBase::~THtmlViewBase() {
  // The engine's widget and page go while the view is still whole.
  m_engine.reset();
}

QWidget *THtmlViewBase::engineWidget() const { return m_engine ? m_engine->widget() : nullptr; }

void THtmlViewBase::showEvent(QShowEvent *event) {
  QWidget::showEvent(event);
  ensureView();
}

bool THtmlViewBase::ensureView() {
  if (m_engine)
    return true;
  if (m_engineMissing)
    return false;
  const CreateHtmlEngineEntry create = engineEntry(&m_engineError);
  if (!create) {
    // Said in the view's place: a program without its engine module still runs.
    m_engineMissing = new QLabel(QStringLiteral("This view cannot show documents: ") + m_engineError, this);
    m_engineMissing->setObjectName(QStringLiteral("EngineMissing"));
    m_engineMissing->setWordWrap(true);
    m_engineMissing->setAlignment(Qt::AlignCenter);
    layout()->addWidget(m_engineMissing);
    m_engineMissing->show();
    return false;
  }
  HtmlEngineHost &host = *this;
  m_engine.reset(create(this, host, PageScriptSource()));
  setFocusProxy(m_engine->widget());
  layout()->addWidget(m_engine->widget());
  applySettings();
  return true;
}

void THtmlViewBase::applySettings() {
  if (!m_engine)
    return;
  HtmlEngineSettings settings;
  settings.viewImages = m_viewImages;
  settings.standardFont = m_defFontName;
  settings.fixedFont = m_defPreFontName;
  settings.background = ToQColor(m_defBackground);
  m_engine->applySettings(settings);
}

void THtmlViewBase::setViewImages(bool view) {
  if (m_viewImages == view)
    return;
  m_viewImages = view;
  applySettings();
  if (!m_engine || m_navigation.currentUrl().isEmpty() || m_navigation.showsStrings()) {
    Reload();
    return;
  }
  // Images already shown sit in the engine's cache; only a reload past it drops them.
  reloadPage(true);
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
  if (!ensureView())
    return;
  if (!m_processing && m_navigation.isAnchorMove(url)) {
    // Only the anchor changes: scroll without a new load.
    m_engine->runScript(ScrollToAnchorScript(url.fragment()), false, [](const QVariant &) {});
    if (m_navigation.finishAnchorMove(url, mode) && OnHistoryChange)
      OnHistoryChange();
    return;
  }
  m_navigation.beginLoad(mode);
  setProcessing(true);
  m_engine->load(url);
}

void THtmlViewBase::LoadStrings(const QStringList &lines) {
  if (!ensureView())
    return;
  const QString html = lines.join(u'\n');
  m_navigation.setStrings(html);
  m_navigation.beginLoad(Mode::Stay);
  setProcessing(true);
  const QUrl base = QUrl::fromLocalFile(AppDir());
  if (html.size() < kMaxInlineDocument) {
    m_engine->setHtml(html, base);
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
  m_engine->load(QUrl::fromLocalFile(m_stringsFile->fileName()));
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
  if (!m_engine)
    return;
  if (m_navigation.showsStrings()) {
    LoadStrings(m_navigation.stringsHtml().split(u'\n'));
    return;
  }
  if (m_navigation.currentUrl().isEmpty())
    return;
  reloadPage(false);
}

void THtmlViewBase::reloadPage(bool bypassCache) {
  m_navigation.beginLoad(Mode::Stay);
  setProcessing(true);
  m_engine->reload(bypassCache);
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

void THtmlViewBase::engineLoadStarted() { setProcessing(true); }

void THtmlViewBase::engineLoadFinished() {
  m_activeFrame.reset();
  if (m_navigation.finishLoad(m_engine->url(), m_engine->title()) && OnHistoryChange)
    OnHistoryChange();
  setProcessing(false);
}

void THtmlViewBase::engineTitleChanged(const QString &title) {
  if (!m_processing)
    m_navigation.titleChanged(title, m_engine->url());
}

bool THtmlViewBase::engineNavigationRequest(const QUrl &url, bool linkClicked, bool reload, bool mainFrame) {
  if (linkClicked && !m_navigation.takePassedLink(url) && !uncaughtLinkClick(url))
    return false;
  if (mainFrame)
    m_navigation.mainFrameRequested(reload);
  return true;
}

void THtmlViewBase::scriptAlert(const QString &message) { Application().dialogs().message(message); }

bool THtmlViewBase::scriptConfirm(const QString &message) { return Application().dialogs().confirm(message); }

QString THtmlViewBase::scriptPrompt(const QString &message, const QString &defaultValue) {
  return Application().dialogs().inputBox(Application().title(), message, defaultValue);
}

void THtmlViewBase::RunScript(const QString &script, std::function<void(const QVariant &)> done) {
  if (!ensureView()) {
    done(QVariant());
    return;
  }
  QPointer<THtmlViewBase> self(this);
  m_engine->runScript(script, true, [self, done](const QVariant &value) {
    if (self)
      done(value);
  });
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
  if (!m_engine || text.isEmpty()) {
    done(false);
    return;
  }
  QPointer<THtmlViewBase> self(this);
  m_engine->runScript(FindScript(text, matchCase), false, [self, done](const QVariant &result) {
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
  if (m_engine)
    m_engine->selectAll();
}

QString THtmlViewBase::SelText() const { return m_engine ? m_engine->selectedText() : QString(); }

void THtmlViewBase::CopyToClipboard() {
  const QString text = SelText();
  if (text.size() >= kMaxCopyLength)
    throw Error(QStringLiteral("Selected text exceeds buffer size"));
  if (!text.isEmpty())
    QApplication::clipboard()->setText(text);
}

} // namespace corvana
