#include "platform/StatusPanels.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace corvana {

namespace {
const QString NoteName = QStringLiteral("StatusNote");
}

QList<QLabel *> BuildStatusPanels(QMainWindow *window, std::initializer_list<StatusPanelWidth> widths) {
  QStatusBar *status = window->statusBar();
  status->setObjectName(QStringLiteral("StatusBar1"));
  QList<QLabel *> panels;
  for (const StatusPanelWidth &width : widths) {
    auto *panel = new QLabel(status);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(panels.size()));
    if (width.fixed)
      panel->setFixedWidth(width.pixels);
    else
      panel->setMinimumWidth(width.pixels);
    status->addWidget(panel, width.stretch);
    panels.append(panel);
  }
  auto *note = new QLabel(status);
  note->setObjectName(NoteName);
  status->addPermanentWidget(note);
  return panels;
}

void ShowStatusNote(QMainWindow *window, const QString &text) {
  if (auto *note = window->statusBar()->findChild<QLabel *>(NoteName))
    note->setText(text);
}

QString StatusNote(const QMainWindow *window) {
  const auto *note = window->findChild<QLabel *>(NoteName);
  return note ? note->text() : QString();
}

} // namespace corvana
