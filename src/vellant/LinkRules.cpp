#include "vellant/LinkRules.h"

#include "htmlview/HtmlNames.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace corvana {

namespace {

// Extensions are compared upper-cased and at most five characters long, dot included.
QString shortUpperExt(const QString &file) { return UpperFileExt(file).left(5); }

} // namespace

LinkAction LinkClickAction(const QString &url, const ExpandName &expand) {
  // Web and mail links go to the desktop; the scheme is compared as written.
  if (url.startsWith(QStringLiteral("http://")) || url.startsWith(QStringLiteral("https://")) ||
      url.startsWith(QStringLiteral("mailto:")))
    return {LinkAction::Kind::OpenUrl, url, {}};

  const QString link = url.left(kMaxLinkLength);
  const qsizetype colon = link.indexOf(u':');
  const bool local = colon < 2 || link.toUpper().contains(QStringLiteral("FILE:"));
  if (!local)
    return {};

  qsizetype cut = link.indexOf(u' ');
  if (cut < 0)
    cut = link.indexOf(u'?');
  const QString name = cut < 0 ? link : link.left(cut);
  const QString parameters = cut < 0 ? QString() : link.mid(cut + 1);
  const QString file = expand(name);
  const QString ext = shortUpperExt(file);
  if (ext == QStringLiteral(".WAV"))
    return {LinkAction::Kind::PlaySound, file, {}};
  if (ext == QStringLiteral(".EXE"))
    return {LinkAction::Kind::StartProgram, file, parameters};
  if (ext == QStringLiteral(".MID") || ext == QStringLiteral(".AVI"))
    return {LinkAction::Kind::PlayMedia, file, {}};
  return {};
}

QString StatusLineText(const QString &target, const QString &url) {
  if (url.isEmpty())
    return QString();
  if (target.isEmpty())
    return QStringLiteral("URL: ") + url;
  return QStringLiteral("Target: ") + target + QStringLiteral("  URL: ") + url;
}

QString NewWindowArgument(const QString &url, const ExpandName &expand) {
  const NameAndAnchor split = SplitAnchor(url.left(kMaxLinkLength));
  const QString file = expand(split.name);
  if (file.isEmpty() || !QFileInfo(file).isFile())
    return QString();
  return file + split.anchor;
}

QString SoundRequestFile(const QString &src, const ExpandName &expand) {
  const QString file = expand(src);
  return shortUpperExt(file) == QStringLiteral(".MID") ? file : QString();
}

CommandLineAction CommandLineRule(const QStringList &arguments) {
  if (arguments.isEmpty() || arguments[0].isEmpty())
    return {};
  const QString first = arguments[0];
  // Paths here begin with "/" too: a switch is "/" and letters only, and even then an
  // existing file of that name wins.
  static const QRegularExpression switchPattern(QStringLiteral("^/[A-Za-z]+$"));
  if (!first.startsWith(u'/') || !switchPattern.match(first).hasMatch() || QFileInfo(first).isFile())
    return {CommandLineAction::Kind::LoadFile, FileUrlToName(first)};
  const QString option = first.toUpper();
  if ((option == QStringLiteral("/D") || option == QStringLiteral("/DO")) && arguments.size() > 1)
    return {option == QStringLiteral("/D") ? CommandLineAction::Kind::StartIn : CommandLineAction::Kind::OpenIn,
            arguments[1]};
  return {};
}

} // namespace corvana
