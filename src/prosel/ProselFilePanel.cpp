// The file panel's tools: the drop modes of the file list and what a drop of its files onto the
// upper pane writes (names, links, a help index, extracted links), and the targets box.

#include "prosel/ProselU.h"

#include "controls/FileChain.h"
#include "controls/RichEdit.h"
#include "core/DirectoryListing.h"
#include "core/Error.h"
#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "platform/Errors.h"
#include "prosel/LinkTools.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QTextBlock>
#include <functional>

namespace corvana {

namespace {

// A file the index would replace that this command did not write: someone's own page.
void RefuseToReplace(const QString &path, const QString &firstLine) {
  if (!QFileInfo::exists(path))
    return;
  const QStringList lines = ReadLines(path);
  if (lines.isEmpty() || lines.front() != firstLine)
    throw Error(path + QStringLiteral(" already exists and is not a help index page. It was left as it was, and no "
                                      "index was made."));
}

} // namespace

void TProselF::buildFilePanelLinks() {
  FileListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FileListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
    m_commands.menu(QStringLiteral("FilesPopup"))->popup(FileListBox1->viewport()->mapToGlobal(at));
  });
  cboTargets->setToolTip(QStringLiteral("HTML Targets\nDrag/Drop from file listbox\nClick select to insert HREF"));
  cboTargets->setAcceptDrops(true);
  cboTargets->installEventFilter(this);
  EditorA->viewport()->installEventFilter(this);
  connect(cboTargets, &QComboBox::activated, this,
          [this](int index) { guarded([=, this] { cboTargetsClick(index); }); });
}

bool TProselF::handleFileListDrop(QObject *target, QEvent *event) {
  // Each drop target takes drags from one list only.
  QObject *source = nullptr;
  std::function<void()> drop;
  if (target == EditorA->viewport()) {
    source = FileListBox1;
    drop = [this] { EditorADragDrop(); };
  } else if (target == cboTargets) {
    source = FileListBox1;
    drop = [this] { cboTargetsDragDrop(); };
  } else if (target == cboLib) {
    source = FileListBox1;
    drop = [this] { cboLibDragDrop(); };
  } else if (target == cboDirs) {
    source = DirectoryListBox1;
    drop = [this] { cboDirsDragDrop(); };
  } else {
    return false;
  }
  switch (event->type()) {
  case QEvent::DragEnter:
  case QEvent::DragMove: {
    auto *drag = static_cast<QDragMoveEvent *>(event);
    if (drag->source() != source)
      return false;
    drag->acceptProposedAction();
    return true;
  }
  case QEvent::Drop: {
    auto *dropped = static_cast<QDropEvent *>(event);
    if (dropped->source() != source)
      return false;
    dropped->acceptProposedAction();
    guarded(drop);
    return true;
  }
  default:
    return false;
  }
}

// ---- drop modes ----

void TProselF::setLinkMode(int mode) {
  static const char *const items[] = {"CopyShortNames1",  "CopyLongNames1", "CreateShortLinks1",
                                      "CreateLongLinks1", "CreateIndex1",   "ExtractLinks1"};
  LinkMode = mode;
  for (int i = 0; i < 6; ++i)
    action(QString::fromLatin1(items[i]))->setChecked(i + 1 == mode);
}

void TProselF::CreateIndex1Click() { setLinkMode(int(FileDropMode::Index)); }
void TProselF::CreateShortLinks1Click() { setLinkMode(int(FileDropMode::ShortLinks)); }
void TProselF::CreateLongLinks1Click() { setLinkMode(int(FileDropMode::LongLinks)); }
void TProselF::CopyShortNames1Click() { setLinkMode(int(FileDropMode::ShortNames)); }
void TProselF::CopyLongNames1Click() { setLinkMode(int(FileDropMode::LongNames)); }
void TProselF::ExtractLinks1Click() { setLinkMode(int(FileDropMode::ExtractLinks)); }

// ---- drops onto the upper pane ----

void TProselF::insertAtEditorA(const QString &text) {
  EditorA->SetSelStart(EditorA->textCursor().position());
  EditorA->SetSelText(text);
}

void TProselF::EditorADragDrop() {
  const auto mode = FileDropMode(LinkMode);
  const QString dir = WithSlash(FileListBox1->Directory());
  switch (mode) {
  case FileDropMode::Index:
    createHelpIndex();
    break;
  case FileDropMode::ExtractLinks:
    for (const QString &name : FileListBox1->selectedNames()) {
      if (!IsHtmlName(name))
        continue;
      for (const QString &link : ExtractLinks(ReadTextFile(dir + name))) {
        // Each link becomes a new last line of the pane.
        TRichEdit *pane = ActiveEditor;
        pane->SetSelStart(pane->TextLength());
        const bool lastLineEmpty = pane->document()->lastBlock().text().isEmpty();
        pane->SetSelText((lastLineEmpty ? QString() : QStringLiteral("\n")) + link);
      }
    }
    break;
  default:
    for (const QString &name : FileListBox1->selectedNames())
      insertAtEditorA(FileDropText(mode, dir, name));
    break;
  }
  EditorA->setFocus();
}

void TProselF::createHelpIndex() {
  const QString document = FileListBox1->FileName();
  if (document.isEmpty())
    return;
  FileListBox1DblClick();
  TRichEdit *pane = ActiveEditor;
  const QStringList lines = HelpIndexLines(pane->Text(), CurrentName);
  if (!lines.isEmpty()) {
    const HelpIndexFiles files = HelpIndexFilesFor(CurrentFile);
    const QStringList page = HelpIndexPage(lines);
    RefuseToReplace(files.index, page.front());
    RefuseToReplace(files.frameSet, files.frameSetLines.front());
    pane->SetText(page.join(QLatin1Char('\n')));
    WriteFileBytes(files.index, pageBytes(pane));
    FileListBox1->Update();
    WriteLines(files.frameSet, files.frameSetLines);
    OpenToolWindow(VellantF);
    VellantF->setWindowTitle(QStringLiteral("Vellant - Prosel Preview"));
    VellantF->FrameView->LoadFromFile(files.frameSet);
  }
  // The pane shows the document again, index or not.
  pane->LoadFromFile(CurrentFile);
}

// ---- targets box ----

void TProselF::cboTargetsDragDrop() {
  cboTargets->clear();
  const QString dir = WithSlash(FileListBox1->Directory());
  QStringList entries;
  for (const QString &name : FileListBox1->items())
    if (IsHtmlName(name))
      entries += TargetEntries(name, ReadTextFile(dir + name));
  cboTargets->addItems(entries);
}

void TProselF::cboTargetsClick(int index) {
  if (index < 0 || index >= cboTargets->count())
    return;
  insertText(TargetLink(cboTargets->itemText(index)));
}

} // namespace corvana
