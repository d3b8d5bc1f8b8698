#include "rtf/RtfReader.h"

#include "rtf/CodePages.h"
#include "rtf/DocumentDump.h"
#include "rtf/RtfKeywords.h"

#include <QFont>
#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvana::rtf {

bool IsRtf(QByteArrayView data) { return data.startsWith("{\\rtf"); }

namespace {

enum CharFlag : quint8 { BoldFlag = 1, ItalicFlag = 2, UnderlineFlag = 4, StrikeFlag = 8, HiddenFlag = 16 };

struct CharProps {
  int font = -1; // -1: the document's default font
  int halfPoints = 24;
  int color = 0;
  quint8 flags = 0;

  bool operator==(const CharProps &other) const = default;
};

size_t qHash(const CharProps &p, size_t seed = 0) { return qHashMulti(seed, p.font, p.halfPoints, p.color, p.flags); }

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

// Deep enough for any real document and for the nesting tests; deeper groups are counted but
// share the innermost stored state, so memory stays proportional to this limit.
constexpr size_t kMaxStoredDepth = 1 << 18;
constexpr int kMaxNameLength = 32;

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (IsDigit(c))
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

class Reader {
public:
  Reader(QByteArrayView data, QTextDocument &document)
      : m_p(data.data()), m_end(data.data() + data.size()), m_cursor(&document) {
    m_stack.reserve(64);
    m_stack.emplace_back();
  }

  void run() {
    m_cursor.beginEditBlock();
    ++m_p; // the document's opening brace is the bottom of the stack
    while (m_p < m_end) {
      const char c = *m_p;
      if (c == '{') {
        ++m_p;
        openGroup();
      } else if (c == '}') {
        ++m_p;
        closeGroup();
      } else if (c == '\\') {
        ++m_p;
        controlSequence();
      } else if (c == '\r' || c == '\n') {
        ++m_p;
      } else {
        const char *start = m_p;
        while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\' && *m_p != '\r' && *m_p != '\n')
          ++m_p;
        textBytes(start, m_p);
      }
    }
    finish();
    m_cursor.endEditBlock();
  }

private:
  State &top() { return m_stack.back(); }

  // --- groups -------------------------------------------------------------------------------

  void openGroup() {
    m_skipChars = 0;
    m_star = false;
    if (m_overflow > 0 || m_stack.size() >= kMaxStoredDepth) {
      ++m_overflow;
      return;
    }
    const State copy = m_stack.back();
    m_stack.push_back(copy);
  }

  void closeGroup() {
    m_skipChars = 0;
    m_star = false;
    if (m_overflow > 0) {
      --m_overflow;
      return;
    }
    // The document's own group is never closed: text after an unpaired "}" is still read.
    if (m_stack.size() <= 1)
      return;
    if (top().dest == Dest::FontTable)
      commitFont();
    m_stack.pop_back();
  }

  // Skips the rest of the current group without looking inside (pictures, unknown data).
  void skipGroup() {
    if (m_stack.size() <= 1 && m_overflow == 0)
      return; // never skip the whole document
    int depth = 1;
    while (m_p < m_end && depth > 0) {
      const char c = *m_p++;
      if (c == '{') {
        ++depth;
      } else if (c == '}') {
        --depth;
      } else if (c == '\\' && m_p < m_end) {
        if (m_end - m_p > 3 && std::string_view(m_p, 3) == "bin" && !IsLetter(m_p[3])) {
          m_p += 3;
          bool hasParam = false;
          const qint64 count = parameter(hasParam);
          skipBinary(count);
        } else {
          ++m_p;
        }
      }
    }
    closeGroup();
  }

  void skipBinary(qint64 count) {
    if (count > 0)
      m_p += std::min<qint64>(count, m_end - m_p);
  }

  // --- control words ----------------------------------------------------------------------

