#pragma once
// The HTML editor window: two text panes that each keep their own document, plain or rich
// text, with the file commands, the reopen list, the view switches and the editor's settings.

#include "platform/CommandTable.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/UnsavedDocument.h"
#include "prosel/NameValueList.h"
#include "prosel/ProselSettings.h"

class QAction;
class QComboBox;
class QLabel;
class QSplitter;
class QToolBar;
class QWidget;

namespace corvana {

class ColorComboBox;
class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class FilterComboBox;
class FontNameBox;
class TFindDialog;
class TReplaceDialog;
class TRichEdit;

class TProselF : public TForm {
  Q_OBJECT

public:
  TProselF();

  void FormCreate() override;
  void FormShow() override;
  bool FormCloseQuery() override;

  // Commands
  void New1Click();
  void Open1Click();
  void ReopenClick(int index);
  void Save1Click();
  void Saveas1Click();
  void Print1Click();
  void PrinterSetup1Click();
  void Exit1Click();
  void Undo1Click();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void SelectAll1Click();
  void DeleteLine1Click();
  void Wrap1Click();
  void Files1Click();
  void Style1Click();
  void Tags1Click();
  void Top1Click();
  void Bottom1Click();
  void Both1Click();
  void PlainText1Click();
  void RichText1Click();
  void Vellant1Click();
  void Lexora1Click();
  void SiteWizard1Click();

  // Search, bookmark and formatting
  void Find1Click();
  void Replace1Click();
  void FindDialog1Find();
  void ReplaceDialog1Find();
  void ReplaceDialog1Replace();
  void Bookmark1Click();
  void GoBookMark1Click();
  void SelectfromBookmark1Click();
  void PlainFont1Click();
  void Background1Click();
  void Bold1Click();
  void Italic1Click();
  void Underline1Click();
  void Normal1Click();
  void FontStyle1Click();
  void FontboxChange();
  void SizeBoxChange();
  void richcolorChange(TColor color);
  void rtfFontLargerClick();
  void Center1Click();
  void Left1Click();
  void Right1Click();
  void Bullet1Click();
  void None1Click();

  // HTML inserts, markup and preview
  void HTMLInsertClick();
  void ParagraphInsertClick();
  void BoldInsertClick();
  void ItalicInsertClick();
  void BreakInsertClick();
  void RuleInsertClick();
  void FontInsertClick();
  void LinkInsertClick();
  void TargetInsertClick();
  void ListItemInsertClick();
  void BulletListInsertClick();
  void NumListInsertClick();
  void Keywords1Click();
  void Description1Click();
  void FrameLeft1Click();
  void FrameTop1Click();
  void FrameBottom1Click();
  void FrameHeader1Click();
  void Date1Click();
  void Image1Click();
  void ImageShort1Click();
  void Topic1Click();
  void Table1Click();
  void RemoveHTML1Click();
  void HighlightHTML1Click();
  void HTML1Click();

  // File panel
  void FileListBox1DblClick();
  void CreateIndex1Click();
  void CreateShortLinks1Click();
  void CreateLongLinks1Click();
  void CopyShortNames1Click();
  void CopyLongNames1Click();
  void ExtractLinks1Click();
  // A drop of the file list's files onto the upper pane, acting by LinkMode.
  void EditorADragDrop();
  // A drop of the file list onto the targets box: the anchors of the folder's pages.
  void cboTargetsDragDrop();
  void cboTargetsClick(int index);

  // Tag library, directories, translations and the tag picker
  void cboLibClick();
  void Add1Click();
  void LibDelete1Click();
  void NewTagsFile1Click();
  void Load1Click();
  void LibSaveAs1Click();
  void TagsMode1Click();
  void DocsMode1Click();
  void cboLibDragDrop();
  void cboDirsClick();
  void cboDirsDragDrop();
  void DirsDelete1Click();
  void Reload1Click();
  void Edit2Click();
  void cboTransClick();
  void Translation1Click();
  void Attributes1Click();

