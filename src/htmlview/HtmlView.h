#pragma once
// The suite's HTML views on a browser engine: THtmlView shows a single document, TFrameView
// is frame-aware. The engine is created only when a view first needs it, from a module the
// first view in the process opens (see HtmlEngine.h); a view whose module cannot be opened says
// so in its place and shows nothing else. Loading is
// asynchronous: OnProcessing(true) starts a load, OnProcessing(false) ends it, and from then on
// CurrentFile and DocumentTitle describe the new document (waitForLoad waits for that).

#include "htmlview/HtmlEngine.h"
#include "htmlview/HtmlNavigation.h"
#include "platform/Colors.h"

#include <QPointer>
#include <QStringList>
#include <QTemporaryFile>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QPainter;
class QPrinter;

namespace corvana {

// The frame document that has the focus.
struct THtmlFrameInfo {
  QString CurrentFile;
  QString DocumentTitle;
};

class THtmlViewBase : public QWidget, private HtmlEngineHost {
  Q_OBJECT

public:
  explicit THtmlViewBase(QWidget *parent = nullptr);
  ~THtmlViewBase() override;

  // Link events (which may start programs or play media) come only from the user's own
  // clicks; a page's script clicking a link just follows it in the view. Tests that click
  // through page script turn this on.
  static void TrustScriptedClicks(bool trust);

  // Shows a file (a path or file URL, optionally with "#anchor"); raises
  // "Can't locate file: " + name when there is no such file.
  void LoadFromFile(const QString &name);
  // Shows a document given as lines; relative links resolve against the program's directory.
  void LoadStrings(const QStringList &lines);
  // A link name made absolute against the document (or frame) it came from.
  QString HTMLExpandFilename(const QString &name) const;
  QString CurrentFile() const { return m_navigation.currentFile(); }
  QString DocumentTitle() const { return m_navigation.title(); }
  // The frame that has the focus; the whole document until a frame takes it; none when empty.
  std::optional<THtmlFrameInfo> ActiveViewer() const;

  void Reload();
  void GoBack();
  void GoFwd();
  // Steps back or forward to history entry `index` (0 newest), keeping the entries; the history
  // change is told once the entry's document is shown.
  void GoToHistory(int index);
  bool BackButtonEnabled() const { return m_navigation.history().canGoBack(); }
  bool FwdButtonEnabled() const { return m_navigation.history().canGoForward(); }
  QStringList History() const { return m_navigation.history().files(); }
  QStringList TitleHistory() const { return m_navigation.history().titles(); }
  int HistoryIndex() const { return m_navigation.history().index(); }
  int HistoryMaxCount() const { return m_navigation.history().maxCount(); }
  void setHistoryMaxCount(int count) { m_navigation.setHistoryMaxCount(count); }
  int ImageCacheCount() const { return m_imageCacheCount; }
  void setImageCacheCount(int count) { m_imageCacheCount = count; }

  // Selects the next occurrence in the focused frame; `done` gets false when none is left, and
  // the next search starts again from the top.
  void Find(const QString &text, bool matchCase, std::function<void(bool)> done);
  // The same, waiting for the answer.
  bool Find(const QString &text, bool matchCase);
  void SelectAll();
  // Raises "Selected text exceeds buffer size" for 32000 characters or more.
  void CopyToClipboard();
  QString SelText() const;
  int SelLength() const { return int(SelText().size()); }

  bool ViewImages() const { return m_viewImages; }
  void setViewImages(bool view);
  TColor DefBackground() const { return m_defBackground; }
  void setDefBackground(TColor color);
  QString DefFontName() const { return m_defFontName; }
  void setDefFontName(const QString &name);
  QString DefPreFontName() const { return m_defPreFontName; }
  void setDefPreFontName(const QString &name);
  // Print margins in centimetres.
  double PrintMarginLeft = 2.0, PrintMarginRight = 2.0, PrintMarginTop = 2.0, PrintMarginBottom = 2.0;

  // Prints pages from..to (1-based, clipped to the document) on the printer, calling the
  // header and footer events on each page. The canvas is in units of 1/96 inch.
  void Print(QPrinter &printer, int fromPage, int toPage);
  // Pages the last print produced.
  int PrintedPageCount() const { return m_printedPages; }

