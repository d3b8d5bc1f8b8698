// The highlighting editor's menus and tool bar, one row per item as they stand.

#include "lexora/LexoraU.h"

#include "controls/ButtonIcons.h"

#include <QHash>
#include <QToolBar>

namespace corvana {

namespace {
using T = TLexoraF;
constexpr auto Ctrl = Qt::CTRL;

const CommandRow<T> Rows[] = {
    {"", "File1", "&File", {}, nullptr, nullptr, Submenu},
    {"File1", "Open1", "&Open...", {}, &T::Open1Click},
    {"File1", "Save1", "&Save", {}, &T::Save1Click},
    {"File1", "SaveAs1", "Save &As...", {}, &T::SaveAs1Click},
    {"File1", "Close1", "&Close", {}, &T::Close1Click},
    {"File1", "", "-", {}, nullptr, nullptr, Separator},
    {"File1", "Print1", "&Print", Ctrl | Qt::Key_P, &T::Print1Click},
    {"File1", "", "-", {}, nullptr, nullptr, Separator},
    {"File1", "Exit1", "E&xit", {}, &T::Exit1Click},

    {"", "Edit1", "&Edit", {}, nullptr, nullptr, Submenu},
    {"Edit1", "Undo1", "&Undo", {}, &T::Undo1Click},
    {"Edit1", "Cut1", "Cu&t", Ctrl | Qt::Key_X, &T::Cut1Click},
    {"Edit1", "Copy1", "&Copy", Ctrl | Qt::Key_C, &T::Copy1Click},
    {"Edit1", "Paste1", "&Paste", Ctrl | Qt::Key_V, &T::Paste1Click},
    {"Edit1", "Delete1", "&Delete", {}, &T::Delete1Click},
    {"Edit1", "SelectAll1", "Select All", Ctrl | Qt::Key_A, &T::SelectAll1Click},
    {"Edit1", "", "-", {}, nullptr, nullptr, Separator},
    {"Edit1", "Find1", "Find...", Ctrl | Qt::Key_F, &T::Find1Click},
    {"Edit1", "Replace1", "Replace...", Ctrl | Qt::Key_R, &T::Replace1Click},

    {"", "Options1", "&Options", {}, nullptr, nullptr, Submenu},
    {"Options1", "ViewChecklist1", "&View Checklist", Qt::Key_F4, &T::ViewChecklist1Click, nullptr, Checked},
    {"Options1", "PrintFont1", "&Print Font...", {}, &T::PrintFont1Click},
    {"Options1", "EditorFont1", "&Editor Font...", {}, &T::EditorFont1Click},
    {"Options1", "ReloadRules1", "&Reload Rules", {}, &T::ReloadRules1Click},
    {"Options1", "", "-", {}, nullptr, nullptr, Separator},
    {"Options1", "Wordwrap1", "Wordwrap", {}, &T::Wordwrap1Click, nullptr, Checked},

    {"", "Help1", "&Help", {}, nullptr, nullptr, Submenu},
    {"Help1", "Contents1", "&Contents", Qt::Key_F1, &T::Contents1Click},
    {"Help1", "", "-", {}, nullptr, nullptr, Separator},
    {"Help1", "About1", "&About", {}, &T::About1Click},

    {"#ToolBar1", "goOpen", "", {}, &T::Open1Click, "File Open"},
    {"#ToolBar1", "goSave", "", {}, &T::Save1Click, "File Save"},
    {"#ToolBar1", "goClose", "", {}, &T::Close1Click, "File Close"},
    {"#ToolBar1", "gpPrint", "", {}, &T::Print1Click, "File Print"},
    {"#ToolBar1", "", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goUndo", "", {}, &T::Undo1Click, "Undo"},
    {"#ToolBar1", "", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goCut", "", {}, &T::Cut1Click, "Cut"},
    {"#ToolBar1", "goCopy", "", {}, &T::Copy1Click, "Copy"},
    {"#ToolBar1", "goPaste", "", {}, &T::Paste1Click, "Paste"},
    {"#ToolBar1", "", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goFind", "", {}, &T::Find1Click, "Find"},
    {"#ToolBar1", "goReplace", "", {}, &T::Replace1Click, "Replace"},
    {"#ToolBar1", "", "-", {}, nullptr, nullptr, Separator},
};
const QHash<QString, QString> Pictures{
    {"goOpen", "document-open"},   {"goSave", "document-save"},
    {"goClose", "document-close"}, {"gpPrint", "document-print"},
    {"goUndo", "edit-undo"},       {"goCut", "edit-cut"},
    {"goCopy", "edit-copy"},       {"goPaste", "edit-paste"},
    {"goFind", "edit-find"},       {"goReplace", "edit-find-replace"},
};
} // namespace

void TLexoraF::buildCommands() {
  ToolBar1 = addToolBar(QStringLiteral("Tools"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  m_commands.build(this, Rows, [](const QString &name) { return ButtonIcon(Pictures.value(name)); });
}

} // namespace corvana
