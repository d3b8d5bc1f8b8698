#include "controls/FindDialog.h"
#include "controls/ReplaceDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvana;

TEST(FindDialog, OffersTheOptionsTheWindowAsksFor) {
  TFindDialog dialog;
  EXPECT_FALSE(dialog.isModal());
  EXPECT_TRUE(dialog.Down()) << "a new dialog searches down";
  EXPECT_FALSE(dialog.MatchCase());
  EXPECT_FALSE(dialog.WholeWord());
  dialog.Execute();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.findChild<QCheckBox *>("WholeWord")->isVisible());
  EXPECT_TRUE(dialog.findChild<QGroupBox *>("Direction")->isVisible());

  dialog.SetShowWholeWord(false);
  dialog.SetShowDirection(false);
  EXPECT_FALSE(dialog.findChild<QCheckBox *>("WholeWord")->isVisible());
  EXPECT_FALSE(dialog.findChild<QGroupBox *>("Direction")->isVisible());
  EXPECT_TRUE(dialog.findChild<QCheckBox *>("MatchCase")->isVisible());

  dialog.SetDown(false);
  EXPECT_FALSE(dialog.Down());
  dialog.SetMatchCase(true);
  dialog.SetWholeWord(true);
  EXPECT_TRUE(dialog.MatchCase());
  EXPECT_TRUE(dialog.WholeWord());
  dialog.CloseDialog();
  EXPECT_FALSE(dialog.isVisible());
}

TEST(FindDialog, FindNextAsksOnlyWithASearchText) {
  TFindDialog dialog;
  QSignalSpy find(&dialog, &TFindDialog::find);
  dialog.Execute();
  auto *next = dialog.findChild<QPushButton *>("FindNext");
  ASSERT_NE(next, nullptr);
  EXPECT_FALSE(next->isEnabled());
  dialog.FindNext();
  EXPECT_EQ(find.count(), 0);

  QTest::keyClicks(dialog.findChild<QLineEdit *>("FindText"), "abc");
  EXPECT_EQ(dialog.FindText(), "abc");
  EXPECT_TRUE(next->isEnabled());
  QTest::mouseClick(next, Qt::LeftButton);
  EXPECT_EQ(find.count(), 1);
  // The dialog stays open for the next search.
  EXPECT_TRUE(dialog.isVisible());

  QTest::mouseClick(dialog.findChild<QPushButton *>("Cancel"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(ReplaceDialog, ReplaceAndReplaceAllSayWhichWasPressed) {
  TReplaceDialog dialog;
  QSignalSpy replace(&dialog, &TReplaceDialog::replace);
  QSignalSpy find(&dialog, &TFindDialog::find);
  dialog.Execute();
  EXPECT_FALSE(dialog.findChild<QGroupBox *>("Direction")->isVisible());
  EXPECT_FALSE(dialog.replaceButton()->isEnabled());
  dialog.Replace();
  EXPECT_EQ(replace.count(), 0) << "nothing to replace without a search text";

  dialog.SetFindText("old");
  dialog.SetReplaceText("new");
  EXPECT_EQ(dialog.ReplaceText(), "new");
  EXPECT_TRUE(dialog.replaceAllButton()->isEnabled());

  QTest::mouseClick(dialog.replaceAllButton(), Qt::LeftButton);
  ASSERT_EQ(replace.count(), 1);
  EXPECT_TRUE(dialog.ReplaceAll());
  QTest::mouseClick(dialog.replaceButton(), Qt::LeftButton);
  ASSERT_EQ(replace.count(), 2);
  EXPECT_FALSE(dialog.ReplaceAll());
  QTest::mouseClick(dialog.findNextButton(), Qt::LeftButton);
  EXPECT_EQ(find.count(), 1);
  EXPECT_EQ(replace.count(), 2);
}

// Windows set their dialogs up long before a person opens one: the controls are built at the
// first showing and show what was set, and what is typed then is what the dialog answers.
TEST(ReplaceDialog, SettingsMadeBeforeTheFirstShowingAppearInTheControls) {
  TReplaceDialog dialog;
  dialog.SetFindText("old");
  dialog.SetReplaceText("new");
  dialog.SetMatchCase(true);
  dialog.SetWholeWord(true);
  dialog.SetShowWholeWord(false);
  EXPECT_EQ(dialog.findChild<QLineEdit *>(), nullptr) << "no controls before the dialog is shown";
  EXPECT_EQ(dialog.FindText(), "old");
  EXPECT_TRUE(dialog.MatchCase());

  dialog.Execute();
  EXPECT_EQ(dialog.findChild<QLineEdit *>("FindText")->text(), "old");
  EXPECT_EQ(dialog.findChild<QLineEdit *>("FindText")->selectedText(), "old");
  EXPECT_EQ(dialog.findChild<QLineEdit *>("ReplaceText")->text(), "new");
  EXPECT_TRUE(dialog.findChild<QCheckBox *>("MatchCase")->isChecked());
  EXPECT_TRUE(dialog.findChild<QCheckBox *>("WholeWord")->isChecked());
  EXPECT_FALSE(dialog.findChild<QCheckBox *>("WholeWord")->isVisible());
  EXPECT_TRUE(dialog.replaceButton()->isEnabled());

  QTest::keyClicks(dialog.findChild<QLineEdit *>("FindText"), "er");
  QTest::mouseClick(dialog.findChild<QCheckBox *>("MatchCase"), Qt::LeftButton);
  QLineEdit *replacement = dialog.findChild<QLineEdit *>("ReplaceText");
  replacement->selectAll();
  QTest::keyClicks(replacement, "x");
  EXPECT_EQ(dialog.FindText(), "er");
  EXPECT_FALSE(dialog.MatchCase());
  EXPECT_EQ(dialog.ReplaceText(), "x");
  dialog.SetDown(false);
  EXPECT_TRUE(dialog.findChild<QRadioButton *>("Up")->isChecked());
  EXPECT_FALSE(dialog.Down());
}
