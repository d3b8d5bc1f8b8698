#include "colormemo/ColMemo.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>

using namespace corvana;

namespace {

// Records every recolouring request, so the triggers can be checked without pixels.
class RecordingMemo : public TColorMemo {
public:
  void RepaintColors(bool OnlyCurrentLine) override {
    calls << (OnlyCurrentLine ? "line" : "all");
    TColorMemo::RepaintColors(OnlyCurrentLine);
  }
  QStringList calls;
};

template <class Memo = TColorMemo>
std::unique_ptr<Memo> makeMemo(const QString &text, int width = 300, int height = 120) {
  auto memo = std::make_unique<Memo>();
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  memo->setPalette(palette);
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setPixelSize(12);
  memo->setFont(font);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFrameStyle(0);
  memo->resize(width, height);
  memo->setPlainText(text);
  memo->show();
  QApplication::processEvents();
  return memo;
}

TColorRule *addKeywords(TColorMemo &memo, const QStringList &lines) {
  TColorRule *rule = memo.ColorRules().Add();
  rule->KeyDrawingType = dtKeyShow;
  rule->Keywords() = lines;
  return rule;
}

QRect charRect(TColorMemo &memo, int pos) {
  QTextCursor c(memo.document());
  c.setPosition(pos);
  const QRect left = memo.cursorRect(c);
  c.setPosition(pos + 1);
  const QRect right = memo.cursorRect(c);
  return QRect(QPoint(left.center().x(), left.top()), QPoint(right.center().x() - 1, left.bottom()));
}

// How many pixels of a rectangle are close to a colour.
int countNear(const QImage &image, const QRect &rect, QColor color) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QColor p = image.pixelColor(x, y);
      if (std::abs(p.red() - color.red()) < 60 && std::abs(p.green() - color.green()) < 60 &&
          std::abs(p.blue() - color.blue()) < 60)
        ++n;
    }
  return n;
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons buttons =
      type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton : button;
  QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)),
                    type == QEvent::MouseMove ? Qt::NoButton : button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void sendKey(QWidget *target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(type, key, modifiers);
  QApplication::sendEvent(target, &event);
}

TEST(ColorMemoPaint, ColouredTextSitsExactlyOnTheControlsOwnText) {
  const QString text = "alpha beta gamma\n\tdelta if_x";
  auto bare = makeMemo(text);
  auto coloured = makeMemo(text);
  addKeywords(*coloured, {"beta;#000000", "gamma;#000000", "delta;#000000", "if;#000000"});
  coloured->setTextCursor(QTextCursor(coloured->document())); // same caret, no focus on either
  const QImage a = bare->viewport()->grab().toImage();
  const QImage b = coloured->viewport()->grab().toImage();
  ASSERT_EQ(a.size(), b.size());
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      differing += a.pixel(x, y) != b.pixel(x, y);
  // Opaque cells may clip a pixel or two where a neighbour's glyph overhangs ("_" after "f");
  // a run drawn one pixel off would differ in hundreds.
  EXPECT_LE(differing, 3);
}

TEST(ColorMemoPaint, KeywordsAreRepaintedInTheirColourAndOthersAreLeftAlone) {
  auto memo = makeMemo("alpha beta gamma");
  addKeywords(*memo, {"beta;red"});
  const QImage image = memo->viewport()->grab().toImage();
  QRect beta = charRect(*memo, 6).united(charRect(*memo, 9));
  QRect alpha = charRect(*memo, 0).united(charRect(*memo, 4));
  EXPECT_GT(countNear(image, beta, Qt::red), 10);
  EXPECT_EQ(countNear(image, alpha, Qt::red), 0);
  EXPECT_GT(countNear(image, alpha, Qt::black), 10);
}

TEST(ColorMemoPaint, SelectionIsRedOverRulesAndHidesTheHighlight) {
  auto memo = makeMemo("alpha beta gamma");
  addKeywords(*memo, {"beta;blue"})->ZOrder = 200;
  QTextCursor c = memo->textCursor();
  c.setPosition(6);
  c.setPosition(16, QTextCursor::KeepAnchor);
  memo->setTextCursor(c);
  const QImage image = memo->viewport()->grab().toImage();
  const QRect selected = charRect(*memo, 6).united(charRect(*memo, 15));
  EXPECT_GT(countNear(image, selected, Qt::red), 20);
  EXPECT_EQ(countNear(image, selected, Qt::blue), 0);
  EXPECT_EQ(countNear(image, selected, memo->palette().color(QPalette::Highlight)), 0);
}

