#pragma once
// What the file panel writes into the editor: names and links of files, a help index built from
// a document's anchors, links pulled out of pages, and the entries and links of the targets box.
// Text uses "\n" for a line break.

#include <QString>
#include <QStringList>

namespace corvana {

// The file list's drop modes, numbered as they are stored.
enum class FileDropMode { ShortNames = 1, LongNames = 2, ShortLinks = 3, LongLinks = 4, Index = 5, ExtractLinks = 6 };

// The text modes 1 to 4 insert for a file `name` in the folder `dir` (which ends in "/").
QString FileDropText(FileDropMode mode, const QString &dir, const QString &name);

// The index lines for the anchors of a document called `documentName`; empty without anchors.
QStringList HelpIndexLines(const QString &text, const QString &documentName);
// The whole index page around those lines.
QStringList HelpIndexPage(const QStringList &lines);

// Where the index and its frame set go for a document: for "helpC.htm", "helpCI.htm" and
// "help.htm" in the same folder.
struct HelpIndexFiles {
  QString index;
  QString frameSet;
  QStringList frameSetLines;
};
HelpIndexFiles HelpIndexFilesFor(const QString &documentPath);

// Every "<a href=\"…</a>" of a page, in lower case, in order.
QStringList ExtractLinks(const QString &text);
bool IsHtmlName(const QString &name);

// The targets box entries of one page: its name, then "name#anchor" for each anchor.
QStringList TargetEntries(const QString &name, const QString &text);
// The link a targets box entry inserts.
QString TargetLink(const QString &entry);

} // namespace corvana
