#include "fakes/managerfixture.h"
#include "filebytes.h"

#include "gameservice/client/achievementresetfence.h"

#include <map>
#include <random>

using namespace kestrune;
using namespace kestrune::test;

namespace {
const QString board = QStringLiteral("sp_leaderboard");
const QString unknown = QStringLiteral("unknownPlayer");
const QStringList achievementIds{QStringLiteral("1won"), QStringLiteral("50won"), QStringLiteral("100won"),
                                 QStringLiteral("really_fast")};
using Call = FakeServiceBackend::Call;

// The service's progress for an achievement; -1 when it has none.
double atService(const ManagerFixture &f, const QString &id)
{
    const auto achievements = f.backend->achievements();
    const auto it = achievements.find(id);
    return it == achievements.end() ? -1.0 : it->second;
}
} // namespace

// Reporting scores and achievements, what the cache keeps of them, draining
// it, synchronising with the service, resetting achievements, and all of it
// under random failures.
class TestReporting : public QObject
{
    Q_OBJECT

private:
    // Items cached while offline, then the service becomes available.
    static void cacheOffline(ManagerFixture &f)
    {
        f.manager->saveAndReportScore(100, board, SortOrder::higherIsBetter);
        f.manager->saveAndReportScore(200, board, SortOrder::higherIsBetter);
        f.manager->saveAchievementToReportLater(QStringLiteral("1won"), 100.0);
        f.manager->saveAchievementToReportLater(QStringLiteral("50won"), 2.0);
    }

private slots:
    void bestScoreFollowsTheSortOrder_data()
    {
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<qint64>("reported");
        QTest::addColumn<SortOrder>("sortOrder");
        QTest::addColumn<qint64>("expected");
        constexpr auto higher = SortOrder::higherIsBetter;
        constexpr auto lower = SortOrder::lowerIsBetter;
        QTest::newRow("first score, higher is better") << qint64(-1) << qint64(420) << higher << qint64(420);
        QTest::newRow("first score, lower is better: 0 counts as better")
            << qint64(-1) << qint64(420) << lower << qint64(0);
        QTest::newRow("higher replaces") << qint64(300) << qint64(420) << higher << qint64(420);
        QTest::newRow("lower stays") << qint64(500) << qint64(420) << higher << qint64(500);
        QTest::newRow("lower is better, lower replaces") << qint64(500) << qint64(420) << lower << qint64(420);
        QTest::newRow("beyond 2^53, exactly")
            << (qint64(1) << 53) << (qint64(1) << 53) + 1 << higher << (qint64(1) << 53) + 1;
    }
    void bestScoreFollowsTheSortOrder()
    {
        QFETCH(qint64, stored);
        QFETCH(qint64, reported);
        QFETCH(SortOrder, sortOrder);
        QFETCH(qint64, expected);
        ManagerFixture f;
        GameServiceManager &m = f.start();
        if (stored >= 0)
            m.saveAndReportScore(stored, board, SortOrder::higherIsBetter);
        m.saveAndReportScore(reported, board, sortOrder);
        QCOMPARE(m.highScoreForLeaderboard(board), expected);
        QCOMPARE(m.highScoreForLeaderboards({board, QStringLiteral("never")}),
                 (QMap<QString, std::int64_t>{{board, expected}, {QStringLiteral("never"), 0}}));
        if (expected != 0)
            QVERIFY(f.playerEntry(unknown).value(board).isInteger());
    }

