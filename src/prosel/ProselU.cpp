#include "prosel/ProselU.h"

#include "controls/BusyCursor.h"
#include "controls/CompactComboBox.h"
#include "controls/FileChain.h"
#include "controls/FontNameBox.h"
#include "controls/RichEdit.h"
#include "controls/ToolBarWidget.h"
#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "platform/Errors.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Printing.h"
#include "platform/StatusPanels.h"
#include "platform/UnsavedDocument.h"
#include "prosel/ColorComboBox.h"
#include "prosel/SiteScript.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <memory>

namespace corvana {

const QString TProselF::FileFilter = QStringLiteral(
    "All files|*.*|HTML files|*.htm;*.html|Text files|*.txt;|Rich Text files|*.rtf|Image files|*.jpg;*.gif;*.bmp;*.png|"
    "JPEG files|*.jpg|GIF files|*.gif|BMP files|*.bmp|Sound files|*.wav;*.mid;*.mp3|MIDI files|*.mid|WAV files|*.wav|"
    "VIDEO files|*.AVI");

TProselF::TProselF() : TForm(Kind::MdiChild, QStringLiteral("ProselF")) {
  setWindowTitle(QStringLiteral("Prosel 11"));
  setDesignedState(true, true);
  buildPanes();
  buildCommands();
  buildToolBars();
  buildSearchAndFormatting();
  buildFilePanelLinks();
  buildListBoxes();
  StatusPanels = BuildStatusPanels(this, {{120, false}, {120, false}, {120, false, 1}});
}

void TProselF::buildPanes() {
  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  auto *row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  EditorPanel = new QWidget(client);
  EditorPanel->setObjectName(QStringLiteral("EditorPanel"));
  auto *column = new QVBoxLayout(EditorPanel);
  column->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Qt::Vertical, EditorPanel);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setChildrenCollapsible(false);
  column->addWidget(Splitter1);

  EditorA = new TRichEdit(Splitter1);
  EditorA->setObjectName(QStringLiteral("EditorA"));
  EditorA->SetMaxLength(500000);
  EditorB = new TRichEdit(Splitter1);
  EditorB->setObjectName(QStringLiteral("EditorB"));
  EditorB->hide();
  for (TRichEdit *pane : {EditorA, EditorB}) {
    pane->SetPlainText(true);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->SetWantTabs(true);
    pane->SetHideSelection(false);
    pane->installEventFilter(this);
  }
  row->addWidget(EditorPanel, 1);

  FilePanel = new QWidget(client);
  FilePanel->setObjectName(QStringLiteral("FilePanel"));
  FilePanel->setFixedWidth(160);
  auto *files = new QVBoxLayout(FilePanel);
  files->setContentsMargins(2, 2, 2, 2);
  files->setSpacing(2);
  DriveComboBox1 = new DriveComboBox(FilePanel);
  DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
  DirectoryListBox1 = new DirectoryListBox(FilePanel);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  FileListBox1 = new FileListBox(FilePanel);
  FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
  FileListBox1->setToolTip(QStringLiteral("Double Click to Load File\nright-click menu options."));
  FilterComboBox1 = new FilterComboBox(FilePanel);
  FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
  files->addWidget(DriveComboBox1);
  files->addWidget(DirectoryListBox1, 2);
  files->addWidget(FileListBox1, 3);
  files->addWidget(FilterComboBox1);
  DriveComboBox1->setDirList(DirectoryListBox1);
  DirectoryListBox1->setFileList(FileListBox1);
  FilterComboBox1->setFileList(FileListBox1);
  FilterComboBox1->setFilter(FileFilter);
  connect(FileListBox1, &QAbstractItemView::doubleClicked, this,
          [this] { guarded([this] { FileListBox1DblClick(); }); });
  row->addWidget(FilePanel);
  setCentralWidget(client);
}

