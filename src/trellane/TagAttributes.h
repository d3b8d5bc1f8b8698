#pragma once
// Attribute editing on one tag line of the HTML wizard, such as "<TD ALIGN=LEFT>". A key
// includes its "=" ("BGCOLOR="); its value is the plain text after it, up to the next blank or
// the tag's closing ">". Values are written without quotes. QtCore only.

#include "platform/Colors.h"

#include <QString>

namespace corvana {

// The value, or '' when the tag has no such attribute.
QString GetAttribute(const QString &tag, const QString &key);
// The tag without the key and its value; the blanks around them stay.
QString DeleteAttribute(const QString &tag, const QString &key);
// The old value goes first; then the key and value are added in front of the closing ">".
QString SetAttribute(const QString &tag, const QString &key, const QString &value);

// BGCOLOR values: "#RRGGBB" in upper-case hexadecimal.
QString HtmlColorValue(TColor color);
// Black for an empty value; raises "'%s' is not a valid integer value" for anything but "#"
// and six hexadecimal digits.
TColor ColorFromHtmlValue(const QString &value);
// WIDTH values are whole numbers: not empty, digits 0-9 only.
bool IsWidthValue(const QString &text);

} // namespace corvana
