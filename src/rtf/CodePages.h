#pragma once
// The single-byte Windows code pages that RTF names through \ansicpg and \fcharset.

#include <QtGlobal>

namespace corvana::rtf {

// The characters of bytes 0x80..0xFF in a code page (128 entries); code page 1252 for one not known.
const char16_t *UpperHalfOf(int codePage);
// The code page of an RTF font character set, or 0 when the document's own code page applies.
int CodePageOfCharset(int charset);
// The byte code page 1252 has for a character, or -1 when it has none.
int Cp1252Byte(char16_t c);

} // namespace corvana::rtf
