#include "platform/Forms.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/FirstFrame.h"
#include "platform/Help.h"
#include "platform/QtDialogs.h"
#include "platform/SuiteIcons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace corvana {

TApplication::TApplication() = default;
TApplication::~TApplication() = default;

TApplication &Application() {
  static TApplication application;
  return application;
}

// Not Qt's display name: Qt would append it to every window's caption.
void TApplication::setTitle(const QString &title) { m_title = title; }

void TApplication::HelpJump(const QString &keyword) { ShowHelpTopic(m_helpFile, keyword); }

Dialogs &TApplication::dialogs() {
  if (m_dialogs)
    return *m_dialogs;
  if (!m_qtDialogs)
    m_qtDialogs = std::make_unique<QtDialogs>();
  return *m_qtDialogs;
}

void TApplication::ShowMainForm() {
  m_mainFormHeld = false;
  TForm *main = mainForm();
  if (main && !m_terminated && !main->isVisible())
    main->ShowAsDesigned();
  if (m_afterFirstFrame && m_afterFirstFrame->pending())
    m_afterFirstFrame->runAfterFirstFrame(main);
}

void TApplication::AfterFirstFrame(std::function<void()> work) {
  TForm *main = mainForm();
  if (!main)
    return work();
  // Made with the main form, the work waiting goes with it.
  if (!m_afterFirstFrame)
    m_afterFirstFrame = new FirstFrameWork(main);
  const bool waiting = m_afterFirstFrame->pending();
  m_afterFirstFrame->add(std::move(work));
  if (!m_mainFormHeld && !waiting)
    m_afterFirstFrame->runAfterFirstFrame(main);
}

void TApplication::FinishStart() {
  if (m_afterFirstFrame)
    m_afterFirstFrame->runNow();
}

void TApplication::Terminate() {
  m_terminated = true;
  QCoreApplication::quit();
}

QList<TForm *> TApplication::forms() const {
  QList<TForm *> result;
  for (const Owned &owned : m_forms)
    if (owned.form)
      result.append(owned.form);
  return result;
}

TForm *TApplication::mainForm() const {
  for (const Owned &owned : m_forms)
    if (owned.form)
      return owned.form;
  return nullptr;
}

bool TApplication::CloseQueryAll(TForm *except) {
  const QList<TForm *> all = forms();
  for (int pass = 0; pass < 2; ++pass) {
    for (TForm *form : all) {
      const bool mdiChild = form->kind() == TForm::Kind::MdiChild;
      if (form == except || mdiChild != (pass == 0))
        continue;
      if (!form->FormCloseQuery())
        return false;
    }
  }
  return true;
}

void TApplication::DestroyForms() {
  if (m_afterFirstFrame)
    m_afterFirstFrame->drop();
  while (!m_forms.isEmpty()) {
    Owned owned = m_forms.takeLast();
    if (owned.form) {
      // An MDI child is owned by its sub-window; destroy that with it.
      QMdiSubWindow *sub = owned.form->mdiSubWindow();
      delete owned.form.data();
      delete sub;
    }
    if (owned.clearInstance)
      owned.clearInstance();
  }
  m_terminated = false;
}

void TApplication::setMdiArea(QMdiArea *area) { m_mdiArea = area; }

QMdiArea *TApplication::mdiArea() const { return m_mdiArea; }

void TApplication::adopt(TForm *form, std::function<void()> clearInstance) {
  m_forms.append(Owned{form, std::move(clearInstance)});
}

TForm::TForm(Kind kind, const QString &name) : m_kind(kind) {
  setObjectName(name);
  setAttribute(Qt::WA_DeleteOnClose, false);
  if (kind == Kind::Dialog)
    setWindowFlag(Qt::Dialog);
  m_mdiChildInArea = kind == Kind::MdiChild && Application().mdiArea() != nullptr;
  // The frame's font, before any control exists: the controls then take it as they are made,
  // instead of all being told of a new font when the form moves into the frame, which cost
  // more than half as much as building the form.
  if (m_mdiChildInArea)
    setFont(Application().mdiArea()->font());
}

TForm::~TForm() = default;

void TForm::setDesignedState(bool visible, bool maximized) {
  m_designedVisible = visible;
  m_designedMaximized = maximized;
}

void TForm::setDesignedGeometry(int left, int top, int width, int height) {
  m_designedGeometry = QRect(left, top, width, height);
  resize(width, height);
  if (!m_mdiChildInArea)
    move(left, top);
}

