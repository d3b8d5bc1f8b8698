// Any bytes given to the RTF reader: no crash, no hang, and what it reads survives a write and a
// second read unchanged.

#include "rtf/DocumentDump.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
  QTextDocument document;
  if (!corvana::rtf::ReadRtf(bytes, document))
    return 0;
  const QString first = corvana::rtf::DumpDocument(document);
  QTextDocument again;
  if (!corvana::rtf::ReadRtf(corvana::rtf::WriteRtf(document), again))
    std::abort();
  const QString second = corvana::rtf::DumpDocument(again);
  if (first != second) {
    std::fprintf(stderr, "round trip changed the document:\n%s\n---\n%s\n", qPrintable(first), qPrintable(second));
    std::abort();
  }
  return 0;
}
