#include "lexora/LexoraU.h"

#include "colormemo/ColMemo.h"
#include "controls/CompactComboBox.h"
#include "controls/FindDialog.h"
#include "controls/PlainText.h"
#include "controls/ReplaceDialog.h"
#include "controls/ToolBarWidget.h"
#include "lexora/EditorText.h"
#include "platform/Colors.h"
#include "platform/CommandLine.h"
#include "platform/Errors.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Printing.h"
#include "platform/StatusPanels.h"
#include "platform/UnsavedDocument.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QToolBar>
#include <functional>

namespace corvana {

namespace {

// Background of the rule check list.
constexpr TColor checklistColor = 12639424; // $C0DCC0

// Draws an entry of the recent-files list 2 pixels from the left, as a bare file name when it
// lies in the window's document directory.
class RecentFileDelegate : public QStyledItemDelegate {
public:
  RecentFileDelegate(std::function<QString()> directory, QObject *parent)
      : QStyledItemDelegate(parent), m_directory(std::move(directory)) {}

  void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QString text = RecentFiles::DisplayText(index.data().toString(), m_directory());
    painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
  }

private:
  std::function<QString()> m_directory;
};

class RecentFilesBox : public CompactComboBox {
public:
  RecentFilesBox(std::function<QString()> directory, QWidget *parent)
      : CompactComboBox(20, parent), m_directory(std::move(directory)) {}

  void showPopup() override {
    // Given with the list it draws, so that the list is built only when it is opened.
    if (!m_delegate)
      setItemDelegate(m_delegate = new RecentFileDelegate(m_directory, this));
    CompactComboBox::showPopup();
  }

protected:
  void paintEvent(QPaintEvent *) override {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = RecentFiles::DisplayText(currentText(), m_directory());
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
  }

private:
  std::function<QString()> m_directory;
  RecentFileDelegate *m_delegate = nullptr;
};

} // namespace

const QString TLexoraF::FileFilter = QStringLiteral("All Files|*.*|Pascal Files|*.pas|HTML Files|*.htm;*.html");
const QString TLexoraF::AboutText = QStringLiteral("Lexora 2\nThe highlighting text editor of Corvana 8.");

TLexoraF::TLexoraF() : TForm(Kind::TopLevel, QStringLiteral("LexoraF")) {
  setWindowTitle(QStringLiteral("Lexora 2"));
  // Lexora windows are shown only by whoever created them.
  setDesignedState(false, false);
  setDesignedGeometry(120, 90, 720, 500);
  buildClient();
  buildCommands();
  buildRecentBox();
  StatusPanels = BuildStatusPanels(this, {{300}, {150}, {50}});

  FindDialog1 = new TFindDialog(this);
  FindDialog1->setObjectName(QStringLiteral("FindDialog1"));
  FindDialog1->SetShowWholeWord(false);
  FindDialog1->SetShowDirection(false);
  FindDialog1->SetMatchCase(true);
  connect(FindDialog1, &TFindDialog::find, this, [this] { guarded([this] { FindDialog1Find(); }); });

  ReplaceDialog1 = new TReplaceDialog(this);
  ReplaceDialog1->setObjectName(QStringLiteral("ReplaceDialog1"));
  ReplaceDialog1->SetShowWholeWord(false);
  ReplaceDialog1->SetMatchCase(false);
  connect(ReplaceDialog1, &TReplaceDialog::replace, this, [this] { guarded([this] { ReplaceDialog1Replace(); }); });
  // Find Next of the replace dialog searches as the find dialog does, with its own text.
  connect(ReplaceDialog1, &TReplaceDialog::find, this, [this] { guarded([this] { findWith(ReplaceDialog1); }); });
}

void TLexoraF::buildClient() {
  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  auto *row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  Editor = new TColorMemo(client);
  Editor->setObjectName(QStringLiteral("Editor"));
  Editor->setTabChangesFocus(false);
  Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The selection stays visible when the editor loses the focus.
  QPalette p = Editor->palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
  Editor->setPalette(p);
  Editor->installEventFilter(this);
  row->addWidget(Editor, 1);

  LexoraNames = new QListWidget(client);
  LexoraNames->setObjectName(QStringLiteral("LexoraNames"));
  LexoraNames->setFixedWidth(144);
  QPalette names = LexoraNames->palette();
  names.setColor(QPalette::Base, ToQColor(checklistColor));
  LexoraNames->setPalette(names);
  connect(LexoraNames, &QListWidget::itemChanged, this, [this](QListWidgetItem *changed) {
    if (!m_fillingNames)
      LexoraNamesClickCheck(LexoraNames->row(changed));
  });
  row->addWidget(LexoraNames);
  setCentralWidget(client);
}

