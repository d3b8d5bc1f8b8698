#pragma once
// The notebook window's rules that need no widget: the slide show's order and speed, Find,
// the inserted date, where a submitted form is written, and what a clicked link does.

#include "outline/OutlineTree.h"

#include <QDate>
#include <QString>
#include <functional>

namespace corvana {

// The last top-level node; none for an empty tree.
OutlineNode *LastTopic(const OutlineTree &tree);
// The node a slide-show tick selects after `selected`.
OutlineNode *NextSlide(const OutlineTree &tree, const OutlineNode *selected, const OutlineNode *lastTopic);

// The slide-show interval after the up or down arrow, in milliseconds.
constexpr int kSlowestSlide = 25000;
constexpr int kFastestSlide = 2000;
constexpr int kSlideStep = 1000;
int SlowerSlides(int interval);
int FasterSlides(int interval);
QString SpeedHint(int interval);

// The first node from `from` on, in pre-order, whose text holds `text` (case-sensitive).
OutlineNode *FindNodeFrom(const OutlineNode *from, const QString &text);

// "dddd, mmm d, yyyy" in the user's language.
QString NotebookDate(const QDate &date);

// The file a submitted form's results go to: the action's file name, "mysubmit.txt" without one.
QString SubmitFile(const QString &appDir, const QString &action);

// What a click on a link in the rendered page asks of the window.
struct NotebookLink {
  enum class Kind { LeaveToView, PlaySound, StartProgram, PlayMedia };
  Kind kind = Kind::LeaveToView;
  QString file;
  bool operator==(const NotebookLink &) const = default;
};
NotebookLink NotebookLinkAction(const QString &src, const std::function<QString(const QString &)> &expand);

} // namespace corvana