void TProselF::buildToolBars() {
  // Each bar has a row of its own, as bars along the top of a window stack: side by side, the
  // boxes went out of sight behind the bars' overflow buttons at any common width. The View
  // menu hides the rows a person does not want.
  addToolBarBreak();
  FontPanel = addToolBar(QStringLiteral("Style"));
  FontPanel->setObjectName(QStringLiteral("FontPanel"));
  Fontbox = new FontNameBox(FontPanel);
  Fontbox->setObjectName(QStringLiteral("Fontbox"));
  Fontbox->setToolTip(QStringLiteral("Font"));
  AddToolBarWidget(FontPanel, Fontbox);
  richcolor = new ColorComboBox(FontPanel);
  richcolor->setObjectName(QStringLiteral("richcolor"));
  richcolor->setToolTip(QStringLiteral("Rich Text Color"));
  AddToolBarWidget(FontPanel, richcolor);
  SizeBox = new QComboBox(FontPanel);
  SizeBox->setObjectName(QStringLiteral("SizeBox"));
  SizeBox->setToolTip(QStringLiteral("Font Size"));
  SizeBox->addItems({"6",  "8",  "9",  "10", "11", "12", "14", "16", "18", "20",
                     "24", "28", "32", "36", "40", "48", "56", "64", "72", "96"});
  AddToolBarWidget(FontPanel, SizeBox);
  // The list boxes keep the width they are given rather than measuring every entry of their
  // files, which would also make the bars jump when a list is loaded.
  cboTrans = new CompactComboBox(12, FontPanel);
  cboTrans->setObjectName(QStringLiteral("cboTrans"));
  cboTrans->setToolTip(QStringLiteral("Translation Box"));
  AddToolBarWidget(FontPanel, cboTrans);

  addToolBarBreak();
  Tagspanel = addToolBar(QStringLiteral("Tags"));
  Tagspanel->setObjectName(QStringLiteral("Tagspanel"));
  cboLib = new CompactComboBox(14, Tagspanel);
  cboLib->setObjectName(QStringLiteral("cboLib"));
  cboLib->setToolTip(QStringLiteral("Tags Library\nright-click menu.\nDrag-drop from files box to autoload."));
  cboTargets = new CompactComboBox(14, Tagspanel);
  cboTargets->setObjectName(QStringLiteral("cboTargets"));
  cboDirs = new CompactComboBox(14, Tagspanel);
  cboDirs->setObjectName(QStringLiteral("cboDirs"));
  cboDirs->setToolTip(
      QStringLiteral("Directories Selector.\nright-click menu.\nAdd directory by drag-drop\nfrom directory box."));
  for (QComboBox *box : {cboLib, cboTargets, cboDirs})
    AddToolBarWidget(Tagspanel, box);
}

QAction *TProselF::action(const QString &name) const { return m_commands.action(name); }

bool TProselF::eventFilter(QObject *watched, QEvent *event) {
  if (handleFileListDrop(watched, event) || filterTagKeys(watched, event))
    return true;
  if (event->type() == QEvent::FocusIn && (watched == EditorA || watched == EditorB))
    activatePane(static_cast<TRichEdit *>(watched));
  return TForm::eventFilter(watched, event);
}

// ---- creation, showing, closing ----

void TProselF::FormCreate() {
  InTag = false;
  TagStart = 0;
  BookmarkPos = 0;
  TagName.clear();
  FileA.clear();
  FileB.clear();
  ActiveEditor = EditorA;
  AppDir = corvana::AppDir();
  TransFile = AppDir + QStringLiteral("ProselTrans.txt");
  loadList(cboTrans, TransList, TransFile);
  TagsFile = AppDir + QStringLiteral("TreeTags.txt");
  loadList(cboLib, LibList, TagsFile);
  DirsFile = AppDir + QStringLiteral("TreeDirs.txt");
  loadList(cboDirs, DirsList, DirsFile);
  CurrentFile.clear();
  CurrentName.clear();
  BaseCaption = windowTitle();
  LibMode = QStringLiteral("tags");
  SizeBox->setCurrentIndex(1);
  Fontbox->selectFamily(QStringLiteral("MS Sans Serif"));
  applySettings(ProselSettings::Read(IniFile(SettingsFilePath())));
  DirectoryListBox1->setDirectory(QDir::currentPath());
}

