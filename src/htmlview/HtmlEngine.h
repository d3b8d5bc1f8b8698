#pragma once
// The browser engine behind an HTML view. It lives in a module (src/htmlengine,
// libcorvana_htmlengine.so) that the first view opens, so that starting the program maps neither
// the engine nor the PDF library. The view and the module meet only here: plain interfaces,
// defined in this header, with no code of the suite's libraries behind them.

#include "htmlview/HtmlPageEvents.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <functional>

class QWidget;

namespace corvana {

// What the engine tells its view, besides what the page script reports.
class HtmlEngineHost : public HtmlPageEvents {
public:
  virtual void engineLoadStarted() = 0;
  virtual void engineLoadFinished() = 0;
  virtual void engineTitleChanged(const QString &title) = 0;
  // Whether the engine may follow a navigation it asks for.
  virtual bool engineNavigationRequest(const QUrl &url, bool linkClicked, bool reload, bool mainFrame) = 0;
  // The page's script dialogs.
  virtual void scriptAlert(const QString &message) = 0;
  virtual bool scriptConfirm(const QString &message) = 0;
  virtual QString scriptPrompt(const QString &message, const QString &defaultValue) = 0;

protected:
  ~HtmlEngineHost() = default;
};

struct HtmlEngineSettings {
  bool viewImages = true;
  QString standardFont;
  QString fixedFont;
  QColor background;
};

// One view's engine: its widget, its page, and what the view asks of them.
class HtmlEngine {
public:
  virtual ~HtmlEngine() = default;
  virtual QWidget *widget() = 0;
  virtual void applySettings(const HtmlEngineSettings &settings) = 0;
  virtual void load(const QUrl &url) = 0;
  virtual void setHtml(const QString &html, const QUrl &base) = 0;
  virtual void reload(bool bypassCache) = 0;
  virtual void selectAll() = 0;
  virtual QString selectedText() const = 0;
  virtual QUrl url() const = 0;
  virtual QString title() const = 0;
  // Runs script in the view's own (application) world, or in the document's when `pageWorld`.
  virtual void runScript(const QString &script, bool pageWorld, std::function<void(const QVariant &)> done) = 0;
  // Lays the document out as PDF pages; `done` gets the file's bytes (empty on failure).
  virtual void printToPdf(const QPageLayout &layout, std::function<void(const QByteArray &)> done) = 0;
};

// A PDF document's pages as pictures.
class PdfPages {
public:
  virtual ~PdfPages() = default;
  virtual int pageCount() const = 0;
  virtual QSizeF pagePointSize(int page) const = 0;
  virtual QImage render(int page, QSize pixels) = 0;
};

inline constexpr const char *kHtmlEngineModule = "htmlengine";
// HtmlEngine *create(QWidget *parent, HtmlEngineHost &host, const QString &pageScript);
// the engine's widget is a child of `parent`.
inline constexpr const char *kCreateHtmlEngineEntry = "corvana_create_html_engine";
using CreateHtmlEngineEntry = HtmlEngine *(*)(QWidget *parent, HtmlEngineHost &host, const QString &pageScript);
// PdfPages *open(const QByteArray &pdf); nullptr when the bytes are no readable PDF.
inline constexpr const char *kOpenPdfEntry = "corvana_open_pdf";
using OpenPdfEntry = PdfPages *(*)(const QByteArray &pdf);

} // namespace corvana
