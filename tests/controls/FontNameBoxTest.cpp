#include "controls/FontNameBox.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace corvana;

namespace {
// A family every test machine has (the install script brings it).
const QString kInstalled = QStringLiteral("DejaVu Sans");
} // namespace

TEST(FontNameBox, ShowsOnlyItsFamilyUntilOpenedThenListsEveryFamily) {
  ASSERT_TRUE(QFontDatabase::hasFamily(kInstalled));
  FontNameBox box;
  box.show();
  EXPECT_FALSE(box.isFilled());
  EXPECT_EQ(box.count(), 0);

  box.selectFamily(kInstalled);
  EXPECT_EQ(box.count(), 1) << "no listing before the box is opened";
  EXPECT_EQ(box.currentText(), kInstalled);
  box.selectFamily(QStringLiteral("No Such Family At All"));
  EXPECT_EQ(box.currentIndex(), -1);
  EXPECT_EQ(box.currentText(), "");
  box.selectFamily(kInstalled);

  box.showPopup();
  box.hidePopup();
  EXPECT_TRUE(box.isFilled());
  QStringList listed;
  for (const QString &family : QFontDatabase::families(QFontDatabase::Latin))
    if (!QFontDatabase::isPrivateFamily(family))
      listed.append(family);
  ASSERT_EQ(box.count(), listed.size());
  for (int i = 0; i < box.count(); ++i)
    EXPECT_EQ(box.itemText(i), listed[i]);
  EXPECT_EQ(box.currentText(), kInstalled) << "opening keeps the family shown";

  box.selectFamily(QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(box.currentText(), "DejaVu Sans Mono");
  box.selectFamily(QStringLiteral("No Such Family At All"));
  EXPECT_EQ(box.currentIndex(), -1);
  EXPECT_EQ(box.count(), listed.size());
}

TEST(FontNameBox, TypingListsTheFamiliesToCompleteAgainst) {
  FontNameBox box;
  box.show();
  box.selectFamily(kInstalled);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
  QCoreApplication::sendEvent(&box, &key);
  EXPECT_TRUE(box.isFilled());
  EXPECT_GT(box.count(), 1);
  EXPECT_EQ(box.currentText(), kInstalled);
}
