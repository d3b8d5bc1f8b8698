#pragma once
// The browser window's rules for links, written as plain functions: what a clicked link does,
// what the status line says, what a link asking for a new window starts, and what the
// program's command line asks of the window.

#include <QString>
#include <QStringList>
#include <functional>

namespace corvana {

// Makes a link name absolute (the view's HTMLExpandFilename).
using ExpandName = std::function<QString(const QString &)>;

struct LinkAction {
  enum class Kind { LeaveToView, OpenUrl, PlaySound, StartProgram, PlayMedia };
  Kind kind = Kind::LeaveToView;
  QString target;     // the URL, or the expanded file name
  QString parameters; // for StartProgram
  bool operator==(const LinkAction &) const = default;
};

// Longest link the window looks at; a longer one is cut.
inline constexpr int kMaxLinkLength = 255;

LinkAction LinkClickAction(const QString &url, const ExpandName &expand);
QString StatusLineText(const QString &target, const QString &url);
// The expanded file with its anchor for a new-window link; '' when the file does not exist.
QString NewWindowArgument(const QString &url, const ExpandName &expand);
// The file of a background sound to hand to the media player; '' for sounds that are ignored.
QString SoundRequestFile(const QString &src, const ExpandName &expand);

struct CommandLineAction {
  enum class Kind { Nothing, LoadFile, StartIn, OpenIn };
  Kind kind = Kind::Nothing;
  QString path;
  bool operator==(const CommandLineAction &) const = default;
};

// `arguments` without the program's own name.
CommandLineAction CommandLineRule(const QStringList &arguments);

} // namespace corvana
