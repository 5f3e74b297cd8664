#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Runs the program itself with --render, in a home of its own.
class TestRender : public QObject
{
    Q_OBJECT

    static QStringList filesBelow(const QString &folder)
    {
        QStringList files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(folder).relativeFilePath(it.next());
        return files;
    }

private slots:
    void renderingLeavesTheUsersDataAlone_data()
    {
        QTest::addColumn<bool>("namedFolder");
        QTest::newRow("no data folder: a throw-away one") << false;
        QTest::newRow("a named data folder is used") << true;
    }
    void renderingLeavesTheUsersDataAlone()
    {
        QFETCH(bool, namedFolder);
        QTemporaryDir home;
        QTemporaryDir named;
        QTemporaryDir output;
        QVERIFY(home.isValid() && named.isValid() && output.isValid());

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("XDG_CACHE_HOME", output.filePath("cache"));
        QProcess program;
        program.setProcessEnvironment(environment);
        QStringList arguments{"--render", output.filePath("window.png"), "--no-game-service"};
        if (namedFolder)
            arguments << "--data-folder" << named.path();
        program.start(KESTRUNE_PROGRAM, arguments);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        QFile png(output.filePath("window.png"));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QCOMPARE(png.read(4), QByteArray("\x89PNG"));

        QCOMPARE(filesBelow(home.filePath("config")), QStringList());
        QCOMPARE(filesBelow(home.filePath("data")), QStringList());
        // The named folder shows that the render does write what a game writes.
        QCOMPARE(filesBelow(named.path()).contains("settings.conf"), namedFolder);
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "tst_render.moc"
