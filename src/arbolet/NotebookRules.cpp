#include "arbolet/NotebookRules.h"

#include "vellant/LinkRules.h"

#include <QLocale>

namespace corvana {

OutlineNode *LastTopic(const OutlineTree &tree) {
  return tree.topLevelCount() ? tree.topLevelNode(tree.topLevelCount() - 1) : nullptr;
}

OutlineNode *NextSlide(const OutlineTree &tree, const OutlineNode *selected, const OutlineNode *lastTopic) {
  if (!selected || selected == lastTopic || !selected->nextSibling())
    return tree.firstNode();
  return selected->nextSibling();
}

int SlowerSlides(int interval) { return interval < kSlowestSlide ? interval + kSlideStep : interval; }

int FasterSlides(int interval) { return interval > kFastestSlide ? interval - kSlideStep : interval; }

QString SpeedHint(int interval) { return QStringLiteral("infospeed ") + QString::number(interval); }

OutlineNode *FindNodeFrom(const OutlineNode *from, const QString &text) {
  const QByteArray wanted = text.toUtf8();
  for (const OutlineNode *node = from; node; node = node->nextNode())
    if (node->text().contains(wanted))
      return const_cast<OutlineNode *>(node);
  return nullptr;
}

QString NotebookDate(const QDate &date) { return QLocale().toString(date, QStringLiteral("dddd, MMM d, yyyy")); }

QString SubmitFile(const QString &appDir, const QString &action) {
  // A page decides the action: only its file name is used, so no page writes outside the folder.
  QString name = action.section(u'?', 0, 0).section(u'#', 0, 0);
  name = name.mid(qMax(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1);
  if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
    name = QStringLiteral("mysubmit.txt");
  return appDir + name;
}

NotebookLink NotebookLinkAction(const QString &src, const std::function<QString(const QString &)> &expand) {
  // The browser's rule, less its web links: the notebook leaves those to the view.
  const LinkAction action = LinkClickAction(src, expand);
  switch (action.kind) {
  case LinkAction::Kind::PlaySound:
    return {NotebookLink::Kind::PlaySound, action.target};
  case LinkAction::Kind::StartProgram:
    return {NotebookLink::Kind::StartProgram, action.target};
  case LinkAction::Kind::PlayMedia:
    return {NotebookLink::Kind::PlayMedia, action.target};
  case LinkAction::Kind::LeaveToView:
  case LinkAction::Kind::OpenUrl:
    break;
  }
  return {};
}

} // namespace corvana
