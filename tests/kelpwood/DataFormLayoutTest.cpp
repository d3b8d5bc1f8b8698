#include "kelpwood/DataFormLayout.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(DataFormLayout, PlacesFieldsThirtyPixelsApartAndCoversThemAll) {
  EXPECT_EQ(DataFormLayout::labelPos(2), QPoint(10, 70));
  EXPECT_EQ(DataFormLayout::editRect(2, 24), QRect(150, 70, 200, 24));
  EXPECT_EQ(DataFormLayout::extent(3, 24), QSize(360, 70 + 24 + 10));
  EXPECT_EQ(DataFormLayout::extent(0, 24), QSize(0, 0));
}

} // namespace
