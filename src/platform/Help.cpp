#include "platform/Help.h"

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Shell.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace corvana {

namespace {
QPointer<HelpViewer> viewer;
}

HelpViewer::HelpViewer() : m_browser(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  m_browser->setObjectName(QStringLiteral("HelpBrowser"));
  m_browser->setOpenLinks(true);
  m_browser->setOpenExternalLinks(false);
  // Links out of the help file go to the desktop, not into the help window.
  connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
    if (!url.isLocalFile() && !url.isRelative()) {
      ShellOpen(url.toString());
      m_browser->setSource(m_browser->source());
    }
  });
  connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? Application().title() + QStringLiteral(" Help") : title);
  });
  setCentralWidget(m_browser);
  resize(640, 520);
}

void HelpViewer::showTopic(const QString &file, const QString &keyword) {
  QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
  if (m_browser->source().adjusted(QUrl::RemoveFragment) != url)
    m_browser->setSource(url, QTextDocument::HtmlResource);
  if (!keyword.isEmpty())
    m_browser->scrollToAnchor(keyword);
  show();
  raise();
  activateWindow();
}

bool ShowHelpTopic(const QString &file, const QString &keyword) {
  if (file.isEmpty() || !QFileInfo(file).isFile()) {
    Application().dialogs().error(QStringLiteral("Cannot find the help file %1").arg(file));
    return false;
  }
  if (!viewer)
    viewer = new HelpViewer();
  viewer->showTopic(file, keyword);
  return true;
}

HelpViewer *CurrentHelpViewer() { return viewer; }

} // namespace corvana
