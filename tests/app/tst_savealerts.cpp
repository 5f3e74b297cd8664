#include "filesizelimit.h"
#include "manualanimationdriver.h"

#include "app/savealerts.h"
#include "game/statisticshelper.h"
#include "platform/backgroundsyncstore.h"
#include "platform/settingsstore.h"
#include "views/toast/toastalert.h"
#include "views/toast/toastalertview.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kestrune;

namespace {

QStringList titles(const ToastAlert &toast)
{
    QStringList result;
    for (const ToastAlertView *card : toast.alertQueue())
        result << card->title();
    return result;
}

} // namespace

// The player is told, once, when the games stop being saved and when they
// are saved again; the figures on disk are never ahead of what was written.
class TestSaveAlerts : public QObject
{
    Q_OBJECT

private slots:
    void aFullDiskIsToldOnceAndSoIsItsEnd()
    {
        test::ManualAnimationDriver driver; // the cards stay put while looked at
        QTemporaryDir dir;
        const QString fileName = dir.filePath(QStringLiteral("settings.conf"));
        ToastAlert toast;
        BackgroundSyncStore store([&fileName] { return std::make_unique<SettingsStore>(fileName); });
        SaveAlerts alerts(store.status(), toast);

        QVERIFY(StatisticsHelper::recordGame(store, true, 5));
        QVERIFY(store.flush());
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray stored = file.readAll();
        file.close();
        {
            test::FileSizeLimit fullDisk(stored.size() + 20);
            QVERIFY(fullDisk.isActive());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write the settings file .*the disk is full"));
            store.setString("padding", std::string(200, 'p'));
            for (int i = 0; i < 5; ++i) {
                StatisticsHelper::recordGame(store, i % 2 == 0, 5);
                QVERIFY(!store.flush());
            }
            QTRY_COMPARE(titles(toast), QStringList{"Kestrune cannot save your games: the disk is full"});
            // Read as bytes: a second settings object in this process would
            // see the first one's unwritten values.
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), stored);
            file.close();
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is written again"));
        StatisticsHelper::recordGame(store, true, 5);
        QVERIFY(store.flush());
        QTRY_COMPARE(titles(toast).size(), 2);
        QCOMPARE(titles(toast).last(), QStringLiteral("Kestrune saves your games again"));
        QCOMPARE(SettingsStore(fileName).integer("games"), std::optional<std::int64_t>(7));
        QCOMPARE(StatisticsHelper::historyValue(SettingsStore(fileName)), std::string("WWLWLWW"));
    }
};

QTEST_MAIN(TestSaveAlerts)
#include "tst_savealerts.moc"
