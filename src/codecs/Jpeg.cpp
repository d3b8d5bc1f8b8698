#include "codecs/Jpeg.h"

#include "codecs/ColorReduce.h"
#include "core/Error.h"
#include "raster/Dib.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace corvana {

namespace {

// Too many scans make a tiny file decode for minutes; real encoders use a dozen or so.
constexpr int MaxScans = 1000;

struct ErrorManager {
  jpeg_error_mgr base;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr cinfo) {
  auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  longjmp(err->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

void installErrors(ErrorManager &err) {
  jpeg_std_error(&err.base);
  err.base.error_exit = errorExit;
  err.base.output_message = ignoreMessage;
  err.message[0] = 0;
}

struct ScanGuard {
  jpeg_progress_mgr base;
};

void countScans(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor)
    return;
  auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > MaxScans) {
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "Too many scans in JPEG file");
    longjmp(err->jump, 1);
  }
}

struct DecodeState {
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  ScanGuard guard{};
  Bitmap bitmap;
  std::vector<JSAMPLE> row;
  std::vector<quint32> stored;
  // CMYK and YCCK files: libjpeg gives CMYK, which we turn into RGB; a palette, when asked
  // for, is chosen by us afterwards, since libjpeg quantises only RGB and grey.
  bool cmyk = false;
  bool invertedCmyk = false; // Adobe's files store 255 - ink
  bool reduceAfter = false;
};

void readHeader(DecodeState &d, const QByteArray &bytes) {
  jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()), (unsigned long)bytes.size());
  jpeg_read_header(&d.cinfo, TRUE);
}

// One row of CMYK samples to RGB: each channel is what its ink and the black ink let through.
void cmykToRgb(const JSAMPLE *src, quint32 *dst, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x, src += 4) {
    int c = src[0], m = src[1], y = src[2], k = src[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    dst[x] = Bitmap::toStored(RGB((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255));
  }
}

// The palette output of a CMYK file, made from its RGB picture: 236 grey levels, or 236
// colours chosen for the picture (error diffusion unless fast).
Bitmap reduceCmykOutput(const Bitmap &rgb, const JpegDecodeOptions &options) {
  Bitmap out(rgb.width(), rgb.height(), PixelFormat::pf8bit, clBlack);
  if (options.grayscale) {
    QVector<TColor> levels;
    for (int i = 0; i < JpegPaletteColors; ++i) {
      const int v = (i * 255 + (JpegPaletteColors - 1) / 2) / (JpegPaletteColors - 1);
      levels.append(RGB(v, v, v));
    }
    out.setPalette(levels);
    for (int y = 0; y < rgb.height(); ++y) {
      const quint32 *src = rgb.scanLine(y);
      quint32 *dst = out.scanLine(y);
      for (int x = 0; x < rgb.width(); ++x) {
        const TColor c = Bitmap::fromStored(src[x]);
        const int grey = (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c) + 500) / 1000;
        dst[x] = Bitmap::toStored(levels[(grey * (JpegPaletteColors - 1) + 127) / 255]);
      }
    }
    return out;
  }
  const IndexedImage image = ReduceColors(rgb, {JpegPaletteColors, !options.fast});
  out.setPalette(image.palette);
  std::vector<quint32> stored;
  for (TColor color : image.palette)
    stored.push_back(Bitmap::toStored(color));
  for (int y = 0; y < rgb.height(); ++y) {
    const quint8 *src = image.indices.data() + size_t(y) * rgb.width();
    quint32 *dst = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x)
      dst[x] = stored[src[x]];
  }
  return out;
}

void reportScan(const DecodeState &d, const JpegDecodeOptions &options) {
  if (!options.progress)
    return;
  if (d.reduceAfter)
    options.progress(reduceCmykOutput(d.bitmap, options));
  else
    options.progress(d.bitmap);
}

