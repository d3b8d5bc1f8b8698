#include "controls/RichEdit.h"

#include "controls/PlainText.h"

#include "platform/Errors.h"
#include "platform/Printing.h"
#include "rtf/DocumentDump.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QApplication>
#include <QFile>
#include <QIODevice>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextList>
#include <memory>

namespace corvana {

namespace {

const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfMimeAlt = QStringLiteral("application/rtf");

// One "\n" for every line end, as the document stores them.
LineEnding DetectInBytes(const QByteArray &bytes) {
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n')
      return LineEnding::Lf;
    if (bytes[i] == '\r')
      return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? LineEnding::CrLf : LineEnding::Cr;
  }
  return LineEnding::CrLf;
}

// Cuts text to at most `room` characters without splitting a surrogate pair.
QString Truncated(const QString &text, int room) {
  if (room < 0 || text.size() <= room)
    return text;
  qsizetype n = room;
  if (n > 0 && text.at(n - 1).isHighSurrogate())
    --n;
  return text.left(n);
}

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

} // namespace

// --- TTextAttributes ---------------------------------------------------------------------------

QTextCharFormat TTextAttributes::format() const {
  if (m_kind == Kind::Default) {
    QTextCharFormat format;
    format.setFont(m_edit->document()->defaultFont());
    return format;
  }
  const QTextCursor cursor = m_edit->textCursor();
  if (!cursor.hasSelection())
    return m_edit->currentCharFormat();
  QTextCursor first(m_edit->document());
  first.setPosition(cursor.selectionStart() + 1);
  return first.charFormat();
}

void TTextAttributes::apply(const QTextCharFormat &change) const {
  if (m_kind == Kind::Selection) {
    m_edit->mergeCurrentCharFormat(change);
    return;
  }
  QFont font = m_edit->document()->defaultFont();
  if (change.hasProperty(QTextFormat::FontFamilies))
    font.setFamilies(change.fontFamilies().toStringList());
  if (change.hasProperty(QTextFormat::FontPointSize))
    font.setPointSizeF(change.fontPointSize());
  if (change.hasProperty(QTextFormat::FontWeight))
    font.setWeight(QFont::Weight(change.fontWeight()));
  if (change.hasProperty(QTextFormat::FontItalic))
    font.setItalic(change.fontItalic());
  if (change.hasProperty(QTextFormat::FontUnderline) || change.hasProperty(QTextFormat::TextUnderlineStyle))
    font.setUnderline(change.fontUnderline());
  if (change.hasProperty(QTextFormat::FontStrikeOut))
    font.setStrikeOut(change.fontStrikeOut());
  m_edit->setFont(font);
  m_edit->document()->setDefaultFont(font);
}

QString TTextAttributes::Name() const { return rtf::StyleOf(format(), m_edit->document()->defaultFont()).family; }

void TTextAttributes::SetName(const QString &name) {
  QTextCharFormat change;
  change.setFontFamilies(QStringList{name});
  apply(change);
}

int TTextAttributes::Size() const { return rtf::StyleOf(format(), m_edit->document()->defaultFont()).halfPoints / 2; }

void TTextAttributes::SetSize(int points) {
  if (points <= 0)
    return;
  QTextCharFormat change;
  change.setFontPointSize(points);
  apply(change);
}

TColor TTextAttributes::Color() const {
  if (m_kind == Kind::Default)
    return m_edit->m_defaultColor;
  const QTextCharFormat current = format();
  if (current.hasProperty(QTextFormat::ForegroundBrush) && current.foreground().style() != Qt::NoBrush)
    return FromQColor(current.foreground().color());
  return m_edit->m_defaultColor;
}

void TTextAttributes::SetColor(TColor color) {
  if (m_kind == Kind::Default) {
    m_edit->m_defaultColor = color;
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Text, ToQColor(color));
    m_edit->setPalette(palette);
    return;
  }
  QTextCharFormat change;
  // The window text colour is the automatic colour: it follows the control's default.
  change.setForeground(color == clWindowText ? QBrush() : QBrush(ToQColor(color)));
  apply(change);
}

TFontStyles TTextAttributes::Style() const {
  const rtf::RunStyle style = rtf::StyleOf(format(), m_edit->document()->defaultFont());
  TFontStyles styles;
  styles.setFlag(fsBold, style.bold);
  styles.setFlag(fsItalic, style.italic);
  styles.setFlag(fsUnderline, style.underline);
  styles.setFlag(fsStrikeOut, style.strikeOut);
  return styles;
}

void TTextAttributes::SetStyle(TFontStyles style) {
  QTextCharFormat change;
  change.setFontWeight(style.testFlag(fsBold) ? QFont::Bold : QFont::Normal);
  change.setFontItalic(style.testFlag(fsItalic));
  change.setFontUnderline(style.testFlag(fsUnderline));
  change.setFontStrikeOut(style.testFlag(fsStrikeOut));
  apply(change);
}

