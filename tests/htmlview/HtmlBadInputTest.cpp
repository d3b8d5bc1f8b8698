#include "HtmlTestSupport.h"
#include "htmlview/HtmlView.h"
#include "support/TestHelpers.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

struct BadPage {
  const char *name;
  const char *file;
  std::function<QByteArray(const QString &file)> content;
};

// Frames that each load a page, or empty frames when `src` is empty.
QByteArray manyFrames(int count, const QByteArray &src) {
  QByteArray page = "<html><frameset rows='" + QByteArray("1,").repeated(count - 1) + "1'>";
  for (int i = 0; i < count; ++i)
    page += src.isEmpty() ? QByteArray("<frame>") : "<frame src='" + src + "'>";
  return page + "</frameset></html>";
}

QByteArray randomBytes(int size) {
  QByteArray bytes(size, Qt::Uninitialized);
  for (char &b : bytes)
    b = char(QRandomGenerator::global()->bounded(256));
  return bytes;
}

QByteArray hugePage() {
  const QByteArray row = "<p>" + QByteArray(200, 'x') + " <b>bold</b> <a href='leaf.htm'>leaf</a></p>\n";
  return "<html><head><title>Huge</title></head><body>" + row.repeated(20 * 1024 * 1024 / row.size()) +
         "</body></html>";
}

void PrintTo(const BadPage &page, std::ostream *os) { *os << page.name; }

class HtmlBadInputTest : public testing::TestWithParam<BadPage> {};

} // namespace

// None of these may crash the view or leave it loading for ever; afterwards it shows pages as before.
TEST_P(HtmlBadInputTest, LoadEndsAndTheViewStaysUsable) {
  const BadPage &bad = GetParam();
  TempDir dir;
  dir.write("leaf.htm", "<p>leaf</p>");
  const QString file = dir.path(bad.file);
  dir.write(bad.file, bad.content(file));
  TFrameView view;
  view.resize(800, 600);
  view.show();
  view.LoadFromFile(file);
  EXPECT_TRUE(view.waitForLoad(300000));
  LoadAndWait(view, dir.path("leaf.htm"));
  EXPECT_EQ(view.CurrentFile(), dir.path("leaf.htm"));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HtmlBadInputTest,
    testing::Values(BadPage{"BinaryPage", "binary.htm", [](const QString &) { return randomBytes(100000); }},
                    BadPage{"BinaryFile", "program.bin", [](const QString &) { return randomBytes(100000); }},
                    BadPage{"EmptyFile", "empty.htm", [](const QString &) { return QByteArray(); }},
                    BadPage{"TenThousandFrames", "frames.htm", [](const QString &) { return manyFrames(10000, {}); }},
                    BadPage{"HundredFramesWithPages", "pages.htm",
                            [](const QString &) { return manyFrames(100, "leaf.htm"); }},
                    BadPage{"FrameIncludesItself", "self.htm",
                            [](const QString &) {
                              return QByteArray("<frameset cols='50%,50%'><frame src='self.htm'>"
                                                "<frame src='leaf.htm'></frameset>");
                            }},
                    BadPage{"TwentyMegabytes", "huge.htm", [](const QString &) { return hugePage(); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(HtmlBadInput, AVeryLongLinkReachesTheHandlerCutAndIsNotFollowed) {
  TempDir dir;
  const QByteArray href = QByteArray(10000, 'a') + ".htm";
  const QString file = dir.write("long.htm", "<a id='l' href='" + href + "'>long</a>");
  TFrameView view;
  view.show();
  LoadAndWait(view, file);
  QString seen;
  view.OnHotSpotTargetClick = [&](const QString &, const QString &url, bool &handled) {
    seen = url;
    handled = true;
  };
  RunPageScript(view, "document.getElementById('l').click(); true");
  ASSERT_TRUE(WaitUntil([&] { return !seen.isEmpty(); }, 10000));
  EXPECT_EQ(seen, QString(href).left(seen.size()));
  EXPECT_LE(seen.size(), 4096);
  EXPECT_EQ(view.CurrentFile(), file);
}
