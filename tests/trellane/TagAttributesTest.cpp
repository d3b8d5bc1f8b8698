#include "trellane/TagAttributes.h"
#include "core/Error.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

struct AttributeCase {
  const char *name;
  const char *tag;
  const char *key;
  const char *get;    // the value Get finds
  const char *remove; // the tag after Delete
  const char *set;    // the tag after Set("X")
};

void PrintTo(const AttributeCase &c, std::ostream *os) { *os << c.name; }

class Attributes : public testing::TestWithParam<AttributeCase> {};

TEST_P(Attributes, GetDeleteAndSetAgree) {
  const AttributeCase &c = GetParam();
  EXPECT_EQ(GetAttribute(c.tag, c.key), c.get);
  EXPECT_EQ(DeleteAttribute(c.tag, c.key), c.remove);
  EXPECT_EQ(SetAttribute(c.tag, c.key, "X"), c.set);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, Attributes,
    testing::Values(AttributeCase{"absent", "<TD>", "ALIGN=", "", "<TD>", "<TD ALIGN=X>"},
                    AttributeCase{"last", "<TD ALIGN=LEFT>", "ALIGN=", "LEFT", "<TD >", "<TD  ALIGN=X>"},
                    AttributeCase{"beforeAnother", "<TD ALIGN=LEFT WIDTH=5>", "ALIGN=", "LEFT", "<TD  WIDTH=5>",
                                  "<TD  WIDTH=5 ALIGN=X>"},
                    AttributeCase{"afterAnother", "<TD WIDTH=5 ALIGN=RIGHT>", "WIDTH=", "5", "<TD  ALIGN=RIGHT>",
                                  "<TD  ALIGN=RIGHT WIDTH=X>"},
                    AttributeCase{"emptyValue", "<TD ALIGN=>", "ALIGN=", "", "<TD >", "<TD  ALIGN=X>"},
                    AttributeCase{"caseMatters", "<TD align=left>", "ALIGN=", "", "<TD align=left>",
                                  "<TD align=left ALIGN=X>"},
                    // Another attribute whose name ends in the key is not the key's attribute.
                    AttributeCase{"partOfAnotherName", "<TD VALIGN=TOP ALIGN=LEFT>", "ALIGN=", "LEFT",
                                  "<TD VALIGN=TOP >", "<TD VALIGN=TOP  ALIGN=X>"},
                    AttributeCase{"onlyInAnotherName", "<TD VALIGN=TOP>", "ALIGN=", "", "<TD VALIGN=TOP>",
                                  "<TD VALIGN=TOP ALIGN=X>"}),
    [](const testing::TestParamInfo<AttributeCase> &info) { return std::string(info.param.name); });

TEST(TagAttributes, ColourSetTwiceLeavesTwoBlanksAndReadsBack) {
  QString tag = SetAttribute("<TD>", "BGCOLOR=", HtmlColorValue(clWhite));
  EXPECT_EQ(tag, "<TD BGCOLOR=#FFFFFF>");
  tag = SetAttribute(tag, "BGCOLOR=", HtmlColorValue(clRed));
  EXPECT_EQ(tag, "<TD  BGCOLOR=#FF0000>");
  EXPECT_EQ(ColorFromHtmlValue(GetAttribute(tag, "BGCOLOR=")), clRed);
}

TEST(TagAttributes, ColourValuesAreRedGreenBlueInHexadecimal) {
  EXPECT_EQ(HtmlColorValue(RGB(0x12, 0xAB, 0x0C)), "#12AB0C");
  EXPECT_EQ(HtmlColorValue(clNavy), "#000080");
  EXPECT_EQ(ColorFromHtmlValue("#12ab0C"), RGB(0x12, 0xAB, 0x0C));
  EXPECT_EQ(ColorFromHtmlValue("#000080"), clNavy);
  EXPECT_EQ(ColorFromHtmlValue(""), clBlack);
}

TEST(TagAttributes, AColourValueThatIsNoHexNumberIsAnError) {
  const auto message = [](const QString &value) {
    try {
      ColorFromHtmlValue(value);
    } catch (const Error &e) {
      return e.message();
    }
    return QStringLiteral("no error");
  };
  EXPECT_EQ(message("#GG0000"), "'$0000GG' is not a valid integer value");
  EXPECT_EQ(message("red"), "'$ed' is not a valid integer value");
  // Six good digits do not make a colour when there is more after them or no "#" before.
  EXPECT_EQ(message("#FF00001"), "'$0000FF' is not a valid integer value");
  EXPECT_EQ(message("FF0000"), "'$000F0' is not a valid integer value");
}

TEST(TagAttributes, WidthsAreDigitsOnly) {
  EXPECT_TRUE(IsWidthValue("100"));
  EXPECT_TRUE(IsWidthValue("007"));
  EXPECT_FALSE(IsWidthValue("50%"));
  EXPECT_FALSE(IsWidthValue(""));
  EXPECT_FALSE(IsWidthValue(" 5"));
  EXPECT_FALSE(IsWidthValue(QString::fromUtf8("\u0663"))); // a digit of another script
}

} // namespace
