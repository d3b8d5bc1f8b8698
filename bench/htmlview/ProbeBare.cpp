// The peer of the HTML view benchmark: a bare engine view program that loads the file given
// as its argument and prints the milliseconds from showing the view to the end of the load,
// then those from its launch (CORVANA_LAUNCH_NS, the launcher's monotonic clock) to that end.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2)
    return 2;
  QWebEngineView view;
  view.resize(800, 600);
  QElapsedTimer timer;
  QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char *launch = std::getenv("CORVANA_LAUNCH_NS");
    const double sinceLaunch = launch ? (now.tv_sec * 1e9 + now.tv_nsec - std::atof(launch)) / 1e6 : -1;
    std::printf("%.3f %.3f\n", timer.nsecsElapsed() / 1e6, sinceLaunch);
    QApplication::exit(0);
  });
  QTimer::singleShot(60000, [] { QApplication::exit(1); });
  timer.start();
  view.show();
  view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
  return QApplication::exec();
}