void TLexoraF::buildRecentBox() {
  cboFiles = new RecentFilesBox([this] { return LexoraDir; }, ToolBar1);
  cboFiles->setObjectName(QStringLiteral("cboFiles"));
  cboFiles->setToolTip(QStringLiteral("Recent Files\nClick to Open"));
  cboFiles->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  connect(cboFiles, &QComboBox::activated, this,
          [this](int index) { guarded([this, index] { cboFilesClick(index); }); });
  AddToolBarWidget(ToolBar1, cboFiles);
}

QAction *TLexoraF::action(const QString &name) const { return m_commands.action(name); }

bool TLexoraF::eventFilter(QObject *watched, QEvent *event) {
  if (watched == Editor && event->type() == QEvent::KeyPress) {
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier && Editor->textCursor().hasSelection()) {
      const QTextCursor selection = Editor->textCursor();
      IndentLines(*Editor->document(), selection.selectionStart(), selection.selectionEnd());
      return true;
    }
  }
  return TForm::eventFilter(watched, event);
}

// ---- creation, showing, closing ----

void TLexoraF::FormCreate() {
  AppDir = corvana::AppDir();
  RuleFile = AppDir + QStringLiteral("Lexora.txt");
  LexoraFile.clear();
  applySettings(LexoraSettings::Read(IniFile(SettingsFilePath())));
  ReadRules();
}

void TLexoraF::applySettings(const LexoraSettings &s) {
  PrinterFont.name = s.printerFontName;
  PrinterFont.size = s.printerFontSize;
  FontDialog1 = FontChoice();
  FontDialog1.name = s.editorFontName;
  FontDialog1.size = s.editorFontSize;
  applyEditorFont();
  Recent = RecentFiles(s.files);
  refreshRecentBox(Recent.count() > 0 ? 0 : -1);
  action(QStringLiteral("Wordwrap1"))->setChecked(s.wordwrap);
  applyWordwrap(s.wordwrap);
}

LexoraSettings TLexoraF::currentSettings() const {
  LexoraSettings s;
  s.editorFontName = Editor->font().family();
  s.editorFontSize = Editor->font().pointSize();
  s.printerFontName = PrinterFont.name;
  s.printerFontSize = PrinterFont.size;
  s.wordwrap = action(QStringLiteral("Wordwrap1"))->isChecked();
  s.files = Recent.paths();
  return s;
}

void TLexoraF::FormShow() {
  const QString file = ParamStr(1);
  if (ParamCount() >= 1 && QFileInfo(file).isFile())
    OpenFile(file);
}

void TLexoraF::FormClose(CloseAction &) {
  FindDialog1->CloseDialog();
  ReplaceDialog1->CloseDialog();
  guarded([this] { UpdateSettingsFile([this](IniFile &ini) { currentSettings().Write(ini); }); });
}

// ---- rules ----

void TLexoraF::ReadRules() {
  if (!QFileInfo(RuleFile).isFile())
    return;
  const QStringList lines = ReadLines(RuleFile);
  const TRuleFileResult result = ReadRuleLines(lines, Editor->ColorRules());
  m_fillingNames = true;
  LexoraNames->clear();
  for (const TRuleListItem &rule : result.Items) {
    auto *entry = new QListWidgetItem(rule.Name, LexoraNames);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(rule.Ticked ? Qt::Checked : Qt::Unchecked);
  }
  if (LexoraNames->count() > 0)
    LexoraNames->setCurrentRow(0);
  m_fillingNames = false;
  Editor->viewport()->update();
  if (result.Stopped == TRuleFileResult::Stop::NoRule)
    Application().dialogs().message(result.Message);
  else if (result.Stopped == TRuleFileResult::Stop::BadColor)
    throw Error(result.Message);
}

