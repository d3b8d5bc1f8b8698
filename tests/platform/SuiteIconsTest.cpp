// The suite's icons: one drawing per window, found by form name, sharp at twice the scale, and
// given to every form when it is created.

#include "platform/SuiteIcons.h"
#include "platform/Forms.h"

#include <QIcon>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSet>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

const QStringList toolForms = {"ProselF",   "LexoraF",   "VellantF", "SmudgelF",  "HalcyneF", "PixmundF",
                               "KelpwoodF", "TwinfoldF", "ZonellaF", "TrellaneF", "ArboletF", "HTMLTagsF"};

// Share of pixels that are not fully transparent.
double coverage(const QImage &image) {
  int drawn = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      drawn += qAlpha(image.pixel(x, y)) > 0;
  return double(drawn) / (image.width() * image.height());
}

QImage iconImage(const QIcon &icon, int size, qreal scale = 1.0) {
  return icon.pixmap(QSize(size, size), scale).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

template <TForm::Kind K> class TIconF : public TForm {
public:
  explicit TIconF(const QString &name = QStringLiteral("TwinfoldF")) : TForm(K, name) {}
  void FormCreate() override {
    if (ownIcon)
      setWindowIcon(FormIcon(QStringLiteral("ZonellaF")));
  }
  static inline TIconF *instance = nullptr;
  static inline bool ownIcon = false;
};

class TIconFrameF : public TForm {
public:
  TIconFrameF() : TForm(Kind::TopLevel, QStringLiteral("MainForm")), area(new QMdiArea(this)) {
    setCentralWidget(area);
    Application().setMdiArea(area);
  }
  QMdiArea *area;
  static inline TIconFrameF *instance = nullptr;
};

} // namespace

TEST(SuiteIcons, EveryToolWindowHasADrawingOfItsOwnAndTheFrameHasTheSuites) {
  QSet<QString> names;
  for (const QString &form : toolForms) {
    const QString name = FormIconName(form);
    EXPECT_NE(name, "corvana") << form.toStdString();
    EXPECT_TRUE(HasIconDrawing(name)) << form.toStdString();
    names.insert(name);
  }
  EXPECT_EQ(names.size(), toolForms.size());
  EXPECT_EQ(FormIconName("ProselF"), "prosel");
  EXPECT_EQ(FormIconName("MainForm"), "corvana");
  // A window with no drawing yet shows the suite's icon rather than none.
  EXPECT_EQ(FormIconName("NotYetDrawnF"), "corvana");
  EXPECT_EQ(FormIconName(""), "corvana");
  EXPECT_FALSE(HasIconDrawing("nosuch"));
}

TEST(SuiteIcons, DrawingsRenderAsDistinctPicturesAtEverySize) {
  QStringList names{"corvana"};
  for (const QString &form : toolForms)
    names.append(FormIconName(form));
  QList<QImage> at32;
  for (const QString &name : names) {
    for (int size : {16, 32, 256}) {
      const QImage image = RenderIcon(name, size);
      ASSERT_EQ(image.size(), QSize(size, size)) << name.toStdString();
      EXPECT_GT(coverage(image), 0.3) << name.toStdString() << " at " << size;
    }
    const QImage image = RenderIcon(name, 32);
    for (const QImage &other : at32)
      EXPECT_NE(image, other) << name.toStdString();
    at32.append(image);
  }
  EXPECT_TRUE(RenderIcon("nosuch", 32).isNull());
}

TEST(SuiteIcons, IconsAreDrawnForTheDevicePixelsAtTwiceTheScale) {
  const QIcon icon = FormIcon("ProselF");
  for (int size : {16, 24, 32, 48, 128}) {
    const QPixmap pixmap = icon.pixmap(QSize(size, size), 2.0);
    EXPECT_EQ(pixmap.size(), QSize(2 * size, 2 * size));
    // Drawn at the larger size, not an enlarged small one.
    EXPECT_EQ(iconImage(icon, size, 2.0), RenderIcon("prosel", 2 * size)) << size;
  }
  EXPECT_EQ(iconImage(SuiteIcon(), 32), RenderIcon("corvana", 32));
}

TEST(SuiteIcons, FormsGetTheIconOfTheirNameWhenCreated) {
  using TChildF = TIconF<TForm::Kind::MdiChild>;
  using TTopF = TIconF<TForm::Kind::TopLevel>;
  CreateForm(TIconFrameF::instance);
  EXPECT_EQ(iconImage(TIconFrameF::instance->windowIcon(), 32), RenderIcon("corvana", 32));
  TChildF::ownIcon = false;
  CreateForm(TChildF::instance);
  EXPECT_EQ(iconImage(TChildF::instance->windowIcon(), 32), RenderIcon("twinfold", 32));
  // The MDI child's own frame shows it too.
  ASSERT_NE(TChildF::instance->mdiSubWindow(), nullptr);
  EXPECT_EQ(iconImage(TChildF::instance->mdiSubWindow()->windowIcon(), 32), RenderIcon("twinfold", 32));
  // A form that chooses its own icon in FormCreate keeps it.
  TTopF::ownIcon = true;
  CreateForm(TTopF::instance);
  EXPECT_EQ(iconImage(TTopF::instance->windowIcon(), 32), RenderIcon("zonella", 32));
  TTopF::ownIcon = false;
}