    void unavailableScoresAreCachedAndAnnouncedButZeroNever()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        m.saveAndReportScore(420, board, SortOrder::higherIsBetter);
        m.saveAndReportScore(0, board, SortOrder::higherIsBetter);
        f.settle();
        const QCborArray saved = f.savedScores();
        QCOMPARE(saved.size(), 1);
        const auto score = Score::fromArchive(saved[0].toByteArray());
        QCOMPARE(score->value(), 420);
        QCOMPARE(score->leaderboardIdentifier(), board);
        const auto announced = f.delegate->callsOf("didSaveScore");
        QCOMPARE(announced.size(), 1u);
        QCOMPARE(announced[0].argument.toLongLong(), 420);
        QVERIFY(announced[0].onMainThread);
    }

    // With the service, every report is sent (a lower score too), with the
    // banner wish; a failed one is cached and passed on to the delegate.
    void directReports()
    {
        ManagerFixture f;
        GameServiceManager &m = f.startAvailable();
        m.saveAndReportScore(500, board, SortOrder::higherIsBetter);
        m.saveAndReportScore(420, board, SortOrder::higherIsBetter);
        m.saveAndReportAchievement(QStringLiteral("50won"), 2.0, false);
        m.saveAndReportAchievement(QStringLiteral("1won"), 100.0, true);
        f.settle();
        QCOMPARE(f.backend->reportedScores().size(), 2u);
        QCOMPARE(m.highScoreForLeaderboard(board), 500);
        const auto reported = f.delegate->callsOf("reportedScore");
        QCOMPARE(reported.size(), 2u);
        QVERIFY(!reported[1].code && reported[1].onMainThread);
        const auto sent = f.backend->reportedAchievements();
        QCOMPARE(sent.size(), 2u);
        for (const Achievement &a : sent)
            QCOMPARE(a.showsCompletionBanner(), a.identifier() == QStringLiteral("1won"));
        QVERIFY(f.playerEntry(m.localPlayerId()).value("50won").isDouble());
        QVERIFY(f.savedScores().isEmpty() && f.savedAchievements(m.localPlayerId()).isEmpty());

        f.delegate->clear();
        f.backend->failNext(Call::ReportScore);
        f.backend->failNext(Call::ReportAchievement);
        m.saveAndReportScore(430, board, SortOrder::higherIsBetter);
        m.saveAndReportAchievement(QStringLiteral("100won"), 3.0, true);
        f.settle();
        QCOMPARE(f.savedScores().size(), 1);
        QCOMPARE(f.savedAchievements(m.localPlayerId()).value("100won").toDouble(), 3.0);
        QCOMPARE(f.delegate->callsOf("reportedScore").at(0).code,
                 std::optional(ServiceErrorCode::communicationsFailure));
        QCOMPARE(f.delegate->callsOf("reportedAchievement").at(0).code,
                 std::optional(ServiceErrorCode::communicationsFailure));
        QCOMPARE(f.delegate->count("didSaveScore"), 1);
        QCOMPARE(f.delegate->count("didSaveAchievement"), 1);
    }

    // Offline, both the player's progress and the items waiting to be sent
    // keep the highest value; the rules step past 100 without a cap.
    void achievementsKeepTheHighestValue_data()
    {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<double>("kept");
        QTest::newRow("40 then 30") << QList<double>{40, 30} << 40.0;
        QTest::newRow("30 then 40") << QList<double>{30, 40} << 40.0;
        QTest::newRow("one value") << QList<double>{12.5} << 12.5;
        QTest::newRow("past 100") << QList<double>{40, 101} << 101.0;
    }
    void achievementsKeepTheHighestValue()
    {
        QFETCH(QList<double>, values);
        QFETCH(double, kept);
        ManagerFixture f;
        GameServiceManager &m = f.start();
        for (double v : values)
            m.saveAndReportAchievement(QStringLiteral("50won"), v, true);
        m.saveAndReportAchievement(QStringLiteral("100won"), 1.0, true);
        QCOMPARE(
            m.progressForAchievements({QStringLiteral("50won"), QStringLiteral("100won"), QStringLiteral("never")}),
            (QMap<QString, double>{
                {QStringLiteral("50won"), kept}, {QStringLiteral("100won"), 1.0}, {QStringLiteral("never"), 0.0}}));
        const QCborMap saved = f.savedAchievements(unknown);
        QCOMPARE(saved.value("50won").toDouble(), kept);
        QCOMPARE(saved.value("100won").toDouble(), 1.0);
        QCOMPARE(saved.size(), 2);
        f.settle();
        QCOMPARE(f.delegate->count("didSaveAchievement"), values.size() + 1);
    }

    void anAchievementWithoutIdentifierIsAnError()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        m.saveAchievementToReportLater(QString(), 40.0);
        f.settle();
        const auto errors = f.delegate->callsOf("error");
        QCOMPARE(errors.size(), 1u);
        QCOMPARE(errors[0].code, std::optional(5));
        QVERIFY(errors[0].argument.toString().endsWith(
            QStringLiteral("following data:\nAchievement: (null)\nPercent Completed:40")));
        QCOMPARE(f.delegate->count("didSaveAchievement"), 0);
    }

    void setupRepairsADamagedCacheOnce()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        QVERIFY(writeBytes(f.manager->cacheFilePath(), "\x9f\x01\x02")); // an unfinished CBOR array
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged"));
        m.setupManager();
        QCOMPARE(f.cache(), QCborMap());
        // Once per manager: a second call leaves even a new damaged file alone.
        QVERIFY(writeBytes(f.manager->cacheFilePath(), "junk"));
        m.setupManager();
        QFile file(m.cacheFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("junk"));
        QCOMPARE(QFile(m.cacheFilePath() + ".corrupt").size(), 3);
    }

    // Without the network neither is tried, and nothing cached is lost.
    void drainingOrSynchronisingWithoutTheServiceIsAnError()
    {
        ManagerFixture f;
        f.start();
        cacheOffline(f);
        f.manager->reportSavedScoresAndAchievements();
        f.settle();
        const auto errors = f.delegate->callsOf("error");
        QCOMPARE(errors.size(), 1u);
        QCOMPARE(errors[0].code, std::optional(4));
        QVERIFY(errors[0].argument.toString().startsWith(QStringLiteral("Internet unavailable")));
        QCOMPARE(f.savedScores().size(), 2);
        f.manager->syncGameService();
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("error"), 2, 30000);
        QCOMPARE(f.delegate->callsOf("error")[1].code, std::optional(2));
    }

    // One item at a time, scores first and in the order they were made: a
    // failed one stays first and ends the run; the next run resends it under
    // the same report id, so a service that did store it stores it once.
    void drainingSendsOneAtATimeInOrderAndKeepsAFailureFirst()
    {
        ManagerFixture f;
        f.start();
        cacheOffline(f);
        f.backend->failNext(Call::ReportScore);
        f.makeAvailable(); // signing in synchronises, then starts the drain
        QTRY_COMPARE_WITH_TIMEOUT(f.backend->calls(Call::ReportScore), 1, 30000);
        f.settle();
        QVERIFY(f.backend->reportedScores().empty() && f.backend->reportedAchievements().empty());
        const QCborArray saved = f.savedScores();
        QCOMPARE(saved.size(), 2);
        const auto first = Score::fromArchive(saved[0].toByteArray());
        const auto second = Score::fromArchive(saved[1].toByteArray());
        QCOMPARE(first->value(), 100);
        QCOMPARE(second->value(), 200);
        QVERIFY(!first->reportID().isEmpty() && first->reportID() != second->reportID());

        f.manager->reportSavedScoresAndAchievements();
        f.settle();
        // Each item once, in order; achievements in the map's own order.
        const auto scores = f.backend->reportedScores();
        QCOMPARE(scores.size(), 2u);
        QVERIFY(scores[0].value() == 100 && scores[1].value() == 200);
        QCOMPARE(scores[0].reportID(), first->reportID());
        const auto achievements = f.backend->reportedAchievements();
        QCOMPARE(achievements.size(), 2u);
        QVERIFY(achievements[0].identifier() == "1won" && achievements[1].identifier() == "50won");
        QVERIFY(f.savedScores().isEmpty());
        QVERIFY(f.savedAchievements(f.manager->localPlayerId()).isEmpty());
    }

    // What cannot be sent would block the queue forever: an unreadable
    // blob, a zero, a score the service refuses outright (with a warning)
    // are dropped and the rest goes on. A score saved before scores had ids
    // gets one before it is first sent.
    void undeliverableScoresAreDroppedAndOldScoresGetAnId()
    {
        ManagerFixture f;
        f.startAvailable();
        Score old(board), refused(board);
        old.setValue(5);
        refused.setValue(6);
        QCborMap root;
        root.insert(QStringLiteral("SavedScores"),
                    QCborArray{QByteArray("garbage"), Score(board).archived(), refused.archived(), old.archived()});
        QVERIFY(writeBytes(f.manager->cacheFilePath(), QCborValue(root).toCbor()));
        f.manager->setupManager(); // reads the file as it is now
        f.backend->failNext(Call::ReportScore, ServiceErrorCode::invalidParameter);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot be read"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refused a saved score"));
        f.manager->reportSavedScoresAndAchievements(); // one run drops all three and goes on
        f.settle();
        const auto scores = f.backend->reportedScores();
        QCOMPARE(scores.size(), 1u);
        QCOMPARE(scores[0].value(), 5);
        QVERIFY(!scores[0].reportID().isEmpty());
        QVERIFY(f.savedScores().isEmpty());
    }

    // Scores merge to the larger, compared exactly as integers; the
    // service's achievements replace the device's, even lower ones.
    void synchronisingMergesScoresThenAchievements_data()
    {
        QTest::addColumn<qint64>("device");
        QTest::addColumn<qint64>("service");
        QTest::newRow("service higher") << qint64(10) << qint64(77);
        QTest::newRow("device higher") << qint64(90) << qint64(77);
        QTest::newRow("above 2^53") << (qint64(1) << 53) + 3 << (qint64(1) << 53) + 1;
    }
    void synchronisingMergesScoresThenAchievements()
    {
        QFETCH(qint64, device);
        QFETCH(qint64, service);
        ManagerFixture f;
        GameServiceManager &m = f.start();
        // The synchronisation that signing in starts stops at once, so the
        // one below is the first to merge.
        f.backend->failNext(Call::LoadLeaderboards);
        f.makeAvailable();
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("error"), 1, 30000);
        const QString me = m.localPlayerId();
        m.saveAndReportAchievement(QStringLiteral("50won"), 60.0, true); // higher than the service's
        m.saveAndReportScore(device, board, SortOrder::higherIsBetter);
        f.settle();
        f.backend->setLeaderboards({{board, {}}, {QStringLiteral("empty"), {}}});
        f.backend->setServiceScore(board, service, 3); // the player's own among the others'
        f.backend->setServiceAchievement(QStringLiteral("50won"), 40.0);
        f.delegate->clear();
        m.syncGameService();
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("gameServiceSynced"), 1, 30000);
        QVERIFY(f.delegate->callsOf("gameServiceSynced")[0].argument.toBool());
        QCOMPARE(m.highScoreForLeaderboard(board), std::max(device, service));
        QVERIFY(!f.playerEntry(me).contains(QStringLiteral("empty")));
        QCOMPARE(m.progressForAchievement(QStringLiteral("50won")), 40.0);
        QCOMPARE(f.flag("scoresSynced" + me), std::optional(true));
        QCOMPARE(f.flag("achievementsSynced" + me), std::optional(true));
        // Synchronised: a further run only says so again.
        const int loads = f.backend->calls(Call::LoadLeaderboards);
        m.syncGameService();
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("gameServiceSynced"), 2, 30000);
        QCOMPARE(f.backend->calls(Call::LoadLeaderboards), loads);
    }

    void errorsStopAStageAndTheNextSynchronisationResumesThere()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        f.backend->setServiceScore(board, 77);
        f.backend->setServiceAchievement(QStringLiteral("1won"), 100.0);
        f.backend->failNext(Call::LoadLeaderboards);
        f.backend->failNext(Call::LoadScores);
        f.backend->failNext(Call::LoadAchievements);
        // Three runs, each stopped by one error, then one that completes; the
        // first is the one that signing in starts.
        f.makeAvailable();
        const QString me = m.localPlayerId();
        for (int run = 1; run <= 3; ++run) {
            if (run > 1)
                m.syncGameService();
            QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("error"), run, 30000);
            QCOMPARE(f.delegate->callsOf("error").back().code, std::optional(ServiceErrorCode::communicationsFailure));
            QVERIFY(f.delegate->callsOf("error").back().onMainThread);
            QVERIFY(!f.flag("achievementsSynced" + me).value_or(false));
        }
        QCOMPARE(f.flag("scoresSynced" + me), std::optional(true));
        m.syncGameService();
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("gameServiceSynced"), 1, 30000);
        QCOMPARE(m.highScoreForLeaderboard(board), 77);
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), 100.0);
        QCOMPARE(f.backend->calls(Call::LoadLeaderboards), 2);
        QCOMPARE(f.backend->calls(Call::LoadScores), 2);
        QCOMPARE(f.backend->calls(Call::LoadAchievements), 2);
    }

    void resettingAchievements()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        int calls = 0;
        m.resetAchievementsWithCompletion([&](OptionalError) { ++calls; });
        f.settle();
        QCOMPARE(calls, 0); // unavailable: never answered

        f.makeAvailable();
        const QString me = m.localPlayerId();
        m.saveAndReportAchievement(QStringLiteral("1won"), 100.0, true);
        m.saveAchievementToReportLater(QStringLiteral("50won"), 4.0);
        f.settle();
        f.defaults->setBoolean(("achievementsSynced" + me).toStdString(), true);
        f.backend->failNext(Call::LoadAchievements);
        OptionalError answer;
        bool onMain = false;
        auto keep = [&](OptionalError e) {
            ++calls;
            answer = e;
            onMain = DispatchQueue::isMainThread();
        };
        m.resetAchievementsWithCompletion(keep);
        QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 30000);
        QVERIFY(answer && onMain);
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), 100.0);

        f.delegate->clear();
        const int loads = f.backend->calls(Call::LoadAchievements);
        m.resetAchievementsWithCompletion(keep);
        QTRY_COMPARE_WITH_TIMEOUT(calls, 2, 30000);
        QVERIFY(!answer && onMain);
        QVERIFY(f.backend->wasReset());
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), 0.0);
        // The flag was cleared and a new synchronisation loaded the achievements
        // again; what was waiting went out after it.
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("gameServiceSynced"), 1, 30000);
        QCOMPARE(f.backend->calls(Call::LoadAchievements), loads + 2);
        QTRY_VERIFY_WITH_TIMEOUT(f.savedAchievements(me).isEmpty(), 30000);
        QCOMPARE(atService(f, QStringLiteral("50won")), 4.0);
    }

    // The network came back and a synchronisation asked for the
    // achievements; the player resets them before its answer arrives. That
    // answer holds the values from before the reset and must not bring
    // them back.
    void aResetWinsOverASynchronisationStartedBeforeIt()
    {
        ManagerFixture f;
        f.backend->setServiceAchievement(QStringLiteral("1won"), 10.0);
        GameServiceManager &m = f.startAvailable();
        const QString me = m.localPlayerId();
        QTRY_COMPARE_WITH_TIMEOUT(m.progressForAchievement(QStringLiteral("1won")), 10.0, 30000);

        f.defaults->setBoolean(("achievementsSynced" + me).toStdString(), false);
        f.backend->holdNext(Call::LoadAchievements);
        m.syncGameService();
        QVERIFY(f.backend->waitUntilHeld(Call::LoadAchievements));
        f.delegate->clear();
        int answers = 0;
        OptionalError answer;
        m.resetAchievementsWithCompletion([&](OptionalError e) {
            ++answers;
            answer = e;
        });
        QTRY_COMPARE_WITH_TIMEOUT(answers, 1, 30000);
        QVERIFY(!answer);
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), 0.0);

        f.backend->release(Call::LoadAchievements);
        QTRY_VERIFY_WITH_TIMEOUT(f.delegate->count("gameServiceSynced") > 0, 30000);
        f.settle();
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), 0.0);
        QVERIFY(!f.playerEntry(me).contains(QStringLiteral("1won")));
        QCOMPARE(f.flag("achievementsSynced" + me), std::optional(true));
        QCOMPARE(atService(f, QStringLiteral("1won")), -1.0);
    }

    // A synchronisation's answer that arrives while a reset waits for the
    // service cannot tell whether it was read before the reset: it is turned
    // away, and loaded again once the reset has ended, whichever way.
    void aSynchronisationAnsweredDuringAResetIsTurnedAway_data()
    {
        QTest::addColumn<bool>("resetSucceeds");
        QTest::addColumn<double>("expected");
        QTest::newRow("the reset reaches the service") << true << 0.0;
        QTest::newRow("the reset fails: the service's value comes back") << false << 10.0;
    }
    void aSynchronisationAnsweredDuringAResetIsTurnedAway()
    {
        QFETCH(bool, resetSucceeds);
        QFETCH(double, expected);
        ManagerFixture f;
        f.backend->setServiceAchievement(QStringLiteral("1won"), 10.0);
        GameServiceManager &m = f.startAvailable();
        const QString me = m.localPlayerId();
        const QString synced = "achievementsSynced" + me;
        QTRY_COMPARE_WITH_TIMEOUT(m.progressForAchievement(QStringLiteral("1won")), 10.0, 30000);

        f.defaults->setBoolean(synced.toStdString(), false);
        f.backend->holdNext(Call::LoadAchievements);
        m.syncGameService();
        QVERIFY(f.backend->waitUntilHeld(Call::LoadAchievements));
        if (!resetSucceeds)
            f.backend->failNext(Call::ResetAchievements);
        f.backend->holdNext(Call::ResetAchievements);
        int answers = 0;
        OptionalError answer;
        m.resetAchievementsWithCompletion([&](OptionalError e) {
            ++answers;
            answer = e;
        });
        QVERIFY(f.backend->waitUntilHeld(Call::ResetAchievements));
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), 0.0); // cleared before the service is asked

        // Asked for meanwhile, the synchronisation runs again once the held
        // answer is dealt with; its load fails, which shows it has run.
        f.delegate->clear();
        f.backend->failNext(Call::LoadAchievements);
        m.syncGameService();
        f.backend->release(Call::LoadAchievements);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("error"), 1, 30000);
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), 0.0);
        QCOMPARE(f.flag(synced), std::optional(false));
        QCOMPARE(f.delegate->count("gameServiceSynced"), 0);

        f.backend->release(Call::ResetAchievements);
        QTRY_COMPARE_WITH_TIMEOUT(answers, 1, 30000);
        QCOMPARE(bool(answer), !resetSucceeds);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("gameServiceSynced"), 1, 30000);
        f.settle();
        QCOMPARE(f.flag(synced), std::optional(true));
        QCOMPARE(m.progressForAchievement(QStringLiteral("1won")), expected);
    }

    // What was earned before anybody signed in belongs to the first player
    // who does, and goes out by itself once the service is there: a
    // synchronisation first, which must not undo what is still waiting.
    void signingInAdoptsAndSendsWhatWasEarnedOffline()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        m.setupManager();
        cacheOffline(f);
        m.saveAndReportAchievement(QStringLiteral("50won"), 4.0, true);
        QCOMPARE(m.progressForAchievement(QStringLiteral("50won")), 4.0); // seen before it is written
        f.backend->setServiceAchievement(QStringLiteral("50won"), 2.0);

        f.makeAvailable();
        const QString me = m.localPlayerId();
        QVERIFY(me != unknown);
        QTRY_VERIFY_WITH_TIMEOUT(f.savedScores().isEmpty() && f.savedAchievements(me).isEmpty(), 30000);
        f.settle();

        const auto scores = f.backend->reportedScores();
        QCOMPARE(scores.size(), 2u);
        QVERIFY(scores[0].value() == 100 && scores[1].value() == 200);
        QCOMPARE(atService(f, QStringLiteral("1won")), 100.0);
        QCOMPARE(atService(f, QStringLiteral("50won")), 4.0);
        QVERIFY(!f.cache().contains(unknown)); // moved, not copied
        QCOMPARE(m.highScoreForLeaderboard(board), 200);
        QCOMPARE(m.progressForAchievement(QStringLiteral("50won")), 4.0);
    }

    // Which synchronisation answers a reset lets through, and when one it
    // turned away must be started again.
    void theResetFence()
    {
        AchievementResetFence fence;
        const auto before = fence.ticket();
        QVERIFY(fence.admits(before));
        fence.resetBegins();
        QVERIFY(!fence.admits(before));
        QVERIFY(!fence.admits(fence.ticket())); // taken during the reset: read before it or after?
        QVERIFY(!fence.resetEnds(true));        // it synchronises by itself
        QVERIFY(!fence.admits(before));
        QVERIFY(fence.admits(fence.ticket()));

        // A failed reset outdates nothing and asks again for what it turned away.
        const auto after = fence.ticket();
        fence.resetBegins();
        QVERIFY(!fence.resetEnds(false)); // nothing turned away, nothing to restart
        QVERIFY(fence.admits(after));

        fence.resetBegins();
        QVERIFY(!fence.admits(after));
        QVERIFY(fence.resetEnds(false));
        QVERIFY(fence.admits(after));
        fence.resetBegins();
        QVERIFY(!fence.resetEnds(false)); // asked for once only
    }

    // Only the last of overlapping resets to end decides; one that reached
    // the service starts a synchronisation of its own.
    void overlappingResets_data()
    {
        QTest::addColumn<bool>("lastReached");
        QTest::newRow("the last one fails") << false;
        QTest::newRow("the last one reaches the service") << true;
    }
    void overlappingResets()
    {
        QFETCH(bool, lastReached);
        AchievementResetFence fence;
        const auto before = fence.ticket();
        fence.resetBegins();
        fence.resetBegins();
        QVERIFY(!fence.admits(before));
        QVERIFY(!fence.resetEnds(false));
        QVERIFY(!fence.admits(before)); // the other is still under way
        QCOMPARE(fence.resetEnds(lastReached), !lastReached);
        QCOMPARE(fence.admits(before), !lastReached);
    }

    // Nothing is lost and nothing is sent twice, whatever the service and the
    // network do.
    void randomFailuresLoseNothing_data()
    {
        QTest::addColumn<unsigned>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 2026") << 2026u;
        QTest::newRow("seed 77") << 77u;
    }
    void randomFailuresLoseNothing()
    {
        QFETCH(unsigned, seed);
        // Nobody is signed in at first: what is earned then must reach the
        // player who signs in part-way.
        ManagerFixture f;
        GameServiceManager &m = f.start();
        m.setupManager();
        QVERIFY(!m.isGameServiceAvailable());
        f.backend->setRandomFailure(0.35, seed);

        std::mt19937 random(seed);
        auto roll = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); };
        std::vector<qint64> submittedScores;
        std::map<QString, double> bestSubmitted;
        qint64 nextScore = 1;
        constexpr int operations = 300;
        for (int i = 0; i < operations; ++i) {
            if (i == operations / 3) {
                f.backend->setSignedIn(ManagerFixture::player);
                m.checkGameServiceAvailability(false);
            }
            const int what = roll(100);
            if (what < 45) {
                submittedScores.push_back(nextScore);
                m.saveAndReportScore(nextScore++, board, SortOrder::higherIsBetter);
            } else if (what < 50) {
                m.saveAndReportScore(0, board, SortOrder::higherIsBetter); // never kept, never counted
            } else if (what < 80) {
                const QString id = achievementIds[roll(achievementIds.size())];
                const double percent = 1 + roll(100);
                bestSubmitted[id] = std::max(bestSubmitted[id], percent);
                m.saveAndReportAchievement(id, percent, false);
            } else if (what < 90) {
                f.setNetwork(roll(2) == 0);
            } else if (what < 95) {
                m.reportSavedScoresAndAchievements();
            } else {
                m.syncGameService();
            }
            if (i % 25 == 0)
                f.settle(1);
        }
        f.settle();

        // The service recovers and the network comes back: the cache drains
        // by itself, to the last item.
        f.backend->setRandomFailure(0.0, seed);
        f.setNetwork(false);
        f.setNetwork(true);
        const QString me = m.localPlayerId();
        QCOMPARE(me, ManagerFixture::player.playerID);
        QTRY_VERIFY_WITH_TIMEOUT(f.savedScores().isEmpty() && f.savedAchievements(me).isEmpty(), 60000);
        f.settle();
        QVERIFY(!f.cache().contains(QStringLiteral("unknownPlayer"))); // all of it went to the player

        std::vector<qint64> atService;
        for (const Score &s : f.backend->reportedScores()) {
            if (s.value() != 0)
                atService.push_back(s.value());
        }
        std::sort(atService.begin(), atService.end());
        QCOMPARE(atService, submittedScores); // each one, exactly once
        const auto achievements = f.backend->achievements();
        for (const auto &[id, best] : bestSubmitted) {
            QVERIFY2(achievements.count(id), qPrintable(id));
            QCOMPARE(achievements.at(id), best);
        }
        QVERIFY(f.backend->calls(FakeServiceBackend::Call::ReportScore)
                > int(submittedScores.size())); // failures happened
    }
};

QTEST_GUILESS_MAIN(TestReporting)
#include "tst_reporting.moc"
