#include "rtf/RtfKeywords.h"

namespace corvana::rtf {

const std::unordered_map<std::string_view, KwInfo> &Keywords() {
  static const std::unordered_map<std::string_view, KwInfo> table = [] {
    std::unordered_map<std::string_view, KwInfo> t;
    // Destinations whose contents are not part of the text.
    for (std::string_view name :
         {"annotation",   "atnauthor",    "atnid",      "atrfend",     "atrfstart", "author",
          "background",   "bkmkend",      "bkmkstart",  "blipuid",     "buptim",    "colorschememapping",
          "comment",      "creatim",      "datafield",  "datastore",   "do",        "doccomm",
          "docvar",       "falt",         "ffdeftext",  "fldinst",     "filetbl",   "fontemb",
          "fontfile",     "footer",       "footerf",    "footerl",     "footerr",   "footnote",
          "formfield",    "ftncn",        "ftnsep",     "ftnsepc",     "generator", "header",
          "headerf",      "headerl",      "headerr",    "info",        "keywords",  "latentstyles",
          "leveltext",    "levelnumbers", "listname",   "listpicture", "listtext",  "mmathPr",
          "nonesttables", "nonshppict",   "objclass",   "objdata",     "operator",  "panose",
          "pgdsctbl",     "pict",         "pntext",     "pntxta",      "pntxtb",    "printim",
          "private",      "protusertbl",  "revtbl",     "revtim",      "rsidtbl",   "rxe",
          "shpinst",      "shprslt",      "stylesheet", "subject",     "tc",        "template",
          "themedata",    "title",        "txe",        "upr",         "userprops", "wgrffmtfilter",
          "xe",           "xmlnstbl"})
      t[name] = {Kw::SkipDest};
    t["fldrslt"] = {Kw::TextDest};
    t["fonttbl"] = {Kw::FontTable};
    t["colortbl"] = {Kw::ColorTable};
    t["listtable"] = {Kw::ListTable};
    t["listoverridetable"] = {Kw::ListOverrideTable};
    t["pn"] = {Kw::Pn};
    t["ansi"] = {Kw::Ansi};
    t["ansicpg"] = {Kw::AnsiCpg};
    t["deff"] = {Kw::Deff};
    t["f"] = {Kw::F};
    t["fcharset"] = {Kw::FCharset};
    t["cpg"] = {Kw::Cpg};
    t["red"] = {Kw::Red};
    t["green"] = {Kw::Green};
    t["blue"] = {Kw::Blue};
    t["list"] = {Kw::List};
    t["listlevel"] = {Kw::ListLevel};
    t["levelnfc"] = {Kw::LevelNfc};
    t["levelnfcn"] = {Kw::LevelNfc};
    t["listid"] = {Kw::ListId};
    t["listoverride"] = {Kw::ListOverride};
    t["ls"] = {Kw::Ls};
    t["ilvl"] = {Kw::Ilvl};
    t["pnlvlblt"] = {Kw::PnLvlBlt};
    t["pnlvlbody"] = {Kw::PnLvlBody};
    t["pnlvl"] = {Kw::PnLvlBody};
    t["pnlvlcont"] = {Kw::PnLvlCont};
    t["plain"] = {Kw::Plain};
    t["fs"] = {Kw::Fs};
    t["cf"] = {Kw::Cf};
    t["b"] = {Kw::B};
    t["i"] = {Kw::I};
    for (std::string_view name :
         {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash",
          "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
      t[name] = {Kw::Ul};
    t["ulnone"] = {Kw::UlNone};
    t["strike"] = {Kw::Strike};
    t["striked"] = {Kw::Strike};
    t["v"] = {Kw::Hidden};
    t["pard"] = {Kw::Pard};
    t["par"] = {Kw::Par};
    t["row"] = {Kw::Par};
    t["nestrow"] = {Kw::Par};
    t["page"] = {Kw::SectionBreak};
    t["sect"] = {Kw::SectionBreak};
    t["ql"] = {Kw::Ql};
    t["qc"] = {Kw::Qc};
    t["qr"] = {Kw::Qr};
    t["qj"] = {Kw::Qj};
    t["cell"] = {Kw::Cell};
    t["nestcell"] = {Kw::Cell};
    t["tab"] = {Kw::Char, u'\t'};
    t["line"] = {Kw::Char, 0x2028};
    t["emdash"] = {Kw::Char, 0x2014};
    t["endash"] = {Kw::Char, 0x2013};
    t["bullet"] = {Kw::Char, 0x2022};
    t["lquote"] = {Kw::Char, 0x2018};
    t["rquote"] = {Kw::Char, 0x2019};
    t["ldblquote"] = {Kw::Char, 0x201C};
    t["rdblquote"] = {Kw::Char, 0x201D};
    t["emspace"] = {Kw::Char, 0x2003};
    t["enspace"] = {Kw::Char, 0x2002};
    t["qmspace"] = {Kw::Char, 0x2005};
    t["zwj"] = {Kw::Char, 0x200D};
    t["zwnj"] = {Kw::Char, 0x200C};
    t["zwbo"] = {Kw::Char, 0x200B};
    t["ltrmark"] = {Kw::Char, 0x200E};
    t["rtlmark"] = {Kw::Char, 0x200F};
    t["uc"] = {Kw::Uc};
    t["u"] = {Kw::U};
    t["bin"] = {Kw::Bin};
    return t;
  }();
  return table;
}

} // namespace corvana::rtf
