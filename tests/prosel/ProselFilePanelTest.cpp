#include "controls/FileChain.h"
#include "controls/RichEdit.h"
#include "htmlview/HtmlView.h"
#include "platform/Errors.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::menuCaptions;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

class ProselFilePanel : public testing::Test {
protected:
  void SetUp() override { CreateForm(ProselF); }
  // Shows `folder` in the file list and selects the named files.
  void choose(const QString &folder, const QStringList &names) {
    FileListBox *list = ProselF->FileListBox1;
    list->setDirectory(dir.path(folder));
    list->waitForListing();
    list->clearSelection();
    for (const QString &name : names) {
      const int row = int(list->items().indexOf(name));
      ASSERT_GE(row, 0) << name.toStdString();
      list->setSelected(row, true);
      list->selectionModel()->setCurrentIndex(list->model()->index(row, 0), QItemSelectionModel::NoUpdate);
    }
  }
  QString folder(const QString &name = {}) const { return dir.path(QStringLiteral("site/") + name); }

  TempDir dir;
};

} // namespace

TEST_F(ProselFilePanel, ThePopupTicksExactlyTheChosenMode) {
  const QMenu *popup = ProselF->findChild<QMenu *>(QStringLiteral("FilesPopup"));
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(menuCaptions(popup), QStringList({"Create Index", "Create Short Links", "Create Long Links",
                                              "Copy Short Names", "Copy Long Names", "Extract Links"}));
  EXPECT_EQ(ProselF->LinkMode, 1);
  EXPECT_TRUE(ProselF->action("CopyShortNames1")->isChecked());
  const QList<QPair<const char *, int>> modes{{"CreateIndex1", 5},   {"CreateShortLinks1", 3}, {"CreateLongLinks1", 4},
                                              {"CopyLongNames1", 2}, {"ExtractLinks1", 6},     {"CopyShortNames1", 1}};
  for (const auto &[item, mode] : modes) {
    ProselF->action(item)->trigger();
    EXPECT_EQ(ProselF->LinkMode, mode) << item;
    int ticked = 0;
    for (QAction *a : popup->actions())
      ticked += a->isChecked();
    EXPECT_EQ(ticked, 1) << item;
    EXPECT_TRUE(ProselF->action(item)->isChecked()) << item;
  }
}

TEST_F(ProselFilePanel, DroppedFilesWriteNamesOrLinksAtTheUpperPanesCaret) {
  dir.write("site/page.html", "x");
  dir.write("site/logo.gif", "x");
  dir.write("site/notes.txt", "x");
  choose("site", {"logo.gif", "page.html"});
  ProselF->EditorA->SetText("[]");
  ProselF->EditorA->SetSelStart(1);
  ProselF->CreateShortLinks1Click();
  ProselF->EditorADragDrop();
  EXPECT_EQ(ProselF->EditorA->Text(), "[<A HREF=\"logo.gif\">logo</A><BR>\n<A HREF=\"page.html\">page</A><BR>\n]");

  ProselF->EditorA->SetText(QString());
  ProselF->CopyLongNames1Click();
  ProselF->EditorADragDrop();
  EXPECT_EQ(ProselF->EditorA->Text(), folder("logo.gif") + "\n" + folder("page.html") + "\n");

  // Nothing selected: nothing written.
  ProselF->FileListBox1->clearSelection();
  ProselF->EditorA->SetText("kept");
  ProselF->EditorADragDrop();
  EXPECT_EQ(ProselF->EditorA->Text(), "kept");
}

TEST_F(ProselFilePanel, ExtractLinksAppendsTheLinksOfSelectedPagesOnly) {
  dir.write("site/a.htm", "<A HREF=\"One.htm\">One</A> text <a href=\"two.htm\">Two</a>");
  dir.write("site/b.txt", "<a href=\"skipped\">no</a>");
  choose("site", {"a.htm", "b.txt"});
  ProselF->EditorA->SetText("first line");
  ProselF->EditorA->SetSelStart(0);
  ProselF->ExtractLinks1Click();
  ProselF->EditorADragDrop();
  EXPECT_EQ(ProselF->EditorA->Text(), "first line\n<a href=\"one.htm\">one</a>\n<a href=\"two.htm\">two</a>");
}

