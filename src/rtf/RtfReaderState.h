#pragma once
// The RTF reader's working parts, shared by its source files: the group stack with the
// character and paragraph properties each group carries, and the reader that walks the bytes.
// Not for use outside the RTF library.

#include "rtf/DocumentDump.h"
#include "rtf/RtfKeywords.h"

#include <QByteArrayView>
#include <QColor>
#include <QHash>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <optional>
#include <vector>

class QTextDocument;
class QTextList;

namespace corvana::rtf::reading {

enum CharFlag : quint8 { BoldFlag = 1, ItalicFlag = 2, UnderlineFlag = 4, StrikeFlag = 8, HiddenFlag = 16 };

struct CharProps {
  int font = -1; // -1: the document's default font
  int halfPoints = 24;
  int color = 0;
  quint8 flags = 0;

  bool operator==(const CharProps &other) const = default;
};

inline size_t qHash(const CharProps &p, size_t seed = 0) {
  return qHashMulti(seed, p.font, p.halfPoints, p.color, p.flags);
}

struct ParaProps {
  Alignment alignment = Alignment::Left;
  ListKind list = ListKind::None;
  int ls = 0;
  int ilvl = 0;
};

enum class Dest : quint8 { Text, FontTable, ColorTable, ListTable, ListOverrideTable, Pn };

struct State {
  CharProps chr;
  ParaProps para;
  Dest dest = Dest::Text;
  int uc = 1;
  int owner = 0; // for a bullet group: the group whose paragraph it describes
};

class Reader {
public:
  Reader(QByteArrayView data, QTextDocument &document);

  void run();

private:
  State &top() { return m_stack.back(); }

  // Groups and control words (RtfReader.cpp).
  void openGroup();
  void closeGroup();
  // Skips the rest of the current group without looking inside (pictures, unknown data).
  void skipGroup();
  void skipBinary(qint64 count);
  qint64 parameter(bool &hasParam);
  void controlSequence();

  // What each control word does (RtfReaderWords.cpp).
  void word(const KwInfo &info, bool hasParam, int param);
  bool setDest(Dest dest);
  State &paragraphOwner();
  static void setFlag(State &st, quint8 flag, bool on);

  // Tables, text and paragraphs (RtfReaderText.cpp).
  void commitFont();
  void tableText(char16_t c);
  // Formats and code pages looked up earlier may name fonts or colours defined only now.
  void tablesChanged();
  const char16_t *upperHalf();
  void textBytes(const char *s, const char *e);
  void byteChar(quint8 b) { character(b < 0x80 ? char16_t(b) : upperHalf()[b - 0x80]); }
  void character(char16_t c);
  void prepareText();
  const QTextCharFormat &formatFor(const CharProps &props);
  // Lone surrogates from a broken \u pair would upset text layout.
  static void repairSurrogates(QString &text);
  void flush();
  void insertBlock() { m_cursor.insertBlock(QTextBlockFormat(), formatFor(top().chr)); }
  void paragraph();
  ListKind listKind(const ParaProps &para) const;
  void applyParagraph(const ParaProps &para);
  void finish();

  const char *m_p;
  const char *m_end;
  QTextCursor m_cursor;
  std::vector<State> m_stack;
  qint64 m_overflow = 0;
  int m_skipChars = 0;
  bool m_star = false;

  int m_codePage = 1252;
  int m_defaultFont = 0;
  struct Font {
    QString name;
    int codePage = 0;
  };
  QHash<int, Font> m_fonts;
  bool m_fontOpen = false;
  int m_fontNumber = 0;
  int m_fontCharset = 0;
  int m_fontCodePage = 0;
  QString m_fontName;
  int m_cachedFont = -3;
  const char16_t *m_cachedUpper = nullptr;

  std::vector<std::optional<QColor>> m_colors;
  bool m_colorSet = false;
  int m_red = 0, m_green = 0, m_blue = 0;

  struct ListDef {
    std::vector<int> levels; // number format of each level; 23 is a bullet
  };
  std::vector<ListDef> m_lists;
  QHash<int, int> m_listById;
  QHash<int, int> m_listByOverride;
  int m_overrideListId = 0;

  QString m_pending;
  CharProps m_pendingProps;
  bool m_needBlock = false;
  bool m_blockHasText = false;
  QTextList *m_list = nullptr;
  ListKind m_listKind = ListKind::None;
  QHash<CharProps, QTextCharFormat> m_formats;
};

} // namespace corvana::rtf::reading