TEST(ColorMemoPaint, HotSpotTextIsUnderlinedBlueAndItsMarkersVanish) {
  const QString text = QString("x") + QChar(30) + "abc" + QChar(31) + "y";
  auto memo = makeMemo(text);
  THotSpot hot;
  hot.Active = true;
  memo->SetHotSpot(hot);
  const QImage image = memo->viewport()->grab().toImage();
  const QRect abc = charRect(*memo, 2).united(charRect(*memo, 4));
  EXPECT_GT(countNear(image, abc, Qt::blue), 10);
  // The underline runs along the bottom part of the row, under every letter.
  const QRect underline(abc.left(), abc.top() + abc.height() * 3 / 4, abc.width(), abc.height() / 4);
  EXPECT_GT(countNear(image, underline, Qt::blue), abc.width() - 2);
  EXPECT_EQ(countNear(image, charRect(*memo, 1), Qt::black), 0);
  EXPECT_EQ(countNear(image, charRect(*memo, 5), Qt::black), 0);
}

TEST(ColorMemoPaint, KeyDrawHandlerDrawsKeywordRunsInstead) {
  auto memo = makeMemo("one Two three");
  addKeywords(*memo, {"two;red"});
  QStringList keys;
  QRect seenRect;
  TColor seenColor = 0;
  memo->OnDrawKey = [&](QPainter *canvas, const QString &key, const QRect &rect, TColor kColor) {
    keys << key;
    seenRect = rect;
    seenColor = kColor;
    EXPECT_EQ(canvas->pen().color(), QColor(Qt::red));
  };
  const QImage image = memo->viewport()->grab().toImage();
  EXPECT_EQ(keys.value(0), "Two");
  EXPECT_EQ(seenColor, clBlack);
  const QRect two = charRect(*memo, 4).united(charRect(*memo, 6));
  QTextCursor atTwo(memo->document());
  atTwo.setPosition(4);
  EXPECT_NEAR(seenRect.left(), memo->cursorRect(atTwo).left(), 2);
  EXPECT_NEAR(seenRect.top(), memo->cursorRect(atTwo).top(), 2);
  EXPECT_EQ(seenRect.width(), memo->fontMetrics().horizontalAdvance("Two"));
  EXPECT_EQ(countNear(image, two, Qt::red), 0);
}

TEST(ColorMemoRegion, VisibleRegionEndsBeforeTheLastCutLine) {
  QStringList lines;
  for (int i = 0; i < 100; ++i)
    lines << QStringLiteral("line %1").arg(i, 3, 10, QChar(u'0'));
  auto memo = makeMemo(lines.join(u'\n'), 300, 100);
  addKeywords(*memo, {"line"});
  memo->verticalScrollBar()->setValue(10);
  QApplication::processEvents();
  ASSERT_EQ(memo->TopLine(), 10);
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().RegionStart(), memo->document()->findBlockByNumber(10).position());
  const int end = memo->Scanner().RegionEnd();
  const QTextBlock cut = memo->document()->findBlock(end);
  EXPECT_EQ(cut.position(), end);
  const int cutTop = memo->cursorRect(QTextCursor(cut)).top();
  const int lastTop = memo->cursorRect(QTextCursor(cut.previous())).top();
  EXPECT_GT(cutTop + memo->fontMetrics().height(), memo->viewport()->height());
  EXPECT_LE(lastTop + memo->fontMetrics().height(), memo->viewport()->height());

  memo->ColorRules()[0]->KeyMaxHeight = 4;
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().RegionStart(), memo->document()->findBlockByNumber(7).position());

  QTextCursor c(memo->document()->findBlockByNumber(12));
  c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
  memo->setTextCursor(c);
  EXPECT_EQ(memo->CurrentLine(), 12);
  EXPECT_EQ(memo->CaretColumn(), 3);
  ASSERT_TRUE(memo->ComputeColors(true));
  EXPECT_EQ(memo->Scanner().RegionStart(), memo->document()->findBlockByNumber(9).position());
  EXPECT_EQ(memo->Scanner().RegionEnd(), memo->document()->findBlockByNumber(12).position() + 8);
}

