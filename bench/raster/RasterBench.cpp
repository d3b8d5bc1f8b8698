// Hot paths of the raster canvas against their peers in the same run: memcpy for fills and
// block copies, QPainter on a QImage (antialiasing off) for lines and figures, FillRect and a
// naive per-pixel fill for flood fill, SRCCOPY for a ternary blit.

#include "raster/Canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

using namespace corvana;

namespace {

constexpr int Side = 2048;
constexpr int FigureCount = 1000;

struct Shape {
  int x0, y0, x1, y1;
};

const std::vector<Shape> &Lines() {
  static const std::vector<Shape> lines = [] {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pos(0, Side - 1);
    std::vector<Shape> v;
    for (int i = 0; i < FigureCount; ++i)
      v.push_back({pos(rng), pos(rng), pos(rng), pos(rng)});
    return v;
  }();
  return lines;
}

const std::vector<Shape> &Boxes() {
  static const std::vector<Shape> boxes = [] {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> pos(0, Side - 300), size(8, 256);
    std::vector<Shape> v;
    for (int i = 0; i < FigureCount; ++i) {
      const int x = pos(rng), y = pos(rng);
      v.push_back({x, y, x + size(rng), y + size(rng)});
    }
    return v;
  }();
  return boxes;
}

QImage PeerImage() {
  QImage image(Side, Side, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void SetBytes(benchmark::State &state, qint64 bytesPerIteration) {
  state.SetBytesProcessed(state.iterations() * bytesPerIteration);
}

// ---- fills and copies against memcpy

void BM_Memcpy(benchmark::State &state) {
  std::vector<quint32> a(size_t(Side) * Side, 0xFFFFFFFF), b(size_t(Side) * Side, 0);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  SetBytes(state, qint64(a.size()) * 4);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_FillRect(benchmark::State &state) {
  Bitmap bitmap(Side, Side);
  Canvas canvas(bitmap);
  int i = 0;
  for (auto _ : state) {
    canvas.brush.setColor(++i & 1 ? clRed : clBlue);
    canvas.FillRect({0, 0, Side, Side});
    benchmark::ClobberMemory();
  }
  SetBytes(state, qint64(Side) * Side * 4);
}
BENCHMARK(BM_FillRect)->Unit(benchmark::kMillisecond);

void BM_CopyRectSrcCopy(benchmark::State &state) {
  Bitmap source(Side, Side, PixelFormat::pf32bit, clRed), bitmap(Side, Side);
  Canvas canvas(bitmap);
  for (auto _ : state) {
    canvas.CopyRect({0, 0, Side, Side}, source, {0, 0, Side, Side});
    benchmark::ClobberMemory();
  }
  SetBytes(state, qint64(Side) * Side * 4);
}
BENCHMARK(BM_CopyRectSrcCopy)->Unit(benchmark::kMillisecond);

void BM_CopyRectTernary(benchmark::State &state) {
  Bitmap source(Side, Side, PixelFormat::pf32bit, RGB(200, 100, 50)), bitmap(Side, Side);
  Canvas canvas(bitmap);
  canvas.brush.setColor(RGB(30, 60, 90));
  canvas.copyMode = 0x00B8074A; // (S AND P) OR (D AND NOT P): source through the brush bits
  for (auto _ : state) {
    canvas.CopyRect({0, 0, Side, Side}, source, {0, 0, Side, Side});
    benchmark::ClobberMemory();
  }
  SetBytes(state, qint64(Side) * Side * 4);
}
BENCHMARK(BM_CopyRectTernary)->Unit(benchmark::kMillisecond);

// ---- figures against QPainter

void BM_LinesCanvas(benchmark::State &state) {
  Bitmap bitmap(Side, Side);
  Canvas canvas(bitmap);
  for (auto _ : state) {
    for (const Shape &s : Lines()) {
      canvas.MoveTo(s.x0, s.y0);
      canvas.LineTo(s.x1, s.y1);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LinesCanvas)->Unit(benchmark::kMillisecond);

void BM_LinesQPainter(benchmark::State &state) {
  QImage image = PeerImage();
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    for (const Shape &s : Lines())
      painter.drawLine(s.x0, s.y0, s.x1, s.y1);
    painter.end();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LinesQPainter)->Unit(benchmark::kMillisecond);

void BM_RectanglesCanvas(benchmark::State &state) {
  Bitmap bitmap(Side, Side);
  Canvas canvas(bitmap);
  canvas.brush.setColor(clYellow);
  for (auto _ : state) {
    for (const Shape &s : Boxes())
      canvas.Rectangle(s.x0, s.y0, s.x1, s.y1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RectanglesCanvas)->Unit(benchmark::kMillisecond);

void BM_RectanglesQPainter(benchmark::State &state) {
  QImage image = PeerImage();
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::yellow);
    for (const Shape &s : Boxes())
      painter.drawRect(s.x0, s.y0, s.x1 - s.x0 - 1, s.y1 - s.y0 - 1);
    painter.end();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RectanglesQPainter)->Unit(benchmark::kMillisecond);

void BM_EllipsesCanvas(benchmark::State &state) {
  Bitmap bitmap(Side, Side);
  Canvas canvas(bitmap);
  canvas.brush.setColor(clYellow);
  for (auto _ : state) {
    for (const Shape &s : Boxes())
      canvas.Ellipse(s.x0, s.y0, s.x1, s.y1);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EllipsesCanvas)->Unit(benchmark::kMillisecond);

void BM_EllipsesQPainter(benchmark::State &state) {
  QImage image = PeerImage();
  for (auto _ : state) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::yellow);
    for (const Shape &s : Boxes())
      painter.drawEllipse(s.x0, s.y0, s.x1 - s.x0 - 1, s.y1 - s.y0 - 1);
    painter.end();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EllipsesQPainter)->Unit(benchmark::kMillisecond);

// ---- flood fill of one open region

void BM_FloodFill(benchmark::State &state) {
  Bitmap bitmap(Side, Side, PixelFormat::pf32bit, clBlue);
  Canvas canvas(bitmap);
  int i = 0;
  for (auto _ : state) {
    const bool toRed = ++i & 1;
    canvas.brush.setColor(toRed ? clRed : clBlue);
    canvas.FloodFill(Side / 2, Side / 2, toRed ? clBlue : clRed);
    benchmark::ClobberMemory();
  }
  SetBytes(state, qint64(Side) * Side * 4);
}
BENCHMARK(BM_FloodFill)->Unit(benchmark::kMillisecond);

// The obvious fill: one pixel at a time from a stack of neighbours.
void BM_FloodFillNaive(benchmark::State &state) {
  Bitmap bitmap(Side, Side, PixelFormat::pf32bit, clBlue);
  int i = 0;
  std::vector<std::pair<int, int>> stack;
  for (auto _ : state) {
    const bool toRed = ++i & 1;
    const TColor target = toRed ? clBlue : clRed, fill = toRed ? clRed : clBlue;
    stack.assign(1, {Side / 2, Side / 2});
    while (!stack.empty()) {
      const auto [x, y] = stack.back();
      stack.pop_back();
      if (bitmap.pixel(x, y) != target)
        continue;
      bitmap.setPixel(x, y, fill);
      stack.push_back({x + 1, y});
      stack.push_back({x - 1, y});
      stack.push_back({x, y + 1});
      stack.push_back({x, y - 1});
    }
    benchmark::ClobberMemory();
  }
  SetBytes(state, qint64(Side) * Side * 4);
}
BENCHMARK(BM_FloodFillNaive)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
