#pragma once
// The main window: the MDI frame that hosts the tool windows, with the Window menu through
// which each tool is reached and the Help menu.

#include "platform/CommandTable.h"
#include "platform/Forms.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;

namespace corvana {

class TMainForm : public TForm {
  Q_OBJECT

public:
  TMainForm();

  void FormCreate() override;

  const QString &appDir() const { return AppDir; }
  QMdiArea *mdiArea() const { return m_mdiArea; }

  void Prosel1Click();
  void Vellant1Click();
  void Pixmund1Click();
  void Halcyne1Click();
  void Smudgel1Click();
  void Twinfold1Click();
  void Zonella1Click();
  void Trellane1Click();
  void Kelpwood1Click();
  void Arbolet1Click();
  void Contents1Click();
  void About1Click();

  static QString aboutText();

private:
  // Puts the active MDI child's menus in front of Window and Help.
  void mergeChildMenus();

  QString AppDir;
  QMdiArea *m_mdiArea;
  QMenu *m_windowMenu = nullptr;
  QMenu *m_helpMenu = nullptr;
  QPointer<TForm> m_mergedChild;
  Commands m_commands;
};

inline TMainForm *MainForm = nullptr;

} // namespace corvana