void TTextAttributes::Assign(const QFont &font) {
  QTextCharFormat change;
  change.setFontFamilies(QStringList{font.family()});
  if (font.pointSizeF() > 0)
    change.setFontPointSize(font.pointSizeF());
  change.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
  change.setFontItalic(font.italic());
  change.setFontUnderline(font.underline());
  change.setFontStrikeOut(font.strikeOut());
  apply(change);
}

// --- TParaAttributes ---------------------------------------------------------------------------

TAlignment TParaAttributes::Alignment() const {
  const QTextCursor cursor = m_edit->textCursor();
  const QTextBlock block = m_edit->document()->findBlock(cursor.selectionStart());
  switch (rtf::StyleOf(block).alignment) {
  case rtf::Alignment::Center:
    return TAlignment::taCenter;
  case rtf::Alignment::Right:
    return TAlignment::taRightJustify;
  default:
    return TAlignment::taLeftJustify;
  }
}

void TParaAttributes::SetAlignment(TAlignment alignment) {
  QTextBlockFormat change;
  change.setAlignment(alignment == TAlignment::taCenter         ? Qt::AlignHCenter
                      : alignment == TAlignment::taRightJustify ? Qt::AlignRight
                                                                : Qt::AlignLeft);
  QTextCursor cursor = m_edit->textCursor();
  cursor.mergeBlockFormat(change);
}

TNumberingStyle TParaAttributes::Numbering() const {
  const QTextBlock block = m_edit->document()->findBlock(m_edit->textCursor().selectionStart());
  return block.textList() ? TNumberingStyle::nsBullet : TNumberingStyle::nsNone;
}

void TParaAttributes::SetNumbering(TNumberingStyle numbering) {
  QTextCursor cursor = m_edit->textCursor();
  if (numbering == TNumberingStyle::nsBullet) {
    QTextListFormat format;
    format.setStyle(QTextListFormat::ListDisc);
    format.setIndent(1);
    cursor.createList(format);
    return;
  }
  QTextDocument *document = m_edit->document();
  const QTextBlock last = document->findBlock(cursor.selectionEnd());
  cursor.beginEditBlock();
  for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
    if (QTextList *list = block.textList()) {
      list->remove(block);
      QTextCursor at(block);
      QTextBlockFormat format = block.blockFormat();
      format.setIndent(0);
      at.setBlockFormat(format);
    }
    if (block == last)
      break;
  }
  cursor.endEditBlock();
}

// --- TRichEdit ---------------------------------------------------------------------------------

TRichEdit::TRichEdit(QWidget *parent) : QTextEdit(parent) {
  setAcceptRichText(true);
  setTabChangesFocus(false);
  setLineWrapMode(QTextEdit::WidgetWidth);
  applySelectionPalette();
}

void TRichEdit::LoadFromFile(const QString &path) { LoadFromBytes(ReadFileBytes(path)); }

void TRichEdit::LoadFromStream(QIODevice &stream) {
  const QFileDevice *file = qobject_cast<QFileDevice *>(&stream);
  if (!stream.isReadable())
    throw Error::cannotOpen(file ? file->fileName() : QString());
  LoadFromBytes(stream.readAll());
}

void TRichEdit::LoadFromBytes(const QByteArray &bytes) {
  m_format = TextFileFormat{TextEncoding::Utf8, DetectInBytes(bytes)};
  if (!m_plainText && rtf::ReadRtf(bytes, *document())) {
    afterLoad();
    return;
  }
  EditorText loaded = DecodeEditorText(bytes);
  m_format = loaded.format;
  // Through the edit rather than the document: the edit puts its caret at the start before
  // anything is laid out, so a large text is laid out in steps instead of all at once.
  setPlainText(loaded.text);
  afterLoad();
}

void TRichEdit::afterLoad() {
  setCurrentCharFormat(QTextCharFormat());
  if (textCursor().position() != 0 || textCursor().hasSelection())
    moveCursor(QTextCursor::Start);
  document()->clearUndoRedoStacks();
  document()->setModified(false);
}

void TRichEdit::SaveToFile(const QString &path) {
  TextFileFormat format = m_format;
  WriteFileBytes(path, bytesToSave(format));
  m_format = format;
  document()->setModified(false);
}

void TRichEdit::SaveToStream(QIODevice &stream) {
  TextFileFormat format = m_format;
  const QByteArray bytes = bytesToSave(format);
  const QFileDevice *file = qobject_cast<QFileDevice *>(&stream);
  if (!stream.isWritable() || stream.write(bytes) != bytes.size())
    throw Error::cannotCreate(file ? file->fileName() : QString());
  m_format = format;
}

