#include "core/TextEncoding.h"
#include "core/Error.h"
#include "core/TextFiles.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::everyByteValue;
using corvana::test::TempDir;

namespace {

// What an editor does with a file: decode, hold the unified text, encode it back.
QByteArray throughEditor(const QByteArray &bytes, TextFileFormat *used = nullptr) {
  EditorText text = DecodeEditorText(bytes);
  QByteArray out = EncodeEditorText(text.text, text.format);
  if (used)
    *used = text.format;
  return out;
}

} // namespace

TEST(TextEncoding, ValidUtf8IsReadAsUtf8AndAnythingElseAsWindows1252) {
  EXPECT_EQ(DecodeText("caf\xc3\xa9").text, QString::fromUtf8("café"));
  EXPECT_EQ(DecodeText("caf\xc3\xa9").encoding, TextEncoding::Utf8);
  EXPECT_EQ(DecodeText("caf\xe9").text, QString::fromUtf8("café"));
  EXPECT_EQ(DecodeText("caf\xe9").encoding, TextEncoding::Windows1252);
  EXPECT_EQ(DecodeText("\x80 \x93q\x94").text, QString::fromUtf8("€ “q”"));
  EXPECT_EQ(DecodeText("\xef\xbb\xbf"
                       "a")
                .text,
            "a");
  EXPECT_EQ(DecodeText("\xef\xbb\xbf"
                       "a")
                .encoding,
            TextEncoding::Utf8Bom);
  // An overlong form is not UTF-8.
  EXPECT_EQ(DecodeText("\xc0\xaf").encoding, TextEncoding::Windows1252);
}

TEST(TextEncoding, EveryByteValueSurvivesARoundTrip) {
  const QByteArray bytes = everyByteValue();
  TextFileFormat format;
  EXPECT_EQ(throughEditor(bytes, &format), bytes);
  EXPECT_EQ(format.encoding, TextEncoding::Windows1252);
  // The same through the line-list readers and writers, lines apart.
  QByteArray noLineEnds = bytes;
  noLineEnds.remove(13, 1).remove(10, 1);
  TempDir dir;
  const QString path = dir.write("list.txt", noLineEnds + "\r\n");
  TextEncoding encoding;
  const QStringList lines = ReadLines(path, &encoding);
  ASSERT_EQ(lines.size(), 1);
  WriteLines(path, lines, LineEnding::CrLf, encoding);
  EXPECT_EQ(dir.read("list.txt"), noLineEnds + "\r\n");
}

TEST(TextEncoding, UnchangedDocumentsSaveByteForByte) {
  const QByteArray cases[] = {
      "a\r\n\r\n",        // trailing blank lines
      "a\n\n\n",          //
      "a\rb\r",           // old-style line ends
      "a\r\nb\nc\rd\r\n", // mixed line ends, kept while the text is unchanged
      "\xef\xbb\xbf"
      "x\r\n",                    // byte order mark
      "\xef\xbb\xbf\xef\xbb\xbf", // a second mark is text
      "no line end",              //
      "",                         //
      "nb\xc2\xa0sp",             // no-break space
  };
  for (const QByteArray &bytes : cases)
    EXPECT_EQ(throughEditor(bytes), bytes) << bytes.toStdString();
}

// A memo holds lines: the file's last line end ends the last line instead of starting an
// empty one, and a new document ends every line.
TEST(TextEncoding, DocumentsHeldAsLinesSaveByteForByteToo) {
  const QByteArray cases[] = {"a\r\n\r\n", "a\r\n", "a", "", "\r\n", "\n\n", "a\rb\r\nc\n", "x\ny"};
  for (const QByteArray &bytes : cases) {
    EditorText text = DecodeEditorText(bytes, true);
    EXPECT_EQ(EncodeEditorText(text.text, text.format), bytes) << bytes.toStdString();
  }
  EXPECT_EQ(DecodeEditorText("a\r\nb\r\n", true).text, "a\nb");
  EXPECT_EQ(DecodeEditorText("a\r\n\r\n", true).text, "a\n");
  TextFileFormat fresh = NewLinesDocument;
  EXPECT_EQ(EncodeEditorText("a\nb", fresh), "a\r\nb\r\n");
  EXPECT_EQ(EncodeEditorText("", fresh), "");
  // A file whose last line had no line end keeps it that way when edited.
  EditorText open = DecodeEditorText("one\ntwo", true);
  EXPECT_EQ(EncodeEditorText(open.text + "\nthree", open.format), "one\ntwo\nthree");
}

TEST(TextEncoding, AnEditedMixedDocumentTakesItsFirstLineEnd) {
  EditorText text = DecodeEditorText("a\r\nb\nc");
  EXPECT_EQ(text.text, "a\nb\nc");
  EXPECT_EQ(EncodeEditorText(text.text + "\nd", text.format), "a\r\nb\r\nc\r\nd");
  EXPECT_TRUE(text.format.verbatim.isEmpty());
}

TEST(TextEncoding, ATypedCharacterTheEncodingCannotHoldMakesTheSaveUtf8) {
  EditorText text = DecodeEditorText("caf\xe9\r\n");
  ASSERT_EQ(text.format.encoding, TextEncoding::Windows1252);
  // Characters Windows-1252 holds keep it.
  EXPECT_EQ(EncodeEditorText(text.text + QString::fromUtf8("€"), text.format), "caf\xe9\r\n\x80");
  EXPECT_EQ(text.format.encoding, TextEncoding::Windows1252);
  EXPECT_EQ(EncodeEditorText(text.text + QString::fromUtf8("ω"), text.format), "caf\xc3\xa9\r\n\xcf\x89");
  EXPECT_EQ(text.format.encoding, TextEncoding::Utf8);
  EXPECT_EQ(EncodingChangeNote(TextEncoding::Windows1252, TextEncoding::Utf8),
            "Saved as UTF-8: the text holds characters Windows-1252 cannot");
  EXPECT_EQ(EncodingChangeNote(TextEncoding::Utf8, TextEncoding::Utf8), "");
}

TEST(TextEncoding, AFailedWriteKeepsTheFormatItHad) {
  TextFileFormat format{TextEncoding::Windows1252, LineEnding::Lf, {}};
  EXPECT_THROW(WriteEditorText("/nonexistent-dir/x.txt", QString::fromUtf8("ω"), format), Error);
  EXPECT_EQ(format.encoding, TextEncoding::Windows1252);
}
