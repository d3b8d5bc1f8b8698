// The editor's commands that write HTML into the active pane (the Insert menu), take it out
// again or mark it (Remove HTML, Highlight HTML), and show the pane in the browser (the preview).

#include "prosel/ProselU.h"

#include "controls/BusyCursor.h"
#include "controls/FileChain.h"
#include "controls/RichEdit.h"
#include "core/Error.h"
#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "platform/Paths.h"
#include "prosel/HtmlInserts.h"
#include "prosel/TagRemoval.h"
#include "rtf/RtfReader.h"
#include "vellant/VellantU.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QTextCursor>
#include <QTextDocument>

namespace corvana {

namespace {
// Beyond this a table is no longer something to type into a page by hand, and its text would
// take more memory than a pane can hold.
constexpr qint64 MaxTableCells = 100000;
} // namespace

// ---- inserts ----

void TProselF::insertText(const QString &text, int caret) {
  TRichEdit *pane = ActiveEditor;
  const int start = pane->SelStart();
  pane->SetSelText(text);
  if (caret >= 0)
    pane->SetSelStart(qMin(start + caret, pane->TextLength()));
  pane->setFocus();
}

void TProselF::insertFragment(const QString &item) {
  const HtmlFragment fragment = InsertFragment(item);
  const QString selected = fragment.wraps() ? ActiveEditor->SelText() : QString();
  insertText(fragment.before + selected + fragment.after, fragment.caret);
}

void TProselF::HTMLInsertClick() {
  insertFragment(QStringLiteral("HTMLInsert"));
  InTag = false;
  TagName.clear();
}

void TProselF::ParagraphInsertClick() { insertFragment(QStringLiteral("ParagraphInsert")); }
void TProselF::BoldInsertClick() { insertFragment(QStringLiteral("BoldInsert")); }
void TProselF::ItalicInsertClick() { insertFragment(QStringLiteral("ItalicInsert")); }
void TProselF::BreakInsertClick() { insertFragment(QStringLiteral("BreakInsert")); }
void TProselF::RuleInsertClick() { insertFragment(QStringLiteral("RuleInsert")); }
void TProselF::FontInsertClick() { insertFragment(QStringLiteral("FontInsert")); }
void TProselF::LinkInsertClick() { insertFragment(QStringLiteral("LinkInsert")); }
void TProselF::TargetInsertClick() { insertFragment(QStringLiteral("TargetInsert")); }
void TProselF::ListItemInsertClick() { insertFragment(QStringLiteral("ListItemInsert")); }
void TProselF::BulletListInsertClick() { insertFragment(QStringLiteral("BulletListInsert")); }
void TProselF::NumListInsertClick() { insertFragment(QStringLiteral("NumListInsert")); }
void TProselF::Keywords1Click() { insertFragment(QStringLiteral("Keywords1")); }
void TProselF::Description1Click() { insertFragment(QStringLiteral("Description1")); }
void TProselF::FrameLeft1Click() { insertFragment(QStringLiteral("FrameLeft1")); }
void TProselF::FrameTop1Click() { insertFragment(QStringLiteral("FrameTop1")); }
void TProselF::FrameBottom1Click() { insertFragment(QStringLiteral("FrameBottom1")); }
void TProselF::FrameHeader1Click() { insertFragment(QStringLiteral("FrameHeader1")); }

void TProselF::Date1Click() { insertText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)); }

void TProselF::Image1Click() { insertText(ImageTag(FileListBox1->FileName())); }

void TProselF::ImageShort1Click() { insertText(ImageTag(ExtractFileName(FileListBox1->FileName()))); }

void TProselF::Topic1Click() {
  const QString name = Application().dialogs().inputBox(QStringLiteral("Prosel HTML"),
                                                        QStringLiteral("Enter Topic Name:"), QStringLiteral("topic"));
  const QString block = TopicBlock(name);
  insertText(block, int(block.size()) - TopicCaretFromEnd);
}