TEST(ColorMemoRegion, RangeBegunAboveTheWindowNeedsKeyMaxHeight) {
  QStringList lines{"/*", "text", "text", "*/"};
  for (int i = 0; i < 30; ++i)
    lines << QStringLiteral("text %1").arg(i);
  auto memo = makeMemo(lines.join(u'\n'), 300, 200);
  memo->ColorRules().Add()->KeyBegEndLst() = {"/*;*/"};
  memo->verticalScrollBar()->setValue(2);
  QApplication::processEvents();
  ASSERT_EQ(memo->TopLine(), 2);
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().Ranges().Count(), 0);
  memo->ColorRules()[0]->KeyMaxHeight = 3;
  ASSERT_TRUE(memo->ComputeColors(false));
  ASSERT_EQ(memo->Scanner().Ranges().Count(), 1);
  EXPECT_EQ(memo->Scanner().Ranges()[0], (TKeyDescr{0, 14, clRed, 0, false}));
}

TEST(ColorMemoRegion, GuardsKeepAPlainControl) {
  auto memo = makeMemo("if then");
  EXPECT_FALSE(memo->ComputeColors(false));
  THotSpot hot;
  hot.Active = true;
  memo->SetHotSpot(hot);
  EXPECT_TRUE(memo->ComputeColors(false));
  memo->setEnabled(false);
  EXPECT_FALSE(memo->ComputeColors(false));
  memo->setEnabled(true);
  memo->hide();
  EXPECT_FALSE(memo->ComputeColors(false));
}

TEST(ColorMemoTriggers, TypingOneCharacterRecoloursTheCaretLineAndEnterEverything) {
  auto memo = makeMemo<RecordingMemo>("abc\ndef");
  addKeywords(*memo, {"abc"});
  memo->textCursor().insertText("x"); // first change after loading: the length jumped before
  memo->calls.clear();
  memo->textCursor().insertText("y");
  memo->textCursor().insertText("\n");
  memo->textCursor().insertText("pq");
  memo->SetRedrawAlways(true);
  memo->textCursor().insertText("z");
  EXPECT_EQ(memo->calls, (QStringList{"line", "all", "all", "all"}));
}

