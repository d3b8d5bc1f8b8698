#include "app/MainU.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace corvana {

TMainForm::TMainForm() : TForm(Kind::TopLevel, QStringLiteral("MainForm")), m_mdiArea(new QMdiArea(this)) {
  setWindowTitle(QStringLiteral("Tovi Corvana 8"));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  setDesignedGeometry(98, 76, 638, 420);

  m_mdiArea->setObjectName(QStringLiteral("ClientArea"));
  m_mdiArea->setViewMode(QMdiArea::SubWindowView);
  m_mdiArea->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, false);
  setCentralWidget(m_mdiArea);
  Application().setMdiArea(m_mdiArea);

  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  m_windowMenu = addMenu(QStringLiteral("&Window"), QStringLiteral("Window1"));
  addItem(m_windowMenu, QStringLiteral("&Vellant"), QStringLiteral("Vellant1"), &TMainForm::Vellant1Click);
  addItem(m_windowMenu, QStringLiteral("&Kelpwood"), QStringLiteral("Kelpwood1"));
  addItem(m_windowMenu, QStringLiteral("&Prosel"), QStringLiteral("Prosel1"), &TMainForm::Prosel1Click);
  addItem(m_windowMenu, QStringLiteral("&Trellane"), QStringLiteral("Trellane1"));
  addItem(m_windowMenu, QStringLiteral("&Arbolet"), QStringLiteral("Arbolet1"));
  addItem(m_windowMenu, QStringLiteral("&Pixmund"), QStringLiteral("Pixmund1"));
  addItem(m_windowMenu, QStringLiteral("H&alcyne"), QStringLiteral("Halcyne1"));
  addItem(m_windowMenu, QStringLiteral("&Smudgel"), QStringLiteral("Smudgel1"));
  addItem(m_windowMenu, QStringLiteral("&Zonella"), QStringLiteral("Zonella1"));
  addItem(m_windowMenu, QStringLiteral("&Twinfold"), QStringLiteral("Twinfold1"));

  m_helpMenu = addMenu(QStringLiteral("&Help"), QStringLiteral("Help1"));
  QAction *contents =
      addItem(m_helpMenu, QStringLiteral("&Contents"), QStringLiteral("Contents1"), &TMainForm::Contents1Click);
  contents->setShortcut(QKeySequence(Qt::Key_F1));
  m_helpMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
  addItem(m_helpMenu, QStringLiteral("&About"), QStringLiteral("About1"), &TMainForm::About1Click);

  connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::mergeChildMenus);
}

QAction *TMainForm::addItem(QMenu *menu, const QString &caption, const QString &name, void (TMainForm::*handler)()) {
  QAction *action = menu->addAction(caption);
  action->setObjectName(name);
  action->setEnabled(handler != nullptr);
  if (handler)
    onTriggered(action, this, [this, handler] { (this->*handler)(); });
  return action;
}

void TMainForm::FormCreate() { AppDir = corvana::AppDir(); }

void TMainForm::mergeChildMenus() {
  QMdiSubWindow *sub = m_mdiArea->activeSubWindow();
  TForm *child = sub ? qobject_cast<TForm *>(sub->widget()) : nullptr;
  if (m_mergedChild)
    disconnect(m_mergedChild, &TForm::menusChanged, this, &TMainForm::mergeChildMenus);
  m_mergedChild = child;
  QMenuBar *bar = menuBar();
  bar->clear();
  if (child) {
    for (QMenu *menu : child->menus())
      bar->addMenu(menu);
    connect(child, &TForm::menusChanged, this, &TMainForm::mergeChildMenus, Qt::UniqueConnection);
  }
  bar->addMenu(m_windowMenu);
  bar->addMenu(m_helpMenu);
}

// The editor exists from start-up: it is only shown and brought to the front.
void TMainForm::Prosel1Click() {
  if (ProselF) {
    ProselF->Show();
    ProselF->BringToFront();
  }
}

void TMainForm::Vellant1Click() { OpenToolWindow(VellantF); }

void TMainForm::Contents1Click() {
  Application().setHelpFile(AppDir + QStringLiteral("Corvana.hlp"));
  Application().HelpJump(QStringLiteral("Corvana"));
}

QString TMainForm::aboutText() {
  return QStringLiteral("Corvana 8\n\nA desktop suite for writing small web sites by hand.\n"
                        "Written by the Corvana developers.");
}

void TMainForm::About1Click() { Application().dialogs().message(aboutText()); }

} // namespace corvana