void TLexoraF::ReloadRules1Click() {
  // The rules read stay switched off, also when reading stopped at a bad line.
  struct Untick {
    TLexoraF *form;
    ~Untick() {
      form->m_fillingNames = true;
      for (int i = 0; i < form->LexoraNames->count(); ++i)
        form->LexoraNames->item(i)->setCheckState(Qt::Unchecked);
      form->m_fillingNames = false;
      TDrawRules &rules = form->Editor->ColorRules();
      for (int i = 0; i < rules.Count(); ++i)
        rules[i]->Enabled = false;
      form->Editor->viewport()->update();
    }
  } untick{this};
  ReadRules();
}

void TLexoraF::LexoraNamesClickCheck(int index) {
  TDrawRules &rules = Editor->ColorRules();
  if (index < 0 || index >= rules.Count() || index >= LexoraNames->count())
    return;
  rules[index]->Enabled = LexoraNames->item(index)->checkState() == Qt::Checked;
  Editor->viewport()->update();
}

// ---- documents ----

void TLexoraF::loadDocument(const QString &path) {
  EditorText loaded = ReadEditorText(path, true);
  m_format = loaded.format;
  Editor->setPlainText(loaded.text);
  Editor->document()->setModified(false);
}

void TLexoraF::writeDocument(const QString &path) {
  const TextEncoding before = m_format.encoding;
  WriteEditorText(path, DocumentPlainText(*Editor->document()), m_format);
  Editor->document()->setModified(false);
  ShowStatusNote(this, EncodingChangeNote(before, m_format.encoding));
}

void TLexoraF::setDocument(const QString &path) {
  LexoraFile = path;
  LexoraDir = ExtractFilePath(path);
  StatusPanels[0]->setText(path);
  cboFiles->update();
}

void TLexoraF::refreshRecentBox(int selected) {
  const QSignalBlocker block(cboFiles);
  cboFiles->clear();
  cboFiles->addItems(Recent.paths());
  cboFiles->setCurrentIndex(selected);
}

void TLexoraF::OpenFile(const QString &path) {
  // The document is read first: a file that cannot be read leaves the window as it was.
  loadDocument(path);
  setDocument(path);
  refreshRecentBox(Recent.Take(path));
  Editor->setFocus();
}

void TLexoraF::Open1Click() {
  FileDialogOptions options;
  options.filter = FileFilter;
  options.initialDir = LexoraDir;
  if (Application().dialogs().openFile(options))
    OpenFile(options.fileName);
}

void TLexoraF::Save1Click() { saveDocument(); }

bool TLexoraF::saveDocument() {
  if (LexoraFile.isEmpty())
    return saveDocumentAs();
  writeDocument(LexoraFile);
  return true;
}

void TLexoraF::SaveAs1Click() { saveDocumentAs(); }

bool TLexoraF::saveDocumentAs() {
  FileDialogOptions options;
  options.filter = FileFilter;
  options.initialDir = LexoraDir;
  options.fileName = LexoraFile;
  if (!Application().dialogs().saveFile(options))
    return false;
  writeDocument(options.fileName);
  setDocument(options.fileName);
  Editor->setFocus();
  return true;
}

bool TLexoraF::FormCloseQuery() {
  if (!Editor->document()->isModified())
    return true;
  return MayCloseDocument(Application().dialogs(), {LexoraFile, [this] { return saveDocument(); }});
}

void TLexoraF::Close1Click() {
  if (Application().dialogs().confirm(QStringLiteral("Clear All Lines?")))
    Editor->clear();
  Editor->setFocus();
}

void TLexoraF::cboFilesClick(int index) {
  if (index < 0 || index >= Recent.count())
    return;
  const QString path = Recent.paths()[index];
  if (!QFileInfo(path).isFile())
    return;
  loadDocument(path);
  setDocument(path);
  refreshRecentBox(Recent.MoveToTop(index));
  Editor->setFocus();
}

void TLexoraF::Print1Click() {
  RequirePrinter();
  QPrinter &printer = DefaultPrinter();
  printer.setDocName(LexoraFile);
  QPainter canvas;
  if (!canvas.begin(&printer))
    throw Error::cannotCreate(printer.outputFileName());
  canvas.setFont(QFont(PrinterFont.name, PrinterFont.size));
  const QFontMetrics metrics = canvas.fontMetrics();
  const int lineStep = metrics.boundingRect(QStringLiteral("Test")).height() + 10;
  const QStringList lines = SplitLines(DocumentPlainText(*Editor->document()));
  const std::vector<TPrintedLine> layout = PrintLayout(int(lines.size()), lineStep, canvas.device()->height());
  int page = 0;
  for (int i = 0; i < lines.size(); ++i) {
    if (layout[size_t(i)].Page != page) {
      page = layout[size_t(i)].Page;
      printer.newPage();
    }
    canvas.drawText(PrintMargin, layout[size_t(i)].Y + metrics.ascent(), lines[i]);
  }
  canvas.end();
  if (printer.printerState() == QPrinter::Error)
    throw Error::cannotCreate(printer.outputFileName());
}

