#include "app/commandline.h"

#include <QTest>

using namespace kestrune;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void acceptsTheKnownOptions()
    {
        std::optional<int> exitCode;
        const auto options = CommandLine::parse({"kestrune", "--device", "tablet", "--data-folder", "/tmp/k",
                                                 "--quick-action", "multiplayer", "--no-game-service", "UITest"},
                                                exitCode);
        QVERIFY(!exitCode);
        QCOMPARE(options.device, "tablet");
        QCOMPARE(options.dataFolder, "/tmp/k");
        QCOMPARE(options.quickAction, "multiplayer");
        QVERIFY(options.noGameService);
        QVERIFY(options.uiTest);
    }

    void badInputExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{"kestrune", "--frobnicate"};
        QTest::newRow("unknown word") << QStringList{"kestrune", "UItest"};
        QTest::newRow("unknown device") << QStringList{"kestrune", "--device", "watch"};
        QTest::newRow("unknown action") << QStringList{"kestrune", "--quick-action", "solo"};
        QTest::newRow("missing value") << QStringList{"kestrune", "--data-folder"};
    }
    void badInputExitsWithTwo()
    {
        QFETCH(QStringList, arguments);
        std::optional<int> exitCode;
        CommandLine::parse(arguments, exitCode);
        QCOMPARE(exitCode, std::optional<int>(2));
    }

    void helpAndVersionExitWithZero()
    {
        for (const char *flag : {"--help", "--version"}) {
            std::optional<int> exitCode;
            CommandLine::parse({"kestrune", flag}, exitCode);
            QCOMPARE(exitCode, std::optional<int>(0));
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
