#include "controls/FindDialog.h"
#include "kelpwood/KelpwoodU.h"
#include "outline/OutlineItemModel.h"
#include "outlineview/OutlineTreeView.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class Kelpwood : public testing::Test {
protected:
  ScriptedDialogs dialogs;
  TempDir dir;
  TKelpwoodF *window = OpenToolWindow(KelpwoodF);

  void trigger(const char *name) {
    QAction *action = window->commands().action(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  QString dump() const { return window->tree().dump(); }
  // A template and records from outline text, loaded through Open.
  void open(const QByteArray &outline) {
    dialogs.expectOpenFile(dir.write("db.txt", outline));
    trigger("Open1");
  }
  OutlineNode *top(int index) const { return window->tree().topLevelNode(index); }
  QStringList boxes() const {
    QStringList texts;
    for (int i = 0; window->editBox(i); ++i)
      texts.append(window->editBox(i)->text());
    return texts;
  }
  void selectTop(int index) { window->selectNode(top(index)); }
};

const QByteArray ThreeFields = "_fields\r\n\tname\r\n\tcity\r\n\tzip\r\n"
                               "Ann\r\n\tAnn\r\n\tOslo\r\n\t0150\r\n"
                               "Bob\r\n\tBob\r\n\tRome\r\n";

TEST_F(Kelpwood, OpensWithTheControlsMenusAndToolBarAsDesigned) {
  EXPECT_EQ(window->windowTitle(), "Kelpwood 2");
  EXPECT_EQ(window->objectName(), "KelpwoodF");
  EXPECT_TRUE(window->mdiSubWindow() == nullptr || window->designedMaximized());
  EXPECT_EQ(window->mode(), TKelpwoodF::Mode::Edit);
  EXPECT_TRUE(window->databaseFile().isEmpty());
  EXPECT_TRUE(window->tree().isEmpty());
  for (const char *name : {"mydata", "Panel3", "dataform", "ToolBar1", "StatusBar1", "InfoFindDialog"})
    EXPECT_NE(window->findChild<QWidget *>(name), nullptr) << name;
  EXPECT_EQ(window->mydata->indentation(), 19);
  EXPECT_EQ(window->mydata->width(), 161);
  EXPECT_EQ(window->mydata->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_FALSE(window->mydata->dragEnabled());
  EXPECT_EQ(window->mydata->palette().color(QPalette::Inactive, QPalette::Highlight),
            window->mydata->palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(window->statusText(0), "");
  EXPECT_EQ(window->statusText(1), "Edit Mode");
  EXPECT_EQ(window->findChild<QLabel *>("StatusPanel0")->width(), 200);
  EXPECT_EQ(window->findChild<QLabel *>("StatusPanel1")->width(), 100);
  EXPECT_EQ(window->openDialog().filter, "Kelpwood Files|*.txt|Comma Seperated Files|*.csv");
  EXPECT_EQ(window->saveDialog().filter, "Kelpwood Files|*.txt|Comma Seperated Files|*.csv");

  QStringList bar;
  for (QMenu *menu : window->menus())
    bar.append(menu->title());
  EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&Node", "&Fields", "&Records"}));
  auto captions = [&](const char *menu) { return menuCaptions(window->commands().menu(menu)); };
  EXPECT_EQ(captions("File1"),
            (QStringList{"&Open...", "&Save", "Save &As...", "&Close...", "Load CSV...", "Save CSV..."}));
  EXPECT_EQ(captions("Edit1"), (QStringList{"&Find...", "&Sort", "&Edit Mode", "For&m Mode"}));
  EXPECT_EQ(captions("Sort1"), (QStringList{"&None", "&Text"}));
  EXPECT_EQ(captions("Node1"),
            (QStringList{"&Add", "&Insert", "&Delete", "&Child", "Duplicate", "&Edit", "Delete All"}));
  EXPECT_EQ(captions("Fields1"), (QStringList{"&Make...", "&Append...", "&Insert...", "&Delete...", "&Update"}));
  EXPECT_EQ(captions("Records1"), (QStringList{"&Append..."}));

  const std::pair<const char *, QKeySequence> keys[] = {
      {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"Save1", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"Find1", QKeySequence(Qt::CTRL | Qt::Key_F)},
      {"EditMode1", QKeySequence(Qt::Key_F5)},
      {"FormMode1", QKeySequence(Qt::SHIFT | Qt::Key_F5)},
      {"NodeAdd1", QKeySequence(Qt::Key_F2)},
      {"NodeInsert1", QKeySequence(Qt::SHIFT | Qt::Key_F2)},
      {"NodeDelete1", QKeySequence(Qt::CTRL | Qt::Key_F2)},
      {"NodeChild1", QKeySequence(Qt::Key_F3)},
      {"NodeDuplicate1", QKeySequence(Qt::SHIFT | Qt::Key_F3)},
      {"NodeEdit1", QKeySequence(Qt::Key_F4)},
      {"Update1", QKeySequence(Qt::Key_F8)},
  };
  for (const auto &[name, key] : keys)
    EXPECT_EQ(window->commands().action(name)->shortcut(), key) << name;

  QStringList hints;
  for (QAction *action : window->commands().toolBar("ToolBar1")->actions())
    if (!action->isSeparator())
      hints.append(action->objectName() + "=" + action->toolTip());
  EXPECT_EQ(hints,
            (QStringList{"goOpen=Open Kelpwood", "goSave=Save Kelpwood", "goClose=Close Kelpwood", "goAdd=Add Node",
                         "goInsert=Insert Node", "goDelete=Delete Node", "goChild=Add Child Node",
                         "goDuplicate=Duplicate Node", "goEdit=Edit Node", "dataformok=Update"}));
}

TEST_F(Kelpwood, NodeCommandsStartTheTemplateAndWorkOnTheSelection) {
  // Without a selection only Add does something.
  for (const char *name : {"NodeInsert1", "NodeChild1", "NodeDelete1", "NodeDuplicate1", "NodeEdit1"})
    trigger(name);
  EXPECT_TRUE(window->tree().isEmpty());

  trigger("NodeAdd1");
  EXPECT_EQ(dump(), "_fields");
  EXPECT_EQ(window->selectedNode(), top(0));
  trigger("NodeAdd1");
  EXPECT_EQ(dump(), "_fields new node");
  EXPECT_EQ(window->selectedNode(), top(1));
  EXPECT_EQ(window->mydata->currentNode(), top(1));

  trigger("NodeInsert1");
  EXPECT_EQ(window->selectedNode(), top(1));
  OutlineNode *inserted = top(1);
  trigger("NodeChild1");
  EXPECT_EQ(window->selectedNode(), inserted);
  EXPECT_EQ(dump(), "_fields new node(new node) new node");
  // Duplicate copies the children under a new node at the end of the siblings.
  trigger("NodeDuplicate1");
  EXPECT_EQ(dump(), "_fields new node(new node) new node new node(new node)");
  trigger("NodeDelete1");
  EXPECT_EQ(dump(), "_fields new node new node(new node)");
  EXPECT_TRUE(window->tree().isConsistent());
  EXPECT_TRUE(window->modified());
}

TEST_F(Kelpwood, FormModeBuildsOneLabelAndEditBoxPerFieldAndShowsRecords) {
  // No template yet: nothing happens and the mode stays.
  trigger("FormMode1");
  EXPECT_EQ(window->mode(), TKelpwoodF::Mode::Edit);
  open("_fields\r\nrecord\r\n\tx\r\n");
  trigger("FormMode1");
  EXPECT_EQ(window->mode(), TKelpwoodF::Mode::Edit);
  EXPECT_TRUE(window->dataformControls().isEmpty());

  open(ThreeFields);
  trigger("FormMode1");
  EXPECT_EQ(window->mode(), TKelpwoodF::Mode::Form);
  EXPECT_EQ(window->statusText(1), "Form Mode");
  const QList<QWidget *> controls = window->dataformControls();
  ASSERT_EQ(controls.size(), 6);
  const char *names[] = {"name", "city", "zip"};
  for (int i = 0; i < 3; ++i) {
    auto *label = qobject_cast<QLabel *>(controls[i]);
    auto *edit = qobject_cast<QLineEdit *>(controls[3 + i]);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(label->text(), names[i]);
    EXPECT_EQ(label->pos(), QPoint(10, 10 + 30 * i));
    EXPECT_EQ(edit->pos(), QPoint(150, 10 + 30 * i));
    EXPECT_EQ(edit->width(), 200);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(window->dataform->widget()->isAncestorOf(edit));
    EXPECT_EQ(window->editBox(i), edit);
  }

  // A record with three values, then one with two: the third box keeps the earlier value.
  selectTop(1);
  EXPECT_EQ(boxes(), (QStringList{"Ann", "Oslo", "0150"}));
  selectTop(2);
  EXPECT_EQ(boxes(), (QStringList{"Bob", "Rome", "0150"}));
  window->editBox(0)->setText("Bobby");
  window->editBox(1)->setText("Milan");
  window->editBox(2)->setText("9999");
  trigger("dataformok");
  EXPECT_EQ(dump(), "_fields(name city zip) Ann(Ann Oslo 0150) Bob(Bobby Milan)");
  EXPECT_EQ(window->mode(), TKelpwoodF::Mode::Form);

  // The template shows the field names; Update renames the fields.
  selectTop(0);
  EXPECT_EQ(boxes(), (QStringList{"name", "city", "zip"}));
  window->editBox(2)->setText("postcode");
  trigger("Update1");
  EXPECT_EQ(top(0)->child(2)->textString(), "postcode");

  // A field value has no children: it shows nothing and Update leaves it alone.
  window->selectNode(top(1)->child(0));
  EXPECT_EQ(boxes(), (QStringList{"name", "city", "postcode"}));
  trigger("Update1");
  EXPECT_EQ(top(1)->child(0)->textString(), "Ann");

  // In edit mode the form stays but no longer follows the selection, and Update does nothing.
  trigger("EditMode1");
  EXPECT_EQ(window->statusText(1), "Edit Mode");
  selectTop(1);
  EXPECT_EQ(boxes(), (QStringList{"name", "city", "postcode"}));
  trigger("dataformok");
  EXPECT_EQ(top(1)->child(0)->textString(), "Ann");

  // Form mode again with two fields replaces the form.
  window->tree().Delete(top(0)->child(2));
  trigger("FormMode1");
  EXPECT_EQ(window->dataformControls().size(), 4);
  EXPECT_EQ(window->dataform->widget()->findChildren<QWidget *>().size(), 4);
}

TEST_F(Kelpwood, FormModeScrollsWhenTheTemplateHasMoreFieldsThanThePanelShows) {
  QByteArray outline = "_fields\r\n";
  for (int i = 0; i < 60; ++i)
    outline += "\tfield" + QByteArray::number(i) + "\r\n";
  open(outline);
  trigger("FormMode1");
  window->resize(640, 440);
  QApplication::processEvents();
  EXPECT_EQ(window->dataform->widget()->height(), window->editBox(59)->geometry().bottom() + 1 + 10);
  EXPECT_GT(window->dataform->verticalScrollBar()->maximum(), 0);
}

TEST_F(Kelpwood, CloseAlwaysAsksAndClearsTreeFileAndFormButNotTheMode) {
  // Even when no file was ever opened.
  trigger("NodeAdd1");
  dialogs.expectConfirm(false, "Clear All Nodes?");
  trigger("Close1");
  EXPECT_EQ(dump(), "_fields");

  dialogs.expectAskSave(Dialogs::Answer::No);
  open(ThreeFields);
  trigger("FormMode1");
  EXPECT_EQ(window->statusText(0), "db.txt");
  dialogs.expectConfirm(true, "Clear All Nodes?");
  trigger("goClose");
  EXPECT_TRUE(window->tree().isEmpty());
  EXPECT_TRUE(window->dataformControls().isEmpty());
  EXPECT_TRUE(window->dataform->widget()->findChildren<QWidget *>().isEmpty());
  EXPECT_TRUE(window->databaseFile().isEmpty());
  EXPECT_EQ(window->statusText(0), "");
  EXPECT_EQ(window->mode(), TKelpwoodF::Mode::Form);
  EXPECT_FALSE(window->modified());

  // Delete All asks only in edit mode.
  trigger("NodeAdd1");
  trigger("DeleteAll1");
  EXPECT_EQ(dump(), "_fields");
  trigger("EditMode1");
  dialogs.expectConfirm(true, "Delete all nodes?");
  trigger("DeleteAll1");
  EXPECT_TRUE(window->tree().isEmpty());
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Kelpwood, OpenSaveAndSaveAsUseTheFirstFilterAndKeepTheDocumentOnFailure) {
  open(ThreeFields);
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 1);
  EXPECT_EQ(window->databaseFile(), dir.path("db.txt"));
  EXPECT_FALSE(window->modified());
  selectTop(1);
  trigger("NodeChild1");
  trigger("Save1");
  EXPECT_EQ(dir.read("db.txt"),
            ThreeFields.left(ThreeFields.indexOf("Bob")) + "\tnew node\r\nBob\r\n\tBob\r\n\tRome\r\n");
  EXPECT_FALSE(window->modified());

  // A save that fails shows the error and keeps the file name and the changes.
  trigger("NodeChild1");
  const QString blocked = dir.path("sub");
  QDir().mkpath(blocked);
  dialogs.expectSaveFile(blocked).expectError();
  trigger("SaveAs1");
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 1);
  EXPECT_EQ(window->databaseFile(), dir.path("db.txt"));
  EXPECT_EQ(window->statusText(0), "db.txt");
  EXPECT_TRUE(window->modified());

  dialogs.expectSaveFile(dir.path("copy.txt"));
  trigger("SaveAs1");
  EXPECT_EQ(window->databaseFile(), dir.path("copy.txt"));
  EXPECT_EQ(window->statusText(0), "copy.txt");
  EXPECT_EQ(dir.read("copy.txt").count("new node"), 2);

  // A file that is not a tree leaves the database as it was.
  trigger("NodeAdd1");
  dialogs.expectAskSave(Dialogs::Answer::No);
  dialogs.expectOpenFile(dir.write("bad.txt", "a\r\n\t\t\tb\r\n")).expectError("Invalid level (3) for item \"b\"");
  trigger("Open1");
  EXPECT_EQ(window->databaseFile(), dir.path("copy.txt"));
  EXPECT_EQ(window->tree().topLevelCount(), 4);
  // So does a read cancelled in its progress window.
  dialogs.expectAskSave(Dialogs::Answer::No).expectOpenFile(dir.path("db.txt")).cancelProgressAt(1);
  trigger("Open1");
  EXPECT_EQ(dialogs.progressTitles().last(), "Open");
  EXPECT_EQ(window->databaseFile(), dir.path("copy.txt"));
  EXPECT_EQ(window->tree().topLevelCount(), 4);
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Kelpwood, AChangedDatabaseAsksBeforeTheWindowOrApplicationCloses) {
  EXPECT_TRUE(window->FormCloseQuery()); // nothing changed: no question
  open(ThreeFields);
  EXPECT_TRUE(window->FormCloseQuery());
  window->tree().setText(top(1), "Anne");
  dialogs.expectAskSave(Dialogs::Answer::Cancel, "Save File " + dir.path("db.txt") + " ?");
  EXPECT_FALSE(Application().CloseQueryAll(nullptr));
  dialogs.expectAskSave(Dialogs::Answer::Yes);
  EXPECT_TRUE(window->FormCloseQuery());
  EXPECT_TRUE(dir.read("db.txt").startsWith("_fields\r\n\tname\r\n\tcity\r\n\tzip\r\nAnne\r\n"));

  // A database never saved is saved through the dialog; a failed save keeps the window.
  dialogs.expectConfirm(true);
  trigger("Close1");
  trigger("NodeAdd1");
  dialogs.expectAskSave(Dialogs::Answer::Yes, "Save File  ?").expectSaveFile(dir.path("")).expectError();
  EXPECT_FALSE(window->FormCloseQuery());
  EXPECT_EQ(dump(), "_fields");
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Kelpwood, LoadCsvAddsTheRecordNodeFirstAndRestoresTheFilter) {
  trigger("NodeAdd1");
  const QString csv = dir.write("people.csv", "name,city\r\nAnn,Oslo\r\nBob,\"New York\"\r\n");
  // No file chosen: the "record" node goes again and nothing counts as changed.
  dialogs.expectConfirm(true);
  trigger("Close1");
  dialogs.expectCancel(Dialogs::Kind::OpenFile);
  trigger("dtLoadCSV");
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 2);
  EXPECT_EQ(dump(), "");
  EXPECT_FALSE(window->modified());
  EXPECT_EQ(window->openDialog().filterIndex, 1);

  dialogs.expectOpenFile(csv);
  trigger("dtLoadCSV");
  EXPECT_EQ(dump(), "_fields(name city) Ann(Ann Oslo) Bob(Bob New York)");
  EXPECT_EQ(window->databaseFile(), csv);
  EXPECT_EQ(window->statusText(0), "people.csv");
  EXPECT_EQ(window->openDialog().filterIndex, 1);
  EXPECT_TRUE(window->modified());

  // Save CSV writes the lines without changing the file name; Save never overwrites the CSV
  // with the tree format but asks for a name.
  dialogs.expectSaveFile(dir.path("out.csv"));
  trigger("dtSaveCSV");
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 2);
  EXPECT_EQ(dir.read("out.csv"), "name,city\r\nAnn,Oslo\r\nBob,\"New York\"\r\n");
  EXPECT_EQ(window->databaseFile(), csv);
  EXPECT_EQ(window->statusText(0), "people.csv");
  dialogs.expectSaveFile(dir.path("people.txt"));
  trigger("Save1");
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 1);
  EXPECT_EQ(dir.read("people.csv"), "name,city\r\nAnn,Oslo\r\nBob,\"New York\"\r\n");
  EXPECT_EQ(window->databaseFile(), dir.path("people.txt"));

  // The new "record" node goes last among the selected node's siblings; an empty line stops the
  // import there.
  window->selectNode(top(1)->child(1));
  dialogs.expectOpenFile(dir.write("gap.csv", "h\r\nx,y\r\n\r\nz\r\n")).expectError("List index out of bounds (0)");
  trigger("dtLoadCSV");
  EXPECT_EQ(dump(), "_fields(name city) Ann(Ann Oslo _fields(h) x(x y) record) Bob(Bob New York)");
  EXPECT_EQ(window->databaseFile(), dir.path("gap.csv"));

  // A file that cannot be read changes nothing.
  const QString before = dump();
  dialogs.expectOpenFile(dir.path("missing.csv")).expectError("Cannot open file " + dir.path("missing.csv"));
  trigger("dtLoadCSV");
  EXPECT_EQ(dump(), before);
  EXPECT_EQ(window->databaseFile(), dir.path("gap.csv"));
  EXPECT_TRUE(window->tree().isConsistent());
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Kelpwood, ACancelledImportLeavesTheTreeAsItWas) {
  open(ThreeFields);
  selectTop(1);
  QByteArray csv = "a,b\r\n";
  for (int i = 0; i < 20000; ++i)
    csv += "v" + QByteArray::number(i) + ",w\r\n";
  const QString path = dir.write("big.csv", csv);
  dialogs.expectOpenFile(path).cancelProgressAt(3);
  trigger("dtLoadCSV");
  EXPECT_EQ(dialogs.progressTitles().last(), "Load CSV");
  EXPECT_EQ(dump(), "_fields(name city zip) Ann(Ann Oslo 0150) Bob(Bob Rome)");
  EXPECT_EQ(window->databaseFile(), dir.path("db.txt"));
  EXPECT_EQ(window->statusText(0), "db.txt");
  EXPECT_FALSE(window->modified());
  EXPECT_TRUE(window->tree().isConsistent());
  // The view follows the tree again afterwards.
  EXPECT_EQ(window->mydata->model()->rowCount(), 3);

  dialogs.expectOpenFile(path);
  trigger("dtLoadCSV");
  EXPECT_EQ(window->tree().topLevelCount(), 3 + 20001);
  EXPECT_EQ(window->mydata->model()->rowCount(), 3 + 20001);
  EXPECT_EQ(top(3)->textString(), "_fields");
  EXPECT_EQ(top(4)->textString(), "v0");
}

