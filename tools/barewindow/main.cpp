// The floor that the program's start-up and memory are held against: a
// bare Qt window of the phone's size, built the same way as the program.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Kestrune"));
    window.resize(390, 844);
    window.show();
    return app.exec();
}