void TProselF::Table1Click() {
  Dialogs &dialogs = Application().dialogs();
  const int columns = AnswerCount(dialogs.inputBox(QStringLiteral("Prosel Table"),
                                                   QStringLiteral("Enter number of Columns:"), QStringLiteral("4")));
  if (columns < 1)
    return;
  const int rows = AnswerCount(
      dialogs.inputBox(QStringLiteral("Prosel Table"), QStringLiteral("Enter number of Rows:"), QStringLiteral("4")));
  if (rows < 1)
    return;
  if (qint64(columns) * rows > MaxTableCells)
    throw Error(QStringLiteral("A table of %1 × %2 cells is too large to insert; the most is %3 cells.")
                    .arg(columns)
                    .arg(rows)
                    .arg(MaxTableCells));
  insertText(TableText(columns, rows));
}

// ---- markup of the whole pane ----

void TProselF::RemoveHTML1Click() {
  TRichEdit *pane = ActiveEditor;
  const QString text = pane->Text();
  const QList<TagRange> tags = FindTags(text);
  if (tags.isEmpty()) {
    pane->setFocus();
    return;
  }
  BusyCursor busy(tags.size() > 1000);
  // One edit: one undo step, and the pane is laid out once at the end.
  QTextCursor cursor(pane->document());
  cursor.beginEditBlock();
  if (pane->PlainText()) {
    // Plain text has no formats to keep: the whole text is replaced at once.
    cursor.select(QTextCursor::Document);
    cursor.insertText(RemoveTags(text));
  } else {
    // From the last tag backwards, so the earlier positions still hold.
    for (auto tag = tags.crbegin(); tag != tags.crend(); ++tag) {
      cursor.setPosition(int(tag->start));
      cursor.setPosition(int(tag->start + tag->length), QTextCursor::KeepAnchor);
      cursor.removeSelectedText();
    }
  }
  cursor.endEditBlock();
  pane->setFocus();
}

void TProselF::HighlightHTML1Click() {
  TRichEdit *pane = ActiveEditor;
  BusyCursor busy;
  const bool plain = pane->PlainText();
  pane->SetPlainText(false);
  const QByteArray rtf = BoldTagsInRtf(pane->SaveToBytes());
  pane->SetPlainText(plain);
  // Read straight into the pane, as a load would, but without a load's reset of the
  // document's encoding and line ends, so a plain document still saves byte for byte.
  const int caret = pane->SelStart();
  if (!rtf::ReadRtf(rtf, *pane->document()))
    throw Error(QStringLiteral("The highlighted text could not be read back."));
  pane->document()->setModified(true);
  pane->SetSelStart(qMin(caret, pane->TextLength()));
  pane->setFocus();
}

// ---- preview ----

QByteArray TProselF::pageBytes(TRichEdit *pane) {
  // The browser reads HTML, so a rich pane gives its text too: its RTF would show as control
  // words.
  const bool plain = pane->PlainText();
  pane->SetPlainText(true);
  const QByteArray page = pane->SaveToBytes();
  pane->SetPlainText(plain);
  return page;
}

QString TProselF::previewPath() const {
  return (CurrentFile.isEmpty() ? AppDir : ExtractFilePath(CurrentFile)) + QStringLiteral("preview.htm");
}

void TProselF::HTML1Click() {
  OpenToolWindow(VellantF);
  VellantF->setWindowTitle(QStringLiteral("Prosel Preview"));
  const QString path = previewPath();
  // Written without marking the document saved: a preview is not a save.
  WriteFileBytes(path, pageBytes(ActiveEditor));
  THtmlViewBase *view = VellantF->FrameView;
  // The same page again is reloaded in place, so the reader keeps their place in it.
  if (QFileInfo(view->CurrentFile()) == QFileInfo(path))
    view->Reload();
  else
    view->LoadFromFile(path);
  ActiveEditor->setFocus();
}

} // namespace corvana