void TProselF::loadList(QComboBox *box, NameValueList &list, const QString &path) {
  if (!QFileInfo(path).isFile())
    return;
  list.LoadFromFile(path);
  showList(box, list);
}

void TProselF::applySettings(const ProselSettings &s) {
  action(QStringLiteral("Tags1"))->setChecked(s.tags);
  Tagspanel->setVisible(s.tags);
  action(QStringLiteral("Files1"))->setChecked(s.files);
  FilePanel->setVisible(s.files);
  action(QStringLiteral("Style1"))->setChecked(s.styles);
  FontPanel->setVisible(s.styles);
  FontDialog1.name = s.fontName;
  FontDialog1.size = s.fontSize;
  Fontbox->selectFamily(s.fontName);
  SizeBox->setCurrentIndex(SizeBox->findText(QString::number(s.fontSize)));
  setRichMode(s.richText);
  Reopen = s.reopen;
  refreshReopenMenu();
  ActiveEditor->ClearSelection();
  QFont font(FontDialog1.name, FontDialog1.size);
  ActiveEditor->setFont(font);
}

ProselSettings TProselF::currentSettings() const {
  ProselSettings s;
  s.tags = action(QStringLiteral("Tags1"))->isChecked();
  s.files = action(QStringLiteral("Files1"))->isChecked();
  s.styles = action(QStringLiteral("Style1"))->isChecked();
  s.richText = action(QStringLiteral("RichText1"))->isChecked();
  s.reopen = Reopen;
  s.fontName = ActiveEditor->font().family();
  s.fontSize = ActiveEditor->font().pointSize();
  return s;
}

void TProselF::FormShow() {
  if (m_shownOnce)
    return;
  m_shownOnce = true;
  const QString file = ParamStr(1);
  if (ParamCount() >= 1 && QFileInfo(file).isFile()) {
    CurrentFile = file;
    FileA = file;
    CurrentName = ExtractFileName(file);
    setRichMode(UpperFileExt(file) == QLatin1String(".RTF"));
    guarded([&] { ActiveEditor->LoadFromFile(file); });
    setCaptionFromName();
  }
  ActiveEditor->setFocus();
}

bool TProselF::closeSteps() {
  const QString preview = AppDir + QStringLiteral("Preview.htm");
  if (QFileInfo::exists(preview))
    QFile::remove(preview);
  Dialogs &dialogs = Application().dialogs();
  // The active pane is asked about whether or not it changed; a save that fails or whose
  // dialog is cancelled keeps the window, since closing would lose the text.
  if (dialogs.confirm(SaveQuestion(CurrentFile)) && !SaveForClose(dialogs, savablePane(ActiveEditor)))
    return false;
  TRichEdit *other = ActiveEditor == EditorA ? EditorB : EditorA;
  if (other->Modified() && !MayCloseDocument(dialogs, savablePane(other)))
    return false;
  guarded([this] { UpdateSettingsFile([this](IniFile &ini) { currentSettings().Write(ini); }); });
  return true;
}

UnsavedDocument TProselF::savablePane(TRichEdit *pane) {
  const QString path = pane == ActiveEditor ? CurrentFile : paneFile(pane);
  return {path, [this, pane, path] {
            QString target = path;
            if (target.isEmpty() && !runSaveDialog(target))
              return false;
            savePane(pane, target);
            return true;
          }};
}

bool TProselF::FormCloseQuery() { return closeSteps(); }

void TProselF::Exit1Click() {
  // The other windows are asked too: the exit closes them without their own close.
  if (closeSteps() && Application().CloseQueryAll(this))
    Application().Terminate();
}

// ---- panes ----

void TProselF::setCaptionFromName() { setWindowTitle(CurrentName + QStringLiteral(" - ") + BaseCaption); }

void TProselF::activatePane(TRichEdit *pane) {
  ActiveEditor = pane;
  CurrentFile = paneFile(pane);
  CurrentName = ExtractFileName(CurrentFile);
  setCaptionFromName();
}

