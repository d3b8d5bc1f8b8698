#pragma once
// The help layer: help files are HTML documents shown in a help window at the anchor named by
// a topic keyword. A help file that does not exist is reported here.

#include <QMainWindow>

class QTextBrowser;

namespace corvana {

class HelpViewer : public QMainWindow {
  Q_OBJECT

public:
  HelpViewer();
  void showTopic(const QString &file, const QString &keyword);
  QTextBrowser *browser() const { return m_browser; }

private:
  QTextBrowser *m_browser;
};

// Opens the help window on the file at the keyword; returns false after reporting a missing file.
bool ShowHelpTopic(const QString &file, const QString &keyword);
// The help window, once some help has been shown.
HelpViewer *CurrentHelpViewer();

} // namespace corvana
