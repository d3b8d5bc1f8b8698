#pragma once
// The two-pane file manager: each pane browses the disk with a drive box, a filter box, a
// directory list and a file list; files are copied between the panes by a command or by
// dragging, and files and directories are made, renamed and deleted.

#include "platform/CommandTable.h"
#include "platform/Forms.h"

class QWidget;

namespace corvana {

class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class FilterComboBox;

class TTwinfoldF : public TForm {
  Q_OBJECT

public:
  TTwinfoldF();

  void FormCreate() override;

  void MakeDirectory1Click();
  void DeleteDirectory1Click();
  void CopyFiles1Click();
  void DeleteFiles1Click();
  void RenameFile1Click();
  // Files dropped on `target` from `source`.
  void FileListDragDrop(FileListBox *target, FileListBox *source);

  // Copies the selected files of `source` to the other pane's directory.
  void copyFrom(FileListBox *source);

  static const QString Filter;

  DriveComboBox *fmdrivea, *fmdriveb;
  FilterComboBox *fmfiltera, *fmfilterb;
  DirectoryListBox *fmdira, *fmdirb;
  FileListBox *fmfilea, *fmfileb;
  // The list a pop-up menu was opened on; its commands act on it.
  QWidget *PopupComponent = nullptr;

  Commands &commands() { return m_commands; }

private:
  QWidget *makePane(const QString &side, DriveComboBox *&drive, FilterComboBox *&filter, DirectoryListBox *&dir,
                    FileListBox *&files);
  DirectoryListBox *popupDirectoryList() const;
  FileListBox *popupFileList() const;
  Commands m_commands;
};

inline TTwinfoldF *TwinfoldF = nullptr;

} // namespace corvana
