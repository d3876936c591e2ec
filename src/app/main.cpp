#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora 3.6"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Velmora 3.6"));
    w.resize(800, 600);
    w.show();
    return app.exec();
}