// Reads one output pass into the bitmap. No objects with destructors live here: libjpeg may
// leave this frame by longjmp.
void readPass(DecodeState &d, const JpegDecodeOptions &options, bool reportBands) {
  j_decompress_ptr c = &d.cinfo;
  const bool indexed = c->quantize_colors;
  if (indexed && d.stored.empty()) {
    QVector<TColor> palette;
    for (int i = 0; i < c->actual_number_of_colors; ++i) {
      const int r = c->colormap[0][i];
      const int g = c->out_color_components > 1 ? c->colormap[1][i] : r;
      const int b = c->out_color_components > 2 ? c->colormap[2][i] : r;
      palette.append(RGB(r, g, b));
    }
    d.bitmap.setPalette(palette);
    for (TColor color : palette)
      d.stored.push_back(Bitmap::toStored(color));
  }
  while (c->output_scanline < c->output_height) {
    const int y = int(c->output_scanline);
    JSAMPROW target = indexed || d.cmyk ? d.row.data() : reinterpret_cast<JSAMPROW>(d.bitmap.scanLine(y));
    jpeg_read_scanlines(c, &target, 1);
    if (d.cmyk) {
      cmykToRgb(d.row.data(), d.bitmap.scanLine(y), c->output_width, d.invertedCmyk);
    } else if (indexed) {
      quint32 *dst = d.bitmap.scanLine(y);
      for (JDIMENSION x = 0; x < c->output_width; ++x)
        dst[x] = d.stored[d.row[x] < d.stored.size() ? d.row[x] : 0];
    }
    // a CMYK picture's bands show in full colour: its palette is chosen once all rows are in
    if (reportBands && options.progress && (y + 1) % 64 == 0)
      options.progress(d.bitmap);
  }
}

void decodeBody(DecodeState &d, const QByteArray &bytes, const JpegDecodeOptions &options) {
  j_decompress_ptr c = &d.cinfo;
  readHeader(d, bytes);
  CheckDecodeSize(c->image_width, c->image_height);
  const int denominator = options.scaleDenominator;
  c->scale_num = 1;
  c->scale_denom = denominator == 2 || denominator == 4 || denominator == 8 ? denominator : 1;
  c->dct_method = options.fast ? JDCT_IFAST : JDCT_ISLOW;
  const bool quantize = options.quantize || options.grayscale;
  const bool buffered = options.progressiveDisplay && jpeg_has_multiple_scans(c);
  d.cmyk = c->jpeg_color_space == JCS_CMYK || c->jpeg_color_space == JCS_YCCK;
  d.invertedCmyk = d.cmyk && c->saw_Adobe_marker;
  d.reduceAfter = d.cmyk && quantize;
  if (d.cmyk)
    c->out_color_space = JCS_CMYK;
  else if (options.grayscale)
    c->out_color_space = JCS_GRAYSCALE;
  else
    c->out_color_space = quantize ? JCS_RGB : JCS_EXT_RGBA;
  if (quantize && !d.cmyk) {
    c->quantize_colors = TRUE;
    c->desired_number_of_colors = JpegPaletteColors;
    c->two_pass_quantize = options.fast || buffered ? FALSE : TRUE;
    c->dither_mode = options.fast ? JDITHER_ORDERED : JDITHER_FS;
  }
  c->buffered_image = buffered ? TRUE : FALSE;
  jpeg_calc_output_dimensions(c);
  const bool libjpegPalette = quantize && !d.cmyk;
  d.bitmap = Bitmap(int(c->output_width), int(c->output_height),
                    libjpegPalette ? PixelFormat::pf8bit : PixelFormat::pf24bit, clWhite);
  d.row.resize(size_t(c->output_width) * (d.cmyk ? 4 : 1));
  jpeg_start_decompress(c);
  if (!buffered) {
    readPass(d, options, true);
  } else {
    while (!jpeg_input_complete(c)) {
      jpeg_start_output(c, c->input_scan_number);
      readPass(d, options, false);
      jpeg_finish_output(c);
      reportScan(d, options);
    }
  }
  jpeg_finish_decompress(c);
  if (d.reduceAfter)
    d.bitmap = reduceCmykOutput(d.bitmap, options);
}

} // namespace