  qint64 parameter(bool &hasParam) {
    bool negative = false;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && IsDigit(m_p[1])) {
      negative = true;
      ++m_p;
    }
    qint64 value = 0;
    hasParam = false;
    while (m_p < m_end && IsDigit(*m_p)) {
      hasParam = true;
      value = std::min<qint64>(value * 10 + (*m_p - '0'), std::numeric_limits<int>::max());
      ++m_p;
    }
    if (m_p < m_end && *m_p == ' ')
      ++m_p;
    return negative ? -value : value;
  }

  void controlSequence() {
    if (m_p >= m_end)
      return;
    const char c = *m_p;
    if (IsLetter(c)) {
      const char *start = m_p;
      while (m_p < m_end && IsLetter(*m_p))
        ++m_p;
      const std::string_view name(start, size_t(m_p - start));
      bool hasParam = false;
      const qint64 param = parameter(hasParam);
      KwInfo info{Kw::Unknown};
      if (name.size() <= size_t(kMaxNameLength)) {
        const auto &keywords = Keywords();
        if (const auto it = keywords.find(name); it != keywords.end())
          info = it->second;
      }
      if (info.kw == Kw::Bin) {
        skipBinary(param);
        return;
      }
      if (m_skipChars > 0) {
        --m_skipChars;
        return;
      }
      const bool star = m_star;
      m_star = false;
      if (star && info.kw != Kw::SkipDest && info.kw != Kw::TextDest && info.kw != Kw::FontTable &&
          info.kw != Kw::ColorTable && info.kw != Kw::ListTable && info.kw != Kw::ListOverrideTable &&
          info.kw != Kw::Pn) {
        skipGroup();
        return;
      }
      word(info, hasParam, int(param));
      return;
    }
    ++m_p;
    if (c == '\'') {
      int value = -1;
      if (m_end - m_p >= 2 && HexValue(m_p[0]) >= 0 && HexValue(m_p[1]) >= 0) {
        value = HexValue(m_p[0]) * 16 + HexValue(m_p[1]);
        m_p += 2;
      }
      if (m_skipChars > 0) {
        --m_skipChars;
        return;
      }
      if (value >= 0)
        byteChar(quint8(value));
      return;
    }
    if (m_skipChars > 0) {
      --m_skipChars;
      return;
    }
    switch (c) {
    case '*':
      m_star = true;
      break;
    case '\\':
    case '{':
    case '}':
      character(char16_t(c));
      break;
    case '~':
      character(0xA0);
      break;
    case '-':
      character(0xAD);
      break;
    case '_':
      character(0x2011);
      break;
    case '\r':
    case '\n':
      paragraph();
      break;
    case '\t':
      character(u'\t');
      break;
    default:
      break; // \| \: and unknown symbols carry nothing the panes show
    }
  }

