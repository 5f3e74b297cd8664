#include "programenvironment.h"

#include <QDirIterator>
#include <QProcess>
#include <QSize>
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

    // The width and height a PNG's header gives.
    static QSize pngSize(const QByteArray &png)
    {
        auto number = [&](int at) {
            return int((uchar(png[at]) << 24) | (uchar(png[at + 1]) << 16) | (uchar(png[at + 2]) << 8)
                       | uchar(png[at + 3]));
        };
        return png.size() < 24 ? QSize() : QSize(number(16), number(20));
    }

private slots:
    // Rendering needs no display: it runs with none, and with no platform
    // chosen.
    void renderingLeavesTheUsersDataAlone_data()
    {
        QTest::addColumn<bool>("namedFolder");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QSize>("size"); // the device's, whatever screen there is
        QTest::newRow("no data folder: a throw-away one") << false << "phone" << QSize(375, 667);
        QTest::newRow("a named data folder is used") << true << "tablet" << QSize(768, 1024);
    }
    void renderingLeavesTheUsersDataAlone()
    {
        QFETCH(bool, namedFolder);
        QFETCH(QString, device);
        QFETCH(QSize, size);
        QTemporaryDir home;
        QTemporaryDir named;
        QTemporaryDir output;
        QVERIFY(home.isValid() && named.isValid() && output.isValid());

        QProcessEnvironment environment = kestrune::test::programEnvironment(home);
        environment.insert("XDG_CACHE_HOME", output.filePath("cache"));
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        QProcess program;
        program.setProcessEnvironment(environment);
        QStringList arguments{"--render", output.filePath("window.png"), "--no-game-service", "--device", device};
        if (namedFolder)
            arguments << "--data-folder" << named.path();
        program.start(KESTRUNE_PROGRAM, arguments);
        QVERIFY(program.waitForFinished(60000));
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 program.readAllStandardError().constData());

        QFile png(output.filePath("window.png"));
        QVERIFY(png.open(QIODevice::ReadOnly));
        const QByteArray bytes = png.readAll();
        QVERIFY(bytes.startsWith("\x89PNG"));
        QCOMPARE(pngSize(bytes), size);

        QCOMPARE(filesBelow(home.filePath("config")), QStringList());
        QCOMPARE(filesBelow(home.filePath("data")), QStringList());
        // The named folder shows that the render does write what a game writes.
        QCOMPARE(filesBelow(named.path()).contains("settings.conf"), namedFolder);
    }
};

QTEST_GUILESS_MAIN(TestRender)
#include "tst_render.moc"
