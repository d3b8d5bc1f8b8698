#include "core/Error.h"

namespace corvana {

Error::Error(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

Error Error::cannotOpen(const QString &path) { return Error(QStringLiteral("Cannot open file %1").arg(path)); }

Error Error::cannotCreate(const QString &path) { return Error(QStringLiteral("Cannot create file %1").arg(path)); }

} // namespace corvana
