#include "controls/FileChain.h"
#include "controls/RichEdit.h"
#include "platform/Paths.h"
#include "prosel/HTMLTagsU.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

void WriteAppFile(const QString &name, const QByteArray &bytes) {
  QFile file(AppDir() + name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadAppFile(const QString &name) {
  QFile file(AppDir() + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList BoxItems(const QComboBox *box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i)
    items.append(box->itemText(i));
  return items;
}

class ProselLists : public testing::Test {
protected:
  void SetUp() override {
    WriteAppFile("TreeTags.txt", "x=two\r\nX=one\r\nzeta=last\r\n");
    WriteAppFile("ProselTrans.txt", "cat=chat\r\ndog=chien\r\nthe cat=le chat\r\n");
    WriteAppFile("HTMLTags.txt", "<a>\r\nhref=where the link goes\r\n<table>\r\nborder=frame width\r\n"
                                 "width=of the table\r\n<td>\r\nrowspan=rows\r\n");
    CreateForm(ProselF);
    CreateForm(HTMLTagsF);
    ProselF->PlainText1Click();
    pane = ProselF->ActiveEditor;
  }
  void choose(QComboBox *box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  void run(const char *name) {
    QAction *a = ProselF->action(QString::fromLatin1(name));
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
  }
  // Runs Attributes while a timer answers the picker with `keys` on the item `row`.
  QString pickAttribute(int row, Qt::Key key) {
    QString caption;
    QTimer::singleShot(0, [&] {
      caption = HTMLTagsF->windowTitle();
      if (row >= 0)
        HTMLTagsF->SetCurrentRow(row);
      QTest::keyClick(HTMLTagsF->HTMLList, key);
    });
    run("Attributes1");
    return caption;
  }

  TRichEdit *pane = nullptr;
  TempDir dir;
};

} // namespace

TEST_F(ProselLists, TheBoxesShowNamesSortedAndTakeTheFirstLineOfAName) {
  EXPECT_EQ(BoxItems(ProselF->cboLib), QStringList({"X", "x", "zeta"}));
  EXPECT_EQ(ProselF->cboLib->currentIndex(), 0);
  EXPECT_EQ(BoxItems(ProselF->cboTrans), QStringList({"cat", "dog", "the cat"}));
  // Either "x" line inserts the value of the line that sorts first.
  pane->SetText(QString());
  choose(ProselF->cboLib, 1);
  choose(ProselF->cboLib, 0);
  EXPECT_EQ(pane->Text(), "oneone");
  choose(ProselF->cboTrans, 1);
  EXPECT_EQ(pane->Text(), "oneonechien");
}

TEST_F(ProselLists, ASnippetKeepsItsLineBreaksAsTildesInTheFile) {
  ScriptedDialogs dialogs;
  pane->SetText("a\nb rest");
  pane->Select(0, 3);
  dialogs.expectInput("pair", "Tag Name is?");
  run("Add1");
  EXPECT_EQ(dialogs.prompts().front().caption, "Add Tag");
  EXPECT_EQ(ReadAppFile("TreeTags.txt"), "pair=a~b\r\nX=one\r\nx=two\r\nzeta=last\r\n");
  pane->SetText(QString());
  choose(ProselF->cboLib, ProselF->cboLib->findText("pair"));
  EXPECT_EQ(pane->Text(), "a\nb");

  // A "~" typed into a snippet comes back as a line break.
  pane->SetText("one~two");
  pane->selectAll();
  dialogs.expectInput("tilde");
  run("Add1");
  pane->SetText(QString());
  choose(ProselF->cboLib, ProselF->cboLib->findText("tilde"));
  EXPECT_EQ(pane->Text(), "one\ntwo");

  // No name or no text: nothing added, nothing written.
  const QByteArray before = ReadAppFile("TreeTags.txt");
  pane->SetSelStart(0);
  dialogs.expectInput("empty");
  run("Add1");
  pane->selectAll();
  dialogs.expectInput("");
  run("Add1");
  EXPECT_EQ(ReadAppFile("TreeTags.txt"), before);

  choose(ProselF->cboLib, ProselF->cboLib->findText("pair"));
  run("LibDelete1");
  EXPECT_FALSE(ReadAppFile("TreeTags.txt").contains("pair="));
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(ProselLists, DocsModeStoresAndReplacesTheWholeDocument) {
  ScriptedDialogs dialogs;
  run("DocsMode1");
  EXPECT_EQ(ProselF->LibMode, "docs");
  EXPECT_FALSE(ProselF->action("TagsMode1")->isChecked());
  pane->SetText("<html>\n<body>template</body>\n</html>");
  dialogs.expectInput("page");
  run("Add1");
  EXPECT_TRUE(ReadAppFile("TreeTags.txt").contains("page=<html>~<body>template</body>~</html>\r\n"));
  pane->SetText("old text");
  choose(ProselF->cboLib, ProselF->cboLib->findText("page"));
  EXPECT_EQ(pane->Text(), "<html>\n<body>template</body>\n</html>");
  run("TagsMode1");
  EXPECT_EQ(ProselF->LibMode, "tags");
  EXPECT_FALSE(ProselF->action("DocsMode1")->isChecked());
}

TEST_F(ProselLists, NewLoadAndSaveAsMoveTheLibraryToAnotherFile) {
  ScriptedDialogs dialogs;
  const QString other = dir.path("other.txt");
  dialogs.expectSaveFile(other);
  run("LibSaveAs1");
  EXPECT_EQ(ProselF->TagsFile, other);
  EXPECT_EQ(dir.read("other.txt"), "X=one\r\nx=two\r\nzeta=last\r\n");
  const QString fresh = dir.path("fresh.txt");
  dialogs.expectSaveFile(fresh);
  run("NewTagsFile1");
  EXPECT_EQ(ProselF->cboLib->count(), 0);
  EXPECT_FALSE(QFile::exists(fresh)) << "written only by the next change";
  dialogs.expectOpenFile(other);
  run("Load1");
  EXPECT_EQ(BoxItems(ProselF->cboLib), QStringList({"X", "x", "zeta"}));
  EXPECT_EQ(dialogs.pending(), 0);

  // A library file dropped from the file list is loaded and kept as the library.
  dir.write("libs/web.txt", "img=<img src=\"\">\r\n");
  ProselF->FileListBox1->setDirectory(dir.path("libs"));
  ProselF->FileListBox1->waitForListing();
  ProselF->FileListBox1->setCurrentIndex(ProselF->FileListBox1->model()->index(0, 0));
  ProselF->cboLibDragDrop();
  EXPECT_EQ(ProselF->TagsFile, dir.path("libs/web.txt"));
  EXPECT_EQ(BoxItems(ProselF->cboLib), QStringList({"img"}));
}

TEST_F(ProselLists, ADroppedFolderIsNamedByItsLastPartAndOpensInTheFileList) {
  dir.write("site/page.htm", "x");
  ProselF->DirectoryListBox1->setDirectory(dir.path("site"));
  ProselF->cboDirsDragDrop();
  ProselF->DirectoryListBox1->setDirectory("/");
  ProselF->cboDirsDragDrop();
  EXPECT_EQ(BoxItems(ProselF->cboDirs), QStringList({"/", "site"}));
  EXPECT_EQ(ReadAppFile("TreeDirs.txt"), "/=/\r\nsite=" + dir.path("site").toUtf8() + "\r\n");

  ScriptedDialogs dialogs;
  ProselF->FileListBox1->setDirectory("/");
  choose(ProselF->cboDirs, 1);
  EXPECT_EQ(ProselF->FileListBox1->Directory(), dir.path("site"));
  dialogs.expectCancel(Dialogs::Kind::OpenFile);
  run("Open1");
  EXPECT_EQ(dialogs.lastFileOptions().initialDir, dir.path("site"));

  choose(ProselF->cboDirs, 0);
  run("DirsDelete1");
  EXPECT_EQ(ReadAppFile("TreeDirs.txt"), "site=" + dir.path("site").toUtf8() + "\r\n");
}

TEST_F(ProselLists, TranslationUsesTheSelectionOrTheTextFromTheBookmark) {
  pane->SetText("the cat sat");
  pane->Select(4, 3);
  run("Translation1");
  EXPECT_EQ(pane->Text(), "the chat sat");
  // No selection: from the bookmark to the caret.
  pane->SetText("the cat sat");
  ProselF->BookmarkPos = 0;
  pane->SetSelStart(7);
  run("Translation1");
  EXPECT_EQ(pane->Text(), "le chat sat");
  // The caret at the bookmark: nothing happens, not even the translation of an empty name.
  WriteAppFile("ProselTrans.txt", "=empty name\r\ncat=chat\r\nthe cat=le chat\r\n");
  run("Reload1");
  ProselF->BookmarkPos = 3;
  pane->SetSelStart(3);
  run("Translation1");
  EXPECT_EQ(pane->Text(), "le chat sat");
  EXPECT_EQ(pane->SelLength(), 0);
  // A word without a translation stays selected.
  pane->Select(8, 3);
  run("Translation1");
  EXPECT_EQ(pane->Text(), "le chat sat");
  EXPECT_EQ(pane->SelText(), "sat");
}

TEST_F(ProselLists, ReloadAndEditReadTheTranslationFile) {
  WriteAppFile("ProselTrans.txt", "new=neu\r\n");
  run("Reload1");
  EXPECT_EQ(BoxItems(ProselF->cboTrans), QStringList({"new"}));
  ProselF->RichText1Click();
  run("Edit2");
  EXPECT_FALSE(ProselF->action("RichText1")->isChecked());
  EXPECT_EQ(ProselF->CurrentFile, AppDir() + "ProselTrans.txt");
  EXPECT_EQ(pane->Text(), "new=neu\n");
  QFile::remove(AppDir() + "ProselTrans.txt");
  run("Reload1");
  EXPECT_EQ(BoxItems(ProselF->cboTrans), QStringList({"new"}));
}

TEST_F(ProselLists, PickerListsEveryLineWithTheTagsInBoldRed) {
  const QAbstractItemModel *lines = HTMLTagsF->HTMLList->model();
  ASSERT_EQ(lines->rowCount(), 7);
  EXPECT_EQ(HTMLTagsF->Items().size(), 7);
  EXPECT_EQ(lines->index(0, 0).data().toString(), "<a>");
  EXPECT_EQ(lines->index(3, 0).data().toString(), "border=frame width");
  for (int row = 0; row < lines->rowCount(); ++row) {
    const QModelIndex line = lines->index(row, 0);
    const bool heading = line.data().toString().startsWith(u'<');
    EXPECT_EQ(line.data(Qt::FontRole).value<QFont>().bold(), heading) << row;
    EXPECT_EQ(line.data(Qt::ForegroundRole).value<QColor>() == QColor(Qt::red), heading) << row;
  }
  // And the list draws them so: red on the heading's row, none on the attribute's below it.
  QListView *list = HTMLTagsF->HTMLList;
  list->resize(225, 218);
  list->doItemsLayout();
  list->clearSelection();
  const QImage drawn = list->viewport()->grab().toImage();
  const auto redIn = [&drawn](const QRect &row) {
    int red = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
      for (int x = row.left(); x <= row.right(); ++x) {
        const QColor c = drawn.pixelColor(x, y);
        red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
      }
    return red;
  };
  EXPECT_GT(redIn(list->visualRect(lines->index(0, 0))), 0);
  EXPECT_EQ(redIn(list->visualRect(lines->index(1, 0))), 0);
}

TEST_F(ProselLists, TypingATagOffersItsAttributesInThePicker) {
  ASSERT_EQ(HTMLTagsF->Items().size(), 7);
  EXPECT_FALSE(HTMLTagsF->isVisible());
  pane->setFocus();
  QTest::keyClicks(pane, "x<table");
  EXPECT_TRUE(ProselF->InTag);
  EXPECT_EQ(ProselF->TagStart, 1);
  EXPECT_EQ(pane->Text(), "x<table");
  EXPECT_EQ(pickAttribute(3, Qt::Key_Return), "<table>");
  EXPECT_EQ(pane->Text(), "x<table border=");
  // The tag's name is kept: the picker offers the same tag again; Backspace declines.
  pickAttribute(4, Qt::Key_Backspace);
  EXPECT_EQ(pane->Text(), "x<table border=");
  EXPECT_EQ(ProselF->TagName, "<table>");
  // A heading chosen gives an empty name.
  pickAttribute(2, Qt::Key_Return);
  EXPECT_EQ(pane->Text(), "x<table border= =");
  QTest::keyClicks(pane, ">");
  EXPECT_FALSE(ProselF->InTag);
  EXPECT_EQ(ProselF->TagName, "");
  run("Attributes1"); // outside a tag: no picker
  EXPECT_FALSE(HTMLTagsF->isVisible());

  // A tag the picker does not know, and the lower pane, offer nothing.
  QTest::keyClicks(pane, "<blink");
  run("Attributes1");
  EXPECT_EQ(pane->Text(), "x<table border= =><blink");
  ProselF->Both1Click();
  ProselF->EditorB->setFocus();
  QApplication::processEvents();
  ProselF->InTag = false;
  QTest::keyClicks(ProselF->EditorB, "<a");
  EXPECT_FALSE(ProselF->InTag);
  EXPECT_EQ(ProselF->EditorB->Text(), "<a");
}
