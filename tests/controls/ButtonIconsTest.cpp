#include "controls/ButtonIcons.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

// No desktop theme: every picture is our own drawing.
class ButtonIcons : public testing::Test {
protected:
  void SetUp() override {
    m_paths = QIcon::themeSearchPaths();
    m_theme = QIcon::themeName();
    QIcon::setThemeSearchPaths({});
    QIcon::setThemeName(QStringLiteral("corvana-no-theme"));
  }
  void TearDown() override {
    QIcon::setThemeSearchPaths(m_paths);
    QIcon::setThemeName(m_theme);
  }

private:
  QStringList m_paths;
  QString m_theme;
};

int opaquePixels(const QImage &image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += qAlpha(image.pixel(x, y)) > 0;
  return count;
}

} // namespace

TEST_F(ButtonIcons, DrawingAnswersAsAnEighteenPixelPicture) {
  const QIcon icon = ButtonIcon(QStringLiteral("edit-cut"));
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(18, 18)});
  EXPECT_EQ(icon.actualSize(QSize(32, 32)), QSize(18, 18)) << "never drawn larger than it is";
  EXPECT_EQ(icon.actualSize(QSize(16, 16)), QSize(16, 16));
  EXPECT_EQ(icon.actualSize(QSize(24, 12)), QSize(12, 12));

  const QImage full = icon.pixmap(QSize(18, 18)).toImage();
  EXPECT_EQ(full.size(), QSize(18, 18));
  EXPECT_GT(opaquePixels(full), 10);
  EXPECT_EQ(icon.pixmap(QSize(16, 16)).size(), QSize(16, 16));
}

TEST_F(ButtonIcons, DisabledPictureIsGreyedAndPaintingDrawsTheSamePicture) {
  const QIcon icon = ButtonIcon(QStringLiteral("document-open"));
  const QImage normal = icon.pixmap(QSize(18, 18)).toImage().convertToFormat(QImage::Format_ARGB32);
  const QImage disabled = icon.pixmap(QSize(18, 18), QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(disabled.size(), normal.size());
  EXPECT_NE(disabled, normal);

  QImage painted(18, 18, QImage::Format_ARGB32);
  painted.fill(Qt::transparent);
  {
    QPainter painter(&painted);
    icon.paint(&painter, QRect(0, 0, 18, 18));
  }
  EXPECT_EQ(painted, normal);
}

TEST_F(ButtonIcons, CopiesShareOneDrawingAndUnknownNamesStillGiveAnIcon) {
  const QIcon icon = ButtonIcon(QStringLiteral("edit-copy"));
  const QIcon copy = icon;
  EXPECT_EQ(copy.pixmap(QSize(18, 18)).toImage(), icon.pixmap(QSize(18, 18)).toImage());
  EXPECT_NE(ButtonIcon(QStringLiteral("edit-copy")).pixmap(QSize(18, 18)).toImage(),
            ButtonIcon(QStringLiteral("edit-cut")).pixmap(QSize(18, 18)).toImage());

  // A name with no drawing keeps its button's room: a blank picture, not a null icon.
  const QIcon unknown = ButtonIcon(QStringLiteral("no-such-picture"));
  EXPECT_FALSE(unknown.isNull());
  EXPECT_EQ(opaquePixels(unknown.pixmap(QSize(18, 18)).toImage()), 0);
}

TEST_F(ButtonIcons, TheFolderListsPicturesAreDrawnOpenAndClosed) {
  const QImage closed = ButtonIcon(QStringLiteral("folder")).pixmap(QSize(18, 18)).toImage();
  const QImage open = ButtonIcon(QStringLiteral("folder-open")).pixmap(QSize(18, 18)).toImage();
  EXPECT_GT(opaquePixels(closed), 100);
  EXPECT_GT(opaquePixels(open), 100);
  EXPECT_NE(closed, open);
}
