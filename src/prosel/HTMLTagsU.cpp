#include "prosel/HTMLTagsU.h"

#include "core/TextFiles.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>

namespace corvana {

THTMLTagsF::THTMLTagsF() : TForm(Kind::Dialog, QStringLiteral("HTMLTagsF")) {
  setDesignedState(false, false);
  // A dialog frame without the title bar's buttons: only Enter or Backspace closes it.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  HTMLList = new QListWidget(this);
  HTMLList->setObjectName(QStringLiteral("HTMLList"));
  HTMLList->installEventFilter(this);
  setCentralWidget(HTMLList);
  resize(225, 218);
}

void THTMLTagsF::FormCreate() {
  const QString file = AppDir() + QStringLiteral("HTMLTags.txt");
  if (!QFileInfo(file).isFile())
    return;
  // One insertion for the two thousand lines: item by item, the list would tell its view
  // about every row, which made this list a sixth of the frame's start-up.
  const QStringList lines = ReadLines(file);
  HTMLList->addItems(lines);
  QFont heading = HTMLList->font();
  heading.setBold(true);
  for (int row = 0; row < lines.size(); ++row) {
    if (IsHeading(lines[row])) {
      QListWidgetItem *item = HTMLList->item(row);
      item->setFont(heading);
      item->setForeground(Qt::red);
    }
  }
}

bool THTMLTagsF::SelectItem(const QString &text) {
  for (int i = 0; i < HTMLList->count(); ++i) {
    if (HTMLList->item(i)->text().compare(text, Qt::CaseInsensitive) == 0) {
      HTMLList->setCurrentRow(i);
      HTMLList->scrollToItem(HTMLList->item(i), QAbstractItemView::PositionAtTop);
      return true;
    }
  }
  return false;
}

QString THTMLTagsF::SelectedItem() const {
  const QListWidgetItem *item = HTMLList->currentItem();
  return item && item->isSelected() ? item->text() : QString();
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
