#pragma once
// The application object and the form base every window of the suite derives from, with the
// form factory (CreateForm) and the rule by which tool windows are opened (OpenToolWindow).

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace corvana {

class Dialogs;
class FirstFrameWork;
class TForm;

class TApplication {
public:
  TApplication();
  ~TApplication();

  const QString &title() const { return m_title; }
  void setTitle(const QString &title);
  const QString &helpFile() const { return m_helpFile; }
  void setHelpFile(const QString &file) { m_helpFile = file; }
  // Shows the help file at the topic keyword; a missing file is reported here.
  void HelpJump(const QString &keyword);

  Dialogs &dialogs();
  // Replaces the dialogs service (tests); nullptr restores the Qt one.
  void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
  Dialogs *installedDialogs() const { return m_dialogs; }

  // Ends the message loop; forms are destroyed afterwards by DestroyForms.
  void Terminate();
  bool terminated() const { return m_terminated; }

  // While held, the main form is not shown when it is created but by ShowMainForm, as the
  // message loop begins: the windows created meanwhile go into a hidden frame and are laid
  // out once, at its size.
  void HoldMainForm() { m_mainFormHeld = true; }
  bool mainFormHeld() const { return m_mainFormHeld; }
  void ShowMainForm();
  // Work the first frame does not need, such as the windows that start hidden: it runs once
  // the main form's first frame is drawn, or when FinishStart is called.
  void AfterFirstFrame(std::function<void()> work);
  // Runs what still waits for the first frame, for a command that needs what it makes.
  void FinishStart();

  // Forms created through CreateForm, in creation order; the first is the main form.
  QList<TForm *> forms() const;
  TForm *mainForm() const;
  // Asks every live form but the main one whether it may close, MDI children first.
  bool CloseQueryAll(TForm *except);
  // Destroys every form, last created first, and clears their instance variables.
  void DestroyForms();

  void setMdiArea(QMdiArea *area);
  QMdiArea *mdiArea() const;

  // Used by CreateForm: takes ownership and remembers how to clear the instance variable.
  void adopt(TForm *form, std::function<void()> clearInstance);

private:
  struct Owned {
    QPointer<TForm> form;
    std::function<void()> clearInstance;
  };
  QString m_title;
  QString m_helpFile;
  Dialogs *m_dialogs = nullptr;
  std::unique_ptr<Dialogs> m_qtDialogs;
  QList<Owned> m_forms;
  QPointer<QMdiArea> m_mdiArea;
  QPointer<FirstFrameWork> m_afterFirstFrame;
  bool m_terminated = false;
  bool m_mainFormHeld = false;
};

TApplication &Application();

class TForm : public QMainWindow {
  Q_OBJECT

public:
  enum class Kind { MdiChild, TopLevel, Dialog };
  enum class CloseAction { None, Hide, Free, Minimize };
  enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrNo = 7 };

  TForm(Kind kind, const QString &name);
  ~TForm() override;

  Kind kind() const { return m_kind; }
  // Whether the window is shown, and maximised, when it is created.
  void setDesignedState(bool visible, bool maximized);
  bool designedMaximized() const { return m_designedMaximized; }
  // Designed size and place (of the MDI child window when the form is one).
  void setDesignedGeometry(int left, int top, int width, int height);

  // The form's menus; MDI children hand them to the frame, other forms show them themselves.
  QMenu *addMenu(const QString &caption, const QString &name);
  const QList<QMenu *> &menus() const { return m_menus; }
  bool mergesMenus() const { return m_mdiChildInArea; }
  QMdiSubWindow *mdiSubWindow() const;

  void Show();
  // Shows a top-level window as designed, maximised or not.
  void ShowAsDesigned();
  // Closes the window as the user's close box does (an MDI child through its frame window).
  void Close();
  void BringToFront();
  bool isShownToUser() const;
  // Shows a dialog-kind form modally and returns its modal result.
  int ShowModal();
  void setModalResult(int result);
  int modalResult() const { return m_modalResult; }

  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual bool FormCloseQuery() { return true; }
  virtual void FormClose(CloseAction &) {}

  // Used by CreateForm: runs FormCreate and places the window as its kind says.
  void create();

signals:
  void menusChanged();

protected:
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  void place();
  Kind m_kind;
  bool m_designedVisible = true;
  bool m_designedMaximized = false;
  QRect m_designedGeometry;
  bool m_mdiChildInArea = false;
  QList<QMenu *> m_menus;
  int m_modalResult = mrNone;
  bool m_inModalLoop = false;
};

// Creates a form through the application's form factory: the instance variable holds the new
// form before its FormCreate runs.
template <class F> F *CreateForm(F *&instance) {
  auto *form = new F();
  instance = form;
  Application().adopt(form, [&instance] { instance = nullptr; });
  form->create();
  return form;
}

// Creates the tool window on first use; afterwards it is only shown and brought to the front.
template <class F> F *OpenToolWindow(F *&instance) {
  if (!instance)
    CreateForm(instance);
  instance->Show();
  instance->BringToFront();
  return instance;
}

} // namespace corvana
