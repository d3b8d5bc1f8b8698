#pragma once
// Where an HTML view stands and how it got there: the history, the document shown, how the
// next load counts in the history, and the links the view agreed to let through. It knows no
// engine: the view tells it which loads it starts and when one ends, the page which
// navigations the engine asks for.

#include "htmlview/HtmlHistory.h"

#include <QList>
#include <QString>
#include <QUrl>

namespace corvana {

class HtmlNavigation {
public:
  // How a load counts once it ends: a new history entry, no change, or the end of a step
  // through the history (the entry is already current; the change is told then).
  enum class Mode { Push, Stay, Step };

  explicit HtmlNavigation(int historyMaxCount = 50) : m_history(historyMaxCount) {}

  const HtmlHistory &history() const { return m_history; }
  void setHistoryMaxCount(int count) { m_history.setMaxCount(count); }

  // The document shown; the file is '' for a document given as lines.
  QString currentFile() const { return m_currentFile; }
  QString title() const { return m_title; }
  QUrl currentUrl() const { return m_currentUrl; }
  // The document given as lines, kept for a reload; '' when a file or URL is shown.
  const QString &stringsHtml() const { return m_stringsHtml; }
  bool showsStrings() const { return !m_stringsHtml.isEmpty(); }
  void setStrings(const QString &html) { m_stringsHtml = html; }
  void clearStrings() { m_stringsHtml.clear(); }

  // The base a link name is expanded against: the document it came from, else the one shown.
  QString linkBase() const { return m_linkBase.isEmpty() ? m_currentFile : m_linkBase; }
  void setLinkBase(const QString &base) { m_linkBase = base; }

  // A load the view starts itself; the engine's request for it does not count again.
  void beginLoad(Mode mode);
  // The engine asks to show another top document: a reload stays, anything else is a new entry.
  void mainFrameRequested(bool reload);
  // A load ended on `url`, whose engine title is `title`; true when the history changed.
  bool finishLoad(const QUrl &url, const QString &title);
  // The title changed after the load ended.
  void titleChanged(const QString &title, const QUrl &url);

  // Whether showing `url` only moves to an anchor in the document shown (no load needed).
  bool isAnchorMove(const QUrl &url) const;
  // The anchor move is done; true when the history changed.
  bool finishAnchorMove(const QUrl &url, Mode mode);

  // A step through the history: the file of entry `index` (0 newest), '' when there is none.
  // Its load is started with Mode::Step.
  QString stepTo(int index);

  // Links the page script saw clicked and the view agreed to follow: the engine lets them pass.
  void passLink(const QUrl &url);
  bool takePassedLink(const QUrl &url);

private:
  HtmlHistory m_history;
  Mode m_mode = Mode::Push;
  bool m_ownLoad = false; // a load the view started, not yet requested by the engine
  QString m_currentFile;
  QString m_title;
  QUrl m_currentUrl;
  QString m_stringsHtml;
  QString m_linkBase;
  QList<QUrl> m_passUrls;
};

} // namespace corvana
