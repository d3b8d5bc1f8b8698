// The editor's main menu. Items whose commands are not part of this build stay disabled.

#include "prosel/ProselU.h"

#include "platform/Errors.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace corvana {

void TProselF::buildMenus() {
  using K = QKeySequence;
  QMenu *file = addMenu(QStringLiteral("&File"), QStringLiteral("File1"));
  item(file, QStringLiteral("&New"), QStringLiteral("New1"), &TProselF::New1Click, K(Qt::CTRL | Qt::Key_N));
  item(file, QStringLiteral("&Open..."), QStringLiteral("Open1"), &TProselF::Open1Click, K(Qt::CTRL | Qt::Key_O));
  QMenu *reopen = file->addMenu(QStringLiteral("&ReOpen"));
  reopen->setObjectName(QStringLiteral("ReOpen1"));
  reopen->menuAction()->setObjectName(QStringLiteral("ReOpen1"));
  for (int i = 0; i < ReopenList::Count; ++i) {
    QAction *entry = reopen->addAction(Reopen.caption(i));
    entry->setObjectName(QStringLiteral("ro%1").arg(i + 1));
    onTriggered(entry, this, [this, i] { ReopenClick(i); });
    m_reopenItems.append(entry);
  }
  item(file, QStringLiteral("&Save"), QStringLiteral("Save1"), &TProselF::Save1Click, K(Qt::CTRL | Qt::Key_S));
  item(file, QStringLiteral("Save &as..."), QStringLiteral("Saveas1"), &TProselF::Saveas1Click);
  file->addSeparator();
  item(file, QStringLiteral("&Print..."), QStringLiteral("Print1"), &TProselF::Print1Click, K(Qt::CTRL | Qt::Key_P));
  item(file, QStringLiteral("Printer Setup..."), QStringLiteral("PrinterSetup1"), &TProselF::PrinterSetup1Click);
  file->addSeparator();
  item(file, QStringLiteral("E&xit"), QStringLiteral("Exit1"), &TProselF::Exit1Click);

  QMenu *edit = addMenu(QStringLiteral("&Edit"), QStringLiteral("Edit1"));
  item(edit, QStringLiteral("&Undo"), QStringLiteral("Undo1"), &TProselF::Undo1Click, K(Qt::CTRL | Qt::Key_Z));
  item(edit, QStringLiteral("Cu&t"), QStringLiteral("Cut1"), &TProselF::Cut1Click, K(Qt::CTRL | Qt::Key_X));
  item(edit, QStringLiteral("&Copy"), QStringLiteral("Copy1"), &TProselF::Copy1Click, K(Qt::CTRL | Qt::Key_C));
  item(edit, QStringLiteral("&Paste"), QStringLiteral("Paste1"), &TProselF::Paste1Click, K(Qt::CTRL | Qt::Key_V));
  item(edit, QStringLiteral("Select &All"), QStringLiteral("SelectAll1"), &TProselF::SelectAll1Click,
       K(Qt::CTRL | Qt::Key_A));
  item(edit, QStringLiteral("&Delete Line"), QStringLiteral("DeleteLine1"), &TProselF::DeleteLine1Click,
       K(Qt::CTRL | Qt::Key_L));
  edit->addSeparator();
  item(edit, QStringLiteral("Bookmark"), QStringLiteral("Bookmark1"), nullptr, K(Qt::Key_F9));
  item(edit, QStringLiteral("Go BookMark"), QStringLiteral("GoBookMark1"), nullptr, K(Qt::SHIFT | Qt::Key_F9));
  item(edit, QStringLiteral("Select from Bookmark"), QStringLiteral("SelectfromBookmark1"), nullptr, K(Qt::Key_F10));
  edit->addSeparator();
  item(edit, QStringLiteral("&Highlight HTML"), QStringLiteral("HighlightHTML1"));
  item(edit, QStringLiteral("Remove HTML"), QStringLiteral("RemoveHTML1"));
  edit->addSeparator();
  item(edit, QStringLiteral("&Find..."), QStringLiteral("Find1"), nullptr, K(Qt::CTRL | Qt::Key_F));
  item(edit, QStringLiteral("&Replace..."), QStringLiteral("Replace1"), nullptr, K(Qt::CTRL | Qt::Key_R));
  QAction *wrap = item(edit, QStringLiteral("&Wrap"), QStringLiteral("Wrap1"), &TProselF::Wrap1Click);
  wrap->setCheckable(true);
  wrap->setChecked(true);

  QMenu *insert = addMenu(QStringLiteral("&Insert"), QStringLiteral("Insert1"));
  item(insert, QStringLiteral("&Date"), QStringLiteral("Date1"));
  item(insert, QStringLiteral("&Image"), QStringLiteral("Image1"));
  item(insert, QStringLiteral("Image Short"), QStringLiteral("ImageShort1"));
  item(insert, QStringLiteral("&Topic"), QStringLiteral("Topic1"), nullptr, K(Qt::CTRL | Qt::Key_T));
  item(insert, QStringLiteral("Translation"), QStringLiteral("Translation1"), nullptr, K(Qt::Key_F12));
  insert->addSeparator();
  item(insert, QStringLiteral("Attributes"), QStringLiteral("Attributes1"), nullptr, K(Qt::CTRL | Qt::Key_J));
  const std::pair<const char *, QKeyCombination> fragments[] = {
      {"HTML", Qt::SHIFT | Qt::Key_F5},         {"Paragraph", QKeyCombination(Qt::Key_F5)},
      {"Bold", Qt::CTRL | Qt::ALT | Qt::Key_B}, {"Italic", Qt::CTRL | Qt::ALT | Qt::Key_I},
      {"Break", QKeyCombination(Qt::Key_F6)},   {"Rule", Qt::SHIFT | Qt::Key_F6},
      {"Font", Qt::CTRL | Qt::ALT | Qt::Key_F}, {"Link", QKeyCombination(Qt::Key_F7)},
      {"Target", Qt::SHIFT | Qt::Key_F7},       {"List Item", QKeyCombination(Qt::Key_F8)},
      {"Bullet List", Qt::SHIFT | Qt::Key_F8},  {"Num List", Qt::CTRL | Qt::Key_F8},
  };
  for (const auto &[caption, key] : fragments) {
    const QString text = QString::fromLatin1(caption);
    item(insert, text, QString(text).remove(u' ') + QStringLiteral("Insert"), nullptr, K(key));
  }
  QMenu *meta = insert->addMenu(QStringLiteral("Meta"));
  meta->setObjectName(QStringLiteral("Meta1"));
  item(meta, QStringLiteral("Keywords"), QStringLiteral("Keywords1"));
  item(meta, QStringLiteral("Description"), QStringLiteral("Description1"));
  QMenu *frame = insert->addMenu(QStringLiteral("Frame"));
  frame->setObjectName(QStringLiteral("Frame1"));
  item(frame, QStringLiteral("&Left"), QStringLiteral("FrameLeft1"));
  item(frame, QStringLiteral("&Top"), QStringLiteral("FrameTop1"));
  item(frame, QStringLiteral("&Bottom"), QStringLiteral("FrameBottom1"));
  item(frame, QStringLiteral("&Header"), QStringLiteral("FrameHeader1"));
  item(insert, QStringLiteral("Table"), QStringLiteral("Table1"));

  QMenu *view = addMenu(QStringLiteral("&View"), QStringLiteral("View1"));
  for (auto [caption, name, handler] :
       {std::tuple{"&Files", "Files1", &TProselF::Files1Click}, std::tuple{"&Style", "Style1", &TProselF::Style1Click},
        std::tuple{"&Tags", "Tags1", &TProselF::Tags1Click}}) {
    QAction *a = item(view, QString::fromLatin1(caption), QString::fromLatin1(name), handler);
    a->setCheckable(true);
    a->setChecked(true);
  }
  view->addSeparator();
  item(view, QStringLiteral("&HTML"), QStringLiteral("HTML1"), nullptr, K(Qt::Key_F2));
  item(view, QStringLiteral("Lexora"), QStringLiteral("Lexora1"), &TProselF::Lexora1Click, K(Qt::SHIFT | Qt::Key_F2));
  view->addSeparator();
  auto *panes = new QActionGroup(this);
  for (auto [caption, name, handler] :
       {std::tuple{"Top", "Top1", &TProselF::Top1Click}, std::tuple{"Bottom", "Bottom1", &TProselF::Bottom1Click},
        std::tuple{"Both", "Both1", &TProselF::Both1Click}}) {
    QAction *a = item(view, QString::fromLatin1(caption), QString::fromLatin1(name), handler);
    a->setCheckable(true);
    panes->addAction(a);
  }
  action(QStringLiteral("Top1"))->setChecked(true);

  QMenu *options = addMenu(QStringLiteral("&Options"), QStringLiteral("Options1"));
  auto *modes = new QActionGroup(this);
  QAction *plain =
      item(options, QStringLiteral("&Plain Text"), QStringLiteral("PlainText1"), &TProselF::PlainText1Click);
  QAction *rich = item(options, QStringLiteral("&Rich Text"), QStringLiteral("RichText1"), &TProselF::RichText1Click);
  for (QAction *a : {plain, rich}) {
    a->setCheckable(true);
    modes->addAction(a);
  }
  plain->setChecked(true);
  options->addSeparator();
  item(options, QStringLiteral("Plain &Font"), QStringLiteral("PlainFont1"));
  item(options, QStringLiteral("&Background"), QStringLiteral("Background1"));
  options->addSeparator();
  item(options, QStringLiteral("&Vellant"), QStringLiteral("Vellant1"), &TProselF::Vellant1Click);
  options->addSeparator();
  item(options, QStringLiteral("&Site Wizard"), QStringLiteral("SiteWizard1"));

  // Ctrl+N and Ctrl+S belong to New and Save; "&Normal" and "&Style" are reached by menu only.
  m_fontMenu = addMenu(QStringLiteral("Fo&nt"), QStringLiteral("Font1"));
  item(m_fontMenu, QStringLiteral("&Bold"), QStringLiteral("Bold1"), nullptr, K(Qt::CTRL | Qt::Key_B));
  item(m_fontMenu, QStringLiteral("&Italic"), QStringLiteral("Italic1"), nullptr, K(Qt::CTRL | Qt::Key_I));
  item(m_fontMenu, QStringLiteral("&Normal"), QStringLiteral("Normal1"));
  item(m_fontMenu, QStringLiteral("&Style"), QStringLiteral("FontStyle1"));
  item(m_fontMenu, QStringLiteral("&Underline"), QStringLiteral("Underline1"), nullptr, K(Qt::CTRL | Qt::Key_U));

  m_paragraphMenu = addMenu(QStringLiteral("&Paragraph"), QStringLiteral("Paragraph1"));
  QMenu *alignment = m_paragraphMenu->addMenu(QStringLiteral("&Alignment"));
  alignment->setObjectName(QStringLiteral("Alignment1"));
  item(alignment, QStringLiteral("&Center"), QStringLiteral("Center1"));
  item(alignment, QStringLiteral("&Left"), QStringLiteral("Left1"));
  item(alignment, QStringLiteral("&Right"), QStringLiteral("Right1"));
  QMenu *numbering = m_paragraphMenu->addMenu(QStringLiteral("&Numbering"));
  numbering->setObjectName(QStringLiteral("Numbering1"));
  item(numbering, QStringLiteral("&Bullet"), QStringLiteral("Bullet1"));
  item(numbering, QStringLiteral("&None"), QStringLiteral("None1"));
}

} // namespace corvana
