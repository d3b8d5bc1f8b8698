// The editor's commands that search, mark and format the active pane: find and replace through
// the two modeless dialogs, the bookmark, the pane's font and background, and the character and
// paragraph formatting of rich text.

#include "prosel/ProselU.h"

#include "controls/FindDialog.h"
#include "controls/FontNameBox.h"
#include "controls/ReplaceDialog.h"
#include "controls/RichEdit.h"
#include "platform/Errors.h"
#include "prosel/ColorComboBox.h"

#include <QComboBox>
#include <QEvent>
#include <QMouseEvent>
#include <QToolBar>

namespace corvana {

namespace {

// Records whether Shift was held when the Font Larger button was pressed: the click alone no
// longer knows.
class ShiftRecorder : public QObject {
public:
  ShiftRecorder(QObject *parent, bool &shift) : QObject(parent), m_shift(shift) {}

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::MouseButtonPress)
      m_shift = static_cast<QMouseEvent *>(event)->modifiers().testFlag(Qt::ShiftModifier);
    return QObject::eventFilter(watched, event);
  }

private:
  bool &m_shift;
};

TSearchTypes SearchOptions(const TFindDialog *dialog) {
  TSearchTypes options;
  if (dialog->WholeWord())
    options |= stWholeWord;
  if (dialog->MatchCase())
    options |= stMatchCase;
  return options;
}

} // namespace

void TProselF::buildSearchAndFormatting() {
  FindDialog1 = new TFindDialog(this);
  FindDialog1->setObjectName(QStringLiteral("FindDialog1"));
  connect(FindDialog1, &TFindDialog::find, this, [this] { guarded([this] { FindDialog1Find(); }); });
  ReplaceDialog1 = new TReplaceDialog(this);
  ReplaceDialog1->setObjectName(QStringLiteral("ReplaceDialog1"));
  connect(ReplaceDialog1, &TReplaceDialog::find, this, [this] { guarded([this] { ReplaceDialog1Find(); }); });
  connect(ReplaceDialog1, &TReplaceDialog::replace, this, [this] { guarded([this] { ReplaceDialog1Replace(); }); });

  // Only a person's choice in a box formats text; the window setting a box to show the pane's
  // font does not.
  connect(Fontbox, &QComboBox::activated, this, [this] { guarded([this] { FontboxChange(); }); });
  connect(SizeBox, &QComboBox::activated, this, [this] { guarded([this] { SizeBoxChange(); }); });
  connect(richcolor, &ColorComboBox::colorChosen, this,
          [this](TColor color) { guarded([this, color] { richcolorChange(color); }); });

  if (QWidget *larger = ToolBar2->widgetForAction(action(QStringLiteral("rtfFontLarger"))))
    larger->installEventFilter(new ShiftRecorder(larger, m_largerWithShift));
}

// ---- find and replace ----

void TProselF::openSearchDialog(TFindDialog *dialog, TFindDialog *other) {
  ActiveEditor->SetSelLength(0);
  FindPos = -1;
  if (dialog->FindText().isEmpty())
    dialog->SetFindText(other->FindText());
  // A dialog already open keeps searching from the top; one that opens starts after the caret.
  const bool opening = !dialog->isVisible();
  dialog->Execute();
  if (opening)
    FindPos = ActiveEditor->SelStart();
}

void TProselF::Find1Click() { openSearchDialog(FindDialog1, ReplaceDialog1); }

void TProselF::Replace1Click() { openSearchDialog(ReplaceDialog1, FindDialog1); }

int TProselF::findNext(const TFindDialog *dialog) const {
  return ActiveEditor->FindText(dialog->FindText(), FindPos + 1, -1, SearchOptions(dialog));
}

void TProselF::findWith(TFindDialog *dialog) {
  const int at = findNext(dialog);
  if (at < 0) {
    Application().dialogs().message(QStringLiteral("Found no more!"));
    return;
  }
  ActiveEditor->setFocus();
  ActiveEditor->Select(at, int(dialog->FindText().size()));
  FindPos = at;
}

void TProselF::FindDialog1Find() { findWith(FindDialog1); }

void TProselF::ReplaceDialog1Find() { findWith(ReplaceDialog1); }

void TProselF::ReplaceDialog1Replace() {
  const QString found = ReplaceDialog1->FindText();
  const QString replacement = ReplaceDialog1->ReplaceText();
  const bool all = ReplaceDialog1->ReplaceAll();
  // Replace All searches on after each replacement, so a replacement that holds the search
  // text cannot be found again and the repetition ends.
  int searchFrom = FindPos + 1;
  for (;;) {
    const int at = ActiveEditor->FindText(found, searchFrom, -1, SearchOptions(ReplaceDialog1));
    if (at < 0)
      break;
    ActiveEditor->Select(at, int(found.size()));
    ActiveEditor->SetSelText(replacement);
    FindPos = at;
    ActiveEditor->Select(at, int(replacement.size()));
    if (!all)
      break;
    searchFrom = at + int(replacement.size());
  }
  ActiveEditor->setFocus();
}

// ---- bookmark ----

