#pragma once
// How the suite's text files are decoded and encoded: valid UTF-8 is read as UTF-8 (a byte
// order mark is remembered), anything else as Windows-1252, and text is written back in the
// encoding it was read in, so an unchanged document saves byte for byte.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace corvana {

enum class TextEncoding { Utf8, Utf8Bom, Windows1252 };

struct DecodedText {
  QString text;
  TextEncoding encoding = TextEncoding::Utf8;
};

DecodedText DecodeText(QByteArrayView bytes);
// Characters the encoding cannot hold are written as "?" (Windows-1252 only); callers that must
// not lose them check CanEncode first or use EncodingToSave.
QByteArray EncodeText(QStringView text, TextEncoding encoding);
bool CanEncode(QStringView text, TextEncoding encoding);
// The encoding a save should use: the one the text was read in while it can hold every
// character, UTF-8 once it cannot.
TextEncoding EncodingToSave(QStringView text, TextEncoding loaded);
QString EncodingName(TextEncoding encoding);

// Windows-1252 alone; the five bytes it leaves undefined stand for the C1 code points of the
// same value, so every byte value survives a round trip.
QString FromWindows1252(QByteArrayView bytes);
// -1 for a character Windows-1252 has no byte for.
int Windows1252Byte(char16_t c);

} // namespace corvana