JpegInfo ReadJpegInfo(const QByteArray &bytes) {
  auto d = std::make_unique<DecodeState>();
  d->cinfo.err = &d->err.base;
  installErrors(d->err);
  if (setjmp(d->err.jump)) {
    const QString message = QString::fromLocal8Bit(d->err.message);
    jpeg_destroy_decompress(&d->cinfo);
    throw Error(message);
  }
  jpeg_create_decompress(&d->cinfo);
  readHeader(*d, bytes);
  JpegInfo info{int(d->cinfo.image_width), int(d->cinfo.image_height), d->cinfo.num_components,
                d->cinfo.progressive_mode != 0};
  jpeg_destroy_decompress(&d->cinfo);
  return info;
}

bool IsProgressiveJpeg(const QByteArray &bytes) { return ReadJpegInfo(bytes).progressive; }

Bitmap DecodeJpeg(const QByteArray &bytes, const JpegDecodeOptions &options) {
  auto d = std::make_unique<DecodeState>();
  d->cinfo.err = &d->err.base;
  installErrors(d->err);
  if (setjmp(d->err.jump)) {
    const QString message = QString::fromLocal8Bit(d->err.message);
    jpeg_destroy_decompress(&d->cinfo);
    throw Error(message);
  }
  jpeg_create_decompress(&d->cinfo);
  d->guard.base.progress_monitor = countScans;
  d->cinfo.progress = &d->guard.base;
  try {
    decodeBody(*d, bytes, options);
  } catch (...) {
    jpeg_destroy_decompress(&d->cinfo);
    throw;
  }
  jpeg_destroy_decompress(&d->cinfo);
  return std::move(d->bitmap);
}

namespace {

struct EncodeState {
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  // Ours, sized from the picture so that libjpeg seldom has to grow it; libjpeg puts any
  // larger buffer of its own in `buffer`.
  unsigned char *initial = nullptr;
  ~EncodeState() {
    if (buffer != initial)
      std::free(buffer);
    std::free(initial);
  }
  int quality = 75;
};

void encodeBody(EncodeState &e, const Bitmap &bitmap, int quality) {
  j_compress_ptr c = &e.cinfo;
  e.size = (unsigned long)(qint64(bitmap.width()) * bitmap.height() / 2 + 65536);
  e.initial = static_cast<unsigned char *>(std::malloc(e.size));
  if (!e.initial)
    e.size = 0;
  e.buffer = e.initial;
  jpeg_mem_dest(c, &e.buffer, &e.size);
  c->image_width = JDIMENSION(bitmap.width());
  c->image_height = JDIMENSION(bitmap.height());
  // Our pixel words are R, G, B, pad in memory: libjpeg reads them in place.
  c->input_components = 4;
  c->in_color_space = JCS_EXT_RGBX;
  jpeg_set_defaults(c);
  jpeg_set_quality(c, quality, TRUE);
  jpeg_start_compress(c, TRUE);
  while (c->next_scanline < c->image_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(const_cast<quint32 *>(bitmap.scanLine(int(c->next_scanline))));
    jpeg_write_scanlines(c, &row, 1);
  }
  jpeg_finish_compress(c);
}

} // namespace

QByteArray EncodeJpeg(const Bitmap &bitmap, int quality) {
  if (bitmap.isNull())
    throw Error(QStringLiteral("Cannot write an empty bitmap"));
  auto e = std::make_unique<EncodeState>();
  e->quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
  e->cinfo.err = &e->err.base;
  installErrors(e->err);
  if (setjmp(e->err.jump)) {
    const QString message = QString::fromLocal8Bit(e->err.message);
    jpeg_destroy_compress(&e->cinfo);
    throw Error(message);
  }
  jpeg_create_compress(&e->cinfo);
  encodeBody(*e, bitmap, e->quality);
  QByteArray out(reinterpret_cast<const char *>(e->buffer), qsizetype(e->size));
  jpeg_destroy_compress(&e->cinfo);
  return out;
}

} // namespace corvana