TEST_F(Kelpwood, EditBeginsInPlaceEditingAndEnterEndsItKeepingTheText) {
  trigger("NodeAdd1");
  trigger("NodeAdd1");
  QApplication::processEvents();
  trigger("NodeEdit1");
  ASSERT_TRUE(window->mydata->editing());
  auto *editor = qobject_cast<QLineEdit *>(window->mydata->indexWidget(window->mydata->currentIndex()));
  ASSERT_NE(editor, nullptr);
  editor->setText("Carol");
  EXPECT_TRUE(window->mydataKeyPress(Qt::Key_Return));
  EXPECT_FALSE(window->mydata->editing());
  EXPECT_EQ(top(1)->textString(), "Carol");
  // Enter without an edit open is still taken in edit mode; other keys are not.
  EXPECT_TRUE(window->mydataKeyPress(Qt::Key_Enter));
  EXPECT_FALSE(window->mydataKeyPress(Qt::Key_Down));

  // In form mode neither Edit nor Enter does anything.
  window->selectNode(top(0));
  dialogs.expectInput("1", "Enter number of fields");
  trigger("MakeFields1");
  trigger("FormMode1");
  ASSERT_EQ(window->mode(), TKelpwoodF::Mode::Form);
  trigger("NodeEdit1");
  EXPECT_FALSE(window->mydata->editing());
  EXPECT_FALSE(window->mydataKeyPress(Qt::Key_Return));
}

