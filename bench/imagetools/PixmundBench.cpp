// Pixmund's Test at quality 75 on a 12 MP photograph-like bitmap, end to end (compressed to
// temp.jpg, decoded and painted), against libjpeg-turbo's own programs in the same run:
// cjpeg -quality 75 from the BMP, then djpeg. Since the peer reads the BMP, a second case
// times Open (which reads it and compresses it once at the quality) followed by Test and OK.
// The peer is skipped when cjpeg and djpeg are not installed (package libjpeg-turbo-progs).

#include "codecs/Bmp.h"
#include "imagetools/PictureView.h"
#include "imagetools/PixmundU.h"
#include "platform/DecliningDialogs.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

using namespace corvana;

namespace {

QTemporaryDir *workDir = nullptr;
QString bitmapPath;

// Gradients with noise: compresses like a photograph.
void writePhoto() {
  const int width = 4000, height = 3000;
  Bitmap b(width, height, PixelFormat::pf24bit);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> noise(-10, 10);
  for (int y = 0; y < height; ++y) {
    quint32 *line = b.scanLine(y);
    for (int x = 0; x < width; ++x) {
      const int r = qBound(0, 255 * x / width + noise(random), 255);
      const int g = qBound(0, 255 * y / height + noise(random), 255);
      const int bl = qBound(0, 96 + ((x / 40 + y / 30) % 8) * 16 + noise(random), 255);
      line[x] = Bitmap::toStored(RGB(r, g, bl));
    }
  }
  bitmapPath = workDir->filePath("photo.bmp");
  SaveBmpFile(bitmapPath, b);
}

void BM_PixmundTest(benchmark::State &state) {
  OverrideAppDir(workDir->path());
  TPixmundF *window = OpenToolWindow(PixmundF);
  window->resize(800, 600);
  window->show();
  if (!window->openFile(bitmapPath)) {
    state.SkipWithError("cannot open the bitmap");
    return;
  }
  window->jpegcompress->setEditText(QStringLiteral("75"));
  for (auto _ : state) {
    window->TestcomprClick();
    window->Image1->repaint();
  }
}

// The same with the bitmap read from its file first, as the peer reads it: Open, then Test.
void BM_PixmundOpenThenTest(benchmark::State &state) {
  OverrideAppDir(workDir->path());
  TPixmundF *window = OpenToolWindow(PixmundF);
  window->resize(800, 600);
  window->show();
  window->jpegcompress->setEditText(QStringLiteral("75"));
  for (auto _ : state) {
    if (!window->openFile(bitmapPath)) {
      state.SkipWithError("cannot open the bitmap");
      return;
    }
    window->TestcomprClick();
    window->Image1->repaint();
    window->TestOKClick();
  }
}

bool run(std::vector<std::string> args) {
  std::vector<char *> argv;
  for (std::string &a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
    return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_CjpegDjpeg(benchmark::State &state) {
  const std::string in = bitmapPath.toStdString();
  const std::string jpeg = workDir->filePath("peer.jpg").toStdString();
  const std::string out = workDir->filePath("peer.bmp").toStdString();
  for (auto _ : state) {
    if (!run({"cjpeg", "-quality", "75", "-outfile", jpeg, in}) || !run({"djpeg", "-bmp", "-outfile", out, jpeg})) {
      state.SkipWithError("cjpeg or djpeg failed or is not installed (libjpeg-turbo-progs)");
      return;
    }
  }
}

BENCHMARK(BM_PixmundTest)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_PixmundOpenThenTest)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_CjpegDjpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  DecliningDialogs dialogs;
  Application().setDialogs(&dialogs);
  QTemporaryDir dir;
  workDir = &dir;
  writePhoto();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Application().DestroyForms();
  Application().setDialogs(nullptr);
  return 0;
}
