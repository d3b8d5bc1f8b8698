#include "controls/RichEdit.h"
#include "platform/Errors.h"
#include "rtf/DocumentDump.h"
#include "rtf/RtfReader.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

namespace {

struct LoadCase {
  const char *name;
  bool plain;
  QByteArray input;
  QString text;     // what the control shows
  QByteArray saved; // what saving in plain mode writes
};

void PrintTo(const LoadCase &c, std::ostream *os) { *os << c.name; }

class RichEditLoads : public testing::TestWithParam<LoadCase> {};

TEST_P(RichEditLoads, ShowsTheTextAndSavesInItsMode) {
  const LoadCase &c = GetParam();
  TRichEdit edit;
  edit.SetPlainText(c.plain);
  edit.LoadFromBytes(c.input);
  EXPECT_EQ(edit.Text(), c.text);
  EXPECT_FALSE(edit.Modified());
  EXPECT_FALSE(edit.CanUndo());
  const QByteArray saved = edit.SaveToBytes();
  if (c.plain) {
    EXPECT_EQ(saved, c.saved);
    return;
  }
  ASSERT_TRUE(rtf::IsRtf(saved)) << saved.data();
  TRichEdit again;
  again.LoadFromBytes(saved);
  EXPECT_EQ(again.Text(), c.text);
  EXPECT_EQ(rtf::DumpDocument(*again.document()), rtf::DumpDocument(*edit.document()));
}

const LoadCase kLoadCases[] = {
    {"plain_crlf", true, "one\r\ntwo\r\n", "one\ntwo\n", "one\r\ntwo\r\n"},
    {"plain_lf_kept", true, "one\ntwo", "one\ntwo", "one\ntwo"},
    {"plain_cr_kept", true, "one\rtwo\r", "one\ntwo\n", "one\rtwo\r"},
    {"plain_mixed_ends_kept_while_unchanged", true, "a\nb\r\nc", "a\nb\nc", "a\nb\r\nc"},
    {"plain_empty", true, "", "", ""},
    {"plain_utf8", true, "caf\xc3\xa9 \xe2\x82\xac\n", QString::fromUtf8("café €\n"), "caf\xc3\xa9 \xe2\x82\xac\n"},
    {"plain_not_utf8_read_as_windows_1252_and_saved_byte_for_byte", true, "caf\xe9\r\n\x80",
     QString::fromUtf8("café\n€"), "caf\xe9\r\n\x80"},
    {"plain_reads_rtf_as_its_raw_text", true, "{\\rtf1 \\b bold\\b0\\par}\r\n", "{\\rtf1 \\b bold\\b0\\par}\n",
     "{\\rtf1 \\b bold\\b0\\par}\r\n"},
    {"rich_reads_rtf",
     false,
     "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 a \\b bold\\b0\\par\\qc centre\\par}",
     "a bold\ncentre",
     {}},
    {"rich_reads_other_text_as_plain", false, "<p>page</p>\nline two", "<p>page</p>\nline two", {}},
    {"rich_reads_text_that_only_looks_rtf_later_as_plain", false, " {\\rtf1 x}", " {\\rtf1 x}", {}},
};

INSTANTIATE_TEST_SUITE_P(Modes, RichEditLoads, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<LoadCase> &info) { return std::string(info.param.name); });

TEST(RichEditFiles, RichSavesKeepTheLoadedLineEnds) {
  TRichEdit edit;
  edit.LoadFromBytes("first\nsecond\n");
  EXPECT_EQ(edit.DocumentLineEnding(), LineEnding::Lf);
  QByteArray rtf = edit.SaveToBytes();
  EXPECT_FALSE(rtf.contains('\r'));
  edit.Clear();
  EXPECT_EQ(edit.DocumentLineEnding(), LineEnding::CrLf);
  edit.SetText("new\ntext");
  EXPECT_TRUE(edit.SaveToBytes().contains("\\par\r\n"));
}

TEST(RichEditFiles, SwitchingTheModeDoesNotReload) {
  TRichEdit edit;
  edit.LoadFromBytes("{\\rtf1 \\b bold\\b0  text\\par second\\par}");
  ASSERT_EQ(edit.Text(), "bold text\nsecond");
  edit.SetPlainText(true);
  EXPECT_EQ(edit.Text(), "bold text\nsecond");
  EXPECT_EQ(edit.SaveToBytes(), "bold text\r\nsecond");
  edit.SetPlainText(false);
  EXPECT_TRUE(edit.SaveToBytes().contains("\\b bold"));
}