  bool isProcessing() const { return m_processing; }
  // Waits until no load is running; false on time-out.
  bool waitForLoad(int timeoutMs = 30000);
  // The engine's widget, once created.
  QWidget *engineWidget() const;
  // Why the view has no engine (the module could not be opened); '' otherwise.
  QString EngineError() const { return m_engineError; }
  // Runs script in the shown document's own world; `done` gets its value.
  void RunScript(const QString &script, std::function<void(const QVariant &)> done);

  // Events; Handled starts false, and a link whose handlers leave it false is followed.
  std::function<void(const QString &src, bool &handled)> OnHotSpotClick;
  std::function<void(const QString &target, const QString &url, bool &handled)> OnHotSpotTargetClick;
  std::function<void(const QString &target, const QString &url)> OnHotSpotTargetCovered;
  std::function<void(const QString &url)> OnHotSpotCovered;
  // When set, the handler takes the submit and the page does not navigate.
  std::function<void(const QString &action, const QString &target, const QString &encType, const QString &method,
                     const QStringList &results)>
      OnFormSubmit;
  std::function<void(const THtmlFormControl &control, const QString &onClick)> OnObjectClick;
  std::function<void(const QString &src, int loop, bool terminate)> OnSoundRequest;
  // When unset, a link asking for a new window is shown in this view.
  std::function<void(const QString &target, const QString &url)> OnBlankWindowRequest;
  std::function<void()> OnHistoryChange;
  std::function<void(bool processing)> OnProcessing;
  std::function<void(QPainter &canvas, int numPage, int width, int height, bool &stop)> OnPrintHeader;
  std::function<void(QPainter &canvas, int numPage, int width, int height, bool &stop)> OnPrintFooter;

protected:
  void showEvent(QShowEvent *event) override;

private:
  using Mode = HtmlNavigation::Mode;

  // Creates the engine on first use; false when its module cannot be opened.
  bool ensureView();
  void loadUrl(const QUrl &url, Mode mode);
  void reloadPage(bool bypassCache);
  void setProcessing(bool processing);
  void applySettings();
  void followLocally(const QString &href);

  // HtmlEngineHost: what the engine reports.
  void engineLoadStarted() override;
  void engineLoadFinished() override;
  void engineTitleChanged(const QString &title) override;
  bool engineNavigationRequest(const QUrl &url, bool linkClicked, bool reload, bool mainFrame) override;
  void scriptAlert(const QString &message) override;
  bool scriptConfirm(const QString &message) override;
  QString scriptPrompt(const QString &message, const QString &defaultValue) override;

  // HtmlPageEvents: what the page script reports.
  bool hotSpotClick(const QString &href, const QString &target, const QString &landing, const QString &base,
                    bool userClick) override;
  void hotSpotCovered(const QString &target, const QString &href) override;
  bool formSubmit(const QString &action, const QString &target, const QString &encType, const QString &method,
                  const QStringList &lines, const QString &base) override;
  void objectClick(const THtmlFormControl &control, const QString &onClick) override;
  void soundRequest(const QString &src, int loop, const QString &base) override;
  void frameActivated(const QString &url, const QString &title, bool top) override;
  bool uncaughtLinkClick(const QUrl &url) override;

  std::unique_ptr<HtmlEngine> m_engine;
  QLabel *m_engineMissing = nullptr;
  QString m_engineError;
  HtmlNavigation m_navigation;
  bool m_processing = false;
  std::unique_ptr<QTemporaryFile> m_stringsFile;
  std::optional<THtmlFrameInfo> m_activeFrame;
  int m_imageCacheCount = 6;
  bool m_viewImages = true;
  TColor m_defBackground = clWindow;
  QString m_defFontName = QStringLiteral("Times New Roman");
  QString m_defPreFontName = QStringLiteral("Courier New");
  int m_printedPages = 0;
};

class THtmlView : public THtmlViewBase {
  Q_OBJECT

public:
  explicit THtmlView(QWidget *parent = nullptr) : THtmlViewBase(parent) {}
};

class TFrameView : public THtmlViewBase {
  Q_OBJECT

public:
  explicit TFrameView(QWidget *parent = nullptr) : THtmlViewBase(parent) {}
};

// Runs the event loop until `done` holds or the time is up; returns `done()`.
bool WaitUntil(const std::function<bool()> &done, int timeoutMs);

} // namespace corvana