  void word(const KwInfo &info, bool hasParam, int param) {
    State &st = top();
    const bool on = !hasParam || param != 0;
    switch (info.kw) {
    case Kw::Unknown:
      break;
    case Kw::SkipDest:
      skipGroup();
      break;
    case Kw::TextDest:
      if (m_stack.size() > 1)
        st.dest = Dest::Text;
      break;
    case Kw::FontTable:
      setDest(Dest::FontTable);
      break;
    case Kw::ColorTable:
      if (setDest(Dest::ColorTable))
        m_colorSet = false, m_red = m_green = m_blue = 0;
      break;
    case Kw::ListTable:
      setDest(Dest::ListTable);
      break;
    case Kw::ListOverrideTable:
      setDest(Dest::ListOverrideTable);
      break;
    case Kw::Pn:
      if (m_stack.size() > 1) {
        const State &parent = m_stack[m_stack.size() - 2];
        st.owner = parent.dest == Dest::Pn ? parent.owner : int(m_stack.size()) - 2;
        st.dest = Dest::Pn;
      }
      break;
    case Kw::Ansi:
      m_codePage = 1252;
      break;
    case Kw::AnsiCpg:
      m_codePage = param;
      m_cachedFont = -3;
      break;
    case Kw::Deff:
      m_defaultFont = param;
      tablesChanged();
      break;
    case Kw::F:
      if (st.dest == Dest::FontTable) {
        commitFont();
        m_fontNumber = param;
        m_fontCharset = 0;
        m_fontCodePage = 0;
        m_fontName.clear();
        m_fontOpen = true;
      } else {
        st.chr.font = param;
      }
      break;
    case Kw::FCharset:
      if (st.dest == Dest::FontTable)
        m_fontCharset = param;
      break;
    case Kw::Cpg:
      if (st.dest == Dest::FontTable)
        m_fontCodePage = param;
      break;
    case Kw::Red:
    case Kw::Green:
    case Kw::Blue:
      if (st.dest == Dest::ColorTable) {
        (info.kw == Kw::Red ? m_red : info.kw == Kw::Green ? m_green : m_blue) = qBound(0, param, 255);
        m_colorSet = true;
      }
      break;
    case Kw::List:
      if (st.dest == Dest::ListTable)
        m_lists.push_back({});
      break;
    case Kw::ListLevel:
      if (st.dest == Dest::ListTable && !m_lists.empty() && m_lists.back().levels.size() < 16)
        m_lists.back().levels.push_back(0);
      break;
    case Kw::LevelNfc:
      if (st.dest == Dest::ListTable && !m_lists.empty() && !m_lists.back().levels.empty())
        m_lists.back().levels.back() = param;
      break;
    case Kw::ListId:
      if (st.dest == Dest::ListTable && !m_lists.empty())
        m_listById.insert(param, int(m_lists.size()) - 1);
      else if (st.dest == Dest::ListOverrideTable)
        m_overrideListId = param;
      break;
    case Kw::ListOverride:
      m_overrideListId = 0;
      break;
    case Kw::Ls:
      if (st.dest == Dest::ListOverrideTable)
        m_listByOverride.insert(param, m_overrideListId);
      else
        st.para.ls = param;
      break;
    case Kw::Ilvl:
      st.para.ilvl = qBound(0, param, 8);
      break;
    case Kw::PnLvlBlt:
      paragraphOwner().para.list = ListKind::Bullet;
      break;
    case Kw::PnLvlBody:
      paragraphOwner().para.list = ListKind::Numbered;
      break;
    case Kw::PnLvlCont:
      paragraphOwner().para.list = ListKind::None;
      break;
    case Kw::Plain:
      st.chr = CharProps{};
      break;
    case Kw::Fs:
      st.chr.halfPoints = hasParam && param > 0 ? qBound(2, param, 3276) : 24;
      break;
    case Kw::Cf:
      st.chr.color = std::max(param, 0);
      break;
    case Kw::B:
      setFlag(st, BoldFlag, on);
      break;
    case Kw::I:
      setFlag(st, ItalicFlag, on);
      break;
    case Kw::Ul:
      setFlag(st, UnderlineFlag, on);
      break;
    case Kw::UlNone:
      setFlag(st, UnderlineFlag, false);
      break;
    case Kw::Strike:
      setFlag(st, StrikeFlag, on);
      break;
    case Kw::Hidden:
      setFlag(st, HiddenFlag, on);
      break;
    case Kw::Pard:
      st.para = ParaProps{};
      break;
    case Kw::Par:
      paragraph();
      break;
    case Kw::SectionBreak:
      if (m_blockHasText || !m_pending.isEmpty())
        paragraph();
      break;
    case Kw::Ql:
      st.para.alignment = Alignment::Left;
      break;
    case Kw::Qc:
      st.para.alignment = Alignment::Center;
      break;
    case Kw::Qr:
      st.para.alignment = Alignment::Right;
      break;
    case Kw::Qj:
      st.para.alignment = Alignment::Justify;
      break;
    case Kw::Cell:
      character(u'\t');
      break;
    case Kw::Char:
      character(info.ch);
      break;
    case Kw::Uc:
      st.uc = qBound(0, param, 16);
      break;
    case Kw::U:
      character(char16_t(param & 0xFFFF));
      m_skipChars = st.uc;
      break;
    case Kw::Bin:
      break;
    }
  }

  bool setDest(Dest dest) {
    if (m_stack.size() <= 1)
      return false; // a table word in the document's own group would swallow the document
    top().dest = dest;
    return true;
  }

