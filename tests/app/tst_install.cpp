#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

// Installs the build into a prefix of its own and checks what a desktop
// finds there with the freedesktop tools.
class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;

    static QString run(const QString &program, const QStringList &arguments, int &exitCode,
                       const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(120000)) {
            exitCode = -1;
            return process.errorString();
        }
        exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return QString::fromLocal8Bit(process.readAll());
    }
    QString installed(const QString &file) const { return m_prefix.filePath(file); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        int exitCode = 0;
        const QString output =
            run(KESTRUNE_CMAKE, {"--install", KESTRUNE_BUILD_DIR, "--prefix", m_prefix.path()}, exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
    }

    // The installed program runs, and its module lies where it looks for it,
    // whatever the prefix: nothing beside the program, and no variable, helps it here.
    void theInstalledProgramLoadsItsNetworkModule()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("KESTRUNE_HTTP_MODULE");
        int exitCode = 0;
        const QString output =
            run(installed(KESTRUNE_INSTALL_GAMEDIR "/kestrune"), {"--check-network-module"}, exitCode, environment);
        QVERIFY2(exitCode == 0, qPrintable(output));
        QVERIFY(!QFileInfo::exists(installed(KESTRUNE_INSTALL_GAMEDIR "/libkestrune_http_curl.so")));
    }

    void theIconIsAValidPicture()
    {
        QSvgRenderer icon(installed("share/icons/hicolor/scalable/apps/kestrune.svg"));
        QVERIFY(icon.isValid());
        QCOMPARE(icon.defaultSize(), QSize(128, 128));
    }

    void theDesktopEntryDeclaresBothQuickActions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::newRow("singleplayer") << "singleplayer"
                                      << "New single player game";
        QTest::newRow("multiplayer") << "multiplayer"
                                     << "New two player game";
    }
    void theDesktopEntryDeclaresBothQuickActions()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFile file(installed("share/applications/kestrune.desktop"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString entry = QString::fromUtf8(file.readAll());
        QVERIFY(
            entry.contains(QRegularExpression("^Actions=.*\\b" + action + ";", QRegularExpression::MultilineOption)));
        const QString group =
            QStringLiteral("[Desktop Action %1]\nName=%2\nExec=kestrune --quick-action %1\n").arg(action, name);
        QVERIFY2(entry.contains(group), qPrintable(entry));
    }

    void theMetainfoNamesTheHomePageTheProgramShares()
    {
        QFile file(installed("share/metainfo/io.github.kestrune.kestrune.metainfo.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString homePage = QStringLiteral(KESTRUNE_HOMEPAGE_URL);
        QVERIFY(!homePage.isEmpty());
        const QString metainfo = QString::fromUtf8(file.readAll());
        QVERIFY2(metainfo.contains(QStringLiteral("<url type=\"homepage\">%1</url>").arg(homePage)),
                 qPrintable(metainfo));
    }

    void theFreedesktopValidatorsAccept_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList()
                                       << "share/applications/kestrune.desktop";
        QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net", "--pedantic"}
                                  << "share/metainfo/io.github.kestrune.kestrune.metainfo.xml";
    }
    void theFreedesktopValidatorsAccept()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QSKIP(qPrintable(
                tool + " is not installed (Debian: desktop-file-utils, appstream); scripts/setup.sh installs it"));
        int exitCode = 0;
        const QString output = run(program, arguments << installed(file), exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
        // Warnings fail too: desktop-file-validate exits 0 on them.
        QVERIFY2(!output.contains("warning", Qt::CaseInsensitive), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