void TProselF::loadActive(const QString &path) {
  ActiveEditor->LoadFromFile(path);
  setCaptionFromName();
  paneFile(ActiveEditor) = CurrentFile;
}

void TProselF::writeActive(const QString &path) { savePane(ActiveEditor, path); }

void TProselF::savePane(TRichEdit *pane, const QString &path) {
  const TextEncoding before = pane->DocumentEncoding();
  pane->SaveToFile(path);
  ShowStatusNote(this, EncodingChangeNote(before, pane->DocumentEncoding()));
}

bool TProselF::runSaveDialog(QString &path) {
  FileDialogOptions options;
  options.filter = FileFilter;
  options.fileName = CurrentFile;
  options.initialDir = DialogDir;
  if (!Application().dialogs().saveFile(options))
    return false;
  path = options.fileName;
  return true;
}

// ---- file commands ----

void TProselF::New1Click() {
  if (Application().dialogs().confirm(QStringLiteral("Clear All Lines?"))) {
    ActiveEditor->Clear();
    CurrentFile.clear();
    CurrentName.clear();
    paneFile(ActiveEditor).clear();
    setWindowTitle(BaseCaption);
    InTag = false;
    TagName.clear();
  }
  ActiveEditor->setFocus();
}

void TProselF::Open1Click() {
  FileDialogOptions options;
  options.filter = FileFilter;
  options.fileName = CurrentFile;
  options.initialDir = DialogDir;
  if (Application().dialogs().openFile(options)) {
    CurrentFile = options.fileName;
    Reopen.Take(CurrentFile);
    refreshReopenMenu();
    CurrentName = ExtractFileName(CurrentFile);
    loadActive(CurrentFile);
  }
  ActiveEditor->setFocus();
}

void TProselF::ReopenClick(int index) {
  const QString path = Reopen.path(index);
  if (path.isEmpty() || !QFileInfo(path).isFile())
    return;
  CurrentFile = path;
  Reopen.Take(path);
  refreshReopenMenu();
  CurrentName = ExtractFileName(CurrentFile);
  loadActive(CurrentFile);
  ActiveEditor->setFocus();
}

void TProselF::FileListBox1DblClick() {
  const QString file = FileListBox1->FileName();
  if (file.isEmpty())
    return;
  // Loaded before the names change, so a file that cannot be read leaves the window as it was.
  ActiveEditor->LoadFromFile(file);
  CurrentFile = file;
  CurrentName = ExtractFileName(file);
  paneFile(ActiveEditor) = file;
  setCaptionFromName();
  ActiveEditor->setFocus();
}

void TProselF::refreshReopenMenu() {
  for (int i = 0; i < m_reopenItems.size(); ++i)
    m_reopenItems[i]->setText(ReopenList::DisplayCaption(Reopen.caption(i)));
}

void TProselF::Save1Click() {
  if (CurrentFile.isEmpty()) {
    Saveas1Click();
    return;
  }
  writeActive(CurrentFile);
  setCaptionFromName();
  ActiveEditor->setFocus();
}

void TProselF::Saveas1Click() {
  QString path;
  if (runSaveDialog(path)) {
    CurrentFile = path;
    CurrentName = ExtractFileName(path);
    writeActive(path);
    setCaptionFromName();
    paneFile(ActiveEditor) = CurrentFile;
  }
  ActiveEditor->setFocus();
}

void TProselF::Print1Click() {
  RequirePrinter();
  ActiveEditor->Print(QString());
  ActiveEditor->setFocus();
}

void TProselF::PrinterSetup1Click() { Application().dialogs().printerSetup(); }

// ---- editing ----

void TProselF::Undo1Click() {
  if (ActiveEditor->document()->isUndoAvailable())
    ActiveEditor->undo();
  ActiveEditor->setFocus();
}

void TProselF::Cut1Click() {
  ActiveEditor->cut();
  ActiveEditor->setFocus();
}

void TProselF::Copy1Click() {
  ActiveEditor->copy();
  ActiveEditor->setFocus();
}

