#include "smudgel/SmudgelIcons.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>
#include <vector>

using namespace corvana::smudgel;

namespace {

constexpr int kCount = int(SmudgelIcon::Count);

QImage picture(const QIcon &icon) { return icon.pixmap(QSize(16, 16)).toImage(); }

bool hasVisiblePixel(const QImage &image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0)
        return true;
  return false;
}

TEST(SmudgelIcons, EveryIndexHasAVisiblePictureAtBothSizes) {
  for (int i = 0; i < kCount; ++i) {
    const QIcon icon = smudgelIcon(i);
    ASSERT_FALSE(icon.isNull()) << i;
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16))) << i;
    EXPECT_TRUE(sizes.contains(QSize(32, 32))) << i;
    const QImage image = picture(icon);
    EXPECT_EQ(image.size(), QSize(16, 16)) << i;
    EXPECT_TRUE(hasVisiblePixel(image)) << i;
  }
  EXPECT_EQ(picture(smudgelIcon(SmudgelIcon::Star)), picture(smudgelIcon(int(SmudgelIcon::Star))));
}

TEST(SmudgelIcons, IndexOutOfRangeGivesAnEmptyIcon) {
  EXPECT_TRUE(smudgelIcon(kCount).isNull());
  EXPECT_TRUE(smudgelIcon(-1).isNull());
}

// catches a picture entered twice in the drawing table
TEST(SmudgelIcons, NoTwoPicturesAlike) {
  std::vector<QImage> images;
  for (int i = 0; i < kCount; ++i)
    images.push_back(picture(smudgelIcon(i)));
  for (int i = 0; i < kCount; ++i)
    for (int j = i + 1; j < kCount; ++j)
      EXPECT_FALSE(images[i] == images[j]) << "pictures " << i << " and " << j << " are the same";
}

} // namespace
