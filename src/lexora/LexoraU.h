#pragma once
// The highlighting editor window: a colour memo coloured by the rules of the rule file, the
// check list that switches rules on and off, the recent-files box, and the file, edit, search,
// font, print and help commands.

#include "core/TextFiles.h"
#include "lexora/LexoraSettings.h"
#include "lexora/RuleFile.h"
#include "platform/CommandTable.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QToolBar;

namespace corvana {

class TColorMemo;
class TFindDialog;
class TReplaceDialog;

class TLexoraF : public TForm {
  Q_OBJECT

public:
  TLexoraF();

  void FormCreate() override;
  void FormShow() override;
  // A changed document is offered for saving; Cancel, or a save that fails, keeps the window.
  bool FormCloseQuery() override;
  void FormClose(CloseAction &action) override;

  // Commands
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Close1Click();
  void Print1Click();
  void Exit1Click();
  void Undo1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Delete1Click();
  void SelectAll1Click();
  void Find1Click();
  void Replace1Click();
  void ViewChecklist1Click();
  void PrintFont1Click();
  void EditorFont1Click();
  void ReloadRules1Click();
  void Wordwrap1Click();
  void Contents1Click();
  void About1Click();
  void FindDialog1Find();
  void ReplaceDialog1Replace();
  void LexoraNamesClickCheck(int index);
  void cboFilesClick(int index);

  // Reads the rule file into the editor's rules and the check list (nothing when it is missing).
  void ReadRules();
  // Opens a document as the Open command does after its dialog.
  void OpenFile(const QString &path);

  // State the commands share
  QString LexoraFile;
  QString LexoraDir;
  QString AppDir;
  QString RuleFile;
  int FindFrom = 0;
  QString FindText, ReplaceText;
  FontChoice FontDialog1;
  FontChoice PrinterFont;
  RecentFiles Recent;

  // Controls
  TColorMemo *Editor;
  QToolBar *ToolBar1;
  QComboBox *cboFiles;
  QListWidget *LexoraNames;
  QList<QLabel *> StatusPanels;
  TFindDialog *FindDialog1;
  TReplaceDialog *ReplaceDialog1;

  QAction *action(const QString &name) const;
  static const QString FileFilter;
  static const QString AboutText;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void buildClient();
  void buildCommands();
  void buildRecentBox();
  void loadDocument(const QString &path);
  void writeDocument(const QString &path);
  // False when the user cancelled the save dialog.
  bool saveDocument();
  bool saveDocumentAs();
  void setDocument(const QString &path);
  void refreshRecentBox(int selected);
  void applySettings(const LexoraSettings &settings);
  LexoraSettings currentSettings() const;
  void applyWordwrap(bool on);
  void applyEditorFont();
  // Searches forward from FindFrom with a dialog's text and options (Find Next).
  void findWith(TFindDialog *dialog);

  Commands m_commands;
  TextFileFormat m_format = NewLinesDocument;
  bool m_fillingNames = false;
};

inline TLexoraF *LexoraF = nullptr;

} // namespace corvana
