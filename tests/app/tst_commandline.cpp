#include "app/commandline.h"
#include "app/scriptedcodes.h"
#include "programenvironment.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrune;

namespace {

// A run of the program in a terminal without a display.
QProcessEnvironment withoutDisplay(const QTemporaryDir &home)
{
    QProcessEnvironment environment = test::programEnvironment(home);
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    return environment;
}

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// The program run to its end; a crash or a hang gives exit code -1.
Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    // The toolkit's options (a window manager's launcher or a user may give
    // them) are left to the application object, not refused.
    void acceptsTheKnownOptionsAndStepsOverTheToolkits()
    {
        std::optional<int> exitCode;
        const auto options = CommandLine::parse({"kestrune", "-platform", "offscreen", "--device", "tablet", "-reverse",
                                                 "--data-folder", "/tmp/k", "--style=Fusion", "--quick-action",
                                                 "multiplayer", "-qwindowtitle", "K", "--no-game-service", "--service",
                                                 "http://127.0.0.1:8080/", "UITest"},
                                                exitCode);
        QVERIFY(!exitCode);
        QCOMPARE(options.device, "tablet");
        QCOMPARE(options.dataFolder, "/tmp/k");
        QCOMPARE(options.quickAction, "multiplayer");
        QVERIFY(options.noGameService);
        QCOMPARE(options.service, "http://127.0.0.1:8080");
        QVERIFY(options.uiTest);
        QCOMPARE(CommandLine::parse({"kestrune", "--service", "local"}, exitCode).service, "local");
        QVERIFY(options.language.isEmpty());
        for (const char *code : {"en", "de", "fr", "es", "ru", "pseudo"})
            QCOMPARE(CommandLine::parse({"kestrune", "--language", code}, exitCode).language, code);
        QVERIFY(!exitCode);
    }

