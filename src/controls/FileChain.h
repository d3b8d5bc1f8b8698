#pragma once
// The four linked controls that browse the disk: a drive box, a directory list, a file list and
// a file-type filter box. The drive box sets the directory list, the directory list sets the
// file list's directory, the filter box sets the file list's mask.

#include <QComboBox>
#include <QListView>
#include <QListWidget>
#include <QStringList>
#include <chrono>
#include <memory>

namespace corvana {

class DirectoryListBox;
class FileListBox;
class FileListModel;

class DriveComboBox : public QComboBox {
  Q_OBJECT

public:
  explicit DriveComboBox(QWidget *parent = nullptr);
  // The mount points of the machine, "/" first.
  static QStringList Drives();
  QString Drive() const { return currentText(); }
  // Selects the drive that holds `path` (the longest mount point it lies under).
  void showDriveOf(const QString &path);
  void setDirList(DirectoryListBox *list);

signals:
  void driveChanged(const QString &root);

private:
  DirectoryListBox *m_dirList = nullptr;
};

class DirectoryListBox : public QListWidget {
  Q_OBJECT

public:
  enum Role { PathRole = Qt::UserRole, LevelRole };
  explicit DirectoryListBox(QWidget *parent = nullptr);

  // The directory shown; its steps from "/" come first, then its subdirectories.
  const QString &Directory() const { return m_directory; }
  // Shows a directory; one that does not exist shows its nearest existing parent.
  void setDirectory(const QString &directory);
  // Reads the directory again.
  void Update();
  // Full path of an item.
  QString itemPath(int index) const;
  // The item of the directory shown.
  int currentDirectoryIndex() const { return m_currentIndex; }

  void setFileList(FileListBox *list);
  void setDriveCombo(DriveComboBox *drives) { m_drives = drives; }

signals:
  void directoryChanged(const QString &directory);

private:
  QString m_directory;
  int m_currentIndex = -1;
  FileListBox *m_fileList = nullptr;
  DriveComboBox *m_drives = nullptr;
};

class FileListBox : public QListView {
  Q_OBJECT

public:
  explicit FileListBox(QWidget *parent = nullptr);
  ~FileListBox() override;

  const QString &Directory() const { return m_directory; }
  void setDirectory(const QString &directory);
  const QString &Mask() const { return m_mask; }
  void setMask(const QString &mask);
  // Full path of the current item; empty when there is none.
  QString FileName() const;
  // Bare names of the files shown, in list order.
  const QStringList &items() const;
  int count() const { return int(items().size()); }
  bool selected(int index) const;
  void setSelected(int index, bool on);
  int SelCount() const;
  // Names of the selected files, in list order.
  QStringList selectedNames() const;
  // Reads the directory again. A directory that reads slowly is read in the background: the
  // list says so and the window stays usable; the names appear when they are all read.
  void Update();
  bool isListing() const { return m_listing != nullptr; }
  // Waits until a background read has ended (for callers that need the names at once).
  void waitForListing();

  // How long Update waits for a directory before reading it in the background.
  static inline std::chrono::milliseconds ListingWait{150};

  // A file list's drag: the selected files, as file addresses other programs take too.
  static constexpr const char *DragFormat = "application/x-corvana-file-list";

signals:
  // The names shown were replaced.
  void listed();
  // Files were dropped here from a file list (this one or another).
  void filesDropped(FileListBox *source);

protected:
  void startDrag(Qt::DropActions actions) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  struct Job;
  void showNames(QStringList names);
  void poll();
  QString m_directory;
  QString m_mask = QStringLiteral("*.*");
  FileListModel *m_model;
  std::shared_ptr<Job> m_listing;
  int m_pollTimer = 0;

protected:
  void timerEvent(QTimerEvent *event) override;
};

class FilterComboBox : public QComboBox {
  Q_OBJECT

public:
  explicit FilterComboBox(QWidget *parent = nullptr);
  // "name|mask|name|mask…"; the first entry is chosen.
  void setFilter(const QString &filter);
  // The mask of the entry chosen.
  QString Mask() const;
  void setFileList(FileListBox *list);

private:
  QStringList m_masks;
  FileListBox *m_fileList = nullptr;
};

} // namespace corvana
