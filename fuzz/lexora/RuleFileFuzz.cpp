// Any bytes as a highlighting rule file: no crash or hang, neither in reading the settings nor
// in the three parsers that prepare each rule's keyword, begin-end and line-end tables.

#include "colormemo/ColorRules.h"
#include "lexora/RuleFile.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
  const QStringList lines = text.split(QLatin1Char('\n'));
  corvana::TDrawRules rules;
  const corvana::TRuleFileResult result = corvana::ReadRuleLines(lines, rules);
  if (int(result.Items.size()) != rules.Count())
    std::abort(); // one list item per rule read
  rules.Prepare();
  // The same lines given straight to the three parsers of one rule.
  corvana::TColorRule rule;
  rule.SetKeywords(lines);
  rule.SetKeyBegEndLst(lines);
  rule.SetKeyLineEndLst(lines);
  rule.Prepare();
  // Every reference names text inside the search text.
  for (const corvana::TKeywordRef &ref : rule.KeywordRefs()) {
    if (ref.Offset < 0 || ref.Length < 0 || ref.Offset + ref.Length > rule.KeySearchText().size())
      std::abort();
    (void)rule.KeyColor(ref.ColorIndex);
  }
  return 0;
}
