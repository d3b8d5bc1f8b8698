#pragma once
// Puts a control made on a tool bar onto that bar. The bar's own addWidget takes a control out
// of its parent and back, and each move changes its font; a combo box answers every such change
// by building its drop-down list, which nothing needs before the list is opened.

#include <QAction>

class QToolBar;
class QWidget;

namespace corvana {

// `control` has `bar` as its parent already. Returns the action that stands for it on the bar.
QAction *AddToolBarWidget(QToolBar *bar, QWidget *control);

} // namespace corvana