TEST_F(Kelpwood, DropsMoveTheSelectedNodeByWhereTheyLand) {
  open("A\r\nB\r\n\tB1\r\nC\r\n");
  window->mydata->expandAll();
  QApplication::processEvents();
  OutlineTreeView *view = window->mydata;
  QTreeView source; // drags come from a tree view
  auto rowOf = [&](OutlineNode *node) { return view->visualRect(view->outlineModel()->indexOf(node)); };
  OutlineNode *a = top(0);
  OutlineNode *b1 = top(1)->child(0);

  EXPECT_TRUE(window->mydataDragOver(&source));
  EXPECT_FALSE(window->mydataDragOver(window->Panel3));

  // On a label: the last sibling of the target.
  window->selectNode(a);
  window->mydataDragDrop(&source, rowOf(b1).topLeft() + QPoint(3, 3));
  EXPECT_EQ(dump(), "B(B1 A) C");
  // On the indent: directly before the target.
  OutlineNode *c = top(1);
  window->selectNode(c);
  window->mydataDragDrop(&source, QPoint(2, rowOf(b1).center().y()));
  EXPECT_EQ(dump(), "B(C B1 A)");
  // Right of the label, or from something that is no tree view: nothing.
  window->mydataDragDrop(&source, QPoint(view->viewport()->width() - 2, rowOf(b1).center().y()));
  window->mydataDragDrop(window->Panel3, rowOf(b1).topLeft() + QPoint(3, 3));
  EXPECT_EQ(dump(), "B(C B1 A)");
  // Below the rows: the last top-level node.
  window->mydataDragDrop(&source, QPoint(20, view->viewport()->height() - 2));
  EXPECT_EQ(dump(), "B(B1 A) C");
  EXPECT_EQ(window->selectedNode(), c);
  // Into its own subtree: refused.
  window->selectNode(top(0));
  window->mydataDragDrop(&source, rowOf(b1).topLeft() + QPoint(3, 3));
  EXPECT_EQ(dump(), "B(B1 A) C");
  EXPECT_TRUE(window->tree().isConsistent());
}