  // State the commands share
  TRichEdit *ActiveEditor = nullptr;
  QString AppDir;
  QString CurrentFile;
  QString CurrentName;
  QString FileA, FileB;
  QString BaseCaption;
  int FindPos = 0;
  int BookmarkPos = 0;
  int LinkMode = 1;  // the file list's drop mode, 1 to 6
  QString DialogDir; // where the document dialogs start; empty for their own choice
  QString TagsFile, DirsFile, TransFile;
  QString LibMode;
  bool InTag = false;
  int TagStart = 0;
  QString TagName;
  FontChoice FontDialog1;
  ReopenList Reopen;

  // Controls
  QWidget *EditorPanel;
  QSplitter *Splitter1;
  TRichEdit *EditorA;
  TRichEdit *EditorB;
  QWidget *FilePanel;
  DriveComboBox *DriveComboBox1;
  DirectoryListBox *DirectoryListBox1;
  FileListBox *FileListBox1;
  FilterComboBox *FilterComboBox1;
  QToolBar *ToolBar2;
  QToolBar *FontPanel;
  FontNameBox *Fontbox;
  ColorComboBox *richcolor;
  QComboBox *SizeBox;
  QComboBox *cboTrans;
  QToolBar *Tagspanel;
  QComboBox *cboLib;
  QComboBox *cboTargets;
  QComboBox *cboDirs;
  QList<QLabel *> StatusPanels;
  TFindDialog *FindDialog1;
  TReplaceDialog *ReplaceDialog1;

  NameValueList TransList, LibList, DirsList;

  QAction *action(const QString &name) const;
  // The file dialogs' filter.
  static const QString FileFilter;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void buildPanes();
  void buildCommands();
  void buildToolBars();
  void buildSearchAndFormatting();

  void setCaptionFromName();
  void activatePane(TRichEdit *pane);
  QString &paneFile(TRichEdit *pane) { return pane == EditorA ? FileA : FileB; }
  void loadActive(const QString &path);
  void writeActive(const QString &path);
  // Saves a pane; a save that had to change the file's encoding says so in the status bar.
  void savePane(TRichEdit *pane, const QString &path);
  bool runSaveDialog(QString &path);
  void setRichMode(bool rich);
  void loadList(QComboBox *box, NameValueList &list, const QString &path);
  void applySettings(const ProselSettings &settings);
  ProselSettings currentSettings() const;
  // The steps of a close and of Exit; false when the window is to stay open.
  bool closeSteps();
  UnsavedDocument savablePane(TRichEdit *pane);
  void refreshReopenMenu();
  // Puts text in place of the selection; the caret then goes `caret` characters after where
  // the text starts, or stays after it for -1.
  void insertText(const QString &text, int caret = -1);
  void insertFragment(const QString &item);
  QString previewPath() const;
  // The pane's text as the page a browser is to show.
  static QByteArray pageBytes(TRichEdit *pane);
  void buildFilePanelLinks();
  void buildListBoxes();
  void showList(QComboBox *box, const NameValueList &list);
  // "<" and ">" typed into the upper pane start and end a tag; true when the key was taken.
  bool filterTagKeys(QObject *watched, QEvent *event);
  void setLinkMode(int mode);
  // Files dropped from the file list onto a pane or the targets box.
  bool handleFileListDrop(QObject *target, QEvent *event);
  void createHelpIndex();
  void insertAtEditorA(const QString &text);
  // Runs a find or replace dialog: the other dialog's text when it has none, and the search
  // starting after the caret once it is shown.
  void openSearchDialog(TFindDialog *dialog, TFindDialog *other);
  // The next match of the dialog's text after FindPos, or -1.
  int findNext(const TFindDialog *dialog) const;
  void findWith(TFindDialog *dialog);
  void toggleStyle(int style); // a TFontStyle
  void showFontInBoxes(const QString &name, int size);

  QList<QAction *> m_reopenItems;
  Commands m_commands;
  bool m_shownOnce = false;
  // Shift as it was when the Font Larger button was pressed.
  bool m_largerWithShift = false;
};

inline TProselF *ProselF = nullptr;

} // namespace corvana
