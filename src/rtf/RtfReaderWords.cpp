// What each control word does to the reader's state: destinations, tables, character and
// paragraph properties, and the words that stand for characters.

#include "rtf/RtfReaderState.h"

#include <algorithm>

namespace corvana::rtf::reading {

void Reader::word(const KwInfo &info, bool hasParam, int param) {
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

bool Reader::setDest(Dest dest) {
  if (m_stack.size() <= 1)
    return false; // a table word in the document's own group would swallow the document
  top().dest = dest;
  return true;
}

State &Reader::paragraphOwner() {
  State &st = top();
  if (st.dest == Dest::Pn && st.owner >= 0 && size_t(st.owner) < m_stack.size())
    return m_stack[size_t(st.owner)];
  return st;
}

void Reader::setFlag(State &st, quint8 flag, bool on) {
  st.chr.flags = on ? (st.chr.flags | flag) : (st.chr.flags & ~flag);
}
} // namespace corvana::rtf::reading
