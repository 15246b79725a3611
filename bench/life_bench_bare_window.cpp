// The yardstick of life_bench: a bare Qt window of the front panel's size
// with the same menu bar titles and a 150 ms timer that does nothing, so that
// the cost of Qt, the X connection and an idle timer can be told apart from
// the front panel's own.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* system = window.menuBar()->addMenu(QStringLiteral("&System"));
    system->addAction(QStringLiteral("Self &Test"));
    system->addAction(QStringLiteral("&Auto Update"))->setCheckable(true);
    system->addSeparator();
    system->addAction(QStringLiteral("&Close"), &window, &QWidget::close);
    window.menuBar()->addMenu(QStringLiteral("&Panels"))->addAction(QStringLiteral("&Main Panel"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About..."));
    window.setFixedSize(402, 404);
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(150);
    window.show();
    return QApplication::exec();
}
