// A bare Qt Widgets main window with a menu bar, nothing else: the floor that bench_startup
// holds the player's window beside. Usage: bare_window [WIDTH HEIGHT]
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const int width = arguments.size() > 2 ? arguments[1].toInt() : 460;
    const int height = arguments.size() > 2 ? arguments[2].toInt() : 320;

    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &application, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    window.resize(width > 0 ? width : 460, height > 0 ? height : 320);
    window.show();
    return QApplication::exec();
}