void TProselF::Bookmark1Click() {
  BookmarkPos = ActiveEditor->SelStart();
  ActiveEditor->setFocus();
}

void TProselF::GoBookMark1Click() {
  ActiveEditor->SetSelStart(qMin(BookmarkPos, ActiveEditor->TextLength()));
  ActiveEditor->setFocus();
}

void TProselF::SelectfromBookmark1Click() {
  const int caret = ActiveEditor->SelStart();
  if (caret >= BookmarkPos)
    ActiveEditor->Select(BookmarkPos, caret - BookmarkPos);
  ActiveEditor->setFocus();
}

// ---- the pane's font and colour ----

void TProselF::showFontInBoxes(const QString &name, int size) {
  Fontbox->selectFamily(name);
  SizeBox->setCurrentIndex(SizeBox->findText(QString::number(size)));
}

void TProselF::PlainFont1Click() {
  if (Application().dialogs().font(FontDialog1)) {
    QFont font(FontDialog1.name, FontDialog1.size);
    font.setBold(FontDialog1.bold);
    font.setItalic(FontDialog1.italic);
    font.setUnderline(FontDialog1.underline);
    font.setStrikeOut(FontDialog1.strikeOut);
    ActiveEditor->setFont(font);
    showFontInBoxes(FontDialog1.name, FontDialog1.size);
  }
  ActiveEditor->setFocus();
}

void TProselF::Background1Click() {
  TColor color = FromQColor(ActiveEditor->palette().color(QPalette::Base));
  if (Application().dialogs().color(color)) {
    QPalette palette = ActiveEditor->palette();
    palette.setColor(QPalette::Base, ToQColor(color));
    ActiveEditor->setPalette(palette);
  }
  ActiveEditor->setFocus();
}

// ---- character formatting ----

void TProselF::toggleStyle(int style) {
  const auto flag = TFontStyle(style);
  TTextAttributes attributes = ActiveEditor->SelAttributes();
  TFontStyles styles = attributes.Style();
  styles.setFlag(flag, !styles.testFlag(flag));
  attributes.SetStyle(styles);
  ActiveEditor->setFocus();
}

void TProselF::Bold1Click() { toggleStyle(fsBold); }

void TProselF::Italic1Click() { toggleStyle(fsItalic); }

void TProselF::Underline1Click() { toggleStyle(fsUnderline); }

void TProselF::Normal1Click() {
  ActiveEditor->SelAttributes().SetStyle({});
  ActiveEditor->setFocus();
}

void TProselF::FontStyle1Click() {
  if (Application().dialogs().font(FontDialog1)) {
    TTextAttributes attributes = ActiveEditor->SelAttributes();
    attributes.SetName(FontDialog1.name);
    attributes.SetSize(FontDialog1.size);
    attributes.SetColor(FontDialog1.color);
    TFontStyles styles;
    styles.setFlag(fsBold, FontDialog1.bold);
    styles.setFlag(fsItalic, FontDialog1.italic);
    styles.setFlag(fsUnderline, FontDialog1.underline);
    styles.setFlag(fsStrikeOut, FontDialog1.strikeOut);
    attributes.SetStyle(styles);
  }
  ActiveEditor->setFocus();
}

void TProselF::FontboxChange() {
  if (Fontbox->currentIndex() >= 0)
    ActiveEditor->SelAttributes().SetName(Fontbox->currentText());
  ActiveEditor->setFocus();
}

void TProselF::SizeBoxChange() {
  bool ok = false;
  const int size = SizeBox->currentText().toInt(&ok);
  if (ok && size > 0)
    ActiveEditor->SelAttributes().SetSize(size);
  ActiveEditor->setFocus();
}

void TProselF::richcolorChange(TColor color) {
  ActiveEditor->SelAttributes().SetColor(color);
  ActiveEditor->setFocus();
}

void TProselF::rtfFontLargerClick() {
  TTextAttributes attributes = ActiveEditor->SelAttributes();
  const int size = attributes.Size();
  if (!m_largerWithShift && size < 34)
    attributes.SetSize(size + 2);
  else if (m_largerWithShift && size >= 10)
    attributes.SetSize(size - 2);
  m_largerWithShift = false;
  ActiveEditor->setFocus();
}

// ---- paragraph formatting ----

void TProselF::Center1Click() {
  ActiveEditor->Paragraph().SetAlignment(TAlignment::taCenter);
  ActiveEditor->setFocus();
}

void TProselF::Left1Click() {
  ActiveEditor->Paragraph().SetAlignment(TAlignment::taLeftJustify);
  ActiveEditor->setFocus();
}

void TProselF::Right1Click() {
  ActiveEditor->Paragraph().SetAlignment(TAlignment::taRightJustify);
  ActiveEditor->setFocus();
}

void TProselF::Bullet1Click() {
  ActiveEditor->Paragraph().SetNumbering(TNumberingStyle::nsBullet);
  ActiveEditor->setFocus();
}

void TProselF::None1Click() {
  ActiveEditor->Paragraph().SetNumbering(TNumberingStyle::nsNone);
  ActiveEditor->setFocus();
}

} // namespace corvana
