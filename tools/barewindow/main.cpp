// The floor that the program's start-up, memory and first frame are held
// against: a bare Qt window, built the same way as the program, of the
// phone's size or of the size given with --size WxH (the size a run's window
// had). KESTRUNE_STALL_MS reports its long events as the program does.
#include "app/application.h"
#include "platform/stallwatch.h"

#include <QLabel>
#include <QRegularExpression>

#include <cstdio>

int main(int argc, char *argv[])
{
    kestrune::Application app(argc, argv);
    QString badVariable;
    std::optional<kestrune::StallWatch> stallWatch = kestrune::StallWatch::fromEnvironment(badVariable);
    if (!badVariable.isEmpty()) {
        std::fprintf(stderr, "kestrune_barewindow: %s\n", qPrintable(badVariable));
        return 2;
    }
    if (stallWatch)
        app.watchStalls(&*stallWatch);
    QSize size(390, 844);
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const auto match = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(args.value(i + 1));
        if (args[i] != QLatin1String("--size") || !match.hasMatch() || match.captured(1).toInt() <= 0
            || match.captured(2).toInt() <= 0) {
            std::fprintf(stderr, "usage: kestrune_barewindow [--size WIDTHxHEIGHT]\n");
            return 2;
        }
        size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        ++i;
    }
    QLabel window(QStringLiteral("Kestrune"));
    window.resize(size);
    window.show();
    return app.exec();
}