TEST_F(Kelpwood, FindSelectsTheNextCaptionContainingTheTextFromTheSelection) {
  open("alpha\r\n\tbeta\r\nGamma\r\n\tgamma ray\r\n");
  window->InfoFindDialog->SetFindText("amm");
  window->InfoFindDialogFind(); // no selection: starts at the first node
  EXPECT_EQ(window->selectedNode(), top(1));
  // The selected node itself is searched first, case-sensitively.
  window->InfoFindDialog->SetFindText("gamma");
  window->InfoFindDialogFind();
  EXPECT_EQ(window->selectedNode(), top(1)->child(0));
  // No wrap-around and no message.
  window->InfoFindDialog->SetFindText("beta");
  window->InfoFindDialogFind();
  EXPECT_EQ(window->selectedNode(), top(1)->child(0));
  trigger("Find1");
  EXPECT_TRUE(window->InfoFindDialog->isVisible());
  window->InfoFindDialog->CloseDialog();
}

TEST_F(Kelpwood, SortTextOrdersTheRecordsOnlyAndKeepsOrderingChangedCaptions) {
  open("_fields\r\n\tz\r\n\ta\r\nkiwi\r\n\t2\r\n\t1\r\napple\r\nfig\r\n");
  trigger("SortText1");
  EXPECT_EQ(dump(), "_fields(z a) apple fig kiwi(2 1)");
  window->tree().setText(top(1), "melon");
  EXPECT_EQ(dump(), "_fields(z a) fig kiwi(2 1) melon");
  trigger("SortNone1");
  window->tree().setText(top(1), "zucchini");
  EXPECT_EQ(dump(), "_fields(z a) zucchini kiwi(2 1) melon");
}

} // namespace
