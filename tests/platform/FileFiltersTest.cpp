#include "platform/FileFilters.h"

#include <gtest/gtest.h>

using namespace corvana;

TEST(FileFilters, ParsesNamesAndPatternsIncludingATrailingSemicolon) {
  const auto filters = ParseFileFilter("All files|*.*|HTML files|*.htm;*.html|Text files|*.txt;|Broken");
  ASSERT_EQ(filters.size(), 3);
  EXPECT_EQ(filters[1], (FileFilter{"HTML files", {"*.htm", "*.html"}}));
  EXPECT_EQ(filters[2].patterns, QStringList{"*.txt"});
  EXPECT_EQ(QtNameFilters("All files|*.*|HTML files|*.htm;*.html"),
            (QStringList{"All files (*)", "HTML files (*.htm *.html)"}));
}

TEST(FileFilters, MatchingIgnoresCaseAndStarDotStarTakesEverything) {
  const auto filters = ParseFileFilter("All|*.*|Video|*.AVI|Img|*.jpg;*.gif");
  EXPECT_TRUE(MatchesFilter(filters[0], "Makefile"));
  EXPECT_TRUE(MatchesFilter(filters[1], "clip.avi"));
  EXPECT_FALSE(MatchesFilter(filters[1], "clip.avi.txt"));
  EXPECT_TRUE(MatchesFilter(filters[2], "A.GIF"));
  EXPECT_FALSE(MatchesFilter(filters[2], "a.png"));
}
