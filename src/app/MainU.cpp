#include "app/MainU.h"

#include "arbolet/ArboletU.h"
#include "imagetools/HalcyneU.h"
#include "imagetools/PixmundU.h"
#include "kelpwood/KelpwoodU.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"
#include "smudgel/SmudgelU.h"
#include "trellane/TrellaneU.h"
#include "twinfold/TwinfoldU.h"
#include "vellant/VellantU.h"
#include "zonella/ZonellaU.h"

#include <QAction>
#include <QApplication>
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
  using T = TMainForm;
  // Items without a handler belong to tools this build lacks; they stay disabled.
  static const CommandRow<T> rows[] = {
      {"", "Window1", "&Window", {}, nullptr, nullptr, Submenu},
      {"Window1", "Vellant1", "&Vellant", {}, &T::Vellant1Click},
      {"Window1", "Kelpwood1", "&Kelpwood", {}, &T::Kelpwood1Click},
      {"Window1", "Prosel1", "&Prosel", {}, &T::Prosel1Click},
      {"Window1", "Trellane1", "&Trellane", {}, &T::Trellane1Click},
      {"Window1", "Arbolet1", "&Arbolet", {}, &T::Arbolet1Click},
      {"Window1", "Pixmund1", "&Pixmund", {}, &T::Pixmund1Click},
      {"Window1", "Halcyne1", "H&alcyne", {}, &T::Halcyne1Click},
      {"Window1", "Smudgel1", "&Smudgel", {}, &T::Smudgel1Click},
      {"Window1", "Zonella1", "&Zonella", {}, &T::Zonella1Click},
      {"Window1", "Twinfold1", "&Twinfold", {}, &T::Twinfold1Click},
      {"", "Help1", "&Help", {}, nullptr, nullptr, Submenu},
      {"Help1", "Contents1", "&Contents", Qt::Key_F1, &T::Contents1Click},
      {"Help1", "N1", "-", {}, nullptr, nullptr, Separator},
      {"Help1", "About1", "&About", {}, &T::About1Click},
  };
  m_commands.build(this, rows);
  m_windowMenu = m_commands.menu(QStringLiteral("Window1"));
  m_helpMenu = m_commands.menu(QStringLiteral("Help1"));

  connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::mergeChildMenus);
}

void TMainForm::FormCreate() { AppDir = corvana::AppDir(); }

void TMainForm::mergeChildMenus() {
  QMdiSubWindow *sub = m_mdiArea->activeSubWindow();
  // The frame losing the focus (to the browser, a modal picker, or to no window at all once
  // the picker closes under no window manager) deactivates the child without closing it: its
  // menus stay, or the frame would come back without them.
  if (!sub && m_mergedChild && QApplication::activeWindow() != this &&
      m_mdiArea->subWindowList().contains(m_mergedChild->mdiSubWindow()))
    return;
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

void TMainForm::Pixmund1Click() { OpenToolWindow(PixmundF); }

void TMainForm::Halcyne1Click() { OpenToolWindow(HalcyneF); }

void TMainForm::Smudgel1Click() { OpenToolWindow(SmudgelF); }

void TMainForm::Twinfold1Click() { OpenToolWindow(TwinfoldF); }

void TMainForm::Zonella1Click() { OpenToolWindow(ZonellaF); }

void TMainForm::Trellane1Click() { OpenToolWindow(TrellaneF); }

void TMainForm::Kelpwood1Click() { OpenToolWindow(KelpwoodF); }

void TMainForm::Arbolet1Click() { OpenToolWindow(ArboletF); }

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
