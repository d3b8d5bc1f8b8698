#include "HostileFiles.h"
#include "imagetools/HalcyneU.h"
#include "imagetools/PictureView.h"
#include "imagetools/PixmundU.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

// Opens every hostile file in a window, then a good one, which must show.
template <class Open, class Shown> void survives(const Open &open, const Shown &shownWidth, RecordingDialogs &dialogs) {
  TempDir dir;
  for (const HostileFile &file : HostileFiles()) {
    SCOPED_TRACE(file.name.toStdString());
    dialogs.errors.clear();
    open(dir.write(file.name, file.bytes));
    if (file.mustFail) {
      EXPECT_EQ(dialogs.errors.size(), 1);
    }
    EXPECT_LE(dialogs.errors.size(), 1);
    dialogs.errors.clear();
    open(dir.write("good.bmp", GoodBitmapFile()));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(shownWidth(), 24);
  }
}

TEST(HostileFiles, HalcyneShowsAnErrorAndStaysUsable) {
  RecordingDialogs dialogs;
  THalcyneF *window = OpenToolWindow(HalcyneF);
  survives([&](const QString &path) { window->openFile(path); }, [&] { return window->Viewer->width(); }, dialogs);
}

TEST(HostileFiles, PixmundShowsAnErrorAndStaysUsable) {
  RecordingDialogs dialogs;
  TPixmundF *window = OpenToolWindow(PixmundF);
  survives([&](const QString &path) { window->openFile(path); }, [&] { return window->Image1->width(); }, dialogs);
}

} // namespace
