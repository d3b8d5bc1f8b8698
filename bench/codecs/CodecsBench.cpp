// JPEG encode (quality 90) and decode, and GIF writing (colour reduction and LZW), on one
// 4-megapixel photo-like image, against the peers in the same run: tjbench for JPEG and
// ImageMagick's convert for GIF (its time per file and the PSNR of its result). A peer whose
// program is missing is left out with a note. A summary with the ratios ends the run.

#include "codecs/Bmp.h"
#include "codecs/Gif.h"
#include "codecs/Jpeg.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

using namespace corvana;

namespace {

constexpr int Width = 2304, Height = 1728; // 3.98 megapixels

quint32 hash(quint32 x) {
  x ^= x >> 16;
  x *= 0x7feb352d;
  x ^= x >> 15;
  x *= 0x846ca68b;
  return x ^ (x >> 16);
}

// Smooth light and colour fields, a few hard-edged objects, and fine grain.
Bitmap makePhoto() {
  Bitmap b(Width, Height, PixelFormat::pf24bit);
  for (int y = 0; y < Height; ++y) {
    quint32 *line = b.scanLine(y);
    for (int x = 0; x < Width; ++x) {
      const double fx = double(x) / Width, fy = double(y) / Height;
      double r = 120 + 80 * std::sin(5.1 * fx + 2.3 * fy) + 40 * std::sin(17 * fx * fy);
      double g = 110 + 70 * std::sin(3.7 * fy - 1.9 * fx + 1) + 30 * std::cos(11 * fx);
      double bl = 100 + 90 * std::cos(4.3 * fx + 3.1 * fy);
      const double dx = fx - 0.3, dy = fy - 0.45;
      if (dx * dx + dy * dy < 0.04) {
        r = 230 - 120 * fy;
        g = 180 - 60 * fx;
        bl = 40;
      }
      if (fx > 0.6 && fx < 0.85 && fy > 0.2 && fy < 0.7) {
        r *= 0.4;
        g *= 0.5;
        bl = bl * 0.5 + 100;
      }
      const int noise = int(hash(quint32(y * Width + x)) % 13) - 6;
      auto c = [noise](double v) { return std::clamp(int(v) + noise, 0, 255); };
      line[x] = Bitmap::toStored(RGB(c(r), c(g), c(bl)));
    }
  }
  return b;
}

const Bitmap &photo() {
  static const Bitmap b = makePhoto();
  return b;
}

double psnr(const Bitmap &a, const Bitmap &b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const TColor p = a.pixel(x, y), q = b.pixel(x, y);
      const double dr = GetRValue(p) - GetRValue(q), dg = GetGValue(p) - GetGValue(q), db = GetBValue(p) - GetBValue(q);
      sum += dr * dr + dg * dg + db * db;
    }
  return 10 * std::log10(255.0 * 255.0 * 3.0 * a.width() * a.height() / sum);
}

struct Figures {
  double jpegEncode = 0, jpegDecode = 0; // megapixels per second
  double gifSeconds = 0, gifPsnr = 0;
  double tjEncode = 0, tjDecode = 0;
  double convertSeconds = 0, convertPsnr = 0;
} figures;

QTemporaryDir &workDir() {
  static QTemporaryDir dir;
  return dir;
}

QString photoBmp() {
  static const QString path = [] {
    const QString p = workDir().filePath("photo.bmp");
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(WriteBmp(photo()));
    return p;
  }();
  return path;
}

const double megapixels = double(Width) * Height / 1e6;

void BM_JpegEncodeQ90(benchmark::State &state) {
  const Bitmap &b = photo();
  QElapsedTimer timer;
  qint64 n = 0, ns = 0;
  for (auto _ : state) {
    timer.start();
    benchmark::DoNotOptimize(EncodeJpeg(b, 90));
    ns += timer.nsecsElapsed();
    ++n;
  }
  figures.jpegEncode = megapixels * n / (ns / 1e9);
  state.counters["Mpix/s"] = figures.jpegEncode;
}

void BM_JpegDecode(benchmark::State &state) {
  const QByteArray jpeg = EncodeJpeg(photo(), 90);
  QElapsedTimer timer;
  qint64 n = 0, ns = 0;
  for (auto _ : state) {
    timer.start();
    benchmark::DoNotOptimize(DecodeJpeg(jpeg));
    ns += timer.nsecsElapsed();
    ++n;
  }
  figures.jpegDecode = megapixels * n / (ns / 1e9);
  state.counters["Mpix/s"] = figures.jpegDecode;
}

