// The paint window's commands as one table, and what their entries set and show.

#include "smudgel/SmudgelU.h"

#include "smudgel/PaintAttributes.h"

#include <QAction>
#include <QScopeGuard>
#include <QToolBar>

namespace corvana {

using namespace smudgel;

namespace {

using Row = Commands::Row;

Row Item(const char *place, const QString &name, const QString &caption, std::function<void()> run,
         QKeyCombination key = {}, unsigned flags = 0) {
  Row row;
  row.place = QString::fromUtf8(place);
  row.name = name;
  row.caption = caption;
  row.key = key;
  row.run = std::move(run);
  row.flags = flags;
  return row;
}

Row MenuRow(const char *place, const char *name, const char *caption) {
  return Item(place, QString::fromUtf8(name), QString::fromUtf8(caption), {}, {}, Submenu);
}

Row PopupRow(const char *name) { return Item("", QString::fromUtf8(name), {}, {}, {}, Popup); }

Row LineRow(const char *place, const char *name = "") {
  return Item(place, QString::fromUtf8(name), QStringLiteral("-"), {}, {}, Separator);
}

Row ButtonRow(const char *name, const char *hint, std::function<void()> run, const char *dropDown = nullptr) {
  Row row = Item("#ToolBar1", QString::fromUtf8(name), QString::fromUtf8(hint), std::move(run));
  row.hint = QString::fromUtf8(hint);
  row.dropDown = QString::fromUtf8(dropDown);
  return row;
}

// The shapes drop-down: caption, object name, tool, picture.
struct ShapeEntry {
  const char *caption;
  const char *name;
  const char *tool;
  SmudgelIcon picture;
};
constexpr ShapeEntry Shapes[] = {
    {"Line", "ShapeLine", "line", SmudgelIcon::Line},
    {"Line Straight", "ShapeLineStraight", "sline", SmudgelIcon::LineStraight},
    {"Rectangle", "ShapeRectangle", "rectangle", SmudgelIcon::Rectangle},
    {"Round Rect", "ShapeRoundRect", "roundrect", SmudgelIcon::RoundRect},
    {"Ellipse", "ShapeEllipse", "ellipse", SmudgelIcon::Ellipse},
    {"Arc", "ShapeArc", "arc", SmudgelIcon::Arc},
    {"Chord", "ShapeChord", "chord", SmudgelIcon::Chord},
    {"Pie", "ShapePie", "pie", SmudgelIcon::Pie},
    {"Spiral", "ShapeSpiral", "spiral", SmudgelIcon::Spiral},
    {"Star", "ShapeStar", "star", SmudgelIcon::Star},
    {"Symmetric", "ShapeSymmetric", "sym", SmudgelIcon::Symmetric},
    {"Bezier", "ShapeBezier", "bezier", SmudgelIcon::Bezier},
    {"Spray", "ShapeSpray", "spray", SmudgelIcon::Spray},
    {"Freehand", "ShapeFreehand", "freehand", SmudgelIcon::Freehand},
    {"vMirror", "ShapeVMirror", "vmirror", SmudgelIcon::VMirror},
    {"cMirror", "ShapeCMirror", "cmirror", SmudgelIcon::CMirror},
    {"hMirror", "ShapeHMirror", "hmirror", SmudgelIcon::HMirror},
    {"Mirror4", "ShapeMirror4", "mirror4", SmudgelIcon::Mirror4},
    {"Blocks", "ShapeBlocks", "blocks", SmudgelIcon::Blocks},
};

// "Not Xor" -> "NotXor", for object names
QString Compact(const char *caption) { return QString::fromUtf8(caption).remove(u' '); }

SmudgelIcon Offset(SmudgelIcon first, int index) { return SmudgelIcon(int(first) + index); }

int BrushEntryOf(BrushStyle style) {
  const auto entries = brushStyleEntries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].style == style)
      return int(i);
  return 0;
}

} // namespace

// ---- commands -------------------------------------------------------------------------------

