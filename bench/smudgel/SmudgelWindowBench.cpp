// A freehand stroke of 200 mouse moves on a 4096 x 4096 image, from each mouse event to the
// repainted widget, in the paint window against the same stroke drawn by QPainter on a bare
// QImage: shown in a QLabel (the named peer) and in a widget that repaints only the changed
// rectangle (the best a bare Qt program does).

#include "platform/DecliningDialogs.h"
#include "platform/Forms.h"
#include "smudgel/SmudgelU.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <benchmark/benchmark.h>
#include <cmath>
#include <functional>

namespace {

constexpr int Side = 4096;
constexpr int Moves = 200;

// Round a circle of radius 200 about (420, 320), inside the part of the image on screen.
QPoint StrokePoint(int i) {
  const double a = 2 * M_PI * i / Moves;
  return {420 + int(std::lround(200 * std::cos(a))), 320 + int(std::lround(200 * std::sin(a)))};
}

// Counts the paint events a widget receives, so a run shows that every move was repainted.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
  qint64 paints = 0;
  qint64 pixels = 0;

protected:
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::Paint) {
      ++paints;
      const QRect r = static_cast<QPaintEvent *>(event)->rect();
      pixels += qint64(r.width()) * r.height();
    }
    return false;
  }
};

void Report(benchmark::State &state, const PaintCounter &counter) {
  state.counters["paints/stroke"] = double(counter.paints) / double(state.iterations());
  state.counters["pixels/paint"] = counter.paints ? double(counter.pixels) / double(counter.paints) : 0;
}

void Send(QWidget *widget, QEvent::Type type, QPoint at) {
  const QPointF p = QPointF(at) + QPointF(0.5, 0.5);
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, p, widget->mapToGlobal(p), button, held, {});
  QCoreApplication::sendEvent(widget, &event);
}

void BM_SmudgelWindowStroke(benchmark::State &state) {
  using namespace corvana;
  DecliningDialogs dialogs;
  Application().setDialogs(&dialogs);
  TSmudgelF *window = OpenToolWindow(SmudgelF);
  window->resize(1024, 768);
  window->show();
  window->model().setImageSize(Side, Side);
  window->commands().action(QStringLiteral("ShapeFreehand"))->trigger();
  QApplication::processEvents();
  QWidget *view = window->mypaint;
  PaintCounter counter(view);
  for (auto _ : state) {
    Send(view, QEvent::MouseButtonPress, StrokePoint(0));
    QApplication::processEvents();
    for (int i = 1; i <= Moves; ++i) {
      Send(view, QEvent::MouseMove, StrokePoint(i));
      QApplication::processEvents();
    }
    Send(view, QEvent::MouseButtonRelease, StrokePoint(Moves));
    QApplication::processEvents();
  }
  if (window->model().image().pixel(620, 320) != clBlack)
    state.SkipWithError("the stroke is missing");
  Report(state, counter);
  window->model().markSaved();
  Application().DestroyForms();
  Application().setDialogs(nullptr);
}

// The peer's image and its stroke: each move draws one segment with QPainter.
struct BareStroke {
  QImage image{Side, Side, QImage::Format_RGB32};
  BareStroke() { image.fill(Qt::white); }
  QRect segment(QPoint from, QPoint to) {
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(from, to);
    return QRect(from, to).normalized().adjusted(-1, -1, 2, 2);
  }
};

// Shows `widget` in a scroll area of the window's size, then draws the stroke, letting `show`
// put each segment's rectangle on the screen.
void BareRun(benchmark::State &state, BareStroke &bare, QWidget *widget, const std::function<void(QRect)> &show) {
  QScrollArea area;
  area.setWidget(widget);
  area.resize(1024, 768);
  area.show();
  QApplication::processEvents();
  PaintCounter counter(widget);
  for (auto _ : state) {
    QPoint last = StrokePoint(0);
    for (int i = 1; i <= Moves; ++i) {
      const QPoint next = StrokePoint(i);
      show(bare.segment(last, next));
      last = next;
      QApplication::processEvents();
    }
  }
  Report(state, counter);
}

void BM_BareQImageInQLabel(benchmark::State &state) {
  BareStroke bare;
  auto *label = new QLabel;
  label->setPixmap(QPixmap::fromImage(bare.image));
  BareRun(state, bare, label, [&](QRect) { label->setPixmap(QPixmap::fromImage(bare.image)); });
}

// Paints only what it is asked to from the image.
class BareView : public QWidget {
public:
  explicit BareView(const QImage &image) : m_image(image) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(image.size());
  }

protected:
  void paintEvent(QPaintEvent *event) override {
    QPainter p(this);
    p.drawImage(event->rect(), m_image, event->rect());
  }

private:
  const QImage &m_image;
};

void BM_BareQImageChangedRectOnly(benchmark::State &state) {
  BareStroke bare;
  auto *view = new BareView(bare.image);
  BareRun(state, bare, view, [view](QRect changed) { view->update(changed); });
}

BENCHMARK(BM_SmudgelWindowStroke)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_BareQImageInQLabel)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BareQImageChangedRectOnly)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
