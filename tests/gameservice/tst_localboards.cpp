#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/local/localservicebackend.h"

#include <QCborMap>
#include <QCborValue>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kestrune;

namespace {

const QString board = QStringLiteral("sp_leaderboard");

QDateTime utc(int y, int m, int d, int h = 12, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

// The service over a file in `dir`, its "now" where the test puts it.
struct Service
{
    explicit Service(const QTemporaryDir &dir)
        : backend(
            std::make_shared<LocalServiceBackend>(dir.filePath("service.cbor"), GameServiceEnvironment::catalogue()))
    {
        backend->setNow([this] { return now; });
    }

    QString player(const QString &name)
    {
        OptionalError error;
        const QString id = backend->signIn(name, error).playerID;
        if (error)
            qFatal("sign-in failed: %s", qPrintable(error->message));
        return id;
    }

    void report(const QString &id, std::int64_t value, const QDateTime &when)
    {
        Score score(board);
        score.setValue(value);
        score.setDate(when);
        OptionalError error;
        backend->reportScore(id, score, error);
        if (error)
            qFatal("report failed: %s", qPrintable(error->message));
    }

    Leaderboard::Scores load(const QString &me, Leaderboard::Scope scope,
                             Leaderboard::Window window = Leaderboard::Window::top)
    {
        OptionalError error;
        Leaderboard::Scores scores = backend->loadScores(me, board, Leaderboard::Query{scope, window}, error);
        if (error)
            qFatal("load failed: %s", qPrintable(error->message));
        return scores;
    }

    std::shared_ptr<LocalServiceBackend> backend;
    QDateTime now = utc(2026, 12, 9); // a Wednesday
};

// "name value" per row, best first.
QStringList rows(const Leaderboard::Scores &scores)
{
    QStringList out;
    for (const Score &s : scores.scores)
        out << QStringLiteral("%1 %2").arg(s.displayName()).arg(s.value());
    return out;
}

QStringList ranks(const Leaderboard::Scores &scores)
{
    QStringList out;
    for (const Score &s : scores.scores)
        out << QString::number(s.rank());
    return out;
}

} // namespace

// The local service's leaderboards by day and week (UTC), its ranks and its
// window around the player, and its file read by older and newer versions.
class TestLocalBoards : public QObject
{
    Q_OBJECT

private slots:
    void eachScopeHoldsTheBestOfItsPeriod()
    {
        QTemporaryDir dir;
        Service s(dir);
        const QString ada = s.player("Ada"), bob = s.player("Bob"), cy = s.player("Cy");
        s.report(ada, 300, utc(2026, 12, 9, 8));      // today
        s.report(bob, 500, utc(2026, 12, 8, 23, 59)); // yesterday, this week
        s.report(cy, 900, utc(2026, 12, 6, 20));      // Sunday: last week

        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 300"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Bob 500", "Ada 300"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Cy 900", "Bob 500", "Ada 300"}));
        QCOMPARE(s.load(ada, Leaderboard::Scope::week).playerCount, 2);
        QVERIFY(!s.load(cy, Leaderboard::Scope::today).localPlayerScore);

        // Below their best of all time, today's scores still count for today.
        s.report(bob, 100, utc(2026, 12, 9, 9));
        s.report(cy, 50, utc(2026, 12, 9, 10));
        s.report(cy, 40, utc(2026, 12, 9, 11)); // lower: today's best stays
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 300", "Bob 100", "Cy 50"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Bob 500", "Ada 300", "Cy 50"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Cy 900", "Bob 500", "Ada 300"}));
        const auto mine = s.load(cy, Leaderboard::Scope::today).localPlayerScore;
        QVERIFY(mine);
        QCOMPARE(mine->value(), 50);
        QCOMPARE(mine->rank(), 3);
    }

    // A score sent late (it waited in the cache) counts for the day it was
    // made, and leaves the day after it alone.
    void aLateScoreCountsForTheDayItWasMade()
    {
        QTemporaryDir dir;
        Service s(dir);
        const QString ada = s.player("Ada");
        s.report(ada, 200, utc(2026, 12, 9, 8));
        s.report(ada, 900, utc(2026, 12, 8, 22)); // yesterday's, arriving now
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 200"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 900"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Ada 900"}));
        s.now = utc(2026, 12, 8, 23); // the clock as it was yesterday
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 900"}));
    }