void TSmudgelF::buildCommands() {
  PaintModel &m = m_model;
  QList<Row> rows;

  // pop-up menus first: the tool bar's drop-downs refer to them
  rows << PopupRow("shapes");
  for (int i = 0; i < int(std::size(Shapes)); ++i)
    rows << Item("shapes", QString::fromUtf8(Shapes[i].name), QString::fromUtf8(Shapes[i].caption),
                 [this, i] { chooseShape(i); });

  rows << PopupRow("SetPaintText")
       << Item("SetPaintText", QStringLiteral("PaintTextFont1"), QStringLiteral("Font..."), [&m] { m.askTextFont(); })
       << Item("SetPaintText", QStringLiteral("PaintTextText1"), QStringLiteral("Text..."), [&m] { m.askPaintText(); })
       << Item("SetPaintText", QStringLiteral("PaintTextShadow1"), QStringLiteral("Shadow"),
               [this] { selectTool(QStringLiteral("shadowtext")); })
       << Item("SetPaintText", QStringLiteral("ShadowDx1"), QStringLiteral("Shadow dx..."), [&m] { m.askShadowDx(); })
       << Item("SetPaintText", QStringLiteral("ShadowDy1"), QStringLiteral("Shadow dy..."), [&m] { m.askShadowDy(); })
       << Item("SetPaintText", QStringLiteral("ShadowColor1"), QStringLiteral("Shadow Color..."),
               [&m] { m.askShadowColor(); })
       << Item("SetPaintText", QStringLiteral("ShadowDefault1"), QStringLiteral("Shadow Default"),
               [&m] { m.shadowDefault(); });

  rows << PopupRow("setbutton")
       << Item("setbutton", QStringLiteral("Make1"), QStringLiteral("&Make"), [&m] { m.makeButton(); })
       << Item("setbutton", QStringLiteral("ButtonWidth1"), QStringLiteral("&Width..."), [&m] { m.askButtonWidth(); })
       << Item("setbutton", QStringLiteral("ButtonHeight1"), QStringLiteral("&Height..."),
               [&m] { m.askButtonHeight(); })
       << Item("setbutton", QStringLiteral("ButtonColor1"), QStringLiteral("&Color..."), [&m] { m.askButtonColor(); })
       << Item("setbutton", QStringLiteral("ButtonDefault1"), QStringLiteral("&Default"), [&m] { m.buttonDefault(); });

  rows << PopupRow("brushstyle");
  const auto brushes = brushStyleEntries();
  for (int i = 0; i < int(brushes.size()); ++i)
    rows << Item("brushstyle", QStringLiteral("Brush") + Compact(brushes[i].caption),
                 QString::fromUtf8(brushes[i].caption), [this, i] { setBrushStyle(i); });

  rows << PopupRow("linewidth");
  for (int w = 1; w <= MaxListedLineWidth; ++w)
    rows << Item("linewidth", QStringLiteral("LineWidth%1").arg(w),
                 w == 1 ? QStringLiteral("1 pixel") : QStringLiteral("%1 pixels").arg(w),
                 [this, w] { setLineWidth(w); });
  rows << Item("linewidth", QStringLiteral("OtherSize1"), QStringLiteral("Other Size..."), [&m] { m.askLineWidth(); })
       << LineRow("linewidth", "N3");
  for (const PenStyleEntry &e : penStyleEntries())
    rows << Item("linewidth", QStringLiteral("Pen") + Compact(e.caption), QString::fromUtf8(e.caption),
                 [&m, style = e.style] { m.canvas().pen.style = style; });

  rows << PopupRow("penmodes");
  for (const PenModeEntry &e : penModeEntries())
    rows << Item("penmodes", QStringLiteral("PenMode") + Compact(e.caption), QString::fromUtf8(e.caption),
                 [this, mode = e.mode] { setPenMode(mode); });

  rows << PopupRow("copymodes");
  for (const CopyModeEntry &e : copyModeEntries())
    rows << Item("copymodes", QStringLiteral("CopyMode") + Compact(e.caption), QString::fromUtf8(e.caption),
                 [&m, code = e.code] { m.canvas().copyMode = code; });
  rows << LineRow("copymodes", "N4")
       << Item("copymodes", QStringLiteral("PasteMask1"), QStringLiteral("Paste Mask"),
               [this] {
                 m_model.setPasteMode(QStringLiteral("pastemask"));
                 setButtonPicture(QStringLiteral("selectcopy"), SmudgelIcon::PasteMask);
               })
       << Item("copymodes", QStringLiteral("Paste1"), QStringLiteral("Paste"), [this] {
            m_model.setPasteMode(QStringLiteral("paste"));
            setButtonPicture(QStringLiteral("selectcopy"), SmudgelIcon::Paste);
          });

  rows << PopupRow("clipspop")
       << Item("clipspop", QStringLiteral("MaskClip1"), QStringLiteral("Mask Clip"), [&m] { m.maskClip(); });

  rows << PopupRow("patpopup") << Item("patpopup", QStringLiteral("UpdatePattern1"), QStringLiteral("Update"), [this] {
    if (PatList->currentRow() < 0)
      return;
    m_model.updatePattern(PatList->currentRow());
    PatList->viewport()->update();
    writePatterns();
  }) << Item("patpopup", QStringLiteral("EditPattern1"), QStringLiteral("Edit"), [&m] { m.editPattern(); });

  // the main menu
  rows << MenuRow("", "File1", "&File")
       << Item("File1", QStringLiteral("New1"), QStringLiteral("&New"), [this] { New1Click(); })
       << Item("File1", QStringLiteral("Open1"), QStringLiteral("&Open..."), [this] { Open1Click(); })
       << Item("File1", QStringLiteral("SaveAs1"), QStringLiteral("Save &As..."), [this] { SaveAs1Click(); })
       << Item("File1", QStringLiteral("OpenPattern1"), QStringLiteral("Open Pattern..."),
               [this] { OpenPattern1Click(); })
       << Item("File1", QStringLiteral("SavePattern1"), QStringLiteral("Save Pattern..."),
               [this] { SavePattern1Click(); })
       << LineRow("File1", "N1")
       << Item("File1", QStringLiteral("Exit1"), QStringLiteral("E&xit"), [this] { Exit1Click(); });

  rows << MenuRow("", "Text1", "&Text")
       << Item("Text1", QStringLiteral("Font1"), QStringLiteral("&Font..."), [&m] { m.askTextFont(); })
       << Item(
              "Text1", QStringLiteral("Text2"), QStringLiteral("&Text..."), [&m] { m.askPaintText(); },
              QKeyCombination(Qt::CTRL, Qt::Key_T))
       << Item("Text1", QStringLiteral("Shadow1"), QStringLiteral("&Shadow"),
               [this] { selectTool(QStringLiteral("shadowtext")); })
       << Item("Text1", QStringLiteral("DefaultShadow1"), QStringLiteral("&Default Shadow"),
               [&m] { m.shadowDefault(); });

  rows << MenuRow("", "Options1", "&Options")
       << Item("Options1", QStringLiteral("Blocks1"), QStringLiteral("&Blocks..."), [&m] { m.askBlocks(); })
       << Item("Options1", QStringLiteral("LineTolerance1"), QStringLiteral("Line Tolerance..."),
               [&m] { m.askLineTolerance(); })
       << Item(
              "Options1", QStringLiteral("Polygon1"), QStringLiteral("Polygon"),
              [this] {
                m_model.togglePolygon();
                m_commands.action(QStringLiteral("Polygon1"))->setChecked(m_model.state().polygon);
              },
              {}, Checkable)
       << Item("Options1", QStringLiteral("Rounding1"), QStringLiteral("&Rounding..."), [&m] { m.askRounding(); })
       << Item("Options1", QStringLiteral("Shapes1"), QStringLiteral("Shapes..."), [&m] { m.askShapes(); })
       << MenuRow("Options1", "Spirals1", "Spirals")
       << Item("Spirals1", QStringLiteral("SpiralRight1"), QStringLiteral("Right"), [&m] { m.setSpiralDir(+1); })
       << Item("Spirals1", QStringLiteral("SpiralLeft1"), QStringLiteral("Left"), [&m] { m.setSpiralDir(-1); });
  for (int turns = 1; turns <= 3; ++turns)
    rows << Item("Spirals1", QStringLiteral("SpiralTurns%1").arg(turns), QString::number(turns),
                 [&m, turns] { m.setSpiralTurns(turns); });
  rows << Item("Spirals1", QStringLiteral("SpiralsOther1"), QStringLiteral("Other..."), [&m] { m.askSpirals(); })
       << MenuRow("Options1", "Spiralfactor1", "Spiralfactor");
  for (const char *factor : {"0.99", "0.97", "0.95"})
    rows << Item("Spiralfactor1", QStringLiteral("Factor") + QString::fromLatin1(factor).remove(u'.'),
                 QString::fromLatin1(factor),
                 [&m, f = QString::fromLatin1(factor).toDouble()] { m.setSpiralFactor(f); });
  rows << Item("Spiralfactor1", QStringLiteral("FactorOther1"), QStringLiteral("Other..."), [&m] {
    m.askSpiralFactor();
  }) << MenuRow("Options1", "Starpoints1", "&Starpoints");
  for (int points = PaintState::MinStarPoints; points <= PaintState::MaxStarPoints; ++points)
    rows << Item("Starpoints1", QStringLiteral("Starpoints%1").arg(points), QString::number(points),
                 [&m, points] { m.setStarPoints(points); });

  rows << MenuRow("", "Image1", "&Image") << MenuRow("Image1", "Magnify1", "&Magnify");
  for (int f : {2, 4, 8})
    rows << Item("Magnify1", QStringLiteral("Magnify%1").arg(f), QStringLiteral("x%1").arg(f),
                 [&m, f] { m.magnify(f); });
  rows << MenuRow("Image1", "Reduce1", "&Reduce");
  for (int f : {2, 4, 8})
    rows << Item("Reduce1", QStringLiteral("Reduce%1").arg(f), QStringLiteral("x%1").arg(f), [&m, f] { m.reduce(f); });

  // the tool bar; a drop-down button with a command of its own repeats the entry last chosen
  rows << LineRow("#ToolBar1", "ToolButton1")
       << ButtonRow(
              "setshape", "Shape", [this] { chooseShape(m_lastShape); }, "shapes")
       << ButtonRow(
              "goText", "Paint Text", [this] { selectTool(QStringLiteral("text")); }, "SetPaintText")
       << ButtonRow(
              "MakeButton1", "Make Button", [&m] { m.makeButton(); }, "setbutton")
       << LineRow("#ToolBar1", "ToolButton2")
       << ButtonRow(
              "setbrushstyle", "Solid/Clear", [this] { setBrushStyle(m_lastBrushStyle); }, "brushstyle")
       << ButtonRow(
              "setwidth", "Line Width", [this] { setLineWidth(m_lastWidth); }, "linewidth")
       << ButtonRow("setpenmode", "Set Pen Mode", {}, "penmodes") << LineRow("#ToolBar1", "ToolButton3")
       << ButtonRow("Select1", "Select", [this] { selectTool(QStringLiteral("snapshot")); })
       << ButtonRow(
              "selectcopy", "Copy Selection", [this] { selectTool(m_model.state().pasteMode); }, "copymodes")
       << ButtonRow("Floodfill1", "Floodfill", [this] { selectTool(QStringLiteral("floodfill")); })
       << ButtonRow(
              "FillSelection1", "Fill Selection", [&m] { m.fillSelection(); }, "clipspop")
       << ButtonRow("PickPaint1", "Pick Paint", [this] { selectTool(QStringLiteral("paintpick")); })
       << ButtonRow("PasteColor1", "Paste Color", [this] { selectTool(QStringLiteral("pastecolor")); })
       << ButtonRow("PasteColorX1", "Paste Color Inverted", [this] { selectTool(QStringLiteral("pastecolorx")); })
       << LineRow("#ToolBar1", "ToolButton4") << ButtonRow("ResizeImage1", "Resize Image", [&m] { m.resizeImage(); })
       << ButtonRow("ClearImage1", "Clear Image", [&m] { m.clearImage(); })
       << ButtonRow("goUndo", "Undo", [&m] { m.goUndo(); });

  // every command ends by showing what it changed
  for (Row &row : rows)
    if (row.run)
      row.run = [this, run = std::move(row.run)] {
        const auto after = qScopeGuard([this] { refresh(); });
        run();
      };

  m_pictures = {{QStringLiteral("setshape"), SmudgelIcon::Line},
                {QStringLiteral("goText"), SmudgelIcon::PaintText},
                {QStringLiteral("MakeButton1"), SmudgelIcon::MakeButton},
                {QStringLiteral("setbrushstyle"), SmudgelIcon::BrushSolid},
                {QStringLiteral("setwidth"), SmudgelIcon::Width1},
                {QStringLiteral("setpenmode"), SmudgelIcon::PenMode},
                {QStringLiteral("Select1"), SmudgelIcon::Select},
                {QStringLiteral("selectcopy"), SmudgelIcon::Paste},
                {QStringLiteral("Floodfill1"), SmudgelIcon::FloodFill},
                {QStringLiteral("FillSelection1"), SmudgelIcon::FillSelection},
                {QStringLiteral("PickPaint1"), SmudgelIcon::PickPaint},
                {QStringLiteral("PasteColor1"), SmudgelIcon::PasteColor},
                {QStringLiteral("PasteColorX1"), SmudgelIcon::PasteColorInverted},
                {QStringLiteral("ResizeImage1"), SmudgelIcon::ResizeImage},
                {QStringLiteral("ClearImage1"), SmudgelIcon::ClearImage},
                {QStringLiteral("goUndo"), SmudgelIcon::Undo}};
  m_commands.build(this, rows, [this](const QString &name) { return smudgelIcon(m_pictures.value(name)); });
  ToolBar1 = m_commands.toolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setIconSize(QSize(16, 16));

  // the menus' own pictures
  const auto picture = [this](const QString &name, SmudgelIcon icon) {
    if (QAction *a = m_commands.action(name))
      a->setIcon(smudgelIcon(icon));
  };
  for (const ShapeEntry &e : Shapes)
    picture(QString::fromUtf8(e.name), e.picture);
  for (int i = 0; i < int(brushes.size()); ++i)
    picture(QStringLiteral("Brush") + Compact(brushes[i].caption), Offset(SmudgelIcon::BrushSolid, i));
  for (int w = 1; w <= MaxListedLineWidth; ++w)
    picture(QStringLiteral("LineWidth%1").arg(w), Offset(SmudgelIcon::Width1, w - 1));
  const auto pens = penStyleEntries();
  for (int i = 0; i < int(pens.size()); ++i)
    picture(QStringLiteral("Pen") + Compact(pens[i].caption), Offset(SmudgelIcon::PenSolid, i));
  picture(QStringLiteral("PasteMask1"), SmudgelIcon::PasteMask);
  picture(QStringLiteral("Paste1"), SmudgelIcon::Paste);
  picture(QStringLiteral("MaskClip1"), SmudgelIcon::MaskClip);
  picture(QStringLiteral("New1"), SmudgelIcon::FileNew);
  picture(QStringLiteral("Open1"), SmudgelIcon::FileOpen);
  picture(QStringLiteral("SaveAs1"), SmudgelIcon::FileSaveAs);
  picture(QStringLiteral("Font1"), SmudgelIcon::Font);
  picture(QStringLiteral("PaintTextFont1"), SmudgelIcon::Font);
  picture(QStringLiteral("Magnify1"), SmudgelIcon::Magnify);
  picture(QStringLiteral("Reduce1"), SmudgelIcon::Reduce);
}

