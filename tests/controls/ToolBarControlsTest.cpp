#include "controls/CompactComboBox.h"
#include "controls/ToolBarWidget.h"

#include <QAbstractItemView>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

bool dropDownBuilt(const QComboBox &box) { return box.findChild<QAbstractItemView *>() != nullptr; }

QFont otherFont() {
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setPointSize(15);
  return font;
}

} // namespace

// The box measures as Qt's own box with the same policy would, in any font, however long its
// entries, and without building its drop-down list until it is opened.
TEST(CompactComboBox, MeasuresAsQtsMinimumContentsPolicyWithoutBuildingItsList) {
  QComboBox reference;
  reference.setMinimumContentsLength(14);
  reference.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  CompactComboBox box(14);
  EXPECT_EQ(box.sizeHint(), reference.sizeHint());
  EXPECT_EQ(box.minimumSizeHint().width(), reference.minimumSizeHint().width());

  const QSize empty = box.sizeHint();
  box.addItems({QString(200, u'W'), QStringLiteral("x")});
  EXPECT_EQ(box.sizeHint(), empty);
  EXPECT_FALSE(dropDownBuilt(box));
  box.showPopup();
  EXPECT_TRUE(dropDownBuilt(box));
  box.hidePopup();

  // A font of its own is measured anew.
  box.setFont(otherFont());
  reference.setFont(otherFont());
  EXPECT_EQ(box.sizeHint(), reference.sizeHint());
  EXPECT_GT(box.sizeHint().width(), empty.width());
}

TEST(ToolBarWidget, TheControlStaysTheBarsChildInTheBarsFontAndIsKeptWhenTakenOff) {
  QMainWindow window;
  window.setFont(otherFont());
  QToolBar *bar = window.addToolBar(QStringLiteral("Bar"));
  auto *box = new CompactComboBox(8, bar);
  box->addItems({QStringLiteral("one"), QStringLiteral("two")});
  QAction *action = AddToolBarWidget(bar, box);
  window.show();

  EXPECT_EQ(bar->widgetForAction(action), box);
  EXPECT_EQ(box->parentWidget(), bar);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->font(), otherFont());
  // The move through no parent that addWidget makes would have built it.
  EXPECT_FALSE(dropDownBuilt(*box));

  QPointer<QComboBox> kept(box);
  bar->removeAction(action);
  ASSERT_TRUE(kept);
  EXPECT_FALSE(box->isVisible());
  bar->addAction(action);
  bar->layout()->activate();
  EXPECT_EQ(bar->widgetForAction(action), box);
  EXPECT_TRUE(box->isVisible());
}
