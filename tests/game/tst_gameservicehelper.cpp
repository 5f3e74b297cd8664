#include "recordinggameservice.h"

#include "game/gameservicehelper.h"

#include <QTest>

using namespace kestrune;
using kestrune::test::RecordingGameService;
using Reports = std::vector<RecordingGameService::AchievementReport>;

class TestGameServiceHelper : public QObject
{
    Q_OBJECT

private slots:
    void fiftiethWinCompletesAndTheNextSkips()
    {
        RecordingGameService service;
        for (int win = 1; win <= 50; ++win)
            GameServiceHelper::report(service, AchievementEvent::gameWon);
        QCOMPARE(service.progress["50won"], 100.0);
        QCOMPARE(service.progress["100won"], 50.0);
        service.achievements.clear();
        GameServiceHelper::report(service, AchievementEvent::gameWon);
        QCOMPARE(service.achievements, (Reports{{"100won", 51, true}}));
    }

    void steppedValuesAreNotCapped()
    {
        RecordingGameService service;
        service.progress["50won"] = 99;
        service.progress["1won"] = 100;
        service.progress["100won"] = 99.5;
        GameServiceHelper::report(service, AchievementEvent::gameWon);
        QCOMPARE(service.achievements, (Reports{{"50won", 101, true}, {"100won", 100.5, true}}));
    }

    void oneOffAchievementsAreReportedOnce_data()
    {
        QTest::addColumn<int>("event");
        QTest::addColumn<QString>("identifier");
        QTest::newRow("stubborn") << int(AchievementEvent::reallyStubborn) << "really_stubborn";
        QTest::newRow("fast") << int(AchievementEvent::reallyFast) << "really_fast";
        QTest::newRow("lucky") << int(AchievementEvent::luckyBeggar) << "lucky_beggar";
    }
    void oneOffAchievementsAreReportedOnce()
    {
        QFETCH(int, event);
        QFETCH(QString, identifier);
        RecordingGameService service;
        GameServiceHelper::report(service, AchievementEvent(event));
        GameServiceHelper::report(service, AchievementEvent(event));
        QCOMPARE(service.achievements, (Reports{{identifier.toStdString(), 100, true}}));
    }

    void everyProgressIsReadBeforeAnyReport()
    {
        // A client whose reports would change what is read next.
        struct Eager : RecordingGameService
        {
            void saveAndReportAchievement(const std::string &id, double p, bool n) override
            {
                RecordingGameService::saveAndReportAchievement(id, p, n);
                progress["50won"] = 100;
                progress["100won"] = 100;
            }
        } service;
        GameServiceHelper::report(service, AchievementEvent::gameWon);
        QCOMPARE(service.achievements.size(), std::size_t(3));
    }
};

QTEST_GUILESS_MAIN(TestGameServiceHelper)
#include "tst_gameservicehelper.moc"
