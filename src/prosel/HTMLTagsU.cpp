#include "prosel/HTMLTagsU.h"

#include "core/TextFiles.h"
#include "platform/Paths.h"

#include <QAbstractListModel>
#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QListView>

namespace corvana {

namespace {

// The picker's lines, the tag headings drawn bold and red. A plain list of items would make an
// object for each of the two thousand lines at every start.
class TagLinesModel : public QAbstractListModel {
public:
  using QAbstractListModel::QAbstractListModel;

  const QStringList &lines() const { return m_lines; }
  void setLines(const QStringList &lines) {
    beginResetModel();
    m_lines = lines;
    endResetModel();
  }

  int rowCount(const QModelIndex &parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : int(m_lines.size());
  }
  QVariant data(const QModelIndex &index, int role) const override {
    if (!index.isValid() || index.row() >= m_lines.size())
      return {};
    const QString &line = m_lines[index.row()];
    switch (role) {
    case Qt::DisplayRole:
      return line;
    case Qt::FontRole:
      if (THTMLTagsF::IsHeading(line)) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::ForegroundRole:
      return THTMLTagsF::IsHeading(line) ? QVariant(QColor(Qt::red)) : QVariant();
    default:
      return {};
    }
  }

private:
  QStringList m_lines;
};

TagLinesModel *linesOf(const QListView *list) { return static_cast<TagLinesModel *>(list->model()); }

} // namespace

THTMLTagsF::THTMLTagsF() : TForm(Kind::Dialog, QStringLiteral("HTMLTagsF")) {
  setDesignedState(false, false);
  // A dialog frame without the title bar's buttons: only Enter or Backspace closes it.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  HTMLList = new QListView(this);
  HTMLList->setObjectName(QStringLiteral("HTMLList"));
  HTMLList->setModel(new TagLinesModel(HTMLList));
  HTMLList->installEventFilter(this);
  setCentralWidget(HTMLList);
  resize(225, 218);
}

void THTMLTagsF::FormCreate() {
  const QString file = AppDir() + QStringLiteral("HTMLTags.txt");
  if (!QFileInfo(file).isFile())
    return;
  linesOf(HTMLList)->setLines(ReadLines(file));
}

const QStringList &THTMLTagsF::Items() const { return linesOf(HTMLList)->lines(); }

void THTMLTagsF::SetCurrentRow(int row) { HTMLList->setCurrentIndex(HTMLList->model()->index(row, 0)); }

bool THTMLTagsF::SelectItem(const QString &text) {
  const QStringList &lines = Items();
  for (int row = 0; row < lines.size(); ++row) {
    if (lines[row].compare(text, Qt::CaseInsensitive) == 0) {
      SetCurrentRow(row);
      HTMLList->scrollTo(HTMLList->model()->index(row, 0), QAbstractItemView::PositionAtTop);
      return true;
    }
  }
  return false;
}

QString THTMLTagsF::SelectedItem() const {
  const QModelIndex current = HTMLList->currentIndex();
  return current.isValid() && HTMLList->selectionModel()->isSelected(current) ? Items()[current.row()] : QString();
}

bool THTMLTagsF::eventFilter(QObject *watched, QEvent *event) {
  if (watched == HTMLList && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      setModalResult(mrOk);
      return true;
    }
    if (key == Qt::Key_Backspace) {
      setModalResult(mrNo);
      return true;
    }
  }
  return TForm::eventFilter(watched, event);
}

} // namespace corvana
