#include "rtf/RtfReader.h"

#include "rtf/RtfReaderState.h"

#include <QTextDocument>
#include <algorithm>
#include <limits>
#include <string_view>

namespace corvana::rtf {

bool IsRtf(QByteArrayView data) { return data.startsWith("{\\rtf"); }

namespace reading {

namespace {

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

} // namespace

Reader::Reader(QByteArrayView data, QTextDocument &document)
    : m_p(data.data()), m_end(data.data() + data.size()), m_cursor(&document) {
  m_stack.reserve(64);
  m_stack.emplace_back();
}

void Reader::run() {
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

void Reader::openGroup() {
  m_skipChars = 0;
  m_star = false;
  if (m_overflow > 0 || m_stack.size() >= kMaxStoredDepth) {
    ++m_overflow;
    return;
  }
  const State copy = m_stack.back();
  m_stack.push_back(copy);
}

void Reader::closeGroup() {
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
void Reader::skipGroup() {
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

void Reader::skipBinary(qint64 count) {
  if (count > 0)
    m_p += std::min<qint64>(count, m_end - m_p);
}

qint64 Reader::parameter(bool &hasParam) {
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

void Reader::controlSequence() {
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
} // namespace reading

bool ReadRtf(QByteArrayView data, QTextDocument &document) {
  if (!IsRtf(data))
    return false;
  const bool undo = document.isUndoRedoEnabled();
  document.setUndoRedoEnabled(false);
  document.clear();
  reading::Reader(data, document).run();
  document.setUndoRedoEnabled(undo);
  return true;
}

} // namespace corvana::rtf