  State &paragraphOwner() {
    State &st = top();
    if (st.dest == Dest::Pn && st.owner >= 0 && size_t(st.owner) < m_stack.size())
      return m_stack[size_t(st.owner)];
    return st;
  }

  static void setFlag(State &st, quint8 flag, bool on) {
    st.chr.flags = on ? (st.chr.flags | flag) : (st.chr.flags & ~flag);
  }

  // --- tables -------------------------------------------------------------------------------

  void commitFont() {
    if (!m_fontOpen)
      return;
    m_fontOpen = false;
    const QString name = m_fontName.trimmed();
    if (!name.isEmpty() && m_fonts.size() < 65536)
      m_fonts.insert(m_fontNumber, {name, m_fontCodePage > 0 ? m_fontCodePage : CodePageOfCharset(m_fontCharset)});
    m_fontName.clear();
    tablesChanged();
  }

  void tableText(char16_t c) {
    State &st = top();
    if (st.dest == Dest::FontTable) {
      if (c == u';')
        commitFont();
      else if (m_fontOpen && c >= 0x20 && m_fontName.size() < 256)
        m_fontName += QChar(c);
    } else if (st.dest == Dest::ColorTable && c == u';') {
      if (m_colors.size() < 65536)
        m_colors.push_back(m_colorSet ? std::optional<QColor>(QColor(m_red, m_green, m_blue)) : std::nullopt);
      m_colorSet = false;
      m_red = m_green = m_blue = 0;
      tablesChanged();
    }
  }

  // Formats and code pages looked up earlier may name fonts or colours defined only now.
  void tablesChanged() {
    flush();
    m_formats.clear();
    m_cachedFont = -3;
  }

  // --- text ---------------------------------------------------------------------------------

  const char16_t *upperHalf() {
    const State &st = top();
    const int fontNumber = st.dest == Dest::FontTable ? -2 : (st.chr.font < 0 ? m_defaultFont : st.chr.font);
    int codePage = 0;
    if (st.dest == Dest::FontTable)
      codePage = m_fontCodePage > 0 ? m_fontCodePage : CodePageOfCharset(m_fontCharset);
    if (fontNumber != -2) {
      if (fontNumber == m_cachedFont && m_cachedUpper)
        return m_cachedUpper;
      const auto font = m_fonts.constFind(fontNumber);
      codePage = font != m_fonts.constEnd() ? font->codePage : 0;
    }
    const char16_t *upper = UpperHalfOf(codePage != 0 ? codePage : m_codePage);
    if (fontNumber != -2) {
      m_cachedFont = fontNumber;
      m_cachedUpper = upper;
    }
    return upper;
  }

  void textBytes(const char *s, const char *e) {
    if (m_skipChars > 0) {
      const qsizetype n = std::min<qsizetype>(m_skipChars, e - s);
      s += n;
      m_skipChars -= int(n);
    }
    if (s >= e)
      return;
    State &st = top();
    if (st.dest != Dest::Text) {
      for (; s < e; ++s)
        byteChar(quint8(*s));
      return;
    }
    if (st.chr.flags & HiddenFlag)
      return;
    prepareText();
    const char16_t *upper = nullptr;
    for (; s < e; ++s) {
      const quint8 b = quint8(*s);
      if (b >= 0x20 && b < 0x80) {
        m_pending += QChar(b);
      } else if (b >= 0x80) {
        if (!upper)
          upper = upperHalf();
        m_pending += QChar(upper[b - 0x80]);
      } else if (b == '\t') {
        m_pending += QChar(u'\t');
      }
    }
  }

  void byteChar(quint8 b) { character(b < 0x80 ? char16_t(b) : upperHalf()[b - 0x80]); }

  void character(char16_t c) {
    State &st = top();
    if (st.dest != Dest::Text) {
      tableText(c);
      return;
    }
    if (st.chr.flags & HiddenFlag)
      return;
    if (c == 0x2029) {
      paragraph();
      return;
    }
    if ((c < 0x20 && c != u'\t') || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1)
      return;
    prepareText();
    m_pending += QChar(c);
  }