QMenu *TForm::addMenu(const QString &caption, const QString &name) {
  auto *menu = new QMenu(caption, this);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  m_menus.append(menu);
  if (!m_mdiChildInArea)
    menuBar()->addMenu(menu);
  emit menusChanged();
  return menu;
}

QMdiSubWindow *TForm::mdiSubWindow() const { return qobject_cast<QMdiSubWindow *>(parentWidget()); }

void TForm::create() {
  // Every window carries the icon drawn for its form name; FormCreate may still choose another.
  setWindowIcon(FormIcon(objectName()));
  guarded([this] { FormCreate(); });
  place();
}

void TForm::place() {
  if (m_mdiChildInArea) {
    QMdiArea *area = Application().mdiArea();
    QMdiSubWindow *sub = area->addSubWindow(this);
    sub->setObjectName(objectName() + QStringLiteral("Window"));
    sub->setWindowTitle(windowTitle());
    sub->setWindowIcon(windowIcon());
    if (!m_designedGeometry.isNull())
      sub->setGeometry(m_designedGeometry);
    connect(this, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    connect(this, &QWidget::windowIconChanged, sub, &QWidget::setWindowIcon);
    // MDI children are always visible once created.
    if (m_designedMaximized)
      sub->showMaximized();
    else
      sub->show();
    area->setActiveSubWindow(sub);
    return;
  }
  if (m_kind == Kind::Dialog || !m_designedVisible)
    return;
  if (Application().mainFormHeld() && Application().mainForm() == this)
    return;
  ShowAsDesigned();
}

void TForm::ShowAsDesigned() {
  if (m_designedMaximized)
    showMaximized();
  else
    show();
}

void TForm::Show() {
  if (QMdiSubWindow *sub = mdiSubWindow()) {
    show();
    if (sub->isMinimized() || !sub->isVisible()) {
      if (m_designedMaximized)
        sub->showMaximized();
      else
        sub->showNormal();
    }
    if (QMdiArea *area = sub->mdiArea())
      area->setActiveSubWindow(sub);
  } else {
    if (isMinimized())
      setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
  }
  BringToFront();
}

void TForm::Close() {
  if (QMdiSubWindow *sub = mdiSubWindow())
    sub->close();
  else
    close();
}

void TForm::BringToFront() {
  if (QMdiSubWindow *sub = mdiSubWindow()) {
    sub->raise();
    return;
  }
  raise();
  activateWindow();
}

bool TForm::isShownToUser() const {
  if (QMdiSubWindow *sub = mdiSubWindow())
    return sub->isVisible() && !sub->isMinimized() && isVisible();
  return isVisible() && !isMinimized();
}

int TForm::ShowModal() {
  m_modalResult = mrNone;
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  QEventLoop loop;
  m_inModalLoop = true;
  while (m_modalResult == mrNone && isVisible() && !Application().terminated())
    loop.processEvents(QEventLoop::WaitForMoreEvents);
  m_inModalLoop = false;
  hide();
  setWindowModality(Qt::NonModal);
  if (m_modalResult == mrNone)
    m_modalResult = mrCancel;
  return m_modalResult;
}

void TForm::setModalResult(int result) {
  m_modalResult = result;
  if (result != mrNone && m_inModalLoop)
    hide();
}

void TForm::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous())
    guarded([this] { FormShow(); });
}

void TForm::closeEvent(QCloseEvent *event) {
  if (Application().terminated()) {
    event->accept();
    return;
  }
  const bool isMain = Application().mainForm() == this;
  if (!FormCloseQuery() || (isMain && !Application().CloseQueryAll(this))) {
    event->ignore();
    return;
  }
  CloseAction action = isMain                     ? CloseAction::Free
                       : m_kind == Kind::MdiChild ? CloseAction::Minimize
                                                  : CloseAction::Hide;
  FormClose(action);
  if (isMain && action != CloseAction::None) {
    event->accept();
    Application().Terminate();
    return;
  }
  switch (action) {
  case CloseAction::None:
    event->ignore();
    break;
  case CloseAction::Minimize:
    event->ignore();
    if (QMdiSubWindow *sub = mdiSubWindow())
      sub->showMinimized();
    else
      showMinimized();
    break;
  case CloseAction::Hide:
  case CloseAction::Free: // tool windows live until the application ends
    event->accept();
    if (m_inModalLoop && m_modalResult == mrNone)
      m_modalResult = mrCancel;
    break;
  }
}

} // namespace corvana
