#pragma once
// The highlighting editor's rule file: one "key=value" line per setting, "/" lines for
// comments, "NEWRULE=name" starting each rule. The reader fills a rule collection and tells
// the window which names to list and tick and what to report; it needs no window.

#include "colormemo/ColorRules.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace corvana {

// The colour a rule file may name for a default keyword colour.
constexpr TColor clNone = 0x1FFFFFFF;

// The platform colour identifiers ("clBlack" … "clInfoBk", "clNone"), letter case ignored.
std::optional<TColor> IdentToColor(const QString &ident);
// Every identifier in table order, for lists and tests.
QStringList ColorIdents();

struct TRuleListItem {
  QString Name;
  bool Ticked = false;
  bool operator==(const TRuleListItem &) const = default;
};

struct TRuleFileResult {
  enum class Stop { None, NoRule, BadColor };
  // The check list's items, one per rule read, in order.
  std::vector<TRuleListItem> Items;
  Stop Stopped = Stop::None;
  int StopLine = -1; // 0-based line where reading stopped
  // What to tell the user: a plain message for NoRule, the error box for BadColor.
  QString Message;
};

extern const QString NoRuleMessage; // "Add New Rule before setting properties"
QString BadColorMessage(const QString &ident);

// Reads the lines of a rule file into rules (cleared first). Reading stops at a property line
// before the first rule or at a default colour that names no colour; what was read stays.
TRuleFileResult ReadRuleLines(const QStringList &lines, TDrawRules &rules);

} // namespace corvana