TEST(RichEditFiles, FilesAndStreamsRoundTrip) {
  TempDir dir;
  const QString path = dir.write("page.htm", "<b>x</b>\n<i>y</i>\n");
  TRichEdit edit;
  edit.SetPlainText(true);
  edit.LoadFromFile(path);
  EXPECT_EQ(edit.LineCount(), 3);
  edit.SetSelStart(0);
  edit.SetSelText("<p>");
  edit.SaveToFile(dir.path("out.htm"));
  EXPECT_EQ(dir.read("out.htm"), "<p><b>x</b>\n<i>y</i>\n");
  EXPECT_FALSE(edit.Modified());

  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  edit.SetPlainText(false);
  edit.SaveToStream(buffer);
  buffer.close();
  EXPECT_TRUE(rtf::IsRtf(buffer.data()));
  buffer.open(QIODevice::ReadOnly);
  TRichEdit other;
  other.LoadFromStream(buffer);
  EXPECT_EQ(other.Text(), "<p><b>x</b>\n<i>y</i>\n");
}

TEST(RichEditFiles, FailuresRaiseTheFileMessagesAndKeepTheOldFile) {
  TempDir dir;
  TRichEdit edit;
  edit.SetText("kept");
  const QString missing = dir.path("missing.rtf");
  try {
    edit.LoadFromFile(missing);
    FAIL() << "no error";
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot open file " + missing);
  }
  EXPECT_EQ(edit.Text(), "kept");

  const QString unwritable = dir.path("no/such/dir/out.txt");
  test::ScriptedDialogs dialogs;
  dialogs.expectError("Cannot create file " + unwritable);
  EXPECT_FALSE(guarded([&] { edit.SaveToFile(unwritable); }));

  const QString existing = dir.write("old.txt", "old");
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  if (!QFile(existing).open(QIODevice::Append)) { // permissions do not bind root
    EXPECT_THROW(edit.SaveToFile(existing), Error);
    EXPECT_EQ(dir.read("old.txt"), "old");
  }
  QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

  QBuffer closed;
  EXPECT_THROW(edit.LoadFromStream(closed), Error);
  EXPECT_THROW(edit.SaveToStream(closed), Error);
}

TEST(RichEditFiles, LoadingAnyBytesNeverFails) {
  TRichEdit edit;
  QByteArray junk;
  for (int i = 0; i < 4096; ++i)
    junk += char((i * 7919) % 256);
  for (bool plain : {true, false}) {
    edit.SetPlainText(plain);
    edit.LoadFromBytes(junk);
    edit.LoadFromBytes("{\\rtf1" + junk);
    EXPECT_GT(edit.TextLength(), 0);
  }
}

// Highlight HTML as the editor runs it: the pane's RTF with every tag made a bold group, read back.
void HighlightHtml(TRichEdit &edit) {
  const bool plain = edit.PlainText();
  edit.SetPlainText(false);
  QByteArray rtf = edit.SaveToBytes();
  rtf.replace("<", "{\\b <");
  rtf.replace(">", ">}");
  edit.LoadFromBytes(rtf);
  edit.SetPlainText(plain);
}

TEST(RichEditFiles, HighlightHtmlTwiceKeepsTextAndLineEnds) {
  for (bool plain : {true, false}) {
    TRichEdit edit;
    edit.SetPlainText(plain);
    edit.LoadFromBytes("<html>\n<p>a > b</p>\n</html>\n");
    HighlightHtml(edit);
    HighlightHtml(edit);
    EXPECT_EQ(edit.Text(), "<html>\n<p>a > b</p>\n</html>\n");
    edit.Select(1, 1);
    EXPECT_TRUE(edit.SelAttributes().Style().testFlag(fsBold));
    edit.Select(10, 1); // "a" between the tags
    EXPECT_FALSE(edit.SelAttributes().Style().testFlag(fsBold));
    if (plain)
      EXPECT_EQ(edit.SaveToBytes(), "<html>\n<p>a > b</p>\n</html>\n");
    else
      EXPECT_FALSE(edit.SaveToBytes().contains('\r'));
  }
}

} // namespace
