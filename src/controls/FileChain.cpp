#include "controls/FileChain.h"

#include "controls/ButtonIcons.h"
#include "core/DirectoryListing.h"
#include "platform/FileFilters.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QThreadPool>
#include <QTimerEvent>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace corvana {

namespace {

QIcon glyphFor(const QString &name) {
  static const QHash<QString, QString> kinds{
      {"htm", "text-html"},       {"html", "text-html"},       {"txt", "text-x-generic"},  {"rtf", "text-x-generic"},
      {"css", "text-x-generic"},  {"js", "text-x-generic"},    {"ini", "text-x-generic"},  {"bmp", "image-x-generic"},
      {"jpg", "image-x-generic"}, {"jpeg", "image-x-generic"}, {"gif", "image-x-generic"}, {"png", "image-x-generic"},
      {"ico", "image-x-generic"}, {"wmf", "image-x-generic"},  {"emf", "image-x-generic"},
  };
  static QHash<QString, QIcon> icons;
  const int dot = name.lastIndexOf(u'.');
  const QString kind = kinds.value(dot < 0 ? QString() : name.mid(dot + 1).toLower(), QStringLiteral("document-new"));
  auto it = icons.find(kind);
  if (it == icons.end())
    it = icons.insert(kind, ButtonIcon(kind));
  return *it;
}

// Directory items stand indented by their depth, as a path read downwards.
class IndentDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    QStyleOptionViewItem shifted = option;
    shifted.rect.adjust(index.data(DirectoryListBox::LevelRole).toInt() * 10, 0, 0, 0);
    QStyledItemDelegate::paint(painter, shifted, index);
  }
};

} // namespace

// ---- drive box ----

DriveComboBox::DriveComboBox(QWidget *parent) : QComboBox(parent) {
  addItems(Drives());
  connect(this, &QComboBox::activated, this, [this] {
    emit driveChanged(Drive());
    if (m_dirList)
      m_dirList->setDirectory(Drive());
  });
}

QStringList DriveComboBox::Drives() {
  QStringList roots;
  for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
    const QString root = volume.rootPath();
    if (volume.isValid() && volume.isReady() && root != QLatin1String("/") && !roots.contains(root))
      roots.append(root);
  }
  SortFileNames(roots);
  roots.prepend(QStringLiteral("/"));
  return roots;
}

void DriveComboBox::showDriveOf(const QString &path) {
  int best = 0;
  for (int i = 1; i < count(); ++i) {
    const QString root = itemText(i);
    if ((path == root || path.startsWith(WithSlash(root))) && root.size() > itemText(best).size())
      best = i;
  }
  const QSignalBlocker quiet(this);
  setCurrentIndex(best);
}

void DriveComboBox::setDirList(DirectoryListBox *list) {
  m_dirList = list;
  if (list)
    list->setDriveCombo(this);
}

// ---- directory list ----

DirectoryListBox::DirectoryListBox(QWidget *parent) : QListWidget(parent) {
  setItemDelegate(new IndentDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem *item) { setDirectory(item->data(PathRole).toString()); });
}

void DirectoryListBox::setDirectory(const QString &directory) {
  QString dir = QDir::cleanPath(QDir(directory).absolutePath());
  while (!QFileInfo(dir).isDir() && dir != QLatin1String("/"))
    dir = QFileInfo(dir).path();
  const bool changed = dir != m_directory;
  m_directory = dir;
  Update();
  if (m_drives)
    m_drives->showDriveOf(m_directory);
  if (m_fileList)
    m_fileList->setDirectory(m_directory);
  if (changed)
    emit directoryChanged(m_directory);
}

void DirectoryListBox::Update() {
  clear();
  // Not the style's folder pictures: reading its picture files makes Qt open every image plugin
  // it has, to ask each whether it knows the file, before the first frame.
  const QIcon open = ButtonIcon(QStringLiteral("folder-open"));
  const QIcon closed = ButtonIcon(QStringLiteral("folder"));
  const QStringList steps = PathSteps(m_directory);
  int level = 0;
  for (const QString &step : steps) {
    auto *item = new QListWidgetItem(open, step == QLatin1String("/") ? step : QFileInfo(step).fileName(), this);
    item->setData(PathRole, step);
    item->setData(LevelRole, level++);
  }
  m_currentIndex = int(steps.size()) - 1;
  for (const QString &name : ListSubdirectories(m_directory)) {
    auto *item = new QListWidgetItem(closed, name, this);
    item->setData(PathRole, JoinPath(m_directory, name));
    item->setData(LevelRole, level);
  }
  setCurrentRow(m_currentIndex);
}

QString DirectoryListBox::itemPath(int index) const {
  const QListWidgetItem *it = item(index);
  return it ? it->data(PathRole).toString() : QString();
}

void DirectoryListBox::setFileList(FileListBox *list) {
  m_fileList = list;
  if (list && !m_directory.isEmpty())
    list->setDirectory(m_directory);
}

// ---- file list ----

class FileListModel : public QAbstractListModel {
public:
  using QAbstractListModel::QAbstractListModel;
  QStringList names;
  void reset(QStringList replacement) {
    beginResetModel();
    names = std::move(replacement);
    endResetModel();
  }
  int rowCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : int(names.size()); }
  QVariant data(const QModelIndex &index, int role) const override {
    if (!index.isValid() || index.row() >= names.size())
      return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
      return names[index.row()];
    if (role == Qt::DecorationRole)
      return glyphFor(names[index.row()]);
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex &index) const override {
    return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
  }
};

