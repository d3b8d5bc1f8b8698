#include "core/TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace corvana {

namespace {

// Bytes 0x80..0x9F; the rest of Windows-1252 is Latin-1.
constexpr std::array<char16_t, 32> kUpperControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr QByteArrayView kBom("\xEF\xBB\xBF", 3);

bool decodeUtf8(QByteArrayView bytes, QString &text) {
  // ConvertInitialBom: a byte order mark after the one we strip is text and must survive.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  text = utf8.decode(bytes);
  return !utf8.hasError();
}

} // namespace

QString FromWindows1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  char16_t *out = reinterpret_cast<char16_t *>(text.data());
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = uchar(bytes[i]);
    out[i] = (b >= 0x80 && b < 0xA0) ? kUpperControls[b - 0x80] : char16_t(b);
  }
  return text;
}

int Windows1252Byte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
    return c;
  for (size_t i = 0; i < kUpperControls.size(); ++i)
    if (kUpperControls[i] == c)
      return int(0x80 + i);
  return -1;
}

DecodedText DecodeText(QByteArrayView bytes) {
  DecodedText result;
  const bool bom = bytes.startsWith(kBom);
  if (decodeUtf8(bom ? bytes.sliced(3) : bytes, result.text)) {
    result.encoding = bom ? TextEncoding::Utf8Bom : TextEncoding::Utf8;
    return result;
  }
  result.text = FromWindows1252(bytes);
  result.encoding = TextEncoding::Windows1252;
  return result;
}

bool CanEncode(QStringView text, TextEncoding encoding) {
  if (encoding != TextEncoding::Windows1252)
    return true;
  for (QChar c : text)
    if (Windows1252Byte(c.unicode()) < 0)
      return false;
  return true;
}

QByteArray EncodeText(QStringView text, TextEncoding encoding) {
  switch (encoding) {
  case TextEncoding::Utf8:
    return text.toUtf8();
  case TextEncoding::Utf8Bom:
    return kBom.toByteArray() + text.toUtf8();
  case TextEncoding::Windows1252:
    break;
  }
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = Windows1252Byte(text[i].unicode());
    bytes[i] = char(b < 0 ? '?' : b);
  }
  return bytes;
}

TextEncoding EncodingToSave(QStringView text, TextEncoding loaded) {
  return CanEncode(text, loaded) ? loaded : TextEncoding::Utf8;
}

QString EncodingName(TextEncoding encoding) {
  switch (encoding) {
  case TextEncoding::Utf8:
    return QStringLiteral("UTF-8");
  case TextEncoding::Utf8Bom:
    return QStringLiteral("UTF-8 with BOM");
  case TextEncoding::Windows1252:
    break;
  }
  return QStringLiteral("Windows-1252");
}

} // namespace corvana
