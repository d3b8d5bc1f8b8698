// The module's entries: a view's engine on the browser engine's widget and page, and PDF
// documents read back into page pictures for printing.

#include "htmlengine/HtmlPage.h"
#include "htmlview/HtmlEngine.h"
#include "htmlview/PageScript.h"

#include <QBuffer>
#include <QPdfDocument>
#include <QWebChannel>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>
#include <memory>

namespace corvana {

namespace {

class WebEngine final : public HtmlEngine {
public:
  WebEngine(QWidget *parent, HtmlEngineHost &host, const QString &pageScript) {
    m_view = new QWebEngineView(parent);
    m_view->setObjectName(QStringLiteral("EngineView"));
    m_page = new HtmlPage(QWebEngineProfile::defaultProfile(), parent, host);
    HtmlPageEvents &events = host;
    auto *bridge = new HtmlBridge(events);
    bridge->setParent(m_page);
    auto *channel = new QWebChannel(m_page);
    channel->registerObject(QString::fromLatin1(kBridgeObjectName), bridge);
    m_page->setWebChannel(channel, QWebEngineScript::ApplicationWorld);

    QWebEngineScript script;
    script.setName(QStringLiteral("corvana-hooks"));
    script.setSourceCode(pageScript);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    m_page->scripts().insert(script);

    m_view->setPage(m_page);
    m_view->setAcceptDrops(false);

    QObject::connect(m_page, &QWebEnginePage::loadStarted, m_page, [&host] { host.engineLoadStarted(); });
    QObject::connect(m_page, &QWebEnginePage::loadFinished, m_page, [&host](bool) { host.engineLoadFinished(); });
    QObject::connect(m_page, &QWebEnginePage::titleChanged, m_page,
                     [&host](const QString &title) { host.engineTitleChanged(title); });
  }

  ~WebEngine() override {
    // Both go before the view that holds them, and the page before the profile.
    delete m_view;
    delete m_page;
  }

  QWidget *widget() override { return m_view; }

  void applySettings(const HtmlEngineSettings &settings) override {
    QWebEngineSettings *s = m_page->settings();
    s->setAttribute(QWebEngineSettings::AutoLoadImages, settings.viewImages);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // Web and mail links go through the view's own events, never straight to the desktop.
    s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    s->setFontFamily(QWebEngineSettings::StandardFont, settings.standardFont);
    s->setFontFamily(QWebEngineSettings::SerifFont, settings.standardFont);
    s->setFontFamily(QWebEngineSettings::FixedFont, settings.fixedFont);
    m_page->setBackgroundColor(settings.background);
  }

  void load(const QUrl &url) override { m_page->load(url); }
  void setHtml(const QString &html, const QUrl &base) override { m_page->setHtml(html, base); }
  void reload(bool bypassCache) override {
    m_page->triggerAction(bypassCache ? QWebEnginePage::ReloadAndBypassCache : QWebEnginePage::Reload);
  }
  void selectAll() override { m_page->triggerAction(QWebEnginePage::SelectAll); }
  QString selectedText() const override { return m_page->selectedText(); }
  QUrl url() const override { return m_page->url(); }
  QString title() const override { return m_page->title(); }

  void runScript(const QString &script, bool pageWorld, std::function<void(const QVariant &)> done) override {
    m_page->runJavaScript(script, pageWorld ? QWebEngineScript::MainWorld : QWebEngineScript::ApplicationWorld,
                          std::move(done));
  }

  void printToPdf(const QPageLayout &layout, std::function<void(const QByteArray &)> done) override {
    m_page->printToPdf(std::move(done), layout);
  }

private:
  QWebEngineView *m_view = nullptr;
  HtmlPage *m_page = nullptr;
};

class PdfDocumentPages final : public PdfPages {
public:
  explicit PdfDocumentPages(const QByteArray &pdf) : m_bytes(pdf), m_buffer(&m_bytes) {
    m_buffer.open(QIODevice::ReadOnly);
    m_document.load(&m_buffer);
  }
  bool ready() const { return m_document.status() == QPdfDocument::Status::Ready; }

  int pageCount() const override { return m_document.pageCount(); }
  QSizeF pagePointSize(int page) const override { return m_document.pagePointSize(page); }
  QImage render(int page, QSize pixels) override { return m_document.render(page, pixels); }

private:
  QByteArray m_bytes;
  QBuffer m_buffer;
  QPdfDocument m_document;
};

} // namespace

} // namespace corvana

extern "C" Q_DECL_EXPORT corvana::HtmlEngine *corvana_create_html_engine(QWidget *parent, corvana::HtmlEngineHost &host,
                                                                         const QString &pageScript) {
  return new corvana::WebEngine(parent, host, pageScript);
}

extern "C" Q_DECL_EXPORT corvana::PdfPages *corvana_open_pdf(const QByteArray &pdf) {
  auto pages = std::make_unique<corvana::PdfDocumentPages>(pdf);
  return pages->ready() ? pages.release() : nullptr;
}
