#pragma once
// The control words the RTF reader knows: what each one does and, for those that stand for a
// character, which character.

#include <QtGlobal>
#include <string_view>
#include <unordered_map>

namespace corvana::rtf {

enum class Kw : quint8 {
  Unknown,
  // destinations
  SkipDest,
  TextDest,
  FontTable,
  ColorTable,
  ListTable,
  ListOverrideTable,
  Pn,
  // document and tables
  Ansi,
  AnsiCpg,
  Deff,
  F,
  FCharset,
  Cpg,
  Red,
  Green,
  Blue,
  List,
  ListLevel,
  LevelNfc,
  ListId,
  ListOverride,
  Ls,
  Ilvl,
  PnLvlBlt,
  PnLvlBody,
  PnLvlCont,
  // character formatting
  Plain,
  Fs,
  Cf,
  B,
  I,
  Ul,
  UlNone,
  Strike,
  Hidden,
  // paragraphs
  Pard,
  Par,
  SectionBreak,
  Ql,
  Qc,
  Qr,
  Qj,
  Cell,
  // characters
  Char,
  Uc,
  U,
  Bin,
};

struct KwInfo {
  Kw kw;
  char16_t ch = 0;
};

// Every known control word by name; a word not in it has no effect.
const std::unordered_map<std::string_view, KwInfo> &Keywords();

} // namespace corvana::rtf