    // The day ends at midnight UTC and the week on Sunday night, whatever
    // the local time zone says.
    void periodsRollOverAtMidnightUtc()
    {
        QTemporaryDir dir;
        Service s(dir);
        const QString ada = s.player("Ada");
        const QDateTime sundayNight = utc(2026, 12, 13, 23, 59);
        s.now = sundayNight;
        s.report(ada, 300, sundayNight.toOffsetFromUtc(-5 * 3600)); // the same moment, written elsewhere
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 300"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 300"}));

        s.now = utc(2026, 12, 14, 0, 1); // Monday
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList());
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList());
        QCOMPARE(s.load(ada, Leaderboard::Scope::week).playerCount, 0);
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Ada 300"}));

        // Monday's score replaces last week's in the stored day and week.
        s.report(ada, 10, s.now);
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 10"}));
        // A week across the new year is still one week (ISO 2026-W53).
        s.now = utc(2027, 1, 1);
        s.report(ada, 70, utc(2026, 12, 29));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 70"}));
    }

    // Equal scores share a rank, the earlier one listed first; the top list
    // stops at 50 and the window around the player holds ten either side.
    void ranksTopAndAroundMe()
    {
        QTemporaryDir dir;
        Service s(dir);
        QStringList ids;
        for (int i = 0; i < 60; ++i)
            ids << s.player(QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')));
        // P00 1000, P01 and P02 both 990 (P02 first), then 980, 970, ...
        for (int i = 0; i < 60; ++i)
            s.report(ids[i], i == 0 ? 1000 : i <= 2 ? 990 : 1010 - 10 * i, utc(2026, 12, 9, 8, 59 - i));
        const auto top = s.load(ids[0], Leaderboard::Scope::today);
        QCOMPARE(top.playerCount, 60);
        QCOMPARE(int(top.scores.size()), 50);
        QCOMPARE(ranks(top).mid(0, 5), QStringList({"1", "2", "2", "4", "5"}));
        QCOMPARE(rows(top).mid(0, 3), QStringList({"P00 1000", "P02 990", "P01 990"}));

        const auto around = s.load(ids[30], Leaderboard::Scope::today, Leaderboard::Window::aroundMe);
        QCOMPARE(int(around.scores.size()), 21);
        QCOMPARE(around.scores.front().displayName(), "P20");
        QCOMPARE(around.scores[10].playerID(), ids[30]);
        QCOMPARE(around.scores.back().displayName(), "P40");
        QCOMPARE(around.localPlayerScore->rank(), 31);

        const auto atTheTop = s.load(ids[0], Leaderboard::Scope::allTime, Leaderboard::Window::aroundMe);
        QCOMPARE(int(atTheTop.scores.size()), 11); // nobody above: only those below
        QCOMPARE(atTheTop.scores.front().playerID(), ids[0]);
        const auto atTheEnd = s.load(ids[59], Leaderboard::Scope::week, Leaderboard::Window::aroundMe);
        QCOMPARE(int(atTheEnd.scores.size()), 11);
        QCOMPARE(atTheEnd.scores.back().playerID(), ids[59]);

        const QString newcomer = s.player("New");
        QVERIFY(s.load(newcomer, Leaderboard::Scope::today, Leaderboard::Window::aroundMe).scores.empty());
    }

    // A file from before the day and week were kept still works (its best
    // counts for the period it was made in), and a file written now still
    // holds the best of all time where older versions read it.
    void theFileStaysReadableBothWays()
    {
        QTemporaryDir dir;
        QCborMap best;
        best.insert(QStringLiteral("value"), 700);
        best.insert(QStringLiteral("date"), utc(2026, 12, 9, 7).toMSecsSinceEpoch());
        QCborMap old;
        old.insert(QStringLiteral("displayName"), QStringLiteral("Ada"));
        old.insert(QStringLiteral("scores"), QCborMap{{board, best}});
        QCborMap root;
        root.insert(QStringLiteral("players"), QCborMap{{QStringLiteral("P:ada"), old}});
        root.insert(QStringLiteral("signedIn"), QStringLiteral("P:ada"));
        QFile file(dir.filePath("service.cbor"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QCborValue(root).toCbor());
        file.close();

        Service s(dir);
        QCOMPARE(rows(s.load("P:ada", Leaderboard::Scope::today)), QStringList({"Ada 700"}));
        s.report("P:ada", 800, utc(2026, 12, 9, 9));
        s.report("P:ada", 100, utc(2026, 12, 9, 10));

        QVERIFY(file.open(QIODevice::ReadOnly));
        const QCborMap written = QCborValue::fromCbor(file.readAll()).toMap();
        const QCborMap stored = written.value(QStringLiteral("players"))
                                    .toMap()
                                    .value(QStringLiteral("P:ada"))
                                    .toMap()
                                    .value(QStringLiteral("scores"))
                                    .toMap()
                                    .value(board)
                                    .toMap();
        QCOMPARE(stored.value(QStringLiteral("value")).toInteger(), 800);
        QCOMPARE(stored.value(QStringLiteral("date")).toInteger(), utc(2026, 12, 9, 9).toMSecsSinceEpoch());

        // And it reads back the same in a new service.
        Service again(dir);
        QCOMPARE(rows(again.load("P:ada", Leaderboard::Scope::today)), QStringList({"Ada 800"}));
    }
};

QTEST_GUILESS_MAIN(TestLocalBoards)
#include "tst_localboards.moc"
