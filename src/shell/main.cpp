// Program entry: the application titled "Kanvo" and its main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kanvo"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kanvo"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