  void prepareText() {
    if (!m_pending.isEmpty() && m_pendingProps == top().chr)
      return;
    flush();
    m_pendingProps = top().chr;
  }

  const QTextCharFormat &formatFor(const CharProps &props) {
    const auto found = m_formats.constFind(props);
    if (found != m_formats.constEnd())
      return *found;
    if (m_formats.size() > 4096)
      m_formats.clear();
    QTextCharFormat format;
    const auto font = m_fonts.constFind(props.font < 0 ? m_defaultFont : props.font);
    if (font != m_fonts.constEnd())
      format.setFontFamilies(QStringList{font->name});
    format.setFontPointSize(props.halfPoints / 2.0);
    if (props.color > 0 && size_t(props.color) < m_colors.size() && m_colors[size_t(props.color)])
      format.setForeground(*m_colors[size_t(props.color)]);
    format.setFontWeight(props.flags & BoldFlag ? QFont::Bold : QFont::Normal);
    format.setFontItalic(props.flags & ItalicFlag);
    format.setFontUnderline(props.flags & UnderlineFlag);
    format.setFontStrikeOut(props.flags & StrikeFlag);
    return *m_formats.insert(props, format);
  }

  // Lone surrogates from a broken \u pair would upset text layout.
  static void repairSurrogates(QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text.at(i);
      if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        ++i;
      } else if (c.isSurrogate()) {
        text[i] = QChar::ReplacementCharacter;
      }
    }
  }

  void flush() {
    if (m_pending.isEmpty())
      return;
    if (m_needBlock) {
      insertBlock();
      m_needBlock = false;
    }
    repairSurrogates(m_pending);
    m_cursor.insertText(m_pending, formatFor(m_pendingProps));
    m_pending.clear();
    m_blockHasText = true;
  }

  void insertBlock() { m_cursor.insertBlock(QTextBlockFormat(), formatFor(top().chr)); }

  // --- paragraphs ---------------------------------------------------------------------------

  void paragraph() {
    if (top().dest != Dest::Text)
      return;
    flush();
    if (m_needBlock)
      insertBlock();
    applyParagraph(top().para);
    m_needBlock = true;
    m_blockHasText = false;
  }

  ListKind listKind(const ParaProps &para) const {
    if (para.ls <= 0)
      return para.list;
    const int list = m_listById.value(m_listByOverride.value(para.ls, -1), -1);
    if (list < 0)
      return ListKind::Bullet;
    const std::vector<int> &levels = m_lists[size_t(list)].levels;
    if (levels.empty())
      return ListKind::Bullet;
    const int nfc = levels[std::min(size_t(para.ilvl), levels.size() - 1)];
    return nfc == 23 || nfc == 255 ? ListKind::Bullet : ListKind::Numbered;
  }

  void applyParagraph(const ParaProps &para) {
    QTextBlockFormat format;
    switch (para.alignment) {
    case Alignment::Left:
      break;
    case Alignment::Center:
      format.setAlignment(Qt::AlignHCenter);
      break;
    case Alignment::Right:
      format.setAlignment(Qt::AlignRight);
      break;
    case Alignment::Justify:
      format.setAlignment(Qt::AlignJustify);
      break;
    }
    m_cursor.setBlockFormat(format);
    const ListKind kind = listKind(para);
    if (kind == ListKind::None) {
      m_list = nullptr;
      return;
    }
    if (m_list && m_listKind == kind) {
      m_list->add(m_cursor.block());
      return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(kind == ListKind::Bullet ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
    listFormat.setIndent(1);
    m_list = m_cursor.createList(listFormat);
    m_listKind = kind;
  }

  void finish() {
    flush();
    if (!m_needBlock)
      applyParagraph(top().para);
  }

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

} // namespace

bool ReadRtf(QByteArrayView data, QTextDocument &document) {
  if (!IsRtf(data))
    return false;
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  document.clear();
  Reader(data, document).run();
  document.setUndoRedoEnabled(undo);
  return true;
}

} // namespace corvana::rtf
