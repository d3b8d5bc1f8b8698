// The editor's three name-value boxes (tag library, directories, translations) with their
// pop-up menus and drops, the Translation command, and tag typing with the tag picker.

#include "prosel/ProselU.h"

#include "controls/FileChain.h"
#include "controls/RichEdit.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "prosel/HTMLTagsU.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>

namespace corvana {

namespace {

// A library value keeps its line breaks as "~".
QString FromStoredLines(QString value) { return value.replace(QLatin1Char('~'), QLatin1Char('\n')); }
QString ToStoredLines(QString value) {
  value.replace(QStringLiteral("\r\n"), QStringLiteral("~"));
  value.replace(QLatin1Char('\n'), QLatin1Char('~'));
  value.replace(QLatin1Char('\r'), QLatin1Char('~'));
  return value;
}

void ShowPopupFor(QComboBox *box, QMenu *menu) {
  box->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(box, &QWidget::customContextMenuRequested, box,
                   [box, menu](const QPoint &at) { menu->popup(box->mapToGlobal(at)); });
}

} // namespace

void TProselF::buildListBoxes() {
  ShowPopupFor(cboLib, m_commands.menu(QStringLiteral("listmenu")));
  ShowPopupFor(cboDirs, m_commands.menu(QStringLiteral("dirspopup")));
  ShowPopupFor(cboTrans, m_commands.menu(QStringLiteral("TransPop")));
  connect(cboLib, &QComboBox::activated, this, [this] { guarded([this] { cboLibClick(); }); });
  connect(cboDirs, &QComboBox::activated, this, [this] { guarded([this] { cboDirsClick(); }); });
  connect(cboTrans, &QComboBox::activated, this, [this] { guarded([this] { cboTransClick(); }); });
  for (QComboBox *box : {cboLib, cboDirs}) {
    box->setAcceptDrops(true);
    box->installEventFilter(this);
  }
  // The folder list hands its folder to the directories box by drag and drop.
  DirectoryListBox1->setDragEnabled(true);
  DirectoryListBox1->setDragDropMode(QAbstractItemView::DragOnly);
}

void TProselF::showList(QComboBox *box, const NameValueList &list) {
  box->clear();
  for (int i = 0; i < list.count(); ++i)
    box->addItem(list.name(i), list.line(i));
  box->setCurrentIndex(list.isEmpty() ? -1 : 0);
}

// ---- tag library ----

void TProselF::cboLibClick() {
  TRichEdit *pane = ActiveEditor;
  pane->setFocus();
  const int index = cboLib->currentIndex();
  if (index < 0)
    return;
  const QString text = FromStoredLines(LibList.Value(LibList.name(index)));
  if (LibMode == QLatin1String("docs"))
    pane->LoadFromBytes(text.toUtf8());
  else
    pane->SetSelText(text);
}

void TProselF::Add1Click() {
  TRichEdit *pane = ActiveEditor;
  const QString name = Application().dialogs().inputBox(QStringLiteral("Add Tag"), QStringLiteral("Tag Name is?"),
                                                        QStringLiteral("name"));
  QString value;
  if (LibMode == QLatin1String("docs"))
    value = pane->PlainText() ? pane->Text() : QString::fromUtf8(pane->SaveToBytes());
  else
    value = pane->SelText();
  value = ToStoredLines(value);
  if (!name.isEmpty() && !value.isEmpty()) {
    LibList.Add(name + QLatin1Char('=') + value);
    LibList.SaveToFile(TagsFile);
    showList(cboLib, LibList);
  }
  pane->setFocus();
}

void TProselF::LibDelete1Click() {
  const int index = cboLib->currentIndex();
  if (index >= 0) {
    LibList.Delete(index);
    LibList.SaveToFile(TagsFile);
    showList(cboLib, LibList);
  }
}

void TProselF::NewTagsFile1Click() {
  FileDialogOptions options;
  options.fileName = TagsFile;
  options.filter = QStringLiteral("Text files|*.txt|All files|*.*");
  if (!Application().dialogs().saveFile(options))
    return;
  TagsFile = options.fileName;
  LibList.Clear();
  showList(cboLib, LibList);
}

void TProselF::Load1Click() {
  FileDialogOptions options;
  options.fileName = TagsFile;
  options.filter = QStringLiteral("Text files|*.txt|All files|*.*");
  if (!Application().dialogs().openFile(options))
    return;
  TagsFile = options.fileName;
  LibList.LoadFromFile(TagsFile);
  showList(cboLib, LibList);
}

void TProselF::LibSaveAs1Click() {
  FileDialogOptions options;
  options.fileName = TagsFile;
  options.filter = QStringLiteral("Text files|*.txt|All files|*.*");
  if (!Application().dialogs().saveFile(options))
    return;
  LibList.SaveToFile(options.fileName);
  TagsFile = options.fileName;
}

void TProselF::TagsMode1Click() {
  LibMode = QStringLiteral("tags");
  action(QStringLiteral("TagsMode1"))->setChecked(true);
}

void TProselF::DocsMode1Click() {
  LibMode = QStringLiteral("docs");
  action(QStringLiteral("DocsMode1"))->setChecked(true);
}

void TProselF::cboLibDragDrop() {
  const QString file = FileListBox1->FileName();
  if (file.isEmpty())
    return;
  LibList.LoadFromFile(file);
  TagsFile = file;
  showList(cboLib, LibList);
}

// ---- directories ----

void TProselF::cboDirsClick() {
  const int index = cboDirs->currentIndex();
  if (index < 0)
    return;
  const QString dir = DirsList.Value(DirsList.name(index));
  FileListBox1->setDirectory(dir);
  FileListBox1->Update();
  DialogDir = dir;
}

void TProselF::cboDirsDragDrop() {
  const QString dir = DirectoryListBox1->Directory();
  const qsizetype slash = dir.lastIndexOf(QLatin1Char('/'));
  const QString label = slash >= 0 && slash != dir.size() - 1 ? dir.mid(slash + 1) : dir;
  DirsList.Add(label + QLatin1Char('=') + dir);
  DirsList.SaveToFile(DirsFile);
  showList(cboDirs, DirsList);
  ActiveEditor->setFocus();
}

void TProselF::DirsDelete1Click() {
  const int index = cboDirs->currentIndex();
  if (index >= 0) {
    DirsList.Delete(index);
    DirsList.SaveToFile(DirsFile);
    showList(cboDirs, DirsList);
  }
  ActiveEditor->setFocus();
}

// ---- translations ----

void TProselF::Reload1Click() {
  if (QFileInfo(TransFile).isFile())
    loadList(cboTrans, TransList, TransFile);
}

void TProselF::Edit2Click() {
  if (!QFileInfo(TransFile).isFile())
    return;
  setRichMode(false);
  CurrentFile = TransFile;
  CurrentName = ExtractFileName(TransFile);
  loadActive(TransFile);
}

void TProselF::cboTransClick() {
  const int index = cboTrans->currentIndex();
  if (index >= 0)
    insertText(TransList.Value(TransList.name(index)));
}

void TProselF::Translation1Click() {
  TRichEdit *pane = ActiveEditor;
  QString selected = pane->SelText();
  if (selected.isEmpty()) {
    const int caret = pane->SelStart();
    if (caret <= BookmarkPos) {
      pane->setFocus();
      return;
    }
    pane->Select(BookmarkPos, caret - BookmarkPos);
    selected = pane->SelText();
  }
  const QString translation = TransList.Value(selected);
  if (!translation.isEmpty())
    pane->SetSelText(translation);
  pane->setFocus();
}

// ---- tag typing ----

bool TProselF::filterTagKeys(QObject *watched, QEvent *event) {
  if (watched != EditorA || event->type() != QEvent::KeyPress)
    return false;
  const QString typed = static_cast<QKeyEvent *>(event)->text();
  if (typed == QLatin1String("<")) {
    InTag = true;
    EditorA->SetSelText(QStringLiteral("<"));
    TagStart = EditorA->SelStart() - 1;
    return true;
  }
  if (typed == QLatin1String(">")) {
    InTag = false;
    TagName.clear();
  }
  return false;
}

void TProselF::Attributes1Click() {
  if (!InTag)
    return;
  TRichEdit *pane = EditorA;
  if (TagName.isEmpty()) {
    const int caret = pane->textCursor().position();
    const int start = qBound(0, TagStart, caret);
    TagName = pane->Text().mid(start, caret - start) + QLatin1Char('>');
  }
  Application().FinishStart(); // the picker is made after the first frame
  if (TagName.isEmpty() || !HTMLTagsF || !HTMLTagsF->SelectItem(TagName))
    return;
  HTMLTagsF->setWindowTitle(TagName);
  if (HTMLTagsF->ShowModal() == TForm::mrOk) {
    const QString attribute = NameValueList::NameOf(HTMLTagsF->SelectedItem());
    pane->SetSelText(QLatin1Char(' ') + attribute + QLatin1Char('='));
  }
  pane->setFocus();
}

} // namespace corvana