void BM_GifWrite(benchmark::State &state) {
  QElapsedTimer timer;
  qint64 n = 0, ns = 0;
  QByteArray gif;
  for (auto _ : state) {
    timer.start();
    gif = WriteGif(photo());
    ns += timer.nsecsElapsed();
    ++n;
  }
  figures.gifSeconds = ns / 1e9 / n;
  figures.gifPsnr = psnr(ReadGif(gif).bitmap, photo());
  state.counters["PSNR"] = figures.gifPsnr;
  state.counters["bytes"] = double(gif.size());
}

QString run(const QString &program, const QStringList &args) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  p.waitForFinished(600000);
  return QString::fromLocal8Bit(p.readAll());
}

// tjbench times its own loops; we read its table: ... Comp Perf, Comp Ratio, Decomp Perf.
void BM_Peer_Tjbench(benchmark::State &state, const QString &program) {
  const QString bmp = photoBmp();
  for (auto _ : state) {
    const QString out = run(program, {bmp, "90", "-subsamp", "420", "-benchtime", "2", "-warmup", "1", "-quiet"});
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    const QStringList fields = lines.isEmpty() ? QStringList() : lines.last().simplified().split(' ');
    if (fields.size() < 9) {
      state.SkipWithError(qPrintable("unexpected tjbench output: " + out.right(200)));
      return;
    }
    figures.tjEncode = fields[fields.size() - 3].toDouble();
    figures.tjDecode = fields.last().toDouble();
  }
  state.counters["enc_Mpix/s"] = figures.tjEncode;
  state.counters["dec_Mpix/s"] = figures.tjDecode;
}

void BM_Peer_ConvertGif(benchmark::State &state, const QString &program) {
  const QString bmp = photoBmp(), gif = workDir().filePath("convert.gif");
  QElapsedTimer timer;
  qint64 n = 0, ns = 0;
  for (auto _ : state) {
    timer.start();
    run(program, {bmp, gif});
    ns += timer.nsecsElapsed();
    ++n;
  }
  figures.convertSeconds = ns / 1e9 / n;
  QFile f(gif);
  f.open(QIODevice::ReadOnly);
  figures.convertPsnr = psnr(ReadGif(f.readAll()).bitmap, photo());
  state.counters["PSNR"] = figures.convertPsnr;
}

} // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("JpegEncodeQ90", BM_JpegEncodeQ90)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("JpegDecode", BM_JpegDecode)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("GifWrite", BM_GifWrite)->Unit(benchmark::kMillisecond);
  const QString tjbench = QStandardPaths::findExecutable("tjbench");
  const QString convert = QStandardPaths::findExecutable("convert");
  if (!tjbench.isEmpty())
    benchmark::RegisterBenchmark("Peer_Tjbench", BM_Peer_Tjbench, tjbench)->Iterations(1)->Unit(benchmark::kSecond);
  else
    std::printf("tjbench not found (Debian package libjpeg-turbo-progs): JPEG peer skipped\n");
  if (!convert.isEmpty())
    benchmark::RegisterBenchmark("Peer_ConvertGif", BM_Peer_ConvertGif, convert)
        ->Iterations(3)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
  else
    std::printf("convert not found (ImageMagick): GIF peer skipped\n");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf("\nsummary (ours against the peer in this run)\n");
  if (figures.tjEncode > 0 && figures.jpegEncode > 0)
    std::printf("  JPEG encode q90: %.1f Mpix/s, tjbench %.1f Mpix/s, ratio %.2f\n", figures.jpegEncode,
                figures.tjEncode, figures.jpegEncode / figures.tjEncode);
  if (figures.tjDecode > 0 && figures.jpegDecode > 0)
    std::printf("  JPEG decode:     %.1f Mpix/s, tjbench %.1f Mpix/s, ratio %.2f\n", figures.jpegDecode,
                figures.tjDecode, figures.jpegDecode / figures.tjDecode);
  if (figures.convertSeconds > 0 && figures.gifSeconds > 0)
    std::printf("  GIF write:       %.3f s, convert %.3f s, time ratio %.2f; PSNR %.2f dB against %.2f dB\n",
                figures.gifSeconds, figures.convertSeconds, figures.gifSeconds / figures.convertSeconds,
                figures.gifPsnr, figures.convertPsnr);
  return 0;
}