void TLexoraF::Exit1Click() { close(); }

// ---- editing ----

void TLexoraF::Undo1Click() { Editor->undo(); }

void TLexoraF::Cut1Click() { Editor->cut(); }

void TLexoraF::Copy1Click() { Editor->copy(); }

void TLexoraF::Paste1Click() { Editor->paste(); }

void TLexoraF::Delete1Click() { Editor->textCursor().removeSelectedText(); }

void TLexoraF::SelectAll1Click() { Editor->selectAll(); }

// ---- search ----

void TLexoraF::Find1Click() {
  FindDialog1->Execute();
  FindFrom = 0;
}

void TLexoraF::Replace1Click() { ReplaceDialog1->Execute(); }

void TLexoraF::FindDialog1Find() { findWith(FindDialog1); }

void TLexoraF::findWith(TFindDialog *dialog) {
  FindText = dialog->FindText();
  const std::optional<int> at =
      FindForward(DocumentPlainText(*Editor->document()), FindText, FindFrom, dialog->MatchCase());
  if (!at) {
    dialog->CloseDialog();
    FindFrom = 0;
    return;
  }
  FindFrom = *at + 1;
  QTextCursor cursor(Editor->document());
  cursor.setPosition(*at);
  cursor.setPosition(*at + int(FindText.size()), QTextCursor::KeepAnchor);
  Editor->setTextCursor(cursor);
  Editor->setFocus();
}

void TLexoraF::ReplaceDialog1Replace() {
  FindText = ReplaceDialog1->FindText();
  ReplaceText = ReplaceDialog1->ReplaceText();
  const QString text = DocumentPlainText(*Editor->document());
  const QString result =
      corvana::ReplaceText(text, FindText, ReplaceText, ReplaceDialog1->ReplaceAll(), ReplaceDialog1->MatchCase());
  if (result != text) {
    // One undo step for the whole replacement.
    QTextCursor cursor(Editor->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(result);
    cursor.endEditBlock();
  }
  Editor->setFocus();
}

// ---- options ----

void TLexoraF::ViewChecklist1Click() { LexoraNames->setVisible(action(QStringLiteral("ViewChecklist1"))->isChecked()); }

void TLexoraF::PrintFont1Click() {
  FontChoice font = PrinterFont;
  if (!Application().dialogs().font(font))
    return;
  PrinterFont.name = font.name;
  PrinterFont.size = font.size;
}

void TLexoraF::EditorFont1Click() {
  FontChoice font = FontDialog1;
  if (!Application().dialogs().font(font))
    return;
  FontDialog1 = font;
  applyEditorFont();
}

void TLexoraF::applyEditorFont() {
  QFont font(FontDialog1.name, FontDialog1.size > 0 ? FontDialog1.size : 8);
  font.setBold(FontDialog1.bold);
  font.setItalic(FontDialog1.italic);
  font.setUnderline(FontDialog1.underline);
  font.setStrikeOut(FontDialog1.strikeOut);
  Editor->setFont(font);
  QPalette p = Editor->palette();
  const QColor text =
      FontDialog1.color == clWindowText ? QPalette().color(QPalette::Text) : ToQColor(FontDialog1.color);
  p.setColor(QPalette::Text, text);
  Editor->setPalette(p);
}

void TLexoraF::Wordwrap1Click() { applyWordwrap(action(QStringLiteral("Wordwrap1"))->isChecked()); }

void TLexoraF::applyWordwrap(bool on) {
  Editor->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  Editor->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

// ---- help ----

void TLexoraF::Contents1Click() {
  Application().setHelpFile(AppDir + QStringLiteral("Lexora.hlp"));
  Application().HelpJump(QStringLiteral("Lexora"));
}

void TLexoraF::About1Click() { Application().dialogs().message(AboutText); }

} // namespace corvana
