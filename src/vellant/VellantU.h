#pragma once
// The browser window: a frame-aware HTML view under a bar of buttons and a history list, with
// a status line for the link under the mouse. Other tools show pages here by loading a file
// into FrameView.

#include "platform/CommandTable.h"
#include "platform/Forms.h"

#include <QStringList>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QPainter;

namespace corvana {

class TFrameView;
class TFindDialog;
struct THtmlFormControl;

class TVellantF : public TForm {
  Q_OBJECT

public:
  TVellantF();

  void FormCreate() override;
  void FormShow() override;

  void Open1Click();
  void Print1Click();
  void Exit1Click();
  void Find1Click();
  void Copy1Click();
  void SelectAll1Click();
  void ShowImages1Click();
  void About1Click();
  void BookmarkbuttonClick();
  void GohomebuttonClick();
  void ReloadbuttonClick();
  void backbuttonClick();
  void FwdbuttonClick();
  void HistoryListClick(int index);
  void FindDialogFind();
  // Files dropped on the window from the desktop.
  void DropFiles(const QStringList &files);

  void FrameViewHistoryChange();
  void FrameViewProcessing(bool processing);
  void FrameViewHotSpotTargetCovered(const QString &target, const QString &url);
  void FrameViewHotSpotTargetClick(const QString &target, const QString &url, bool &handled);
  void FrameViewSoundRequest(const QString &src, int loop, bool terminate);
  void FrameViewBlankWindowRequest(const QString &target, const QString &url);
  void FrameViewObjectClick(const THtmlFormControl &control, const QString &onClick);
  void FrameViewPrintHeader(QPainter &canvas, int numPage, int width, int height, bool &stop);
  void FrameViewPrintFooter(QPainter &canvas, int numPage, int width, int height, bool &stop);

  TFrameView *FrameView;
  QString AppDir;
  QString Bookmark;

  // The directory the open dialog starts in.
  const QString &openDir() const { return m_openDir; }
  QString statusText() const;
  QComboBox *historyList() const { return HistoryList; }
  TFindDialog *findDialog() const { return FindDialog; }

  // The program's arguments the window reads when shown; unset means the real ones.
  static void SetCommandLine(std::optional<QStringList> arguments);

protected:
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void buildCommands();
  // Loads a file and makes the caption the document's title once it is shown.
  void loadAndTitle(const QString &file);
  void openWithDialog();

  Commands m_commands;
  QAction *Reloadbutton, *backbutton, *Fwdbutton;
  QComboBox *HistoryList;
  QLabel *m_status;
  TFindDialog *FindDialog;
  QAction *Open1, *Print1, *Find1, *SelectAll1, *ShowImages1;
  QString m_openDir;
  bool m_titleAfterLoad = false;
};

inline TVellantF *VellantF = nullptr;

} // namespace corvana