QByteArray TRichEdit::SaveToBytes() const {
  TextFileFormat format = m_format;
  return bytesToSave(format);
}

QByteArray TRichEdit::bytesToSave(TextFileFormat &format) const {
  if (!m_plainText) {
    rtf::WriteOptions options;
    options.lineEnd = LineEndingText(format.lineEnding);
    return rtf::WriteRtf(*document(), options);
  }
  const QString eol = QStringLiteral("\n");
  QString text;
  text.reserve(document()->characterCount() + document()->blockCount());
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block != document()->begin())
      text += eol;
    QString line = block.text();
    line.replace(QChar(0x2028), eol);
    line.remove(QChar::ObjectReplacementCharacter);
    text += line;
  }
  return EncodeEditorText(text, format);
}

QString TRichEdit::Text() const { return DocumentPlainText(*document()); }

void TRichEdit::SetText(const QString &text) {
  setPlainText(UnifyLineEnds(text));
  setCurrentCharFormat(QTextCharFormat());
}

void TRichEdit::Clear() {
  clear();
  setCurrentCharFormat(QTextCharFormat());
  m_format = TextFileFormat{};
}

int TRichEdit::TextLength() const { return document()->characterCount() - 1; }
bool TRichEdit::Modified() const { return document()->isModified(); }
void TRichEdit::SetModified(bool modified) { document()->setModified(modified); }

int TRichEdit::room() const {
  if (m_maxLength <= 0)
    return -1;
  return qMax(0, m_maxLength - (TextLength() - SelLength()));
}

int TRichEdit::SelStart() const { return textCursor().selectionStart(); }
int TRichEdit::SelLength() const { return textCursor().selectionEnd() - textCursor().selectionStart(); }

void TRichEdit::SetSelStart(int position) { Select(position, 0); }

void TRichEdit::SetSelLength(int length) { Select(SelStart(), length); }

void TRichEdit::Select(int start, int length) {
  const int size = TextLength();
  start = qBound(0, start, size);
  QTextCursor cursor = textCursor();
  cursor.setPosition(start);
  cursor.setPosition(qBound(start, start + qMax(0, length), size), QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

QString TRichEdit::SelText() const {
  QString text = textCursor().selectedText();
  for (QChar &c : text)
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
      c = u'\n';
  return text;
}

void TRichEdit::SetSelText(const QString &text) { insertLimited(UnifyLineEnds(text)); }

void TRichEdit::insertLimited(const QString &text) {
  const QString allowed = Truncated(text, room());
  if (allowed.size() < text.size())
    QApplication::beep();
  if (allowed.isEmpty() && !textCursor().hasSelection())
    return;
  QTextCursor cursor = textCursor();
  cursor.insertText(allowed);
  setTextCursor(cursor);
}

void TRichEdit::ClearSelection() {
  QTextCursor cursor = textCursor();
  cursor.clearSelection();
  setTextCursor(cursor);
}

QStringList TRichEdit::Lines() const {
  QStringList lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    lines.append(block.text());
  return lines;
}

int TRichEdit::LineCount() const { return document()->blockCount(); }

int TRichEdit::LineFromChar(int position) const {
  return document()->findBlock(qBound(0, position, TextLength())).blockNumber();
}

int TRichEdit::LineStart(int line) const {
  const QTextBlock block = document()->findBlockByNumber(line);
  return block.isValid() ? block.position() : -1;
}

int TRichEdit::CaretLine() const { return LineFromChar(textCursor().position()); }

void TRichEdit::DeleteLine(int line) {
  const QTextBlock block = document()->findBlockByNumber(line);
  if (!block.isValid())
    return;
  QTextCursor cursor(document());
  const QTextBlock next = block.next();
  cursor.beginEditBlock();
  if (next.isValid()) {
    // The line below moves up and keeps its own paragraph format (alignment, bullet).
    const QTextBlockFormat nextFormat = next.blockFormat();
    const QTextCharFormat nextCharFormat = next.charFormat();
    cursor.setPosition(block.position());
    cursor.setPosition(next.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.setBlockFormat(nextFormat);
    cursor.setBlockCharFormat(nextCharFormat);
  } else {
    // The last line takes the line break before it along.
    const int start = block.previous().isValid() ? block.position() - 1 : block.position();
    cursor.setPosition(start);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  cursor.endEditBlock();
  setTextCursor(cursor);
}

bool TRichEdit::WordWrap() const { return lineWrapMode() != QTextEdit::NoWrap; }

void TRichEdit::SetWordWrap(bool wrap) { setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap); }

void TRichEdit::SetHideSelection(bool hide) {
  m_hideSelection = hide;
  applySelectionPalette();
}

void TRichEdit::applySelectionPalette() {
  QPalette p = palette();
  if (m_hideSelection) {
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Inactive, QPalette::Base));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Inactive, QPalette::Text));
  } else {
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
  }
  setPalette(p);
}