TEST(ColorMemoTriggers, NavigationKeyCollapsesTheSelectionToItsEnd) {
  auto memo = makeMemo<RecordingMemo>("abcdefgh");
  addKeywords(*memo, {"abc"});
  QTextCursor c = memo->textCursor();
  c.setPosition(5);
  c.setPosition(2, QTextCursor::KeepAnchor);
  memo->setTextCursor(c);
  memo->calls.clear();
  sendKey(memo.get(), QEvent::KeyPress, Qt::Key_Right);
  EXPECT_FALSE(memo->textCursor().hasSelection());
  EXPECT_EQ(memo->textCursor().position(), 6);
  EXPECT_EQ(memo->calls, QStringList{"all"});

  c.setPosition(1);
  c.setPosition(3, QTextCursor::KeepAnchor);
  memo->setTextCursor(c);
  memo->calls.clear();
  sendKey(memo.get(), QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(memo->textCursor().selectionStart(), 1);
  EXPECT_EQ(memo->textCursor().selectionEnd(), 4);
  sendKey(memo.get(), QEvent::KeyRelease, Qt::Key_Shift);
  sendKey(memo.get(), QEvent::KeyRelease, Qt::Key_Shift, Qt::ControlModifier);
  EXPECT_EQ(memo->calls, QStringList{"all"});
}

TEST(ColorMemoTriggers, ScrollsCallTheirEventsAndMouseButtonsRecolour) {
  QStringList lines;
  for (int i = 0; i < 50; ++i)
    lines << QString(200, u'w');
  auto memo = makeMemo<RecordingMemo>(lines.join(u'\n'));
  addKeywords(*memo, {"w"});
  QStringList events;
  memo->OnVScroll = [&](QObject *sender) {
    EXPECT_EQ(sender, memo.get());
    events << "v";
  };
  memo->OnHScroll = [&](QObject *) { events << "h"; };
  memo->calls.clear();
  memo->verticalScrollBar()->setValue(5);
  memo->horizontalScrollBar()->setValue(40);
  EXPECT_EQ(events, (QStringList{"v", "h"}));
  EXPECT_EQ(memo->calls, (QStringList{"all", "all"}));

  memo->calls.clear();
  sendMouse(memo->viewport(), QEvent::MouseButtonPress, {5, 5});
  sendMouse(memo->viewport(), QEvent::MouseButtonRelease, {5, 5});
  sendMouse(memo->viewport(), QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
  EXPECT_EQ(memo->calls, (QStringList{"all", "all"}));
}

TEST(ColorMemoHotSpot, PointerShowsTheHandAndAClickReportsTheText) {
  const QString text = QString("x ") + QChar(30) + "abc" + QChar(31) + " y " + QChar(30) + QChar(31);
  auto memo = makeMemo(text);
  THotSpot hot;
  hot.Active = true;
  memo->SetHotSpot(hot);
  QStringList clicks;
  memo->OnHotSpotClick = [&](QObject *sender, const QString &src) {
    EXPECT_EQ(sender, memo.get());
    clicks << src;
  };
  const QPoint onB = charRect(*memo, 4).center();
  sendMouse(memo->viewport(), QEvent::MouseMove, onB);
  EXPECT_EQ(memo->viewport()->cursor().shape(), Qt::PointingHandCursor);
  sendMouse(memo->viewport(), QEvent::MouseButtonPress, onB);
  sendMouse(memo->viewport(), QEvent::MouseButtonRelease, onB);
  EXPECT_EQ(clicks, QStringList{"abc"});

  const QPoint onX = charRect(*memo, 0).center();
  sendMouse(memo->viewport(), QEvent::MouseMove, onX);
  EXPECT_EQ(memo->viewport()->cursor().shape(), Qt::IBeamCursor);
  sendMouse(memo->viewport(), QEvent::MouseButtonPress, onX);
  sendMouse(memo->viewport(), QEvent::MouseButtonRelease, onX);
  EXPECT_EQ(clicks, QStringList{"abc"});

  // The empty hot spot: its end marker is on it, with no text.
  const QPoint onEmptyEnd = charRect(*memo, 12).center();
  sendMouse(memo->viewport(), QEvent::MouseMove, onEmptyEnd);
  sendMouse(memo->viewport(), QEvent::MouseButtonPress, onEmptyEnd);
  sendMouse(memo->viewport(), QEvent::MouseButtonRelease, onEmptyEnd);
  EXPECT_EQ(clicks, (QStringList{"abc", ""}));
}

TEST(ColorMemoProperties, AssignedRulesAreCopiesOwnedByTheMemo) {
  TColorMemo memo;
  TDrawRules rules;
  rules.Add()->ZOrder = 4;
  rules.Add()->ZOrder = 5;
  memo.SetColorRules(rules);
  ASSERT_EQ(memo.ColorRules().Count(), 2);
  EXPECT_EQ(memo.ColorRules()[1]->ZOrder, 5);
  EXPECT_NE(memo.ColorRules()[1], rules[1]);
  EXPECT_EQ(memo.ColorRules()[1]->Owner(), &memo);
}

TEST(ColorMemoProperties, EventDrawRulesColourWhatTheHandlerReports) {
  auto memo = makeMemo("abc def");
  TColorRule *rule = memo->ColorRules().Add();
  rule->KeyDrawingType = dtEventDraw;
  memo->OnDraw = [](TColorRule *, const QChar *from, TKeyDescr *a, int &count) {
    const QString text(from);
    const int p = int(text.indexOf("def"));
    a[0] = {p, p + 2, clGreen, 0, false};
    count = 1;
  };
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().Ranges().Count(), 0);
  memo->SetColorLimMax(4);
  ASSERT_TRUE(memo->ComputeColors(false));
  ASSERT_EQ(memo->Scanner().Ranges().Count(), 1);
  EXPECT_EQ(memo->Scanner().Ranges()[0], (TKeyDescr{4, 6, clGreen, 0, false}));
}

} // namespace

namespace {

TEST(ColorMemoRegion, EditsAndANewDocumentAreSeenByTheNextScan) {
  auto memo = makeMemo("abc def\nxyz");
  addKeywords(*memo, {"abc"});
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().Ranges().Count(), 1);
  QTextCursor c(memo->document());
  c.insertText("abc ");
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().RegionText(), QStringView(u"abc abc def\nxyz"));
  ASSERT_EQ(memo->Scanner().Ranges().Count(), 2);
  EXPECT_EQ(memo->Scanner().Ranges()[1], (TKeyDescr{4, 6, clRed, 0, true}));

  auto *document = new QTextDocument(memo.get());
  document->setDocumentLayout(new QPlainTextDocumentLayout(document));
  document->setPlainText("xyz abc");
  memo->setDocument(document);
  QApplication::processEvents();
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().RegionText(), QStringView(u"xyz abc"));
  document->setPlainText("abc");
  QApplication::processEvents();
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().RegionText(), QStringView(u"abc"));
}

} // namespace

