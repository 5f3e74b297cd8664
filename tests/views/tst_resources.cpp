#include "platform/resources/resources.h"

#include <QGuiApplication>
#include <QProcess>
#include <QtTest>

using namespace kestrune;

namespace {
// Run by the test in a child process: a lookup that must stop the process.
constexpr char missingImage[] = "--look-up-missing-image";
constexpr char missingColor[] = "--look-up-missing-color";
} // namespace

class ResourcesTest : public QObject
{
    Q_OBJECT

private:
    void verifyStops(const char *option, const QString &name)
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(option)});
        QVERIFY(child.waitForFinished(30000));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY2(child.readAllStandardError().contains(name.toUtf8()), "the message names the resource");
    }

private slots:
    void everyNamedImageDraws_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Black", "White", "Empty", "Win", "Lose", "Tie", "Single Player", "Two Players",
                                 "Pass To Player 1", "Pass To Player 2", "Simultaneous", "Help", "Close Game",
                                 "Single", "Tutorial Puzzle", "Tutorial Bulls and Cows", "Tutorial Single Player",
                                 "Tutorial Two Players", "Triangle Top", "Triangle Bottom", "Backspace", "Shot"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyNamedImageDraws()
    {
        QFETCH(QString, name);
        for (auto scheme : {Resources::ColorScheme::light, Resources::ColorScheme::dark}) {
            Resources::setColorScheme(scheme);
            const QImage image = Resources::pixmap(name, QSizeF(32, 32)).toImage();
            bool drawn = false;
            for (int y = 0; y < image.height() && !drawn; ++y)
                for (int x = 0; x < image.width() && !drawn; ++x)
                    drawn = qAlpha(image.pixel(x, y)) > 0;
            QVERIFY(drawn);
        }
        Resources::setColorScheme(Resources::ColorScheme::system);
    }

    void everyNamedColourFollowsTheScheme()
    {
        for (const char *name : {"background", "quotationGradientStart", "quotationGradientEnd", "winBar", "loseBar",
                                 "circleButtonBackground", "keyboardEnabled", "keyboardDisabled", "tutorialRed",
                                 "toastBackground"}) {
            Resources::setColorScheme(Resources::ColorScheme::light);
            const QColor light = Resources::color(QString::fromLatin1(name));
            Resources::setColorScheme(Resources::ColorScheme::dark);
            QVERIFY2(Resources::color(QString::fromLatin1(name)) != light, name);
        }
        Resources::setColorScheme(Resources::ColorScheme::system);
    }

    void aMissingImageStopsWithItsName() { verifyStops(missingImage, QStringLiteral("No Such Picture")); }
    void aMissingColourStopsWithItsName() { verifyStops(missingColor, QStringLiteral("noSuchColour")); }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && (qstrcmp(argv[1], missingImage) == 0 || qstrcmp(argv[1], missingColor) == 0)) {
        QGuiApplication app(argc, argv);
        if (qstrcmp(argv[1], missingImage) == 0)
            Resources::pixmap(QStringLiteral("No Such Picture"), QSizeF(8, 8));
        else
            Resources::color(QStringLiteral("noSuchColour"));
        return 0; // not reached
    }
    QGuiApplication app(argc, argv);
    ResourcesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_resources.moc"
