#include "vellant/VellantU.h"

#include "controls/FindDialog.h"
#include "controls/ToolBarWidget.h"

#include "htmlview/HtmlView.h"
#include "platform/CommandTable.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Printing.h"
#include "platform/Shell.h"
#include "vellant/LinkRules.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace corvana {

namespace {

std::optional<QStringList> &commandLineOverride() {
  static std::optional<QStringList> arguments;
  return arguments;
}

QStringList commandLine() {
  if (commandLineOverride())
    return *commandLineOverride();
  return QCoreApplication::arguments().mid(1);
}

constexpr int kMaxDroppedName = 199;

// Header and footer text: "Arial" at 8 points on a canvas of 1/96 inch.
QFont printFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(qRound(8 * 96 / 72.0));
  return font;
}

} // namespace

void TVellantF::SetCommandLine(std::optional<QStringList> arguments) { commandLineOverride() = std::move(arguments); }

TVellantF::TVellantF() : TForm(Kind::TopLevel, QStringLiteral("VellantF")) {
  setWindowTitle(QStringLiteral("Vellant 2"));
  setDesignedState(true, false);
  setDesignedGeometry(120, 90, 760, 560);

  auto *bar = new QToolBar(QStringLiteral("Buttons"), this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  addToolBar(bar);
  buildCommands();

  HistoryList = new QComboBox(bar);
  HistoryList->setObjectName(QStringLiteral("HistoryList"));
  HistoryList->setToolTip(QStringLiteral("History List"));
  HistoryList->setMinimumContentsLength(30);
  QPalette palette = HistoryList->palette();
  for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
    palette.setColor(role, Qt::darkGreen);
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
    palette.setColor(role, Qt::white);
  HistoryList->setPalette(palette);
  HistoryList->setStyleSheet(QStringLiteral("QComboBox#HistoryList { background: #008000; color: white; "
                                            "font-weight: bold; }"));
  QFont bold = HistoryList->font();
  bold.setBold(true);
  HistoryList->setFont(bold);
  connect(HistoryList, &QComboBox::activated, this, [this](int index) { guarded([&] { HistoryListClick(index); }); });
  QAction *historyAction = AddToolBarWidget(bar, HistoryList);
  historyAction->setObjectName(QStringLiteral("HistoryListAction"));
  historyAction->setVisible(false);

  FrameView = new TFrameView(this);
  FrameView->setObjectName(QStringLiteral("FrameView"));
  FrameView->setImageCacheCount(6);
  FrameView->setHistoryMaxCount(50);
  FrameView->setDefBackground(clWindow);
  FrameView->setDefFontName(QStringLiteral("Times New Roman"));
  FrameView->setDefPreFontName(QStringLiteral("Courier New"));
  FrameView->PrintMarginLeft = 2.0;
  FrameView->PrintMarginRight = 2.0;
  FrameView->PrintMarginTop = 3.0;
  FrameView->PrintMarginBottom = 2.0;
  setCentralWidget(FrameView);

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  m_status = new QLabel(this);
  m_status->setObjectName(QStringLiteral("StatusPanel"));
  statusBar()->addWidget(m_status, 1);

  // The page view searches downwards only and has no notion of whole words.
  FindDialog = new TFindDialog(this);
  FindDialog->setObjectName(QStringLiteral("FindDialog"));
  FindDialog->SetShowWholeWord(false);
  FindDialog->SetShowDirection(false);
  connect(FindDialog, &TFindDialog::find, this, [this] { guarded([this] { FindDialogFind(); }); });
}

namespace {
using T = TVellantF;
const CommandRow<T> Rows[] = {
    {"", "File1", "&File", {}, nullptr, nullptr, Submenu},
    {"File1", "Open1", "&Open...", {}, &T::Open1Click},
    {"File1", "Print1", "&Print...", {}, &T::Print1Click},
    {"File1", "N1", "-", {}, nullptr, nullptr, Separator},
    {"File1", "Exit1", "E&xit", {}, &T::Exit1Click},
    {"", "Edit1", "&Edit", {}, nullptr, nullptr, Submenu},
    {"Edit1", "Find1", "&Find", {}, &T::Find1Click},
    {"Edit1", "Copy1", "&Copy", {}, &T::Copy1Click},
    {"Edit1", "SelectAll1", "Select &All", {}, &T::SelectAll1Click},
    {"", "Options1", "&Options", {}, nullptr, nullptr, Submenu},
    {"Options1", "ShowImages1", "&Show Images", {}, &T::ShowImages1Click, nullptr, Checked},
    {"", "Help1", "&Help", {}, nullptr, nullptr, Submenu},
    {"Help1", "About1", "&About", {}, &T::About1Click},

    {"#ToolBar1", "Openbutton", "", {}, &T::Open1Click, "Open File"},
    {"#ToolBar1", "Bookmarkbutton", "", {}, &T::BookmarkbuttonClick, "Set Bookmark"},
    {"#ToolBar1", "Gohomebutton", "", {}, &T::GohomebuttonClick, "Go Bookmark"},
    {"#ToolBar1", "Reloadbutton", "", {}, &T::ReloadbuttonClick, "Refresh"},
    {"#ToolBar1", "backbutton", "", {}, &T::backbuttonClick, "Go Back"},
    {"#ToolBar1", "Fwdbutton", "", {}, &T::FwdbuttonClick, "Go Forward"},
};
const QHash<QString, QStyle::StandardPixmap> Pictures{
    {"Openbutton", QStyle::SP_DialogOpenButton}, {"Bookmarkbutton", QStyle::SP_DialogSaveButton},
    {"Gohomebutton", QStyle::SP_DirHomeIcon},    {"Reloadbutton", QStyle::SP_BrowserReload},
    {"backbutton", QStyle::SP_ArrowBack},        {"Fwdbutton", QStyle::SP_ArrowForward},
};
} // namespace

void TVellantF::buildCommands() {
  m_commands.build(this, Rows, [this](const QString &name) { return style()->standardIcon(Pictures.value(name)); });
  const auto command = [this](const char *name) { return m_commands.action(QString::fromLatin1(name)); };
  Open1 = command("Open1"), Print1 = command("Print1"), Find1 = command("Find1");
  SelectAll1 = command("SelectAll1"), ShowImages1 = command("ShowImages1");
  backbutton = command("backbutton"), Fwdbutton = command("Fwdbutton"), Reloadbutton = command("Reloadbutton");
}

void TVellantF::FormCreate() {
  AppDir = corvana::AppDir();
  Bookmark.clear();
  m_openDir = AppDir;
  setAcceptDrops(true);

  FrameView->OnHistoryChange = [this] { FrameViewHistoryChange(); };
  FrameView->OnProcessing = [this](bool processing) { FrameViewProcessing(processing); };
  FrameView->OnHotSpotTargetCovered = [this](const QString &target, const QString &url) {
    FrameViewHotSpotTargetCovered(target, url);
  };
  FrameView->OnHotSpotTargetClick = [this](const QString &target, const QString &url, bool &handled) {
    FrameViewHotSpotTargetClick(target, url, handled);
  };
  FrameView->OnSoundRequest = [this](const QString &src, int loop, bool terminate) {
    guarded([&] { FrameViewSoundRequest(src, loop, terminate); });
  };
  FrameView->OnBlankWindowRequest = [this](const QString &target, const QString &url) {
    FrameViewBlankWindowRequest(target, url);
  };
  FrameView->OnObjectClick = [this](const THtmlFormControl &control, const QString &onClick) {
    FrameViewObjectClick(control, onClick);
  };
  FrameView->OnPrintHeader = [this](QPainter &canvas, int page, int width, int height, bool &stop) {
    FrameViewPrintHeader(canvas, page, width, height, stop);
  };
  FrameView->OnPrintFooter = [this](QPainter &canvas, int page, int width, int height, bool &stop) {
    FrameViewPrintFooter(canvas, page, width, height, stop);
  };
  FrameViewProcessing(false);
}

void TVellantF::FormShow() {
  const QStringList arguments = commandLine();
  const CommandLineAction action = CommandLineRule(arguments);
  switch (action.kind) {
  case CommandLineAction::Kind::Nothing:
    break;
  case CommandLineAction::Kind::LoadFile:
    Bookmark = action.path;
    m_openDir = ExtractFilePath(QFileInfo(action.path).absoluteFilePath());
    loadAndTitle(action.path);
    break;
  case CommandLineAction::Kind::StartIn:
    m_openDir = action.path;
    break;
  case CommandLineAction::Kind::OpenIn: {
    m_openDir = action.path;
    FileDialogOptions options;
    options.defaultExt = QStringLiteral("htm");
    options.filter = QStringLiteral("html files|*.htm;*.html|all files|*.*|Programs|*.exe");
    options.filterIndex = 1;
    options.initialDir = m_openDir;
    if (Application().dialogs().openFile(options)) {
      Bookmark = options.fileName;
      loadAndTitle(options.fileName);
    }
    break;
  }
  }
}

void TVellantF::loadAndTitle(const QString &file) {
  FrameView->LoadFromFile(file);
  m_titleAfterLoad = true;
}

void TVellantF::openWithDialog() {
  FileDialogOptions options;
  options.defaultExt = QStringLiteral("htm");
  options.filter = QStringLiteral("html files|*.htm;*.html|all files|*.*|Programs|*.exe");
  options.filterIndex = 1;
  if (!FrameView->CurrentFile().isEmpty())
    m_openDir = ExtractFilePath(FrameView->CurrentFile());
  options.initialDir = m_openDir;
  if (Application().dialogs().openFile(options))
    loadAndTitle(options.fileName);
}

void TVellantF::Open1Click() { openWithDialog(); }

void TVellantF::Print1Click() {
  PrintOptions options;
  if (!Application().dialogs().print(options))
    return;
  const int from = options.fromPage > 0 ? options.fromPage : 1;
  const int to = options.fromPage > 0 && options.toPage > 0 ? options.toPage : 9999;
  RequirePrinter();
  FrameView->Print(DefaultPrinter(), from, to);
}

void TVellantF::Exit1Click() { close(); }

void TVellantF::Find1Click() { FindDialog->Execute(); }

void TVellantF::Copy1Click() { FrameView->CopyToClipboard(); }

void TVellantF::SelectAll1Click() { FrameView->SelectAll(); }

void TVellantF::ShowImages1Click() {
  FrameView->setViewImages(!FrameView->ViewImages());
  ShowImages1->setChecked(FrameView->ViewImages());
}

void TVellantF::About1Click() { Application().dialogs().message(QStringLiteral("Vellant 2\nVersion 2.0")); }

void TVellantF::BookmarkbuttonClick() { Bookmark = FrameView->CurrentFile(); }

void TVellantF::GohomebuttonClick() {
  if (!Bookmark.isEmpty())
    FrameView->LoadFromFile(Bookmark);
}

void TVellantF::ReloadbuttonClick() {
  Reloadbutton->setEnabled(false);
  FrameView->Reload();
  Reloadbutton->setEnabled(!FrameView->CurrentFile().isEmpty());
  FrameView->setFocus();
}

void TVellantF::backbuttonClick() { FrameView->GoBack(); }

void TVellantF::FwdbuttonClick() { FrameView->GoFwd(); }

void TVellantF::HistoryListClick(int index) {
  // A step through the history, as Back and Forward take: the entries ahead are kept.
  FrameView->GoToHistory(index);
}

void TVellantF::FindDialogFind() {
  const QString text = FindDialog->FindText();
  QPointer<TVellantF> self(this);
  FrameView->Find(text, FindDialog->MatchCase(), [self, text](bool found) {
    if (self && !found)
      Application().dialogs().information(QStringLiteral("No further occurances of \"") + text + u'"');
  });
}

void TVellantF::DropFiles(const QStringList &files) {
  if (files.isEmpty())
    return;
  FrameView->LoadFromFile(files.first().left(kMaxDroppedName));
}

void TVellantF::dragEnterEvent(QDragEnterEvent *event) {
  if (event->mimeData()->hasUrls())
    event->acceptProposedAction();
}

void TVellantF::dropEvent(QDropEvent *event) {
  QStringList files;
  for (const QUrl &url : event->mimeData()->urls())
    if (url.isLocalFile())
      files.append(url.toLocalFile());
  event->acceptProposedAction();
  guarded([&] { DropFiles(files); });
}

void TVellantF::FrameViewHistoryChange() {
  Fwdbutton->setEnabled(FrameView->FwdButtonEnabled());
  backbutton->setEnabled(FrameView->BackButtonEnabled());
  const QStringList titles = FrameView->TitleHistory();
  HistoryList->clear();
  HistoryList->addItems(titles);
  HistoryList->setCurrentIndex(FrameView->HistoryIndex());
  const QList<QAction *> actions = findChild<QToolBar *>(QStringLiteral("ToolBar1"))->actions();
  for (QAction *action : actions)
    if (action->objectName() == QStringLiteral("HistoryListAction"))
      action->setVisible(!titles.isEmpty());
  setWindowTitle(FrameView->DocumentTitle());
  FrameView->setFocus();
}

void TVellantF::FrameViewProcessing(bool processing) {
  if (processing) {
    for (QAction *item : {Fwdbutton, backbutton, Reloadbutton, Print1, Find1, SelectAll1, Open1})
      item->setEnabled(false);
    return;
  }
  const bool hasFile = !FrameView->CurrentFile().isEmpty();
  const bool hasFrame = hasFile && FrameView->ActiveViewer().has_value();
  Fwdbutton->setEnabled(FrameView->FwdButtonEnabled());
  backbutton->setEnabled(FrameView->BackButtonEnabled());
  Reloadbutton->setEnabled(hasFile);
  for (QAction *item : {Print1, Find1, SelectAll1})
    item->setEnabled(hasFrame);
  Open1->setEnabled(true);
  if (m_titleAfterLoad) {
    m_titleAfterLoad = false;
    setWindowTitle(FrameView->DocumentTitle());
  }
}

QString TVellantF::statusText() const { return m_status->text(); }

void TVellantF::FrameViewHotSpotTargetCovered(const QString &target, const QString &url) {
  m_status->setText(StatusLineText(target, url));
}

void TVellantF::FrameViewHotSpotTargetClick(const QString &, const QString &url, bool &handled) {
  const LinkAction action =
      LinkClickAction(url, [this](const QString &name) { return FrameView->HTMLExpandFilename(name); });
  // No message is shown when starting fails.
  switch (action.kind) {
  case LinkAction::Kind::LeaveToView:
    return;
  case LinkAction::Kind::OpenUrl:
    ShellOpen(action.target);
    break;
  case LinkAction::Kind::PlaySound:
    PlaySound(action.target);
    break;
  case LinkAction::Kind::StartProgram:
    StartProgram(action.target, action.parameters.isEmpty() ? QStringList() : QStringList{action.parameters});
    break;
  case LinkAction::Kind::PlayMedia:
    PlayMedia(action.target);
    break;
  }
  handled = true;
}

void TVellantF::FrameViewSoundRequest(const QString &src, int, bool) {
  const QString file =
      SoundRequestFile(src, [this](const QString &name) { return FrameView->HTMLExpandFilename(name); });
  if (!file.isEmpty() && !PlayMedia(file))
    Application().dialogs().message(QStringLiteral("failed to execute"));
}

void TVellantF::FrameViewBlankWindowRequest(const QString &, const QString &url) {
  const QString argument =
      NewWindowArgument(url, [this](const QString &name) { return FrameView->HTMLExpandFilename(name); });
  if (!argument.isEmpty())
    StartNewInstance({argument});
}

void TVellantF::FrameViewObjectClick(const THtmlFormControl &control, const QString &onClick) {
  if (control.isPushButton() && !onClick.isEmpty())
    Application().dialogs().message(onClick);
}

void TVellantF::FrameViewPrintHeader(QPainter &canvas, int, int width, int, bool &) {
  const std::optional<THtmlFrameInfo> frame = FrameView->ActiveViewer();
  if (!frame)
    return;
  canvas.setFont(printFont());
  canvas.setBackgroundMode(Qt::TransparentMode);
  canvas.setPen(Qt::black);
  const int lineHeight = canvas.fontMetrics().height();
  canvas.drawText(QRect(50, 40, width - 100, lineHeight), Qt::AlignLeft | Qt::AlignTop, frame->DocumentTitle);
  canvas.drawText(QRect(50, 40, width - 100, lineHeight), Qt::AlignRight | Qt::AlignTop, frame->CurrentFile);
}

void TVellantF::FrameViewPrintFooter(QPainter &canvas, int numPage, int width, int height, bool &) {
  canvas.setFont(printFont());
  canvas.setPen(Qt::black);
  const int lineHeight = canvas.fontMetrics().height();
  // The footer area is the bottom margin; its text stands on a line 40 units into it.
  const int footerTop = height - qRound(FrameView->PrintMarginBottom / 2.54 * 96);
  const QRect line(50, footerTop + 40 - lineHeight, width - 100, lineHeight);
  canvas.drawText(line, Qt::AlignLeft | Qt::AlignBottom,
                  QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
  canvas.drawText(line, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Page ") + QString::number(numPage));
}

} // namespace corvana
