#include "platform/CommandTable.h"

#include "platform/Errors.h"
#include "platform/Forms.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace corvana {

QToolBar *Commands::toolBarFor(TForm *form, const QString &name) {
  if (QToolBar *bar = m_toolBars.value(name))
    return bar;
  QToolBar *bar = form->findChild<QToolBar *>(name, Qt::FindDirectChildrenOnly);
  if (!bar) {
    bar = form->addToolBar(name);
    bar->setObjectName(name);
    bar->setMovable(false);
  }
  m_toolBars.insert(name, bar);
  return bar;
}

void Commands::build(TForm *form, std::span<const Row> rows, const IconOf &icon) {
  for (const Row &row : rows) {
    const bool onToolBar = row.place.startsWith(u'#');
    QToolBar *bar = onToolBar ? toolBarFor(form, row.place.mid(1)) : nullptr;
    QMenu *parent = onToolBar ? nullptr : m_menus.value(row.place);
    if (!onToolBar && !row.place.isEmpty() && !parent)
      qFatal("command %s placed in %s, which no earlier row makes", qPrintable(row.name), qPrintable(row.place));

    if (row.flags & Separator) {
      QAction *line = bar ? bar->addSeparator() : parent->addSeparator();
      if (!row.name.isEmpty())
        line->setObjectName(row.name);
      continue;
    }
    if (row.flags & Popup) {
      auto *menu = new QMenu(row.caption, form);
      menu->setObjectName(row.name);
      m_menus.insert(row.name, menu);
      continue;
    }
    if (row.flags & Submenu) {
      QMenu *menu = parent ? parent->addMenu(row.caption) : form->addMenu(row.caption, row.name);
      menu->setObjectName(row.name);
      menu->menuAction()->setObjectName(row.name);
      m_menus.insert(row.name, menu);
      m_actions.insert(row.name, menu->menuAction());
      if (!row.rule.isEmpty())
        m_rules[row.rule].append(menu->menuAction());
      continue;
    }

    QAction *action = nullptr;
    if (bar) {
      const QString text = row.hint.isEmpty() ? row.caption : row.hint;
      action = bar->addAction(icon ? icon(row.name) : QIcon(), text);
      action->setToolTip(text);
      if (QWidget *button = bar->widgetForAction(action))
        button->setObjectName(row.name);
    } else {
      action = parent->addAction(row.caption);
      if (!row.hint.isEmpty())
        action->setStatusTip(row.hint);
    }
    action->setObjectName(row.name);
    QMenu *dropDown = nullptr;
    if (!row.dropDown.isEmpty()) {
      dropDown = m_menus.value(row.dropDown);
      if (!bar || !dropDown)
        qFatal("command %s drops down %s, which is no pop-up menu made before it", qPrintable(row.name),
               qPrintable(row.dropDown));
      action->setMenu(dropDown);
      if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action)))
        button->setPopupMode(row.run ? QToolButton::MenuButtonPopup : QToolButton::InstantPopup);
    }
    if (row.key != QKeyCombination()) {
      // Qt fires neither of two actions that share a key, so a table may give a key once only.
      const QString &owner = m_keys[row.key.toCombined()];
      if (!owner.isEmpty())
        qFatal("%s and %s share a shortcut", qPrintable(owner), qPrintable(row.name));
      m_keys[row.key.toCombined()] = row.name;
      action->setShortcut(QKeySequence(row.key));
    }
    if (row.flags & Checkable) {
      action->setCheckable(true);
      action->setChecked((row.flags & Checked) == Checked);
    }
    if (!row.group.isEmpty()) {
      QActionGroup *&group = m_groups[row.group];
      if (!group)
        group = new QActionGroup(form);
      group->addAction(action);
    }
    if (row.run)
      onTriggered(action, form, row.run);
    else if (!dropDown)
      m_unbuilt.insert(action);
    action->setEnabled((row.run || dropDown) && !m_disabledRules.contains(row.rule));
    if (!row.rule.isEmpty())
      m_rules[row.rule].append(action);
    m_actions.insert(row.name, action);
  }
}

void Commands::insert(QAction *action) { m_actions.insert(action->objectName(), action); }

void Commands::setRuleEnabled(const QString &rule, bool enabled) {
  m_disabledRules.removeAll(rule);
  if (!enabled)
    m_disabledRules.append(rule);
  for (QAction *action : m_rules.value(rule)) {
    action->setEnabled(enabled && !m_unbuilt.contains(action));
    if (QMenu *menu = action->menu())
      menu->setEnabled(enabled);
  }
}

} // namespace corvana
