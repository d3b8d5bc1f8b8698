#pragma once
// The error a command raises to end itself. QtCore only, so models can raise it without
// linking the windowing libraries; platform/Errors.h adds the guard that shows it.

#include <QString>
#include <stdexcept>

namespace corvana {

class Error : public std::runtime_error {
public:
  explicit Error(const QString &message);
  const QString &message() const { return m_message; }

  static Error cannotOpen(const QString &path);   // "Cannot open file %s"
  static Error cannotCreate(const QString &path); // "Cannot create file %s"

private:
  QString m_message;
};

} // namespace corvana