    void badInputExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments"); // an unknown option: on the program below
        QTest::newRow("a word near UITest") << QStringList{"kestrune", "UItest"};
        QTest::newRow("unknown device") << QStringList{"kestrune", "--device", "watch"};
        QTest::newRow("unknown action") << QStringList{"kestrune", "--quick-action", "solo"};
        QTest::newRow("missing value") << QStringList{"kestrune", "--data-folder"};
        QTest::newRow("service not http") << QStringList{"kestrune", "--service", "ftp://example.org"};
        QTest::newRow("service with a path") << QStringList{"kestrune", "--service", "https://example.org/v1"};
        QTest::newRow("unknown language") << QStringList{"kestrune", "--language", "xx"};
        QTest::newRow("a region for a language") << QStringList{"kestrune", "--language", "de_DE"};
        QTest::newRow("a language in capitals") << QStringList{"kestrune", "--language", "DE"};
        QTest::newRow("no language") << QStringList{"kestrune", "--language", ""};
    }
    void badInputExitsWithTwo()
    {
        QFETCH(QStringList, arguments);
        std::optional<int> exitCode;
        CommandLine::parse(arguments, exitCode);
        QCOMPARE(exitCode, std::optional<int>(2));
    }

    // The program itself in a terminal without a display: nothing may need
    // one before it has answered.
    void theProgramAnswersWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const auto row = [](const char *name, const QStringList &arguments, int code, const QString &out,
                            const QString &err) { QTest::newRow(name) << arguments << code << out << err; };
        row("help", {"--help"}, 0, "Usage: kestrune [options] [UITest]", "");
        row("short help", {"-h"}, 0, "--render <png>", "");
        row("version", {"--version"}, 0, "Kestrune " KESTRUNE_VERSION "\n", "");
        row("unknown option", {"--frobnicate"}, 2, "", "kestrune: Unknown option 'frobnicate'.");
        row("unknown word", {"solo"}, 2, "", "kestrune: unknown argument 'solo'");
        row("render without a file", {"--render"}, 2, "", "kestrune: Missing value after '--render'.");
        row("unknown language", {"--language", "klingon"}, 2, "",
            "kestrune: unknown language 'klingon' (en, de, fr, es, ru, pseudo)");
    }
    void theProgramAnswersWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const Run r = run(KESTRUNE_PROGRAM, arguments, withoutDisplay(home));
        QCOMPARE(r.exitCode, exitCode);
        if (out.isEmpty())
            QCOMPARE(r.out, QString());
        else
            QVERIFY2(r.out.contains(out), qPrintable(r.out));
        if (err.isEmpty())
            QCOMPARE(r.err, QString());
        else // a mistake is followed by the usage
            QVERIFY2(r.err.startsWith(err) && r.err.contains("Usage: kestrune "), qPrintable(r.err));
        QVERIFY(!r.out.contains("<executable_name>") && !r.err.contains("<executable_name>"));
        // Answering touched no settings or data.
        QVERIFY(!QFileInfo::exists(home.filePath("config")));
        QVERIFY(!QFileInfo::exists(home.filePath("data")));
    }

    // The check an installed program is given: it loads the module from where
    // the program lies, or says why not and exits 1.
    void theNetworkModuleCheckSaysWhetherTheModuleLoads_data()
    {
        QTest::addColumn<bool>("alone");       // the program copied to a folder without the module
        QTest::addColumn<QString>("variable"); // KESTRUNE_HTTP_MODULE, a text file when "text"
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("beside the program") << false << QString() << 0 << "kestrune: the network module loads\n";
        QTest::newRow("nowhere") << true << QString() << 1 << "was not found";
        QTest::newRow("not a module") << true << "text" << 1 << "could not be loaded";
    }
    void theNetworkModuleCheckSaysWhetherTheModuleLoads()
    {
        QFETCH(bool, alone);
        QFETCH(QString, variable);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QString program = KESTRUNE_PROGRAM;
        if (alone) {
            program = home.filePath("kestrune");
            QVERIFY(QFile::copy(KESTRUNE_PROGRAM, program));
        }
        QProcessEnvironment environment = withoutDisplay(home);
        environment.remove("KESTRUNE_HTTP_MODULE");
        if (variable == "text") {
            QFile text(home.filePath("libkestrune_http_curl.txt"));
            QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a module\n") > 0);
            environment.insert("KESTRUNE_HTTP_MODULE", text.fileName());
        }
        const Run r = run(program, {"--check-network-module"}, environment);
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode == 0) {
            QCOMPARE(r.out, said);
        } else {
            QVERIFY2(r.err.startsWith("kestrune: ") && r.err.contains(said), qPrintable(r.err));
            QCOMPARE(r.out, QString());
        }
    }

    // A scripted run plays against the codes it names, in turn and over again.
    void scriptedCodesAreDrawnInTurn()
    {
        QString error;
        const auto draw = ScriptedCodes::parse(QStringLiteral(" 1234, 9876 "), error);
        QVERIFY2(draw && error.isEmpty(), qPrintable(error));
        const auto copy = *draw;
        QCOMPARE((*draw)(), std::string("1234"));
        QCOMPARE(copy(), std::string("9876"));
        QCOMPARE((*draw)(), std::string("1234"));
        QVERIFY(!ScriptedCodes::parse(QString(), error) && error.isEmpty());
    }

    // Developer variables are read before a display is opened and a
    // malformed one stops the program like a mistyped option.
    void malformedDeveloperVariablesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("named"); // what the error names
        const auto row = [](const char *name, const char *variable, const char *value, const char *named) {
            QTest::newRow(name) << QString(variable) << QString(value) << QString(named);
        };
        row("stall not a number", "KESTRUNE_STALL_MS", "eight", "\"eight\"");
        row("stall zero", "KESTRUNE_STALL_MS", "0", "\"0\"");
        row("stall negative", "KESTRUNE_STALL_MS", "-8", "\"-8\"");
        row("code repeats a digit", "KESTRUNE_UITEST_CODES", "1234,1123", "\"1123\"");
        row("code with a zero", "KESTRUNE_UITEST_CODES", "0123", "\"0123\"");
        row("code too long", "KESTRUNE_UITEST_CODES", "12345", "\"12345\"");
    }
    void malformedDeveloperVariablesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, named);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment environment = withoutDisplay(home);
        environment.insert(name, value);
        const Run r = run(KESTRUNE_PROGRAM, {"UITest"}, environment);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.startsWith("kestrune: " + name) && r.err.contains(named), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
