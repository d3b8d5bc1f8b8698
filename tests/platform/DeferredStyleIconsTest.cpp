#include "platform/DeferredStyleIcons.h"

#include <QCommonStyle>
#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

// The style underneath, counting the pictures it is asked to make.
class CountingStyle : public QCommonStyle {
public:
  QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override {
    ++made;
    return QCommonStyle::standardIcon(which, option, widget);
  }
  mutable int made = 0;
};

QImage painted(const QIcon &icon) {
  QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  icon.paint(&painter, image.rect());
  return image;
}

} // namespace

// Asked for, a picture is only promised; drawn or measured, it is the wrapped style's own, made
// once for each kind and direction however many controls asked.
TEST(DeferredIconStyle, MakesEachStandardPictureOnceAndOnlyWhenUsed) {
  auto *base = new CountingStyle;
  DeferredIconStyle style(base);
  QCommonStyle reference;

  QList<QIcon> folders;
  for (int i = 0; i < 5; ++i)
    folders.append(style.standardIcon(QStyle::SP_DirClosedIcon));
  QStyleOption plain;
  const QIcon arrow = style.standardIcon(QStyle::SP_ArrowBack, &plain);
  plain.direction = Qt::RightToLeft;
  const QIcon arrowRtl = style.standardIcon(QStyle::SP_ArrowBack, &plain);
  EXPECT_EQ(base->made, 0);
  EXPECT_FALSE(folders[0].isNull());

  for (const QIcon &folder : folders)
    EXPECT_EQ(painted(folder), painted(reference.standardIcon(QStyle::SP_DirClosedIcon)));
  EXPECT_EQ(base->made, 1);
  EXPECT_EQ(folders[3].actualSize(QSize(16, 16)),
            reference.standardIcon(QStyle::SP_DirClosedIcon).actualSize(QSize(16, 16)));
  EXPECT_EQ(painted(arrow), painted(reference.standardIcon(QStyle::SP_ArrowBack)));
  EXPECT_NE(painted(arrowRtl), painted(arrow)) << "right to left, back points the other way";
  EXPECT_EQ(base->made, 3) << "each direction is a picture of its own";

  // A richer option is used at once, as it lives only for the call.
  QStyleOptionButton button;
  style.standardIcon(QStyle::SP_DialogOkButton, &button);
  EXPECT_EQ(base->made, 4);
}

// A tool bar's overflow button asks for its picture whenever it turns, shown or not: the
// picture is made only once it is drawn.
TEST(DeferredIconStyle, AToolBarsOverflowPictureIsMadeWhenDrawn) {
  auto *base = new CountingStyle;
  DeferredIconStyle style(base);
  QToolBar bar;
  bar.setStyle(&style);
  auto *overflow = bar.findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
  ASSERT_NE(overflow, nullptr);
  overflow->setStyle(&style);
  bar.setOrientation(Qt::Vertical);
  EXPECT_EQ(base->made, 0);
  painted(overflow->icon());
  EXPECT_EQ(base->made, 1);
}
