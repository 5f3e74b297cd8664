#include "fakes/managerfixture.h"

#include <map>
#include <random>

using namespace kestrune;
using namespace kestrune::test;

namespace {
const QString board = QStringLiteral("sp_leaderboard");
const QStringList achievementIds{QStringLiteral("1won"), QStringLiteral("50won"), QStringLiteral("100won"),
                                 QStringLiteral("really_fast")};
} // namespace

// Nothing is lost and nothing is sent twice, whatever the service and the
// network do.
class TestFaults : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
