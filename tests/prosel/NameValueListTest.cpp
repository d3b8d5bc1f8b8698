#include "prosel/NameValueList.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;

TEST(NameValueList, KeepsLinesSortedIgnoringCaseAndFindsTheFirstName) {
  NameValueList list({"zeta=1", "Alpha=2", "beta=3", "alpha=4", "no equals"});
  EXPECT_EQ(list.lines(), (QStringList{"Alpha=2", "alpha=4", "beta=3", "no equals", "zeta=1"}));
  EXPECT_EQ(list.Value("ALPHA"), "2");
  EXPECT_EQ(list.name(3), "");
  EXPECT_EQ(list.Value("missing"), "");
  EXPECT_EQ(list.Add("Beta=5"), 3) << "after the equal line already there";
  EXPECT_EQ(list.Value("beta"), "3");
  EXPECT_EQ(NameValueList::ValueOf("a=b=c"), "b=c");
  list.Delete(99);
  list.Delete(0);
  EXPECT_EQ(list.Value("alpha"), "4");
}

TEST(NameValueList, FilesUseCrLfAndReadAnyLineEnd) {
  corvana::test::TempDir dir;
  NameValueList list;
  list.LoadFromFile(dir.write("l.txt", "b=2\nA=1\rc=3"));
  EXPECT_EQ(list.lines(), (QStringList{"A=1", "b=2", "c=3"}));
  list.SaveToFile(dir.path("out.txt"));
  EXPECT_EQ(dir.read("out.txt"), QByteArray("A=1\r\nb=2\r\nc=3\r\n"));
}
