#include "twinfold/TwinfoldU.h"

#include "controls/FileChain.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "twinfold/FileOperations.h"

#include <QDir>
#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

namespace corvana {

const QString TTwinfoldF::Filter =
    QStringLiteral("All files (*.*)|*.*|Plain Text|*.txt|Rich Text|*.rtf|HTML|*.htm;*.html|Graphic|*.bmp;*.jpg;*.gif|"
                   "JPEG|*.jpg");

namespace {
using T = TTwinfoldF;
const CommandRow<T> Rows[] = {
    {"", "dirs", "", {}, nullptr, nullptr, Popup},
    {"dirs", "MakeDirectory1", "&Make Directory", {}, &T::MakeDirectory1Click},
    {"dirs", "DeleteDirectory1", "&Delete Directory", {}, &T::DeleteDirectory1Click},
    {"", "files", "", {}, nullptr, nullptr, Popup},
    {"files", "CopyFiles1", "&Copy Files", {}, &T::CopyFiles1Click},
    {"files", "DeleteFiles1", "&Delete Files", {}, &T::DeleteFiles1Click},
    {"files", "RenameFile1", "&Rename File", {}, &T::RenameFile1Click},
};

void silver(QWidget *list) {
  QPalette palette = list->palette();
  palette.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
  list->setPalette(palette);
}
} // namespace

TTwinfoldF::TTwinfoldF() : TForm(Kind::MdiChild, QStringLiteral("TwinfoldF")) {
  setWindowTitle(QStringLiteral("Twinfold 2"));
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 560, 420);
  m_commands.build(this, Rows);

  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  auto *row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(makePane(QStringLiteral("a"), fmdrivea, fmfiltera, fmdira, fmfilea));
  row->addStretch(1);
  row->addWidget(makePane(QStringLiteral("b"), fmdriveb, fmfilterb, fmdirb, fmfileb));
  setCentralWidget(client);
}

QWidget *TTwinfoldF::makePane(const QString &side, DriveComboBox *&drive, FilterComboBox *&filter,
                              DirectoryListBox *&dir, FileListBox *&files) {
  auto *pane = new QWidget(this);
  pane->setObjectName(QStringLiteral("Panel") + side.toUpper());
  pane->setFixedWidth(250);
  auto *column = new QVBoxLayout(pane);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(2);
  drive = new DriveComboBox(pane);
  drive->setObjectName(QStringLiteral("fmdrive") + side);
  filter = new FilterComboBox(pane);
  filter->setObjectName(QStringLiteral("fmfilter") + side);
  dir = new DirectoryListBox(pane);
  dir->setObjectName(QStringLiteral("fmdir") + side);
  files = new FileListBox(pane);
  files->setObjectName(QStringLiteral("fmfile") + side);
  silver(dir);
  silver(files);
  column->addWidget(drive);
  column->addWidget(filter);
  column->addWidget(dir, 2);
  column->addWidget(files, 3);

  drive->setDirList(dir);
  dir->setFileList(files);
  filter->setFileList(files);
  filter->setFilter(Filter);

  for (QWidget *list : {static_cast<QWidget *>(dir), static_cast<QWidget *>(files)}) {
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    QMenu *menu = m_commands.menu(list == dir ? QStringLiteral("dirs") : QStringLiteral("files"));
    connect(list, &QWidget::customContextMenuRequested, this, [this, list, menu](const QPoint &at) {
      PopupComponent = list;
      menu->popup(list->mapToGlobal(at));
    });
  }
  FileListBox *target = files;
  connect(files, &FileListBox::filesDropped, this,
          [this, target](FileListBox *source) { guarded([&] { FileListDragDrop(target, source); }); });
  return pane;
}

void TTwinfoldF::FormCreate() {
  fmdira->setDirectory(QDir::currentPath());
  fmdirb->setDirectory(QDir::currentPath());
}

DirectoryListBox *TTwinfoldF::popupDirectoryList() const {
  auto *list = qobject_cast<DirectoryListBox *>(PopupComponent);
  return list ? list : fmdira;
}

FileListBox *TTwinfoldF::popupFileList() const {
  auto *list = qobject_cast<FileListBox *>(PopupComponent);
  return list ? list : fmfilea;
}

void TTwinfoldF::MakeDirectory1Click() {
  DirectoryListBox *list = popupDirectoryList();
  const QString name =
      Application().dialogs().inputBox(QStringLiteral("File Manager"), QStringLiteral("New Directory"), QString());
  if (name.isEmpty())
    return;
  MakeDirectory(list->Directory(), name);
  list->Update();
}

void TTwinfoldF::DeleteDirectory1Click() {
  DirectoryListBox *list = popupDirectoryList();
  const QString path = list->itemPath(list->currentRow());
  if (path.isEmpty())
    return;
  RemoveDirectory(path);
  // Removing the directory shown (or one above it) leaves the list on what still exists.
  list->setDirectory(list->Directory());
}

void TTwinfoldF::copyFrom(FileListBox *source) {
  FileListBox *target = source == fmfilea ? fmfileb : fmfilea;
  DirectoryListBox *targetDir = source == fmfilea ? fmdirb : fmdira;
  const QStringList names = source->selectedNames();
  if (names.isEmpty())
    return;
  const qint64 total = TotalSize(source->Directory(), names);
  auto progress = Application().dialogs().progress(QStringLiteral("Copying files"), total);
  CopyFiles(source->Directory(), names, targetDir->Directory(),
            [&](qint64 done, const QString &name) { return progress->update(done, name); });
  target->Update();
}

void TTwinfoldF::CopyFiles1Click() { copyFrom(popupFileList()); }

void TTwinfoldF::DeleteFiles1Click() {
  FileListBox *list = popupFileList();
  const QStringList names = list->selectedNames();
  if (!Application().dialogs().confirm(QStringLiteral("Delete %1 files?").arg(names.size())))
    return;
  DeleteFiles(list->Directory(), names);
  list->Update();
}

void TTwinfoldF::RenameFile1Click() {
  FileListBox *list = popupFileList();
  const QString answer =
      Application().dialogs().inputBox(QStringLiteral("File Manager"), QStringLiteral("New File Name:"), QString());
  if (answer.isEmpty())
    return;
  const QString current = list->FileName();
  if (!current.isEmpty())
    RenameFile(list->Directory(), current.mid(current.lastIndexOf(u'/') + 1), answer);
  list->Update();
}

void TTwinfoldF::FileListDragDrop(FileListBox *target, FileListBox *source) {
  if (source != target && (source == fmfilea || source == fmfileb))
    copyFrom(source);
}

} // namespace corvana