// ---- showing state --------------------------------------------------------------------------

void TSmudgelF::refresh() {
  mypaint->imageChanged(m_model.takeViewDamage());
  const Canvas &c = m_model.canvas();
  shapeflag->setColors(c.pen.color, m_model.swatchFill(), c.brush.style());
  // a colour chosen while the brush is Clear makes it Solid: the button follows the brush
  setButtonPicture(QStringLiteral("setbrushstyle"), Offset(SmudgelIcon::BrushSolid, BrushEntryOf(c.brush.style())));
}

void TSmudgelF::setButtonPicture(const QString &button, SmudgelIcon picture) {
  if (m_pictures.value(button) == picture)
    return;
  m_pictures.insert(button, picture);
  if (QAction *a = m_commands.action(button))
    a->setIcon(smudgelIcon(picture));
}

void TSmudgelF::selectTool(const QString &name) { m_model.state().tool = name; }

void TSmudgelF::chooseShape(int entry) {
  m_lastShape = entry;
  selectTool(QString::fromUtf8(Shapes[entry].tool));
  setButtonPicture(QStringLiteral("setshape"), Shapes[entry].picture);
}

void TSmudgelF::setPenMode(PenMode mode) {
  m_model.canvas().pen.mode = mode;
  setStatus(1, penModeStatus(mode));
}

void TSmudgelF::setBrushStyle(int entry) {
  m_lastBrushStyle = entry;
  m_model.canvas().brush.setStyle(brushStyleEntries()[entry].style);
}

void TSmudgelF::setLineWidth(int width) {
  m_lastWidth = width;
  m_model.canvas().pen.width = width;
  setButtonPicture(QStringLiteral("setwidth"), Offset(SmudgelIcon::Width1, width - 1));
}

} // namespace corvana
