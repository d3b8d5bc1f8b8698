#pragma once
// The highlighting rules of the colour memo: a rule's settings and the tables its three text
// lists are parsed into (keyword search text, colour table, delimiter table), the rule
// collection, the hot-spot settings and the coloured-range records the scanner produces.
// Plain data over QtCore; no window is needed to build or test any of it.

#include "platform/Colors.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class QObject;

namespace corvana {

enum TKeyDrawingType : quint8 { dtKeyShow, dtEventDraw, dtBeginEnd, dtBeginLineEnd };

// "RRGGBB" (with or without "#", or "$"-prefixed hex) or one of the 16 HTML colour names;
// anything else gives white.
TColor ColorFromText(const QString &text);

// One begin/end pair or line-end delimiter of a rule.
struct TDelimEntry {
  static constexpr int MaxText = 6;
  QString BeginText; // at most 6 characters; empty marks the end of the table
  QString EndText;   // at most 6 characters; empty for line-end delimiters
  TColor Color = clRed;
  qint32 FoundAt = -1; // last match of BeginText in the current scan, -1 for none
};

// A keyword of the parsed search text: where it sits in KeySearchText and its colour index.
struct TKeywordRef {
  int Offset = 0;
  int Length = 0;
  int ColorIndex = 0; // 1-based into KeyColors
};

class TColorRule {
public:
  static constexpr int MaxColors = 41;
  static constexpr int MaxDelims = 40;

  explicit TColorRule(QObject *owner = nullptr) : m_owner(owner) {}
  TColorRule(const TColorRule &) = delete;
  TColorRule &operator=(const TColorRule &) = delete;

  // Copies the settings and the three lists (through their setters, so the tables follow).
  void Assign(const TColorRule &source);

  // Settings without side effects; KeyCase takes effect at the next parse of Keywords.
  quint8 ZOrder = 0;
  QString IntChar;
  int KeyMaxHeight = 1;
  TKeyDrawingType KeyDrawingType = dtBeginEnd;
  bool KeyCase = false;
  bool Enabled = true;
  bool PartWord = false;
  TColor DefKeyColor = clRed;
  TColor KeySelColor = clYellow;
  TColor KeyBrushColor = clWindow;

  // The lists. The non-const accessors allow changes in place, which take effect at the
  // next preparation; the setters store a copy and parse at once.
  const QStringList &Keywords() const { return m_keywords; }
  QStringList &Keywords() { return m_keywords; }
  void SetKeywords(const QStringList &lines);
  const QStringList &KeyBegEndLst() const { return m_begEnd; }
  QStringList &KeyBegEndLst() { return m_begEnd; }
  void SetKeyBegEndLst(const QStringList &lines);
  const QStringList &KeyLineEndLst() const { return m_lineEnd; }
  QStringList &KeyLineEndLst() { return m_lineEnd; }
  void SetKeyLineEndLst(const QStringList &lines);

  // Rebuilds the tables the rule's kind needs; returns whether the rule has any content.
  bool Prepare();

  // Parsed state.
  const QString &KeySearchText() const { return m_searchText; }
  const std::vector<TColor> &KeyColors() const { return m_colors; }
  const std::vector<TKeywordRef> &KeywordRefs() const { return m_keywordRefs; }
  // The colour of a 1-based colour index, or DefKeyColor when the index is out of the table.
  TColor KeyColor(int index) const;
  // The delimiter table (40 entries), or nullptr before the first delimiter parse.
  std::array<TDelimEntry, MaxDelims> *Delims() { return m_delims.get(); }
  const std::array<TDelimEntry, MaxDelims> *Delims() const { return m_delims.get(); }

  QObject *Owner() const { return m_owner; }

private:
  void parseKeywords();
  void parseBegEnd();
  void parseLineEnd();
  void resetDelims();
  TColor colorOrDefault(const QString &colorText) const;

  QObject *m_owner;
  QStringList m_keywords, m_begEnd, m_lineEnd;
  QString m_searchText;
  std::vector<TColor> m_colors;
  std::vector<TKeywordRef> m_keywordRefs;
  std::unique_ptr<std::array<TDelimEntry, MaxDelims>> m_delims;
};

// The memo's rule collection. Adding or clearing rules asks for a new preparation, so rules
// loaded after the first paint are parsed before they are scanned.
class TDrawRules {
public:
  explicit TDrawRules(QObject *owner = nullptr) : m_owner(owner) {}
  TDrawRules(const TDrawRules &) = delete;
  TDrawRules &operator=(const TDrawRules &) = delete;

  TColorRule *Add();
  void Clear();
  int Count() const { return int(m_items.size()); }
  TColorRule *Items(int index) const { return m_items[size_t(index)].get(); }
  TColorRule *operator[](int index) const { return Items(index); }
  // Makes this collection an item-by-item copy of source.
  void Assign(const TDrawRules &source);

  bool NeedsPrepare = true;
  // Prepares every rule when NeedsPrepare is set; an empty rule set is tried again next time.
  void Prepare();

  QObject *Owner() const { return m_owner; }

private:
  QObject *m_owner;
  std::vector<std::unique_ptr<TColorRule>> m_items;
};

struct THotSpot {
  QChar BeginChar = QChar(30);
  QChar EndChar = QChar(31);
  TColor Color = clBlue;
  TColor MarkerColor = clWindow; // by default the markers vanish into the background
  bool Active = false;
  bool Underlined = true;

  void Assign(const THotSpot &source) { *this = source; }
  bool operator==(const THotSpot &) const = default;
};

// One coloured range of text, by character index (EndPos inclusive).
struct TKeyDescr {
  static constexpr qint32 Free = 0x7FFFFFFF;
  qint32 StartPos = Free;
  qint32 EndPos = Free;
  TColor Color = 0;
  quint8 ZOrder = 0;
  bool IsKey = false;

  bool IsFree() const { return StartPos == Free || EndPos == Free; }
  bool operator==(const TKeyDescr &) const = default;
};

// The range records of a paint. Records are kept from paint to paint and only grow; Clear
// marks them free without releasing them.
class TKeyDescrList {
public:
  explicit TKeyDescrList(int capacity = 100) { m_items.resize(size_t(capacity)); }

  int Count() const { return m_count; }
  int Capacity() const { return int(m_items.size()); }
  const TKeyDescr &operator[](int index) const { return m_items[size_t(index)]; }
  TKeyDescr &operator[](int index) { return m_items[size_t(index)]; }
  // Marks every used record free and starts again from index 0.
  void Clear();
  void Add(const TKeyDescr &record);
  // Marks the record after the last used one free (the list's end marker).
  void MarkEnd();

private:
  std::vector<TKeyDescr> m_items;
  int m_count = 0;
};

} // namespace corvana