namespace {

TEST(ColorMemoBadInput, MegabyteLineWithoutBreaksIsColouredWhereItIsShown) {
  QString line;
  while (line.size() < (1 << 20))
    line += "abc x ";
  auto memo = makeMemo(line + "\nabc");
  addKeywords(*memo, {"abc;blue"});
  ASSERT_TRUE(memo->ComputeColors(false));
  EXPECT_EQ(memo->Scanner().Ranges().Count(), (1 << 20) / 6 + 2);
  const QImage image = memo->viewport()->grab().toImage();
  EXPECT_GT(countNear(image, charRect(*memo, 0).united(charRect(*memo, 2)), Qt::blue), 10);
  EXPECT_EQ(countNear(image, charRect(*memo, 4), Qt::blue), 0);
}

} // namespace

namespace {

TEST(ColorMemoRegion, WrappedLineIsCutAtItsFirstRowThatTheBottomCuts) {
  QString text = "top\n";
  for (int i = 0; i < 200; ++i)
    text += QStringLiteral("w%1 ").arg(i % 10);
  auto memo = makeMemo(text, 200, 100);
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QApplication::processEvents();
  addKeywords(*memo, {"w1"});
  ASSERT_TRUE(memo->ComputeColors(false));
  const int end = memo->Scanner().RegionEnd();
  ASSERT_GT(end, 4); // some rows of the long line are inside
  ASSERT_LT(end, text.size());
  QTextCursor atEnd(memo->document());
  atEnd.setPosition(end);
  QTextCursor beforeEnd(memo->document());
  beforeEnd.setPosition(end - 1);
  const int charHeight = memo->fontMetrics().height();
  EXPECT_GT(memo->cursorRect(atEnd).top() + charHeight, memo->viewport()->height());
  EXPECT_LE(memo->cursorRect(beforeEnd).top() + charHeight, memo->viewport()->height());
  EXPECT_LT(memo->cursorRect(beforeEnd).top(), memo->cursorRect(atEnd).top());
}

} // namespace

namespace {

// A strip of the viewport painted on its own, as the control repaints it for a caret blink, a
// typed character or a selection being dragged, over a copy of the full paint.
QImage repaintStrip(TColorMemo &memo, const QImage &full, const QRect &strip) {
  QImage image = full.copy();
  QPainter painter(&image);
  painter.fillRect(strip, Qt::green); // nothing of the full paint may survive inside the strip
  painter.end();
  memo.viewport()->render(&image, strip.topLeft(), QRegion(strip));
  return image;
}

int differingPixels(const QImage &a, const QImage &b, const QRect &rect) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST(ColorMemoPaint, StripRepaintInsideACommentKeepsTheCommentsColour) {
  // The comment begins above every strip below, so each strip needs the scan from the top.
  auto memo = makeMemo("/* one\n two\n three */\nx");
  memo->ColorRules().Add()->KeyBegEndLst() = {"/*;*/;blue"};
  QTextCursor end(memo->document());
  end.movePosition(QTextCursor::End);
  memo->setTextCursor(end);
  const QImage full = memo->viewport()->grab().toImage();
  const QRect middle = charRect(*memo, 8).united(charRect(*memo, 10)); // "two"
  ASSERT_GT(countNear(full, middle, Qt::blue), 10);

  const int width = memo->viewport()->width();
  const QRect row(0, middle.top(), width, middle.height());
  const QRect caretWide(charRect(*memo, 9).left() - 1, middle.top(), 3, middle.height());
  const QRect lowerRows(0, middle.top(), width / 2, charRect(*memo, 14).bottom() - middle.top() + 1);
  for (const QRect &strip : {row, caretWide, lowerRows}) {
    SCOPED_TRACE(testing::Message() << "strip " << strip.x() << "," << strip.y() << " " << strip.width() << "x"
                                    << strip.height());
    const QImage partial = repaintStrip(*memo, full, strip);
    EXPECT_EQ(differingPixels(full, partial, strip), 0);
  }
}

TEST(ColorMemoPaint, StripRepaintDrawsOnlyTheKeysInsideTheStrip) {
  auto memo = makeMemo("one\ntwo\nthree");
  addKeywords(*memo, {"one", "two", "three"});
  QStringList keys;
  memo->OnDrawKey = [&](QPainter *, const QString &key, const QRect &, TColor) { keys << key; };
  const QImage full = memo->viewport()->grab().toImage();
  EXPECT_EQ(keys, (QStringList{"one", "two", "three"}));
  keys.clear();
  const QRect two = charRect(*memo, 4).united(charRect(*memo, 6));
  repaintStrip(*memo, full, QRect(0, two.top(), memo->viewport()->width(), two.height()));
  EXPECT_EQ(keys, QStringList{"two"});
}

} // namespace
