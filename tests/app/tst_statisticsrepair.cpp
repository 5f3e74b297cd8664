#include "programenvironment.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the program itself on a data folder whose statistics a kill between
// two keys of an older version put out of step.
class TestStatisticsRepair : public QObject
{
    Q_OBJECT

    static QString run(const QTemporaryDir &home, const QString &folder)
    {
        QProcessEnvironment environment = kestrune::test::programEnvironment(home);
        environment.insert("XDG_CACHE_HOME", home.filePath("cache"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(KESTRUNE_PROGRAM,
                      {"--render", home.filePath("window.png"), "--no-game-service", "--data-folder", folder});
        if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)
            return QStringLiteral("the program failed");
        return QString::fromLocal8Bit(program.readAllStandardError());
    }

private slots:
    // Repaired at the start, said once, and in step on disk after.
    void figuresOutOfStepAreRepairedAndSaidOnce()
    {
        QTemporaryDir home;
        QTemporaryDir folder;
        QVERIFY(home.isValid() && folder.isValid());
        QFile settings(folder.filePath("settings.conf"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[General]\ngames=496\nwins=506\nlosses=2\nhistory=WLWWWWWWWWWWWL\nsecondsSpentInGame=900\n");
        settings.close();

        const QString first = run(home, folder.path());
        QVERIFY2(first.contains("Statistics were out of step and are repaired"), qPrintable(first));
        QCOMPARE(first.count("Statistics were out of step"), 1);
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray repaired = settings.readAll();
        settings.close();
        QVERIFY2(repaired.contains("\ngames=508\n"), repaired.constData());
        QVERIFY(repaired.contains("\nwins=506\n"));
        QVERIFY(repaired.contains("\nhistory=WLWWWWWWWWWWWL\n")); // shorter than the games: kept
        QVERIFY(repaired.contains("\nsecondsSpentInGame=900\n"));

        const QString second = run(home, folder.path());
        QVERIFY2(!second.contains("Statistics were out of step"), qPrintable(second));
    }
};

QTEST_GUILESS_MAIN(TestStatisticsRepair)
#include "tst_statisticsrepair.moc"
