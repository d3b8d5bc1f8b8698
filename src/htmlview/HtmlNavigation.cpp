#include "htmlview/HtmlNavigation.h"

#include "htmlview/HtmlNames.h"

namespace corvana {

namespace {
// Links agreed to but never requested (the page script was cut short) are not kept for ever.
constexpr qsizetype kMaxPassedLinks = 16;
} // namespace

void HtmlNavigation::beginLoad(Mode mode) {
  m_mode = mode;
  m_ownLoad = true;
}

void HtmlNavigation::mainFrameRequested(bool reload) {
  if (m_ownLoad)
    m_ownLoad = false;
  else
    m_mode = reload ? Mode::Stay : Mode::Push;
}

bool HtmlNavigation::finishLoad(const QUrl &url, const QString &title) {
  m_currentUrl = url;
  m_currentFile = showsStrings() ? QString() : UrlToDocumentName(url);
  m_title = CleanDocumentTitle(title, url);
  m_linkBase.clear();
  bool changed = false;
  if (m_mode == Mode::Push && !m_currentFile.isEmpty()) {
    m_history.push(m_currentFile, m_title);
    changed = true;
  } else {
    m_history.setCurrentTitle(m_title);
    // A step moved the position when it began; only now are file and title those of the entry.
    changed = m_mode == Mode::Step;
  }
  m_mode = Mode::Push;
  return changed;
}

void HtmlNavigation::titleChanged(const QString &title, const QUrl &url) {
  m_title = CleanDocumentTitle(title, url);
  m_history.setCurrentTitle(m_title);
}

bool HtmlNavigation::isAnchorMove(const QUrl &url) const {
  return !m_currentUrl.isEmpty() && url.hasFragment() &&
         url.adjusted(QUrl::RemoveFragment) == m_currentUrl.adjusted(QUrl::RemoveFragment);
}

bool HtmlNavigation::finishAnchorMove(const QUrl &url, Mode mode) {
  m_currentUrl = url;
  switch (mode) {
  case Mode::Push:
    m_history.push(m_currentFile, m_title);
    return false;
  case Mode::Stay:
    return false;
  case Mode::Step:
    m_currentFile = UrlToDocumentName(url);
    return true;
  }
  return false;
}

QString HtmlNavigation::stepTo(int index) {
  if (index == m_history.index())
    return QString();
  return m_history.goTo(index);
}

void HtmlNavigation::passLink(const QUrl &url) {
  m_passUrls.append(url.adjusted(QUrl::RemoveFragment));
  if (m_passUrls.size() > kMaxPassedLinks)
    m_passUrls.removeFirst();
}

bool HtmlNavigation::takePassedLink(const QUrl &url) {
  return m_passUrls.removeOne(url.adjusted(QUrl::RemoveFragment));
}

} // namespace corvana
