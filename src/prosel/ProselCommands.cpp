// The editor's menus and command tool bar, one row per item as they stand. Rows without a
// handler belong to commands this build lacks and stay disabled; "rich" commands follow the
// active pane's mode.

#include "prosel/ProselU.h"

#include "controls/ButtonIcons.h"

#include "platform/Errors.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QToolBar>

namespace corvana {

namespace {
using T = TProselF;
constexpr auto Ctrl = Qt::CTRL;
constexpr auto Shift = Qt::SHIFT;
constexpr auto CtrlAlt = Qt::CTRL | Qt::ALT;

// Ctrl+N and Ctrl+S belong to New and Save; "&Normal" and "&Style" of "Fo&nt" are reached by
// menu only, since two actions with one shortcut would both stay silent.
const CommandRow<T> Rows[] = {
    {"", "File1", "&File", {}, nullptr, nullptr, Submenu},
    {"File1", "New1", "&New", Ctrl | Qt::Key_N, &T::New1Click},
    {"File1", "Open1", "&Open...", Ctrl | Qt::Key_O, &T::Open1Click},
    {"File1", "ReOpen1", "&ReOpen", {}, nullptr, nullptr, Submenu},
    {"File1", "Save1", "&Save", Ctrl | Qt::Key_S, &T::Save1Click},
    {"File1", "Saveas1", "Save &as...", {}, &T::Saveas1Click},
    {"File1", "", "-", {}, nullptr, nullptr, Separator},
    {"File1", "Print1", "&Print...", Ctrl | Qt::Key_P, &T::Print1Click},
    {"File1", "PrinterSetup1", "Printer Setup...", {}, &T::PrinterSetup1Click},
    {"File1", "", "-", {}, nullptr, nullptr, Separator},
    {"File1", "Exit1", "E&xit", {}, &T::Exit1Click},

    {"", "Edit1", "&Edit", {}, nullptr, nullptr, Submenu},
    {"Edit1", "Undo1", "&Undo", Ctrl | Qt::Key_Z, &T::Undo1Click},
    {"Edit1", "Cut1", "Cu&t", Ctrl | Qt::Key_X, &T::Cut1Click},
    {"Edit1", "Copy1", "&Copy", Ctrl | Qt::Key_C, &T::Copy1Click},
    {"Edit1", "Paste1", "&Paste", Ctrl | Qt::Key_V, &T::Paste1Click},
    {"Edit1", "SelectAll1", "Select &All", Ctrl | Qt::Key_A, &T::SelectAll1Click},
    {"Edit1", "DeleteLine1", "&Delete Line", Ctrl | Qt::Key_L, &T::DeleteLine1Click},
    {"Edit1", "", "-", {}, nullptr, nullptr, Separator},
    {"Edit1", "Bookmark1", "Bookmark", Qt::Key_F9, &T::Bookmark1Click},
    {"Edit1", "GoBookMark1", "Go BookMark", Shift | Qt::Key_F9, &T::GoBookMark1Click},
    {"Edit1", "SelectfromBookmark1", "Select from Bookmark", Qt::Key_F10, &T::SelectfromBookmark1Click},
    {"Edit1", "", "-", {}, nullptr, nullptr, Separator},
    {"Edit1", "HighlightHTML1", "&Highlight HTML", {}, &T::HighlightHTML1Click},
    {"Edit1", "RemoveHTML1", "Remove HTML", {}, &T::RemoveHTML1Click},
    {"Edit1", "", "-", {}, nullptr, nullptr, Separator},
    {"Edit1", "Find1", "&Find...", Ctrl | Qt::Key_F, &T::Find1Click},
    {"Edit1", "Replace1", "&Replace...", Ctrl | Qt::Key_R, &T::Replace1Click},
    {"Edit1", "Wrap1", "&Wrap", {}, &T::Wrap1Click, nullptr, Checked},

    {"", "Insert1", "&Insert", {}, nullptr, nullptr, Submenu},
    {"Insert1", "Date1", "&Date", {}, &T::Date1Click},
    {"Insert1", "Image1", "&Image", {}, &T::Image1Click},
    {"Insert1", "ImageShort1", "Image Short", {}, &T::ImageShort1Click},
    {"Insert1", "Topic1", "&Topic", Ctrl | Qt::Key_T, &T::Topic1Click},
    {"Insert1", "Translation1", "Translation", Qt::Key_F12, &T::Translation1Click},
    {"Insert1", "", "-", {}, nullptr, nullptr, Separator},
    {"Insert1", "Attributes1", "Attributes", Ctrl | Qt::Key_J, &T::Attributes1Click},
    {"Insert1", "HTMLInsert", "HTML", Shift | Qt::Key_F5, &T::HTMLInsertClick},
    {"Insert1", "ParagraphInsert", "Paragraph", Qt::Key_F5, &T::ParagraphInsertClick},
    {"Insert1", "BoldInsert", "Bold", CtrlAlt | Qt::Key_B, &T::BoldInsertClick},
    {"Insert1", "ItalicInsert", "Italic", CtrlAlt | Qt::Key_I, &T::ItalicInsertClick},
    {"Insert1", "BreakInsert", "Break", Qt::Key_F6, &T::BreakInsertClick},
    {"Insert1", "RuleInsert", "Rule", Shift | Qt::Key_F6, &T::RuleInsertClick},
    {"Insert1", "FontInsert", "Font", CtrlAlt | Qt::Key_F, &T::FontInsertClick},
    {"Insert1", "LinkInsert", "Link", Qt::Key_F7, &T::LinkInsertClick},
    {"Insert1", "TargetInsert", "Target", Shift | Qt::Key_F7, &T::TargetInsertClick},
    {"Insert1", "ListItemInsert", "List Item", Qt::Key_F8, &T::ListItemInsertClick},
    {"Insert1", "BulletListInsert", "Bullet List", Shift | Qt::Key_F8, &T::BulletListInsertClick},
    {"Insert1", "NumListInsert", "Num List", Ctrl | Qt::Key_F8, &T::NumListInsertClick},
    {"Insert1", "Meta1", "Meta", {}, nullptr, nullptr, Submenu},
    {"Meta1", "Keywords1", "Keywords", {}, &T::Keywords1Click},
    {"Meta1", "Description1", "Description", {}, &T::Description1Click},
    {"Insert1", "Frame1", "Frame", {}, nullptr, nullptr, Submenu},
    {"Frame1", "FrameLeft1", "&Left", {}, &T::FrameLeft1Click},
    {"Frame1", "FrameTop1", "&Top", {}, &T::FrameTop1Click},
    {"Frame1", "FrameBottom1", "&Bottom", {}, &T::FrameBottom1Click},
    {"Frame1", "FrameHeader1", "&Header", {}, &T::FrameHeader1Click},
    {"Insert1", "Table1", "Table", {}, &T::Table1Click},

    {"", "View1", "&View", {}, nullptr, nullptr, Submenu},
    {"View1", "Files1", "&Files", {}, &T::Files1Click, nullptr, Checked},
    {"View1", "Style1", "&Style", {}, &T::Style1Click, nullptr, Checked},
    {"View1", "Tags1", "&Tags", {}, &T::Tags1Click, nullptr, Checked},
    {"View1", "", "-", {}, nullptr, nullptr, Separator},
    {"View1", "HTML1", "&HTML", Qt::Key_F2, &T::HTML1Click},
    {"View1", "Lexora1", "Lexora", Shift | Qt::Key_F2, &T::Lexora1Click},
    {"View1", "", "-", {}, nullptr, nullptr, Separator},
    {"View1", "Top1", "Top", {}, &T::Top1Click, nullptr, Checked, "panes"},
    {"View1", "Bottom1", "Bottom", {}, &T::Bottom1Click, nullptr, Checkable, "panes"},
    {"View1", "Both1", "Both", {}, &T::Both1Click, nullptr, Checkable, "panes"},

    {"", "Options1", "&Options", {}, nullptr, nullptr, Submenu},
    {"Options1", "PlainText1", "&Plain Text", {}, &T::PlainText1Click, nullptr, Checked, "modes"},
    {"Options1", "RichText1", "&Rich Text", {}, &T::RichText1Click, nullptr, Checkable, "modes"},
    {"Options1", "", "-", {}, nullptr, nullptr, Separator},
    {"Options1", "PlainFont1", "Plain &Font", {}, &T::PlainFont1Click},
    {"Options1", "Background1", "&Background", {}, &T::Background1Click},
    {"Options1", "", "-", {}, nullptr, nullptr, Separator},
    {"Options1", "Vellant1", "&Vellant", {}, &T::Vellant1Click},
    {"Options1", "", "-", {}, nullptr, nullptr, Separator},
    {"Options1", "SiteWizard1", "&Site Wizard", {}, &T::SiteWizard1Click},

    {"", "Font1", "Fo&nt", {}, nullptr, nullptr, Submenu, nullptr, "rich"},
    {"Font1", "Bold1", "&Bold", Ctrl | Qt::Key_B, &T::Bold1Click, nullptr, 0, nullptr, "rich"},
    {"Font1", "Italic1", "&Italic", Ctrl | Qt::Key_I, &T::Italic1Click, nullptr, 0, nullptr, "rich"},
    {"Font1", "Normal1", "&Normal", {}, &T::Normal1Click, nullptr, 0, nullptr, "rich"},
    {"Font1", "FontStyle1", "&Style", {}, &T::FontStyle1Click, nullptr, 0, nullptr, "rich"},
    {"Font1", "Underline1", "&Underline", Ctrl | Qt::Key_U, &T::Underline1Click, nullptr, 0, nullptr, "rich"},

    {"", "Paragraph1", "&Paragraph", {}, nullptr, nullptr, Submenu, nullptr, "rich"},
    {"Paragraph1", "Alignment1", "&Alignment", {}, nullptr, nullptr, Submenu},
    {"Alignment1", "Center1", "&Center", {}, &T::Center1Click, nullptr, 0, nullptr, "rich"},
    {"Alignment1", "Left1", "&Left", {}, &T::Left1Click, nullptr, 0, nullptr, "rich"},
    {"Alignment1", "Right1", "&Right", {}, &T::Right1Click, nullptr, 0, nullptr, "rich"},
    {"Paragraph1", "Numbering1", "&Numbering", {}, nullptr, nullptr, Submenu},
    {"Numbering1", "Bullet1", "&Bullet", {}, &T::Bullet1Click, nullptr, 0, nullptr, "rich"},
    {"Numbering1", "None1", "&None", {}, &T::None1Click, nullptr, 0, nullptr, "rich"},

    {"", "listmenu", "", {}, nullptr, nullptr, Popup},
    {"listmenu", "Add1", "&Add...", {}, &T::Add1Click},
    {"listmenu", "LibDelete1", "&Delete", {}, &T::LibDelete1Click},
    {"listmenu", "", "-", {}, nullptr, nullptr, Separator},
    {"listmenu", "NewTagsFile1", "&New TagsFile", {}, &T::NewTagsFile1Click},
    {"listmenu", "Load1", "&Load...", {}, &T::Load1Click},
    {"listmenu", "LibSaveAs1", "&Save As...", {}, &T::LibSaveAs1Click},
    {"listmenu", "", "-", {}, nullptr, nullptr, Separator},
    {"listmenu", "TagsMode1", "&Tags Mode", {}, &T::TagsMode1Click, nullptr, Checked, "libmode"},
    {"listmenu", "DocsMode1", "Docs Mode", {}, &T::DocsMode1Click, nullptr, Checkable, "libmode"},
    {"", "dirspopup", "", {}, nullptr, nullptr, Popup},
    {"dirspopup", "DirsDelete1", "&Delete", {}, &T::DirsDelete1Click},
    {"", "TransPop", "", {}, nullptr, nullptr, Popup},
    {"TransPop", "Reload1", "Reload", {}, &T::Reload1Click},
    {"TransPop", "Edit2", "Edit", {}, &T::Edit2Click},
    {"", "FilesPopup", "", {}, nullptr, nullptr, Popup},
    {"FilesPopup", "CreateIndex1", "Create Index", {}, &T::CreateIndex1Click, nullptr, Checkable, "linkmode"},
    {"FilesPopup",
     "CreateShortLinks1",
     "Create Short Links",
     {},
     &T::CreateShortLinks1Click,
     nullptr,
     Checkable,
     "linkmode"},
    {"FilesPopup",
     "CreateLongLinks1",
     "Create Long Links",
     {},
     &T::CreateLongLinks1Click,
     nullptr,
     Checkable,
     "linkmode"},
    {"FilesPopup", "CopyShortNames1", "Copy Short Names", {}, &T::CopyShortNames1Click, nullptr, Checked, "linkmode"},
    {"FilesPopup", "CopyLongNames1", "Copy Long Names", {}, &T::CopyLongNames1Click, nullptr, Checkable, "linkmode"},
    {"FilesPopup", "ExtractLinks1", "Extract Links", {}, &T::ExtractLinks1Click, nullptr, Checkable, "linkmode"},

    {"#ToolBar2", "ClearEditor", "", {}, &T::New1Click, "Clear Editor"},
    {"#ToolBar2", "LoadEditor", "", {}, &T::Open1Click, "Open File"},
    {"#ToolBar2", "goSave", "", {}, &T::Save1Click, "Save File"},
    {"#ToolBar2", "goPrint", "", {}, &T::Print1Click, "Print File"},
    {"#ToolBar2", "goUndo", "", {}, &T::Undo1Click, "Undo"},
    {"#ToolBar2", "ToolButton3", "", {}, &T::Cut1Click, "Cut"},
    {"#ToolBar2", "goCopy", "", {}, &T::Copy1Click, "Copy"},
    {"#ToolBar2", "goPaste", "", {}, &T::Paste1Click, "Paste"},
    {"#ToolBar2", "goFind", "", {}, &T::Find1Click, "Find"},
    {"#ToolBar2", "goReplace", "", {}, &T::Replace1Click, "Replace"},
    {"#ToolBar2", "rtfBold", "", {}, &T::Bold1Click, "Bold", 0, nullptr, "rich"},
    {"#ToolBar2", "rtfItalic", "", {}, &T::Italic1Click, "Italic", 0, nullptr, "rich"},
    {"#ToolBar2", "rtfUnderline", "", {}, &T::Underline1Click, "Underline", 0, nullptr, "rich"},
    {"#ToolBar2", "rtfFontLarger", "", {}, &T::rtfFontLargerClick, "Font Larger", 0, nullptr, "rich"},
    {"#ToolBar2", "rtfLeft", "", {}, &T::Left1Click, "Justify Left", 0, nullptr, "rich"},
    {"#ToolBar2", "rtfCenter", "", {}, &T::Center1Click, "Justify Center", 0, nullptr, "rich"},
    {"#ToolBar2", "rtfRight", "", {}, &T::Right1Click, "Justify Right", 0, nullptr, "rich"},
    {"#ToolBar2", "rtfBullets", "", {}, &T::Bullet1Click, "Bullets", 0, nullptr, "rich"},
};
const QHash<QString, QString> Pictures{
    {"ClearEditor", "document-new"},
    {"LoadEditor", "document-open"},
    {"goSave", "document-save"},
    {"goPrint", "document-print"},
    {"goUndo", "edit-undo"},
    {"ToolButton3", "edit-cut"},
    {"goCopy", "edit-copy"},
    {"goPaste", "edit-paste"},
    {"goFind", "edit-find"},
    {"goReplace", "edit-find-replace"},
    {"rtfBold", "format-text-bold"},
    {"rtfItalic", "format-text-italic"},
    {"rtfUnderline", "format-text-underline"},
    {"rtfFontLarger", "format-font-size-more"},
    {"rtfLeft", "format-justify-left"},
    {"rtfCenter", "format-justify-center"},
    {"rtfRight", "format-justify-right"},
    {"rtfBullets", "format-list-unordered"},
};
} // namespace

void TProselF::buildCommands() {
  ToolBar2 = addToolBar(QStringLiteral("Commands"));
  ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
  m_commands.build(this, Rows, [](const QString &name) { return ButtonIcon(Pictures.value(name)); });

  QMenu *reopen = m_commands.menu(QStringLiteral("ReOpen1"));
  for (int i = 0; i < ReopenList::Count; ++i) {
    QAction *entry = reopen->addAction(ReopenList::DisplayCaption(Reopen.caption(i)));
    entry->setObjectName(QStringLiteral("ro%1").arg(i + 1));
    onTriggered(entry, this, [this, i] { ReopenClick(i); });
    m_reopenItems.append(entry);
    m_commands.insert(entry);
  }
}

} // namespace corvana
