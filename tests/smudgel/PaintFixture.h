#pragma once
// A paint model driven like the window drives it, with scripted prompts and a scripted random
// source, and helpers for small images.

#include "raster/PixelDump.h"
#include "smudgel/PaintModel.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>

namespace corvana::smudgel {

// Failures show the tool by its name.
inline void PrintTo(const StagedTool &tool, std::ostream *os) { *os << '"' << tool.name().toStdString() << '"'; }

} // namespace corvana::smudgel

namespace corvana::smudgel::test {

class PaintFixture : public testing::Test {
protected:
  corvana::test::ScriptedDialogs dialogs;
  std::deque<int> randoms;
  PaintModel model{dialogs, [this](int n) {
                     const int v = randoms.empty() ? 0 : randoms.front();
                     if (!randoms.empty())
                       randoms.pop_front();
                     return v % n;
                   }};

  Canvas &canvas() { return model.canvas(); }
  const Bitmap &image() { return model.image(); }
  PaintState &state() { return model.state(); }

  // A white image of w x h (and no snapshot of it).
  void size(int w, int h) {
    model.setImageSize(w, h);
    canvas().brush.setColor(clWhite);
    model.surface().FillRect(image().rect());
  }
  void fill(TColor color) {
    const TColor keep = canvas().brush.color();
    canvas().brush.setColor(color);
    model.surface().FillRect(image().rect());
    canvas().brush.setColor(keep);
  }
  void press(int x, int y, Qt::KeyboardModifiers m = {}) { model.mypaintMouseDown(Qt::LeftButton, m, x, y); }
  void move(int x, int y, Qt::KeyboardModifiers m = {}) { model.mypaintMouseMove(m, x, y); }
  void release(int x, int y) { model.mypaintMouseUp(Qt::LeftButton, {}, x, y); }
  void drag(int x0, int y0, int x1, int y1) {
    press(x0, y0);
    move(x1, y1);
    release(x1, y1);
  }
  void click(int x, int y) {
    press(x, y);
    release(x, y);
  }
  std::string dump(const std::map<TColor, char> &extra = {}) { return corvana::test::Dump(image(), extra); }
};

#define EXPECT_CONSISTENT(model) EXPECT_EQ((model).checkConsistency().toStdString(), "")

} // namespace corvana::smudgel::test