struct FileListBox::Job {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  QStringList names;
};

FileListBox::FileListBox(QWidget *parent) : QListView(parent), m_model(new FileListModel(this)) {
  setModel(m_model);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

FileListBox::~FileListBox() = default;

void FileListBox::setDirectory(const QString &directory) {
  if (directory == m_directory && !m_directory.isEmpty())
    return Update();
  m_directory = directory;
  Update();
}

void FileListBox::setMask(const QString &mask) {
  m_mask = mask.isEmpty() ? QStringLiteral("*.*") : mask;
  Update();
}

void FileListBox::Update() {
  if (m_directory.isEmpty())
    return showNames({});
  auto job = std::make_shared<Job>();
  m_listing = job;
  QThreadPool::globalInstance()->start([job, directory = m_directory, mask = m_mask] {
    QStringList names = ListFiles(directory, mask);
    std::lock_guard lock(job->mutex);
    job->names = std::move(names);
    job->done = true;
    job->finished.notify_all();
  });
  std::unique_lock lock(job->mutex);
  if (job->finished.wait_for(lock, ListingWait, [&] { return job->done; })) {
    QStringList names = std::move(job->names);
    lock.unlock();
    m_listing.reset();
    showNames(std::move(names));
    return;
  }
  lock.unlock();
  m_model->reset({});
  setToolTip(QStringLiteral("Reading %1...").arg(m_directory));
  if (!m_pollTimer)
    m_pollTimer = startTimer(40);
}

void FileListBox::timerEvent(QTimerEvent *event) {
  if (event->timerId() != m_pollTimer)
    return QListView::timerEvent(event);
  poll();
}

void FileListBox::poll() {
  if (!m_listing) {
    killTimer(m_pollTimer);
    m_pollTimer = 0;
    return;
  }
  std::unique_lock lock(m_listing->mutex);
  if (!m_listing->done)
    return;
  QStringList names = std::move(m_listing->names);
  lock.unlock();
  m_listing.reset();
  killTimer(m_pollTimer);
  m_pollTimer = 0;
  setToolTip(QString());
  showNames(std::move(names));
}

void FileListBox::waitForListing() {
  if (!m_listing)
    return;
  {
    std::unique_lock lock(m_listing->mutex);
    m_listing->finished.wait(lock, [&] { return m_listing->done; });
  }
  poll();
}

void FileListBox::showNames(QStringList names) {
  m_model->reset(std::move(names));
  emit listed();
}

QString FileListBox::FileName() const {
  const QModelIndex current = currentIndex();
  if (!current.isValid())
    return {};
  return JoinPath(m_directory, m_model->names.value(current.row()));
}

const QStringList &FileListBox::items() const { return m_model->names; }

bool FileListBox::selected(int index) const { return selectionModel()->isRowSelected(index, {}); }

void FileListBox::setSelected(int index, bool on) {
  selectionModel()->select(m_model->index(index), on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

int FileListBox::SelCount() const { return int(selectionModel()->selectedRows().size()); }

QStringList FileListBox::selectedNames() const {
  QList<int> rows;
  for (const QModelIndex &index : selectionModel()->selectedRows())
    rows.append(index.row());
  std::sort(rows.begin(), rows.end());
  QStringList names;
  for (int row : rows)
    names.append(m_model->names.value(row));
  return names;
}

void FileListBox::startDrag(Qt::DropActions) {
  const QStringList names = selectedNames();
  if (names.isEmpty())
    return;
  auto *data = new QMimeData;
  QList<QUrl> urls;
  for (const QString &name : names)
    urls.append(QUrl::fromLocalFile(JoinPath(m_directory, name)));
  data->setUrls(urls);
  data->setData(QString::fromLatin1(DragFormat), m_directory.toUtf8());
  auto *drag = new QDrag(this);
  drag->setMimeData(data);
  drag->setPixmap(glyphFor(names.first()).pixmap(16, 16));
  drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void FileListBox::dragEnterEvent(QDragEnterEvent *event) {
  if (qobject_cast<FileListBox *>(event->source()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void FileListBox::dragMoveEvent(QDragMoveEvent *event) {
  if (qobject_cast<FileListBox *>(event->source()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void FileListBox::dropEvent(QDropEvent *event) {
  auto *source = qobject_cast<FileListBox *>(event->source());
  if (!source)
    return event->ignore();
  event->acceptProposedAction();
  emit filesDropped(source);
}

// ---- filter box ----

FilterComboBox::FilterComboBox(QWidget *parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (m_fileList)
      m_fileList->setMask(Mask());
  });
}

void FilterComboBox::setFilter(const QString &filter) {
  const QSignalBlocker quiet(this);
  clear();
  m_masks.clear();
  for (const FileFilter &entry : ParseFileFilter(filter)) {
    addItem(entry.name);
    m_masks.append(entry.patterns.join(u';'));
  }
  setCurrentIndex(m_masks.isEmpty() ? -1 : 0);
  if (m_fileList)
    m_fileList->setMask(Mask());
}

QString FilterComboBox::Mask() const { return m_masks.value(currentIndex(), QStringLiteral("*.*")); }

void FilterComboBox::setFileList(FileListBox *list) {
  m_fileList = list;
  if (list)
    list->setMask(Mask());
}

} // namespace corvana
