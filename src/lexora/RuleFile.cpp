#include "lexora/RuleFile.h"

#include <array>

namespace corvana {

namespace {

struct ColorIdent {
  const char *Name;
  TColor Color;
};

const std::array<ColorIdent, 42> colorIdents{{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clNone", clNone},
}};

bool isYes(const QString &value) { return value.compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0; }

} // namespace

const QString NoRuleMessage = QStringLiteral("Add New Rule before setting properties");

QString BadColorMessage(const QString &ident) {
  // A junk line may be huge; the message names only its start.
  constexpr int shown = 40;
  const QString name = ident.size() > shown ? ident.left(shown) + QStringLiteral("...") : ident;
  return QStringLiteral("'%1' is not a valid color").arg(name);
}

std::optional<TColor> IdentToColor(const QString &ident) {
  for (const ColorIdent &c : colorIdents)
    if (ident.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0)
      return c.Color;
  return std::nullopt;
}

QStringList ColorIdents() {
  QStringList names;
  for (const ColorIdent &c : colorIdents)
    names.append(QLatin1String(c.Name));
  return names;
}

TRuleFileResult ReadRuleLines(const QStringList &lines, TDrawRules &rules) {
  TRuleFileResult result;
  rules.Clear();
  TColorRule *rule = nullptr;
  for (int i = 0; i < lines.size(); ++i) {
    const QString &line = lines[i];
    if (line.startsWith(u'/'))
      continue;
    const qsizetype eq = line.indexOf(u'=');
    const QString key = eq < 0 ? QString() : line.left(eq).toUpper();
    const QString value = eq < 0 ? QString() : line.mid(eq + 1);
    if (key == QLatin1String("NEWRULE")) {
      rule = rules.Add();
      result.Items.push_back({value, false});
      continue;
    }
    if (!rule) {
      result.Stopped = TRuleFileResult::Stop::NoRule;
      result.StopLine = i;
      result.Message = NoRuleMessage;
      return result;
    }
    if (key == QLatin1String("KW")) {
      rule->Keywords().append(value);
    } else if (key == QLatin1String("KBE")) {
      rule->KeyBegEndLst().append(value);
    } else if (key == QLatin1String("KLE")) {
      rule->KeyLineEndLst().append(value);
    } else if (key == QLatin1String("DTKEYSHOW")) {
      rule->KeyDrawingType = dtKeyShow;
    } else if (key == QLatin1String("DTBEGINEND")) {
      rule->KeyDrawingType = dtBeginEnd;
    } else if (key == QLatin1String("DTBEGINLINEEND")) {
      rule->KeyDrawingType = dtBeginLineEnd;
    } else if (key == QLatin1String("ZORDER")) {
      bool ok = false;
      const int z = value.toInt(&ok);
      // A priority must fit the rule's byte; anything else is no valid number here.
      rule->ZOrder = ok && z >= 0 && z <= 255 ? quint8(z) : 1;
    } else if (key == QLatin1String("PARTWORD")) {
      rule->PartWord = isYes(value);
    } else if (key == QLatin1String("KEYCASE")) {
      rule->KeyCase = isYes(value);
    } else if (key == QLatin1String("ENABLED")) {
      rule->Enabled = isYes(value);
      result.Items.back().Ticked = rule->Enabled;
    } else if (key == QLatin1String("DEFKEYCOLOR")) {
      const QString ident = QStringLiteral("cl") + value;
      const std::optional<TColor> color = IdentToColor(ident);
      if (!color) {
        result.Stopped = TRuleFileResult::Stop::BadColor;
        result.StopLine = i;
        result.Message = BadColorMessage(ident);
        return result;
      }
      rule->DefKeyColor = *color;
    }
  }
  return result;
}

} // namespace corvana