TEST_F(ProselFilePanel, CreateIndexWritesTheIndexAndFrameSetAndShowsThemThenTheDocumentAgain) {
  ScriptedDialogs dialogs;
  const QByteArray contents = "<h1>Help</h1>\n<a name=\"_new1\"></a>One\n<A NAME=\"old\"></A>Two\n";
  dir.write("site/helpC.htm", contents);
  choose("site", {"helpC.htm"});
  ProselF->CreateIndex1Click();
  ProselF->EditorADragDrop();
  EXPECT_EQ(dir.read("site/helpCI.htm"), "<HTML><HEAD><TITLE>Help Index</TITLE>\n<BASE TARGET=\"contents\">\n</HEAD>\n"
                                         "<BODY bgcolor=white>\n<FONT SIZE=1 FACE=arial><B>\n"
                                         "<A HREF=\"helpC.htm#_new1\">new1</A><font color=red> new</font><BR>\n"
                                         "<A HREF=\"helpC.htm#old\">old</A><BR>\n</B></FONT></BODY></HTML>");
  EXPECT_EQ(dir.read("site/help.htm"),
            "<FRAMESET COLS=\"200,*\"  FRAMEBORDER=NO>\r\n<FRAME SRC=\"helpCI.htm\" "
            "name=\"index\">\r\n<FRAME SRC=\"helpC.htm\" name=\"contents\">\r\n</FRAMESET>\r\n");
  ASSERT_NE(VellantF, nullptr);
  EXPECT_EQ(VellantF->windowTitle(), "Vellant - Prosel Preview");
  ASSERT_TRUE(VellantF->FrameView->waitForLoad(30000));
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), QFileInfo(folder("help.htm")).absoluteFilePath());
  EXPECT_EQ(ProselF->ActiveEditor->Text(), QString::fromUtf8(contents));
  EXPECT_EQ(ProselF->CurrentFile, folder("helpC.htm"));
  EXPECT_TRUE(ProselF->FileListBox1->items().contains("helpCI.htm"));
  EXPECT_EQ(dialogs.log(), QStringList());
}

TEST_F(ProselFilePanel, CreateIndexNeverReplacesAPageItDidNotWrite) {
  ScriptedDialogs dialogs;
  dir.write("site/page.htm", "<a name=\"x\"></a>");
  dir.write("site/pag.htm", "my own page");
  choose("site", {"page.htm"});
  ProselF->CreateIndex1Click();
  dialogs.expectError();
  guarded([] { ProselF->EditorADragDrop(); });
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_EQ(dir.read("site/pag.htm"), "my own page");
  EXPECT_FALSE(QFileInfo::exists(folder("pagCI.htm")));
  EXPECT_EQ(ProselF->ActiveEditor->Text(), "<a name=\"x\"></a>");

  // A document without anchors: no index, the document shown.
  dir.write("site/plainC.htm", "<p>none</p>");
  choose("site", {"plainC.htm"});
  ProselF->EditorADragDrop();
  EXPECT_FALSE(QFileInfo::exists(folder("plainCI.htm")));
  EXPECT_EQ(ProselF->ActiveEditor->Text(), "<p>none</p>");
}

TEST_F(ProselFilePanel, TheTargetsBoxListsAnchorsOfEveryPageAndInsertsTheirLinks) {
  dir.write("site/page.htm", "<A NAME=\"Intro\"></A><a name=\"end\"></a>");
  dir.write("site/INDEX.HTM", "no anchors");
  dir.write("site/other.txt", "<a name=\"skipped\">");
  choose("site", {"other.txt"}); // the selection does not matter
  ProselF->cboTargets->addItem("stale");
  ProselF->cboTargetsDragDrop();
  QStringList entries;
  for (int i = 0; i < ProselF->cboTargets->count(); ++i)
    entries.append(ProselF->cboTargets->itemText(i));
  EXPECT_EQ(entries, QStringList({"INDEX.HTM", "page.htm", "page.htm#intro", "page.htm#end"}));
  ProselF->ActiveEditor->SetText(QString());
  ProselF->cboTargetsClick(2);
  ProselF->cboTargetsClick(0);
  EXPECT_EQ(ProselF->ActiveEditor->Text(),
            "<A HREF=\"page.htm#intro\">page.intro</A><A HREF=\"INDEX.HTM\">INDEX.HTM</A>");
}