void TProselF::Paste1Click() {
  ActiveEditor->paste();
  ActiveEditor->setFocus();
}

void TProselF::SelectAll1Click() {
  ActiveEditor->selectAll();
  ActiveEditor->setFocus();
}

void TProselF::DeleteLine1Click() {
  ActiveEditor->DeleteLine(ActiveEditor->CaretLine());
  ActiveEditor->setFocus();
}

void TProselF::Wrap1Click() {
  QAction *wrap = action(QStringLiteral("Wrap1"));
  for (TRichEdit *pane : {EditorA, EditorB})
    pane->SetWordWrap(wrap->isChecked());
  ActiveEditor->setFocus();
}

// ---- views ----

void TProselF::Files1Click() {
  const bool show = action(QStringLiteral("Files1"))->isChecked();
  FilePanel->setVisible(show);
  if (show)
    FilePanel->setFixedWidth(160);
  ActiveEditor->setFocus();
}

void TProselF::Style1Click() {
  FontPanel->setVisible(action(QStringLiteral("Style1"))->isChecked());
  ActiveEditor->setFocus();
}

void TProselF::Tags1Click() {
  Tagspanel->setVisible(action(QStringLiteral("Tags1"))->isChecked());
  ActiveEditor->setFocus();
}

void TProselF::Top1Click() {
  action(QStringLiteral("Top1"))->setChecked(true);
  EditorB->hide();
  EditorA->show();
  activatePane(EditorA);
  EditorA->setFocus();
}

void TProselF::Bottom1Click() {
  action(QStringLiteral("Bottom1"))->setChecked(true);
  EditorA->hide();
  EditorB->show();
  Splitter1->setSizes({0, EditorPanel->height()});
  activatePane(EditorB);
  EditorB->setFocus();
}

void TProselF::Both1Click() {
  action(QStringLiteral("Both1"))->setChecked(true);
  const int half = EditorPanel->height() / 2;
  EditorA->show();
  EditorB->show();
  Splitter1->setSizes({EditorPanel->height() - half, half});
  ActiveEditor->setFocus();
}

// ---- modes ----

void TProselF::setRichMode(bool rich) {
  action(QStringLiteral("RichText1"))->setChecked(rich);
  action(QStringLiteral("PlainText1"))->setChecked(!rich);
  if (!rich)
    ActiveEditor->DefAttributes().SetColor(clBlack);
  ActiveEditor->SetPlainText(!rich);
  m_commands.setRuleEnabled(QStringLiteral("rich"), rich);
}

void TProselF::PlainText1Click() {
  setRichMode(false);
  ActiveEditor->setFocus();
}

void TProselF::RichText1Click() {
  setRichMode(true);
  ActiveEditor->setFocus();
}

void TProselF::Vellant1Click() { OpenToolWindow(VellantF); }

void TProselF::Lexora1Click() {
  // A window of its own, not the hidden one made at start; it lives only while shown.
  auto lexora = std::make_unique<TLexoraF>();
  lexora->setParent(this, Qt::Window);
  lexora->create();
  lexora->ShowModal();
}

void TProselF::SiteWizard1Click() {
  const QStringList lines = ActiveEditor->Lines();
  const SiteCheck check = CheckSiteScript(lines);
  if (!check.ok) {
    if (!check.message.isEmpty())
      Application().dialogs().message(check.message);
    return;
  }
  const QString headFile = AppDir + QStringLiteral("SWHead.txt");
  const QStringList headLines = QFileInfo::exists(headFile) ? ReadLines(headFile) : QStringList();
  const SitePlan plan = PlanSite(lines, check.header, headLines);
  {
    BusyCursor busy(plan.pages.size() > 100);
    WriteSite(plan);
  }
  const QString note = OrphanLinesMessage(plan.orphanLines);
  if (!note.isEmpty())
    Application().dialogs().message(note);
  OpenToolWindow(VellantF);
  VellantF->FrameView->LoadFromFile(plan.homePage());
}

} // namespace corvana
