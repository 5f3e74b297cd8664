#include "fakes/managerfixture.h"

using namespace kestrune;
using namespace kestrune::test;

namespace {
const QString board = QStringLiteral("sp_leaderboard");
const QString unknown = QStringLiteral("unknownPlayer");
} // namespace

// Reporting scores and achievements, and what the cache keeps of them.
class TestReporting : public QObject
{
    Q_OBJECT

private slots:
    void bestScoreFollowsTheSortOrder_data()
    {
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<qint64>("reported");
        QTest::addColumn<int>("sortOrder");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("first score, higher is better") << qint64(-1) << qint64(420) << 0 << qint64(420);
        QTest::newRow("first score, lower is better: 0 counts as better") << qint64(-1) << qint64(420) << 1 << qint64(0);
        QTest::newRow("higher replaces") << qint64(300) << qint64(420) << 0 << qint64(420);
        QTest::newRow("lower stays") << qint64(500) << qint64(420) << 0 << qint64(500);
        QTest::newRow("lower is better, lower replaces") << qint64(500) << qint64(420) << 1 << qint64(420);
        QTest::newRow("other sort orders mean higher") << qint64(300) << qint64(420) << 7 << qint64(420);
        QTest::newRow("beyond 2^53, exactly") << (qint64(1) << 53) << (qint64(1) << 53) + 1 << 0 << (qint64(1) << 53) + 1;
    }
    void bestScoreFollowsTheSortOrder()
    {
        QFETCH(qint64, stored);
        QFETCH(qint64, reported);
        QFETCH(int, sortOrder);
        QFETCH(qint64, expected);
        ManagerFixture f;
        GameServiceManager &m = f.start();
        if (stored >= 0)
            m.saveAndReportScore(stored, board, 0);
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
        m.saveAndReportScore(420, board, 0);
        m.saveAndReportScore(0, board, 0);
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
        m.saveAndReportScore(500, board, 0);
        m.saveAndReportScore(420, board, 0);
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
        f.backend->failNext(FakeServiceBackend::Call::ReportScore);
        f.backend->failNext(FakeServiceBackend::Call::ReportAchievement);
        m.saveAndReportScore(430, board, 0);
        m.saveAndReportAchievement(QStringLiteral("100won"), 3.0, true);
        f.settle();
        QCOMPARE(f.savedScores().size(), 1);
        QCOMPARE(f.savedAchievements(m.localPlayerId()).value("100won").toDouble(), 3.0);
        QCOMPARE(f.delegate->callsOf("reportedScore").at(0).code, std::optional(ServiceErrorCode::communicationsFailure));
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
        QCOMPARE(m.progressForAchievements({QStringLiteral("50won"), QStringLiteral("100won"), QStringLiteral("never")}),
                 (QMap<QString, double>{{QStringLiteral("50won"), kept}, {QStringLiteral("100won"), 1.0},
                                        {QStringLiteral("never"), 0.0}}));
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
        auto damage = [&](const QByteArray &bytes) {
            QDir().mkpath(QFileInfo(m.cacheFilePath()).absolutePath());
            QFile file(m.cacheFilePath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        damage("\x9f\x01\x02"); // an unfinished CBOR array
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged"));
        m.setupManager();
        QCOMPARE(f.cache(), QCborMap());
        // Once per manager: a second call leaves even a new damaged file alone.
        damage("junk");
        m.setupManager();
        QFile file(m.cacheFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("junk"));
        QCOMPARE(QFile(m.cacheFilePath() + ".corrupt").size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestReporting)
#include "tst_reporting.moc"
