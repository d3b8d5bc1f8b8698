#pragma once
// The rich-edit control of the text panes: a QTextEdit that loads and saves plain text or RTF
// according to its PlainText flag, keeps the line ends of the document it loaded, refuses text
// beyond its maximum length, and reports positions, lines, character and paragraph attributes.
// Positions are the control's own: a line break is one character.

#include "core/TextFiles.h"
#include "platform/Colors.h"

#include <QFlags>
#include <QTextEdit>

class QIODevice;

namespace corvana {

enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TNumberingStyle { nsNone, nsBullet };

enum TSearchType { stWholeWord = 0x1, stMatchCase = 0x2 };
Q_DECLARE_FLAGS(TSearchTypes, TSearchType)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSearchTypes)

class TRichEdit;

// Character attributes of the selection (or of the text typed next when nothing is selected),
// or the control's default attributes. A mixed selection reports the first selected character.
class TTextAttributes {
public:
  QString Name() const;
  void SetName(const QString &name);
  int Size() const;
  void SetSize(int points);
  // clWindowText for the automatic colour.
  TColor Color() const;
  void SetColor(TColor color);
  TFontStyles Style() const;
  void SetStyle(TFontStyles style);
  // Name, size and styles of a font.
  void Assign(const QFont &font);

private:
  friend class TRichEdit;
  enum class Kind { Selection, Default };
  TTextAttributes(TRichEdit *edit, Kind kind) : m_edit(edit), m_kind(kind) {}
  QTextCharFormat format() const;
  void apply(const QTextCharFormat &change) const;

  TRichEdit *m_edit;
  Kind m_kind;
};

// Paragraph attributes of the paragraphs the selection touches (the first one when reading).
class TParaAttributes {
public:
  TAlignment Alignment() const;
  void SetAlignment(TAlignment alignment);
  TNumberingStyle Numbering() const;
  void SetNumbering(TNumberingStyle numbering);

private:
  friend class TRichEdit;
  explicit TParaAttributes(TRichEdit *edit) : m_edit(edit) {}
  TRichEdit *m_edit;
};

class TRichEdit : public QTextEdit {
  Q_OBJECT

public:
  explicit TRichEdit(QWidget *parent = nullptr);

  // Plain text: load and save read and write text; otherwise RTF. Switching does not reload.
  bool PlainText() const { return m_plainText; }
  void SetPlainText(bool plain) { m_plainText = plain; }

  // Loading replaces the text and forgets undo; a rich control given bytes that are not RTF
  // reads them as plain text. Files that cannot be read or written raise "Cannot open file %s"
  // or "Cannot create file %s".
  void LoadFromFile(const QString &path);
  void LoadFromStream(QIODevice &stream);
  void LoadFromBytes(const QByteArray &bytes);
  void SaveToFile(const QString &path);
  void SaveToStream(QIODevice &stream);
  QByteArray SaveToBytes() const;

  // The line end saves use: the loaded document's own, CR LF for new text.
  LineEnding DocumentLineEnding() const { return m_format.lineEnding; }
  void SetDocumentLineEnding(LineEnding ending) { m_format.lineEnding = ending; }
  // The plain document's encoding: as loaded, and UTF-8 once a save needed it.
  TextEncoding DocumentEncoding() const { return m_format.encoding; }

  // The text with "\n" between lines, position for position as the control counts.
  QString Text() const;
  void SetText(const QString &text);
  void Clear();
  int TextLength() const;
  bool Modified() const;
  void SetModified(bool modified);

  // 0: no limit. Typing, pasting, dropping and SelText stop at the limit; loading does not,
  // so a long document is never cut short.
  int MaxLength() const { return m_maxLength; }
  void SetMaxLength(int length) { m_maxLength = qMax(0, length); }

  int SelStart() const;
  void SetSelStart(int position); // moves the caret, ending the selection
  int SelLength() const;
  void SetSelLength(int length); // extends from SelStart
  void Select(int start, int length);
  QString SelText() const;
  void SetSelText(const QString &text); // replaces the selection, or inserts at the caret
  void ClearSelection();

  QStringList Lines() const;
  int LineCount() const;
  int LineFromChar(int position) const;
  int LineStart(int line) const; // -1 for no such line
  int CaretLine() const;
  void DeleteLine(int line);

  bool WordWrap() const;
  void SetWordWrap(bool wrap);
  bool WantTabs() const { return !tabChangesFocus(); }
  void SetWantTabs(bool want) { setTabChangesFocus(!want); }
  bool HideSelection() const { return m_hideSelection; }
  void SetHideSelection(bool hide);

  bool CanUndo() const;
  void Undo() { undo(); }

  TTextAttributes SelAttributes() { return TTextAttributes(this, TTextAttributes::Kind::Selection); }
  TTextAttributes DefAttributes() { return TTextAttributes(this, TTextAttributes::Kind::Default); }
  TParaAttributes Paragraph() { return TParaAttributes(this); }

  // Prints the text on the default printer with `title` as the job's name.
  void Print(const QString &title);

  // The first match at or after `start` that ends within `length` characters (-1: to the end),
  // or -1.
  int FindText(const QString &text, int start, int length, TSearchTypes options) const;

signals:
  void focusEntered();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void inputMethodEvent(QInputMethodEvent *event) override;
  void insertFromMimeData(const QMimeData *source) override;
  QMimeData *createMimeDataFromSelection() const override;
  void focusInEvent(QFocusEvent *event) override;
  void changeEvent(QEvent *event) override;

private:
  friend class TTextAttributes;
  // Characters that can still be inserted in place of the selection; -1 without a limit.
  int room() const;
  void insertLimited(const QString &text);
  void afterLoad();
  QByteArray bytesToSave(TextFileFormat &format) const;
  void applySelectionPalette();

  bool m_plainText = false;
  int m_maxLength = 0;
  bool m_hideSelection = true;
  TextFileFormat m_format;
  TColor m_defaultColor = clWindowText;
};

} // namespace corvana