bool TRichEdit::CanUndo() const { return document()->isUndoAvailable(); }

void TRichEdit::Print(const QString &title) {
  RequirePrinter();
  QPrinter &printer = DefaultPrinter();
  printer.setDocName(title);
  document()->print(&printer);
  if (printer.printerState() == QPrinter::Error)
    throw Error::cannotCreate(printer.outputFileName());
}

int TRichEdit::FindText(const QString &text, int start, int length, TSearchTypes options) const {
  if (text.isEmpty())
    return -1;
  const QString all = Text();
  start = qBound(0, start, int(all.size()));
  const qsizetype stop = length < 0 ? all.size() : qMin<qsizetype>(all.size(), qsizetype(start) + length);
  const Qt::CaseSensitivity cs = options.testFlag(stMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (qsizetype at = all.indexOf(text, start, cs); at >= 0 && at + text.size() <= stop;
       at = all.indexOf(text, at + 1, cs)) {
    if (!options.testFlag(stWholeWord))
      return int(at);
    const qsizetype end = at + text.size();
    const bool startsWord = at == 0 || !IsWordChar(all.at(at - 1));
    const bool endsWord = end >= all.size() || !IsWordChar(all.at(end));
    if (startsWord && endsWord)
      return int(at);
  }
  return -1;
}

void TRichEdit::keyPressEvent(QKeyEvent *event) {
  if (m_maxLength > 0 && !isReadOnly()) {
    int added = 0;
    if (event->matches(QKeySequence::InsertParagraphSeparator) || event->matches(QKeySequence::InsertLineSeparator))
      added = 1;
    else if (event->key() == Qt::Key_Tab && !tabChangesFocus() && !(event->modifiers() & Qt::ControlModifier))
      added = 1;
    else if (!event->text().isEmpty() && event->text().at(0).isPrint())
      added = int(event->text().size());
    if (added > 0 && room() < added) {
      QApplication::beep();
      event->accept();
      return;
    }
  }
  QTextEdit::keyPressEvent(event);
}

void TRichEdit::inputMethodEvent(QInputMethodEvent *event) {
  const int space = room();
  if (space >= 0 && event->commitString().size() > space) {
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(Truncated(event->commitString(), space), event->replacementStart(), event->replacementLength());
    QApplication::beep();
    QTextEdit::inputMethodEvent(&cut);
    return;
  }
  QTextEdit::inputMethodEvent(event);
}

void TRichEdit::insertFromMimeData(const QMimeData *source) {
  if (!source || isReadOnly())
    return;
  const int space = room();
  if (!m_plainText) {
    QTextDocument rich;
    rich.setDefaultFont(document()->defaultFont());
    bool haveRich = false;
    for (const QString &mime : {kRtfMime, kRtfMimeAlt}) {
      if (!haveRich && source->hasFormat(mime))
        haveRich = rtf::ReadRtf(source->data(mime), rich);
    }
    if (!haveRich && source->hasHtml()) {
      rich.setHtml(source->html());
      haveRich = true;
    }
    if (haveRich && (space < 0 || rich.characterCount() - 1 <= space)) {
      QTextCursor cursor = textCursor();
      cursor.insertFragment(QTextDocumentFragment(&rich));
      setTextCursor(cursor);
      ensureCursorVisible();
      return;
    }
    if (haveRich) {
      insertLimited(rich.toPlainText());
      ensureCursorVisible();
      return;
    }
  }
  if (source->hasText()) {
    insertLimited(UnifyLineEnds(source->text()));
    ensureCursorVisible();
  }
}

QMimeData *TRichEdit::createMimeDataFromSelection() const {
  // Qt's own selection data lists a fixed set of formats, so the RTF goes into a fresh object.
  const std::unique_ptr<QMimeData> base(QTextEdit::createMimeDataFromSelection());
  auto *data = new QMimeData;
  data->setText(base->text());
  if (!m_plainText) {
    data->setHtml(base->html());
    QTextDocument selection;
    selection.setDefaultFont(document()->defaultFont());
    QTextCursor(&selection).insertFragment(textCursor().selection());
    data->setData(kRtfMime, rtf::WriteRtf(selection));
  }
  return data;
}

void TRichEdit::focusInEvent(QFocusEvent *event) {
  QTextEdit::focusInEvent(event);
  emit focusEntered();
}

void TRichEdit::changeEvent(QEvent *event) {
  QTextEdit::changeEvent(event);
  if (event->type() == QEvent::StyleChange)
    applySelectionPalette();
}

} // namespace corvana
