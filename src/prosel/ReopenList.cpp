#include "prosel/ReopenList.h"

namespace corvana {

ReopenList::ReopenList() {
  for (int i = 0; i < Count; ++i)
    m_captions[size_t(i)] = QStringLiteral("&%1").arg(i + 1);
}

QStringList ReopenList::captions() const { return QStringList(m_captions.begin(), m_captions.end()); }

void ReopenList::Take(const QString &path) {
  for (int i = Count - 1; i > 0; --i)
    m_captions[size_t(i)] = QStringLiteral("&%1 ").arg(i + 1) + PathOf(m_captions[size_t(i - 1)]);
  m_captions[0] = QStringLiteral("&1 ") + path;
}

QString ReopenList::DisplayCaption(const QString &caption) {
  QString path = PathOf(caption);
  return caption.left(3) + path.replace(u'&', QStringLiteral("&&"));
}

} // namespace corvana
