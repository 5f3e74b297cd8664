#include "programenvironment.h"
#include "app/commandline.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
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

    // The toolkit's options (a window manager's launcher or a user may give
    // them) are left to the application object, not refused.
    void stepsOverTheToolkitsOwnOptions()
    {
        std::optional<int> exitCode;
        const auto options = CommandLine::parse({"kestrune", "-platform", "offscreen", "-reverse", "--style=Fusion",
                                                 "--device", "tablet", "-qwindowtitle", "K", "UITest"},
                                                exitCode);
        QVERIFY(!exitCode);
        QCOMPARE(options.device, "tablet");
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

    // The program itself in a terminal without a display: nothing may need
    // one before it has answered.
    void theProgramAnswersWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: kestrune [options] [UITest]" << "";
        QTest::newRow("short help") << QStringList{"-h"} << 0 << "--render <png>" << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Kestrune " KESTRUNE_VERSION "\n" << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << ""
                                        << "kestrune: Unknown option 'frobnicate'.";
        QTest::newRow("unknown word") << QStringList{"solo"} << 2 << "" << "kestrune: unknown argument 'solo'";
        QTest::newRow("render without a file") << QStringList{"--render"} << 2 << ""
                                               << "kestrune: Missing value after '--render'.";
    }
    void theProgramAnswersWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment environment = test::programEnvironment(home);
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(KESTRUNE_PROGRAM, arguments);
        QVERIFY(program.waitForFinished(30000));
        const QString stdOut = QString::fromLocal8Bit(program.readAllStandardOutput());
        const QString stdErr = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        if (out.isEmpty())
            QCOMPARE(stdOut, QString());
        else
            QVERIFY2(stdOut.contains(out), qPrintable(stdOut));
        if (err.isEmpty()) {
            QCOMPARE(stdErr, QString());
        } else {
            QVERIFY2(stdErr.startsWith(err), qPrintable(stdErr));
            // A mistake is followed by the usage.
            QVERIFY(stdErr.contains("Usage: kestrune "));
        }
        QVERIFY(!stdOut.contains("<executable_name>") && !stdErr.contains("<executable_name>"));
        // Answering touched no settings or data.
        QVERIFY(!QFileInfo::exists(home.filePath("config")));
        QVERIFY(!QFileInfo::exists(home.filePath("data")));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
