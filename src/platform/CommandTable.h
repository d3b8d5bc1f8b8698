#pragma once
// A window's commands as data. Each row is one menu, sub-menu, menu item, separator or tool
// button, in the order they stand; one builder turns the rows into QActions, menus and tool bars
// carrying the object names and captions tests look them up by. Enable rules are named groups
// of commands that a window switches in one call.

#include <QHash>
#include <QIcon>
#include <QKeyCombination>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <span>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;

namespace corvana {

class TForm;

// Row flags.
enum CommandFlag : unsigned {
  Checkable = 1,
  Checked = 2 | Checkable,
  Submenu = 4,   // the row opens a menu; `place` empty for a menu of the menu bar
  Separator = 8, // a separator line; name and caption may be empty
  Popup = 16     // a pop-up menu the window shows on request; `place` empty
};

// Where a row goes: a menu named by the object name of its menu row ("File1"), or a tool bar
// written "#" + its object name ("#ToolBar1"; made on first use when the window has none).
template <class Form> struct CommandRow {
  const char *place;
  const char *name;
  const char *caption = "";
  QKeyCombination key = {};
  void (Form::*run)() = nullptr; // none: the command is not built yet and stays disabled
  const char *hint = nullptr;    // a tool button's tool tip; lines joined by "\n"
  unsigned flags = 0;
  const char *group = nullptr; // exclusive check group
  const char *rule = nullptr;  // enable rule
  // A tool button's drop-down: the pop-up menu of that name. Without a command of its own
  // the button opens the menu when clicked.
  const char *dropDown = nullptr;
};

// The built commands of one window.
class Commands {
public:
  struct Row {
    QString place, name, caption;
    QKeyCombination key;
    std::function<void()> run;
    QString hint;
    unsigned flags = 0;
    QString group, rule;
    QString dropDown;
  };
  using IconOf = std::function<QIcon(const QString &name)>;

  // Builds the rows onto the form: menus through TForm::addMenu, tool buttons with icons from
  // `icon`. May be called again with further rows.
  void build(TForm *form, std::span<const Row> rows, const IconOf &icon = {});
  template <class Form, std::size_t N>
  void build(Form *form, const CommandRow<Form> (&rows)[N], const IconOf &icon = {}) {
    QList<Row> generic;
    generic.reserve(N);
    for (const CommandRow<Form> &r : rows) {
      Row row{QString::fromUtf8(r.place),
              QString::fromUtf8(r.name),
              QString::fromUtf8(r.caption),
              r.key,
              {},
              QString::fromUtf8(r.hint),
              r.flags,
              QString::fromUtf8(r.group),
              QString::fromUtf8(r.rule),
              QString::fromUtf8(r.dropDown)};
      if (r.run)
        row.run = [form, run = r.run] { (form->*run)(); };
      generic.append(std::move(row));
    }
    build(form, generic, icon);
  }

  // Takes a command the window builds itself (a list of entries made at run time) under its
  // object name, so it is found like the others.
  void insert(QAction *action);

  // Null when no command has that name; a menu's name gives the action that opens it.
  QAction *action(const QString &name) const { return m_actions.value(name); }
  QMenu *menu(const QString &name) const { return m_menus.value(name); }
  QToolBar *toolBar(const QString &name) const { return m_toolBars.value(name); }
  // Enables or disables every built command of a rule (commands not built yet stay disabled).
  void setRuleEnabled(const QString &rule, bool enabled);
  bool ruleEnabled(const QString &rule) const { return !m_disabledRules.contains(rule); }

private:
  QToolBar *toolBarFor(TForm *form, const QString &name);
  QHash<QString, QAction *> m_actions;
  QHash<QString, QMenu *> m_menus;
  QHash<QString, QToolBar *> m_toolBars;
  QHash<QString, QActionGroup *> m_groups;
  QHash<QString, QList<QAction *>> m_rules;
  QList<QString> m_disabledRules;
  QSet<QAction *> m_unbuilt;
  QHash<int, QString> m_keys; // shortcut -> the command that has it
};

} // namespace corvana
