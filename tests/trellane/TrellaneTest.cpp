#include "HtmlTestSupport.h"
#include "htmlview/HtmlView.h"
#include "platform/Paths.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "trellane/ColorPanel.h"
#include "trellane/TrellaneU.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class Trellane : public testing::Test {
protected:
  ScriptedDialogs dialogs;
  TTrellaneF *window = OpenToolWindow(TrellaneF);

  void trigger(const char *name) { window->commands().action(name)->trigger(); }
  QMenu *menu(const char *name) { return window->commands().menu(name); }
  // The Tables page with a fresh node selected in its tree.
  OutlineNode *startTable() {
    window->mywizards->setCurrentIndex(0);
    trigger("AddList1");
    return window->selectedNode();
  }
  OutlineNode *startFrames() {
    window->mywizards->setCurrentIndex(1);
    trigger("AddList1");
    return window->selectedNode();
  }
  OutlineNode *cell(int row, int column) { return window->tableTree().nodeAt(0)->child(row)->child(column); }
};

TEST_F(Trellane, OpensOnTheFramesPageWithTheControlsAsDesigned) {
  EXPECT_EQ(window->windowTitle(), "Trellane 2");
  EXPECT_EQ(window->objectName(), "TrellaneF");
  EXPECT_TRUE(window->menus().isEmpty());
  EXPECT_EQ(window->mywizards->count(), 3);
  EXPECT_EQ(window->mywizards->tabText(0), "Tables");
  EXPECT_EQ(window->mywizards->tabText(2), "Output");
  EXPECT_EQ(window->mywizards->currentIndex(), 1);
  EXPECT_EQ(window->currentTreeView(), window->myframe);
  for (const char *name :
       {"mytable",        "tableviewer", "tablerows",     "tablecols",   "tablecolors", "tablealign",    "tablewidth",
        "tablepreview",   "tablesok",    "myframe",       "frameviewer", "nrofframes",  "framecolsrows", "framesource",
        "getframesource", "framename",   "framespreview", "framesok",    "framesedit",  "Memo1"})
    EXPECT_NE(window->findChild<QWidget *>(name), nullptr) << name;

  EXPECT_EQ(window->tablerows->count(), 25);
  EXPECT_EQ(window->tablerows->itemText(24), "25");
  EXPECT_EQ(window->tablecols->count(), 15);
  EXPECT_EQ(window->nrofframes->count(), 25);
  EXPECT_EQ(window->tablerows->currentIndex(), -1);
  EXPECT_EQ(window->tablecols->currentIndex(), -1);
  EXPECT_EQ(window->nrofframes->currentIndex(), -1);
  EXPECT_EQ(window->tablealign->itemText(1), "CENTER");
  EXPECT_EQ(window->tablecolors->Color(), clWhite);
  EXPECT_EQ(window->tablewidth->text(), "100");
  EXPECT_EQ(window->tablewidth->toolTip(), "Enter Column/Cell Width");
  EXPECT_EQ(window->tablepreview->toolTip(), "Preview Table");
  EXPECT_TRUE(window->tablesok->isDefault());
  EXPECT_EQ(window->framecolsrows->title(), "Frameset");
  EXPECT_EQ(window->framecolsrowsIndex(), 0);
  EXPECT_EQ(window->frontFrameWidget(), window->myframe);
  EXPECT_EQ(window->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  // The trees show the window's own outline trees.
  EXPECT_EQ(window->mytable->model()->rowCount(), 0);
  window->tableTree().AddChild(nullptr, "shown");
  EXPECT_EQ(window->mytable->model()->index(0, 0).data().toString(), "shown");
}

TEST_F(Trellane, TheNodeMenuOffersTableCommandsOnlyOnTheTableTree) {
  EXPECT_EQ(menuCaptions(menu("infopopup")),
            (QStringList{"Add", "Duplicate", "Delete", "Source", "Move", "Table", "Frames"}));
  EXPECT_EQ(menuCaptions(menu("Add1")), (QStringList{"List", "List First", "List Insert", "Child", "Child First"}));
  EXPECT_EQ(menuCaptions(menu("Move1")), menuCaptions(menu("Add1")));
  EXPECT_EQ(menuCaptions(menu("Table1")), (QStringList{"Table", "Row", "Cell", "Align", "Color", "Width"}));
  EXPECT_EQ(menuCaptions(menu("Cell1")), (QStringList{"Span cols", "Span rows", "No span"}));
  EXPECT_EQ(menuCaptions(menu("Color1")), (QStringList{"Set", "Delete", "Get"}));
  EXPECT_EQ(menuCaptions(menu("Frames1")), (QStringList{"Frameset", "Frame"}));

  window->infopopupPopup(window->mytable);
  EXPECT_EQ(window->currentTreeView(), window->mytable);
  EXPECT_TRUE(window->commands().action("Table1")->isVisible());
  EXPECT_FALSE(window->commands().action("Frames1")->isVisible());
  window->infopopupPopup(window->myframe);
  EXPECT_EQ(window->currentTreeView(), window->myframe);
  EXPECT_FALSE(window->commands().action("Table1")->isVisible());
  EXPECT_TRUE(window->commands().action("Frames1")->isVisible());

  // The pages choose the tree too; the output page leaves it as it was.
  window->mywizards->setCurrentIndex(0);
  EXPECT_EQ(window->currentTreeView(), window->mytable);
  window->mywizards->setCurrentIndex(2);
  EXPECT_EQ(window->currentTreeView(), window->mytable);
}

TEST_F(Trellane, CommandsNeedASelectedNodeExceptAddingToTheTop) {
  window->mywizards->setCurrentIndex(0);
  for (const char *name : {"Duplicate1", "Delete1", "Source1", "MoveChild1", "TableTable1", "SpanCols1", "AlignSet1",
                           "ColorGet1", "WidthGet1"})
    trigger(name);
  EXPECT_TRUE(window->tableTree().isEmpty());
  EXPECT_EQ(window->tablewidth->text(), "100");

  // An empty tree would stay empty if adding needed a node: the first one goes to the top.
  trigger("AddChild1");
  EXPECT_EQ(window->tableTree().dump(), "newnode");
  EXPECT_EQ(window->selectedNode(), window->tableTree().firstNode());
  trigger("AddChild1");
  trigger("AddListFirst1");
  EXPECT_EQ(window->tableTree().dump(), "newnode newnode(newnode)");
  EXPECT_TRUE(window->frameTree().isEmpty());
}

TEST_F(Trellane, AThreeByThreeTableWithAColouredCellGoesToTheOutput) {
  OutlineNode *table = startTable();
  window->tablerows->setCurrentIndex(2);
  window->tablecols->setCurrentIndex(2);
  trigger("TableTable1");
  EXPECT_EQ(window->tableTree().count(), 1 + 3 * (2 + 3 * 3) + 1);
  EXPECT_EQ(window->tableTree().nodeAt(0), table);

  dialogs.expectColor(RGB(0x20, 0x40, 0xC0));
  QTest::mouseClick(window->tablecolors, Qt::LeftButton);
  EXPECT_EQ(window->tablecolors->Color(), RGB(0x20, 0x40, 0xC0));
  window->selectNode(window->mytable, cell(1, 1));
  trigger("ColorSet1");
  window->tablealign->setCurrentIndex(2);
  trigger("AlignSet1");
  window->tablewidth->setText("50%");
  trigger("WidthSet1");
  EXPECT_EQ(cell(1, 1)->textString(), "<TD BGCOLOR=#2040C0 ALIGN=RIGHT>");
  window->tablewidth->setText("40");
  trigger("WidthSet1");
  trigger("AlignDelete1");
  trigger("AlignDelete1");
  EXPECT_EQ(cell(1, 1)->textString(), "<TD BGCOLOR=#2040C0  WIDTH=40>");

  window->Memo1->setPlainText("before[old]after");
  QTextCursor cursor = window->Memo1->textCursor();
  cursor.setPosition(6);
  cursor.setPosition(11, QTextCursor::KeepAnchor);
  window->Memo1->setTextCursor(cursor);
  window->tablesok->click();
  const QString row = "<TR><TD>*</TD>\n<TD>*</TD>\n<TD>*</TD>\n</TR>\n";
  EXPECT_EQ(window->Memo1->toPlainText(),
            "before<TABLE BORDER=1>" + row +
                "<TR><TD>*</TD>\n<TD BGCOLOR=#2040C0  WIDTH=40>*</TD>\n<TD>*</TD>\n</TR>\n" + row + "</TABLE>after");
  EXPECT_EQ(window->mywizards->currentIndex(), 2);
}

TEST_F(Trellane, GetFillsTheControlsAndABadColourLeavesThePanel) {
  startTable();
  trigger("AddChild1");
  OutlineNode *tag = window->tableTree().nodeAt(1);
  window->tableTree().setText(tag, "<TD ALIGN=CENTER WIDTH=33 BGCOLOR=#00FF00>");
  window->selectNode(window->mytable, tag);
  trigger("AlignGet1");
  trigger("WidthGet1");
  trigger("ColorGet1");
  EXPECT_EQ(window->tablealign->currentIndex(), 1);
  EXPECT_EQ(window->tablewidth->text(), "33");
  EXPECT_EQ(window->tablecolors->Color(), clLime);

  window->tableTree().setText(tag, "<TD ALIGN=JUSTIFY BGCOLOR=green>");
  trigger("AlignGet1");
  EXPECT_EQ(window->tablealign->currentIndex(), 1) << "an unknown alignment changes nothing";
  dialogs.expectError("'$enre' is not a valid integer value");
  trigger("ColorGet1");
  EXPECT_EQ(window->tablecolors->Color(), clLime);
  // The window goes on working after the error.
  trigger("WidthGet1");
  EXPECT_EQ(window->tablewidth->text(), "");
  trigger("ColorDelete1");
  EXPECT_EQ(tag->textString(), "<TD ALIGN=JUSTIFY >");
  trigger("ColorGet1");
  EXPECT_EQ(window->tablecolors->Color(), clBlack);

  trigger("SpanCols1");
  EXPECT_EQ(tag->textString(), "<TD COLSPAN=0>");
  window->tablerows->setCurrentIndex(4);
  trigger("SpanRows1");
  EXPECT_EQ(tag->textString(), "<TD ROWSPAN=5>");
  trigger("NoSpan1");
  EXPECT_EQ(tag->textString(), "<TD>");
}

TEST_F(Trellane, AFrameSetIsBuiltFromTheFramesControls) {
  OutlineNode *set = startFrames();
  window->nrofframes->setCurrentIndex(2);
  window->setFramecolsrowsIndex(1);
  trigger("Frameset1");
  EXPECT_EQ(window->frameTree().dump(), "<FRAMESET ROWS=\"*,*,*\">(<FRAME> <FRAME> <FRAME> </FRAMESET>)");

  dialogs.expectOpenFile("/site/menu.htm");
  window->getframesource->click();
  EXPECT_EQ(window->framesource->text(), "/site/menu.htm");
  window->framename->setText("menu");
  window->selectNode(window->myframe, set->child(0));
  trigger("Frame1");
  window->framesok->click();
  EXPECT_EQ(window->Memo1->toPlainText(), "<FRAMESET ROWS=\"*,*,*\">\n<FRAME SRC=\"/site/menu.htm\" NAME=\"menu\">\n"
                                          "<FRAME>\n<FRAME>\n</FRAMESET>\n");
  EXPECT_EQ(window->mywizards->currentIndex(), 2);
}

TEST_F(Trellane, DuplicateDeleteAndMoveWorkOnTheCurrentTreeOnly) {
  OutlineNode *top = startTable();
  window->tablerows->setCurrentIndex(0);
  window->tablecols->setCurrentIndex(0);
  trigger("TableTable1");
  trigger("Duplicate1");
  EXPECT_EQ(window->tableTree().dump(), "<TABLE BORDER=1>(<TR>(<TD>(* </TD>) </TR>) </TABLE>) "
                                        "<TABLE BORDER=1>(<TR>(<TD>(* </TD>) </TR>) </TABLE>)");
  trigger("Source1");
  EXPECT_EQ(window->moveSource(), top);
  // Into its own subtree: refused, nothing changes.
  window->selectNode(window->mytable, top->child(0)->child(0));
  trigger("MoveChild1");
  trigger("MoveListInsert1");
  EXPECT_EQ(window->tableTree().topLevelCount(), 2);
  EXPECT_EQ(window->tableTree().firstNode(), top);
  EXPECT_TRUE(window->tableTree().isConsistent());

  // Nor into the other page's tree.
  OutlineNode *frame = startFrames();
  trigger("MoveChild1");
  EXPECT_EQ(window->frameTree().dump(), "newnode");
  EXPECT_EQ(frame->childCount(), 0);

  window->mywizards->setCurrentIndex(0);
  window->selectNode(window->mytable, window->tableTree().topLevelNode(1));
  trigger("MoveChildFirst1");
  EXPECT_EQ(window->tableTree().topLevelCount(), 1);
  EXPECT_EQ(top->parent(), window->tableTree().topLevelNode(0));
  EXPECT_EQ(top->index(), 0);

  // Deleting the source forgets it rather than moving a node that is gone.
  window->selectNode(window->mytable, window->tableTree().topLevelNode(0));
  trigger("Delete1");
  EXPECT_TRUE(window->tableTree().isEmpty());
  EXPECT_EQ(window->moveSource(), nullptr);
  trigger("AddList1");
  trigger("MoveList1");
  EXPECT_EQ(window->tableTree().dump(), "newnode");
}

TEST_F(Trellane, CaptionsAreEditedInPlace) {
  OutlineNode *node = startTable();
  const QModelIndex index = window->mytable->model()->index(0, 0);
  EXPECT_TRUE(window->mytable->model()->flags(index) & Qt::ItemIsEditable);
  EXPECT_TRUE(window->mytable->editTriggers() & QAbstractItemView::DoubleClicked);
  window->mytable->model()->setData(index, "<TD>cell</TD>");
  EXPECT_EQ(node->textString(), "<TD>cell</TD>");
}

TEST_F(Trellane, PreviewsWriteThePreviewFileAndShowIt) {
  startTable();
  window->tablerows->setCurrentIndex(0);
  window->tablecols->setCurrentIndex(1);
  trigger("TableTable1");
  window->tablepreview->click();
  EXPECT_EQ(window->previewFile(), AppDir() + "preview.htm");
  QFile file(window->previewFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "<TABLE BORDER=1><TR><TD>*</TD>\r\n<TD>*</TD>\r\n</TR>\r\n</TABLE>\r\n");
  file.close();
  ASSERT_TRUE(window->tableviewer->waitForLoad());
  EXPECT_EQ(window->tableviewer->CurrentFile(), window->previewFile());
  EXPECT_EQ(RunPageScript(*window->tableviewer, "document.querySelectorAll('td').length").toInt(), 2);

  // An empty frame tree previews nothing and keeps the tree in front.
  window->mywizards->setCurrentIndex(1);
  window->framespreview->click();
  EXPECT_EQ(window->frontFrameWidget(), window->myframe);
  EXPECT_TRUE(window->frameviewer->CurrentFile().isEmpty());

  trigger("AddList1");
  window->nrofframes->setCurrentIndex(1);
  trigger("Frameset1");
  window->framespreview->click();
  EXPECT_EQ(window->frontFrameWidget(), window->frameviewer);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "<FRAMESET COLS=\"*,*\">\r\n<FRAME>\r\n<FRAME>\r\n</FRAMESET>\r\n");
  ASSERT_TRUE(window->frameviewer->waitForLoad());
  EXPECT_EQ(window->frameviewer->CurrentFile(), window->previewFile());
  window->framesedit->click();
  EXPECT_EQ(window->frontFrameWidget(), window->myframe);
}

TEST_F(Trellane, APreviewThatCannotBeWrittenIsReportedAndTheWindowGoesOn) {
  startTable();
  trigger("TableTable1");
  ASSERT_TRUE(QDir().mkpath(window->previewFile()));
  dialogs.expectError("Cannot create file " + window->previewFile());
  window->tablepreview->click();
  EXPECT_TRUE(window->tableviewer->CurrentFile().isEmpty());
  window->tablesok->click();
  EXPECT_EQ(window->Memo1->toPlainText(), "<TABLE BORDER=1></TABLE>");
}

} // namespace
